// Lines and the bytes of a data file: each line Windows-1252, ended by CR LF.
#include "platform/Fichiers.h"

#include "platform/Ansi.h"
#include "platform/fichiers/Balayages.h"

namespace plateforme {

QByteArray octetsLignes(const QStringList& lignes)
{
    qsizetype taille = 0;
    for (const QString& l : lignes)
        taille += l.size() + 2;
    QByteArray octets;
    octets.reserve(taille);
    for (const QString& l : lignes) {
        ajouterAnsi(octets, l);
        octets.append("\r\n", 2);
    }
    return octets;
}

QStringList decouperLignes(const QString& texte)
{
    QStringList lignes;
    balayage::pourChaqueLigne(reinterpret_cast<const char16_t*>(texte.constData()), texte.size(),
                    [&](const char16_t* debut, qsizetype taille) {
                        lignes.append(QString(reinterpret_cast<const QChar*>(debut), taille));
                    });
    return lignes;
}

QList<QByteArrayView> decouperOctets(const QByteArray& octets)
{
    QList<QByteArrayView> lignes;
    lignes.reserve(octets.size() / 64 + 1);
    balayage::pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { lignes.append(QByteArrayView(debut, taille)); });
    return lignes;
}

} // namespace plateforme
