#include "platform/Reglages.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace plateforme {

namespace {

QString cheminCle(const QString& section, const QString& cle)
{
    return section.isEmpty() ? cle : section + QLatin1Char('/') + cle;
}

// A value as the program takes it: a list (a text of several parts joined by commas) joined
// again, a key holding "@Invalid()" absent.
std::optional<QString> valeurLue(const QSettings& s, const QString& chemin)
{
    const QVariant v = s.value(chemin);
    if (!v.isValid())
        return std::nullopt;
    return v.metaType().id() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
}

// Keeps other running copies out of the file while one reads, changes and replaces it (the
// file door's lock on "<file>.verrou"; not "<file>.lock", the name of the lock Qt's settings take
// to write the file themselves: a program writing the file through them would find ours, empty,
// and wait half a minute before taking it for one abandoned). A live holder keeps it for one
// file replacement: it is waited for up to this long, then the write is refused. A killed copy
// never makes the next one wait: the system lets the lock go when its holder ends.
constexpr int AttenteVerrouReglagesMs = 5000;

QString fichierVerrou(const QString& fichier)
{
    return fichier + QStringLiteral(".verrou");
}

bool g_echecSignale = false;

// One message for the failed writes of one action: the next is told once the event loop has
// come back.
void signalerEchec(const ErreurFichier& e)
{
    if (g_echecSignale)
        return;
    g_echecSignale = true;
    MsgBox(e.messageFrancais(QStringLiteral("Enregistrement des réglages")) +
               QStringLiteral("\r\nLes réglages enregistrés restent ceux d'avant."),
           Boutons::Ok, Icone::Critique);
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [] { g_echecSignale = false; });
    else
        g_echecSignale = false;
}

// A text as handed to Qt's INI writer. Its reader drops a byte order mark (U+FEFF) met before
// any character the writer leaves as it is; the writer escapes those below a blank, '"', '\\', a
// hexadecimal digit right after an escape in figures ("\x1"), and puts a text holding a null
// character inside "@String(...)". Such a mark is doubled: the reader drops one.
QString pourEcriture(const QString& texte)
{
    if (texte.contains(QChar::Null))
        return texte;
    bool apresChiffres = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c == 0xFEFF)
            return QString(texte).insert(i, QChar(0xFEFF));
        if (apresChiffres && c < 0x80 && std::isxdigit(c))
            continue;
        if (c > 0x1F && c != '"' && c != '\\')
            return texte;
        // "\a" to "\r" and the quote and backslash escapes end in a letter or sign.
        apresChiffres = c != '"' && c != '\\' && (c < 0x07 || c > 0x0D);
    }
    return texte;
}

// A text as the settings can hold it: a half of a surrogate pair (which an escape of a file made
// by hand may give) becomes U+FFFD, as UTF-8, the file's encoding, has it; Qt's writer would turn
// it into U+FFFD or drop it, depending on what follows.
QString ecrivable(QString texte)
{
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte.at(i).isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate())
            ++i;
        else if (texte.at(i).isSurrogate())
            texte[i] = QChar::ReplacementCharacter;
    }
    return texte;
}

// Every value of a file as the program reads it, a key holding "@Invalid()" without one, under
// the key Qt writes it back with: no "/" at either end nor two in a row (of two keys read that
// become one, the later wins, as when Qt writes them; one made of "/" alone Qt cannot write).
using Valeurs = std::map<QString, std::optional<QString>>;

Valeurs toutesLesValeurs(const QSettings& s)
{
    Valeurs v;
    for (const QString& chemin : s.allKeys()) {
        const QString cle = chemin.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
        if (!cle.isEmpty())
            v[cle] = valeurLue(s, chemin);
    }
    return v;
}

