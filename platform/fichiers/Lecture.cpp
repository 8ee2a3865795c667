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
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        lever(c, numeroErreur(f.error(), c));
    // Read into an array of the file's size: QIODevice::readAll, reading on to the end, grows
    // and copies the whole array once it is full (3x the time on a 20 MB log, bench_sauvegarde).
    QByteArray octets(f.size(), Qt::Uninitialized);
    qsizetype lu = 0;
    while (lu < octets.size()) {
        const qint64 n = f.read(octets.data() + lu, octets.size() - lu);
        if (n <= 0)
            break;
        lu += qsizetype(n);
    }
    octets.truncate(lu);
    // A file that grew meanwhile is read to its end.
    if (f.error() == QFileDevice::NoError && lu == f.size())
        octets += f.readAll();
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
