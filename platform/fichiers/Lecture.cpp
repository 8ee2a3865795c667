// Reading the files of the program: their bytes as stored, or their lines decoded.
#include "platform/fichiers/Interne.h"

#include "platform/Ansi.h"
#include "platform/fichiers/Balayages.h"

#include <QFile>

namespace plateforme {

using namespace interne;

QByteArray lireOctetsFichier(const QString& nom)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.exists())
        lever(c, ErreurFichierIntrouvable);
    if (!f.open(QIODevice::ReadOnly))
        lever(c, numeroErreur(f.error(), c));
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        lever(c, ErreurAcces);
    return octets;
}

QStringList lireLignes(const QString& nom)
{
    // Split the bytes, then decode each line: no copy of the whole text.
    const QByteArray octets = lireOctetsFichier(nom);
    QStringList lignes;
    lignes.reserve(octets.size() / 64 + 1);
    balayage::pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { lignes.append(depuisAnsi(debut, taille)); });
    return lignes;
}

void parcourirLignes(const QString& nom, const std::function<void(const QString& ligne)>& ligne)
{
    const QByteArray octets = lireOctetsFichier(nom);
    balayage::pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { ligne(depuisAnsi(debut, taille)); });
}

LecteurTexte::LecteurTexte(const QString& nom) : lignes_(lireLignes(nom)) {}

} // namespace plateforme