// The file with the values given set, every other value as it was: written by Qt on a scratch
// file beside it, then put in its place by the file door. The scratch file starts empty and
// gets every value of the file as the program reads it (a text: Qt's other forms, such as a list,
// do not all read back as written): Qt keeps the first error it meets, and a format error of an
// odd file read would hide a failed write. Qt may also cut its file short on a full disk and
// report no error: the scratch file is read back by a reader of its own, and it replaces the
// file only when it holds every value meant.
void ecrireValeurs(const QString& fichier, const QSettings& lu, const QString& section,
                   const QList<std::pair<QString, QString>>& valeurs)
{
    Valeurs voulues = toutesLesValeurs(lu);
    for (const auto& [cle, valeur] : valeurs)
        voulues[cheminCle(section, cle)] = valeur;
    for (auto& [cle, valeur] : voulues) {
        if (valeur)
            valeur = ecrivable(*valeur);
    }
    const auto ecrire = [&](const QString& brouillon) {
        QSettings s(brouillon, QSettings::IniFormat);
        for (const auto& [chemin, v] : voulues)
            s.setValue(chemin, v ? QVariant(pourEcriture(*v)) : QVariant());
        s.sync();
        return s.status() == QSettings::NoError;
    };
    const auto relire = [&](const QString& brouillon) {
        const QSettings relu(brouillon, QSettings::IniFormat);
        return relu.status() == QSettings::NoError && toutesLesValeurs(relu) == voulues;
    };
    remplacerParEcrivain(fichier, ecrire, relire);
}

} // namespace

QString fichierReglages(const QString& application)
{
    // Only its name is asked: the file itself is read here.
    const QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmarin-emplacement"));
    return QFileInfo(s.fileName()).absolutePath() + QLatin1Char('/') + application + QStringLiteral(".ini");
}

QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut)
{
    // Qt reads the file again whenever its size or time changed; one that cannot be read gives
    // the defaults.
    const QSettings s(fichierReglages(application), QSettings::IniFormat);
    return valeurLue(s, cheminCle(section, cle)).value_or(defaut);
}

bool SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur)
{
    return SaveSettings(application, section, {{cle, valeur}});
}

bool SaveSettings(const QString& application, const QString& section,
                  const QList<std::pair<QString, QString>>& valeurs)
{
    const QString fichier = fichierReglages(application);
    try {
        if (!QDir().mkpath(QFileInfo(fichier).absolutePath()))
            throw ErreurFichier(fichier, ErreurAcces, QStringLiteral("dossier des réglages impossible à créer"));
        // Nothing is written without the lock, not even the lock file where writes are refused.
        verifierEcriture(fichier);
        Verrou verrou(fichierVerrou(fichier));
        if (!verrou.prendre(true, AttenteVerrouReglagesMs))
            throw ErreurFichier(fichier, ErreurAcces,
                                QStringLiteral("les réglages sont en cours d'enregistrement par une autre copie du programme"));
        // Read again under the lock: what another copy wrote meanwhile is kept. A file that
        // cannot be read is not replaced by one holding only these keys.
        const QSettings lu(fichier, QSettings::IniFormat);
        if (lu.status() == QSettings::AccessError)
            throw ErreurFichier(fichier, ErreurPermission, QStringLiteral("accès refusé"));
        const bool change = std::any_of(valeurs.cbegin(), valeurs.cend(), [&](const auto& v) {
            return valeurLue(lu, cheminCle(section, v.first)) != v.second;
        });
        if (change)
            ecrireValeurs(fichier, lu, section, valeurs);
        return true;
    } catch (const ErreurFichier& e) {
        signalerEchec(e);
        return false;
    }
}

bool estResteEcritureReglages(const QString& n, const QString& fichier)
{
    if (estBrouillon(n, fichier))
        return true;
    const qsizetype point = n.lastIndexOf(QLatin1Char('.'));
    if (point < 0 || !estBrouillon(n.left(point), fichier))
        return false;
    const QStringView suite = QStringView(n).sliced(point + 1);
    return suite == QLatin1String("lock") || (suite.size() == 6 && finitParSixSignes(suite));
}

void nettoyerRestesReglages(const QStringList& applications)
{
    const QString dossier = QFileInfo(fichierReglages()).absolutePath();
    const QDir d(dossier);
    if (!d.exists())
        return;
    const auto noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& application : applications) {
        const QString fichier = fichierReglages(application);
        // Under the lock no other copy is between writing a scratch file and renaming it; when
        // another copy holds it, its scratch file is left alone and the start goes on.
        try {
            verifierEcriture(fichier);
        } catch (const ErreurFichier&) {
            continue;
        }
        Verrou verrou(fichierVerrou(fichier));
        if (!verrou.prendre(true))
            continue;
        for (const QString& n : noms) {
            if (estResteEcritureReglages(n, application + QStringLiteral(".ini")))
                QFile::remove(d.filePath(n));
        }
    }
}

} // namespace plateforme
