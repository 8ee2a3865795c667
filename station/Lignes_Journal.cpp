#include "station/Lignes_Journal.h"

#include "platform/Fichiers.h"

#include <cstring>

namespace {

// Where each line of `p` starts when every line ends with CR LF, then `n`; empty otherwise.
// One look for the LF, one for a CR before it, in a line already in the cache.
QList<qsizetype> debutsCRLF(const char* p, qsizetype n)
{
    QList<qsizetype> debuts;
    debuts.reserve(n / 201 + 2);
    qsizetype debut = 0;
    while (debut < n) {
        debuts.append(debut);
        const void* lf = std::memchr(p + debut, '\n', size_t(n - debut));
        if (!lf)
            return {};
        const qsizetype fin = static_cast<const char*>(lf) - p;  // the LF
        if (fin == debut || p[fin - 1] != '\r' || std::memchr(p + debut, '\r', size_t(fin - 1 - debut)))
            return {};
        debut = fin + 1;
    }
    debuts.append(n);
    return debuts;
}

} // namespace

Lignes_Journal Lignes_Journal::depuis(const QByteArray& octets, qsizetype longueur)
{
    Lignes_Journal l;
    QList<qsizetype> debuts = debutsCRLF(octets.constData(), longueur);
    if (!debuts.isEmpty()) {
        l.octets = longueur == octets.size() ? octets : octets.left(longueur);
        l.debuts = std::move(debuts);
        return l;
    }
    const QList<QByteArrayView> lignes = plateforme::decouperOctets(QByteArray::fromRawData(octets.constData(), longueur));
    l.octets.reserve(longueur + lignes.size());
    l.debuts.reserve(lignes.size() + 1);
    for (const QByteArrayView& ligne : lignes)
        l.ajouter(ligne);
    return l;
}

void Lignes_Journal::garder(int n)
{
    if (n < 0 || n >= nombre())
        return;
    debuts.resize(n + 1);
    octets.truncate(debuts.last());
}

void Lignes_Journal::ajouter(QByteArrayView ligne)
{
    octets.append(ligne.data(), ligne.size());
    octets.append("\r\n", 2);
    debuts.append(octets.size());
}
