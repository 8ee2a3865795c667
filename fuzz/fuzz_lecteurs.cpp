// libFuzzer target of the readers of outside input: the first byte chooses the reader, the
// rest is the file. Any crash, overflow or undefined behaviour stops the run, and so does a
// settings file, whatever its bytes, in which a value written does not read back as written,
// another value changes with it, or the same value written again changes the file.
#include "exchange/Adif.h"
#include "exchange/Import.h"
#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <map>

namespace {

// Every value of an application's settings as the program reads them.
std::map<QString, QString> valeurs(const QString& application)
{
    std::map<QString, QString> r;
    for (const QString& lu : QSettings(plateforme::fichierReglages(application), QSettings::IniFormat).allKeys()) {
        // A key as Qt addresses it: no "/" at either end nor two in a row.
        const QString chemin = lu.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
        const qsizetype barre = chemin.indexOf(QLatin1Char('/'));
        const QString v = plateforme::GetSetting(application, barre < 0 ? QString() : chemin.left(barre),
                                                 chemin.mid(barre + 1), QStringLiteral("<absent>"));
        if (v != QStringLiteral("<absent>"))
            r[chemin] = v;
    }
    return r;
}

void reglages(const QByteArray& fichier)
{
    // A new application each time: a file is never rewritten under a name already read.
    static int numero = 0;
    const QString application = QStringLiteral("Essai%1").arg(++numero);
    const QString nom = plateforme::fichierReglages(application);
    QFile f(nom);
    if (!f.open(QIODevice::WriteOnly) || f.write(fichier) != fichier.size())
        __builtin_trap();
    f.close();
    const QString section = QStringLiteral("Setup F5ABC");
    const QString valeur = QString::fromUtf8(fichier.left(64));
    // Every count read from it stays bounded.
    for (const QString& cle : {Cles_Registre::NB_Activite, Cles_Registre::Nombre_Indicatif}) {
        const int n = Entier_Borne(plateforme::GetSetting(application, section, cle, QString()), 2, 0,
                                   Cles_Registre::Max_Activites);
        if (n < 0 || n > Cles_Registre::Max_Activites)
            __builtin_trap();
    }
    // Two values written: every value reads back as before but those, which read as written.
    const QList<std::pair<QString, QString>> ecrites = {{Cles_Registre::NB_Activite, valeur},
                                                        {QStringLiteral("Cl\u00e9 \"2\""), QString::fromUtf8(fichier.right(16))}};
    std::map<QString, QString> attendu = valeurs(application);
    // A half of a surrogate pair (from an escape) is kept as U+FFFD, as UTF-8 has it.
    for (auto& [cle, v] : attendu) {
        for (qsizetype i = 0; i < v.size(); ++i) {
            if (v.at(i).isHighSurrogate() && i + 1 < v.size() && v.at(i + 1).isLowSurrogate())
                ++i;
            else if (v.at(i).isSurrogate())
                v[i] = QChar::ReplacementCharacter;
        }
    }
    if (!plateforme::SaveSettings(application, section, ecrites))
        __builtin_trap();
    for (const auto& [cle, v] : ecrites)
        attendu[section + QLatin1Char('/') + cle] = v;
    if (valeurs(application) != attendu)
        __builtin_trap();
    // The same values written again change nothing.
    const QByteArray ecrit = plateforme::lireOctetsFichier(nom);
    const QDateTime date = QFileInfo(nom).lastModified();
    if (!plateforme::SaveSettings(application, section, ecrites) || plateforme::lireOctetsFichier(nom) != ecrit ||
        QFileInfo(nom).lastModified() != date)
        __builtin_trap();
    QFile::remove(nom);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The settings go to a folder of their own; a failed write (a message) is a finding.
    static QCoreApplication application(*argc, *argv);
    static QTemporaryDir dossier;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier.path());
    plateforme::synchroniserSurDisque(false);
    plateforme::installerRepondeur([](const QString&, plateforme::Boutons, plateforme::Icone) -> plateforme::Reponse {
        __builtin_trap();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille == 0)
        return 0;
    const QByteArray fichier(reinterpret_cast<const char*>(donnees) + 1, qsizetype(taille - 1));
    if (donnees[0] & 2) {
        reglages(fichier);
    } else if (donnees[0] & 1) {
        // Each record is one line of 199 bytes once written, whatever the file held.
        const echange::Conversion c = echange::convertirAdif(fichier);
        for (const QString& l : c.lignes) {
            const QByteArray octets = plateforme::versAnsi(l);
            if (l.size() != 199 || octets.size() != 199 || octets.contains('\r') || octets.contains('\n'))
                __builtin_trap();
        }
    } else {
        const echange::Conversion c =
            echange::convertirEdi(plateforme::decouperLignes(plateforme::depuisAnsi(fichier)));
        for (const QString& l : c.lignes)
            if (l.size() != 199)
                __builtin_trap();
        echange::bandeDepuisPBand(plateforme::depuisAnsi(fichier.left(40)));
    }
    return 0;
}
