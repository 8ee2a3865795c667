// libFuzzer target of the readers of outside input: the first byte chooses the reader, the
// rest is the file. Any crash, overflow or undefined behaviour stops the run, and so does a
// settings file that, read as Qt's INI settings read it, does not read back the same once written.
#include "exchange/Adif.h"
#include "exchange/Import.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"

#include <cstddef>
#include <cstdint>

namespace {

void reglages(const QByteArray& fichier)
{
    using plateforme::ContenuReglages;
    ContenuReglages lu = ContenuReglages::lire(fichier);
    const QByteArray ecrit = lu.ecrire();
    if (ContenuReglages::lire(ecrit).ecrire() != ecrit)
        __builtin_trap();
    // A value changed in it is read back as given, and every count read from it stays bounded.
    const QString valeur = QString::fromUtf8(fichier.left(64));
    for (const QString& cle : {Cles_Registre::NB_Activite, Cles_Registre::Nombre_Indicatif}) {
        const int n = Entier_Borne(lu.valeur(QStringLiteral("Setup F5ABC"), cle).value_or(QString()), 2, 0,
                                   Cles_Registre::Max_Activites);
        if (n < 0 || n > Cles_Registre::Max_Activites)
            __builtin_trap();
    }
    lu.definir(QStringLiteral("Setup F5ABC"), Cles_Registre::NB_Activite, valeur);
    if (ContenuReglages::lire(lu.ecrire()).valeur(QStringLiteral("Setup F5ABC"), Cles_Registre::NB_Activite) != valeur)
        __builtin_trap();
}

} // namespace

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
