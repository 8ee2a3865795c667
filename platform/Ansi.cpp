#include "platform/Ansi.h"

#include <QStringDecoder>
#include <array>

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
    // Latin-1 (vectorised by Qt) differs from Windows-1252 only on U+0080-U+009F and
    // beyond U+00FF: those characters are mended after.
    const qsizetype debut = sortie.size();
    sortie += texte.toLatin1();
    char* d = sortie.data() + debut;
    const char16_t* s = texte.utf16();
    for (qsizetype i = 0; i < texte.size(); ++i)
        if (s[i] >= 0x80 && (s[i] < 0xA0 || s[i] > 0xFF))
            d[i] = octetDe(s[i]);
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
    // Latin-1 first; the bytes 0x80-0x9F the code page defines are mended after.
    QStringDecoder(QStringDecoder::Latin1).appendToBuffer(reinterpret_cast<QChar*>(d), QByteArrayView(octets, taille));
    for (qsizetype i = 0; i < taille; ++i)
        if (d[i] - 0x80u < 0x20u && kTable8090[d[i] - 0x80])
            d[i] = kTable8090[d[i] - 0x80];
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
