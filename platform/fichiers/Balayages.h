#pragma once
// The scans of the bytes of the data files: line ends, a key, the line-end form. Each goes by
// the C library's memchr and memmem, which look at a large file near the speed of the memory.
#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <cstring>

namespace plateforme::balayage {

// Where `motif` next stands in `octets` from `depuis` on; -1 when nowhere.
qsizetype chercheOctets(QByteArrayView octets, QByteArrayView motif, qsizetype depuis);
// Whether the lines of `octets` are stored as a rewrite stores them: each ended by CR LF, no
// CR nor LF alone (an empty file too).
bool toutEnCRLF(QByteArrayView octets);

// Calls `ajout(debut, taille)` for each line of the text; CR LF, a lone CR or a lone LF end a
// line, and a last line without an end counts too.
template <class Car, class Ajout>
void pourChaqueLigne(const Car* p, qsizetype n, Ajout ajout)
{
    qsizetype debut = 0;
    qsizetype i = 0;
    while (i < n) {
        const Car c = p[i];
        if (c == Car('\r') || c == Car('\n')) {
            ajout(p + debut, i - debut);
            if (c == Car('\r') && i + 1 < n && p[i + 1] == Car('\n'))
                ++i;
            ++i;
            debut = i;
        } else {
            ++i;
        }
    }
    if (debut < n)
        ajout(p + debut, n - debut);
}

// The same on bytes, looking for the line ends with memchr: a large file is split at the
// speed of the memory. The next CR and the next LF are each searched once.
template <class Ajout>
void pourChaqueLigne(const char* p, qsizetype n, Ajout ajout)
{
    const auto prochain = [&](char c, qsizetype depuis) {
        const void* t = std::memchr(p + depuis, c, size_t(n - depuis));
        return t ? qsizetype(static_cast<const char*>(t) - p) : n;
    };
    qsizetype debut = 0;
    qsizetype cr = -1;
    qsizetype lf = -1;
    while (debut < n) {
        if (cr < debut)
            cr = prochain('\r', debut);
        if (lf < debut)
            lf = prochain('\n', debut);
        const qsizetype fin = std::min(cr, lf);
        ajout(p + debut, fin - debut);
        if (fin == n)
            return;
        debut = fin + 1;
        if (fin == cr && debut == lf)
            ++debut;
    }
}


} // namespace plateforme::balayage
