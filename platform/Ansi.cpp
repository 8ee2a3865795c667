#include "platform/Ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace plateforme {

namespace {

// Characters 0x80 to 0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr std::array<char16_t, 32> kTable8090 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QByteArray versAnsiTable(const QString& texte)
{
    QByteArray out;
    out.reserve(texte.size());
    for (QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        char octet = '?';
        for (int i = 0; i < 32; ++i) {
            if (kTable8090[i] == u && u != 0) {
                octet = char(0x80 + i);
                break;
            }
        }
        out.append(octet);
    }
    return out;
}

QString depuisAnsiTable(const QByteArray& octets)
{
    QString out;
    out.reserve(octets.size());
    for (char ch : octets) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F) {
            const char16_t u = kTable8090[b - 0x80];
            out.append(QChar(u ? u : char16_t(b)));
        } else {
            out.append(QChar(char16_t(b)));
        }
    }
    return out;
}

} // namespace

QByteArray versAnsi(const QString& texte)
{
    QStringEncoder encodeur("windows-1252", QStringConverter::Flag::Stateless);
    if (!encodeur.isValid())
        return versAnsiTable(texte);
    QByteArray out = encodeur.encode(texte);
    if (encodeur.hasError())
        return versAnsiTable(texte);
    return out;
}

QString depuisAnsi(const QByteArray& octets)
{
    QStringDecoder decodeur("windows-1252", QStringConverter::Flag::Stateless);
    if (!decodeur.isValid())
        return depuisAnsiTable(octets);
    QString out = decodeur.decode(octets);
    if (decodeur.hasError())
        return depuisAnsiTable(octets);
    return out;
}

} // namespace plateforme
