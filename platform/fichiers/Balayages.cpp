#include "platform/fichiers/Balayages.h"

#include <cstring>

namespace plateforme::balayage {

qsizetype chercheOctets(QByteArrayView octets, QByteArrayView motif, qsizetype depuis)
{
    if (depuis < 0 || depuis > octets.size())
        return -1;
    const void* trouve = ::memmem(octets.data() + depuis, size_t(octets.size() - depuis), motif.data(), size_t(motif.size()));
    return trouve ? static_cast<const char*>(trouve) - octets.data() : -1;
}

bool toutEnCRLF(QByteArrayView octets)
{
    const char* p = octets.data();
    const qsizetype n = octets.size();
    if (n == 0)
        return true;
    if (p[n - 1] != '\n')
        return false;
    // Line by line: its LF right after a CR, and no other CR before it.
    for (qsizetype debut = 0; debut < n;) {
        const qsizetype fin = static_cast<const char*>(std::memchr(p + debut, '\n', size_t(n - debut))) - p;
        if (fin == debut || p[fin - 1] != '\r' || std::memchr(p + debut, '\r', size_t(fin - 1 - debut)))
            return false;
        debut = fin + 1;
    }
    return true;
}

} // namespace plateforme::balayage
