#include "platform/Horloge.h"

#include <optional>

namespace plateforme {

namespace {
std::optional<QDateTime> g_utc;
int g_decalage = 0;
} // namespace

QDateTime heureUTC()
{
    if (g_utc)
        return *g_utc;
    return QDateTime::currentDateTimeUtc();
}

QDateTime heureLocale()
{
    if (g_utc) {
        const QDateTime decale = g_utc->addSecs(g_decalage);
        return QDateTime(decale.date(), decale.time());
    }
    return QDateTime::currentDateTime();
}

void fixerHorloge(const QDateTime& utc, int decalageLocalSecondes)
{
    g_utc = utc.toUTC();
    g_decalage = decalageLocalSecondes;
}

void libererHorloge()
{
    g_utc.reset();
    g_decalage = 0;
}

} // namespace plateforme
