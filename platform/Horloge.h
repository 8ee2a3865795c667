#pragma once
// The system clocks (UTC and local), which tests can fix to a given instant.
#include <QDateTime>

namespace plateforme {

QDateTime heureUTC();
QDateTime heureLocale();
// From now on the clocks read `utc` (and `utc` shifted by `decalageLocalSecondes` for the
// local clock) until `libererHorloge`.
void fixerHorloge(const QDateTime& utc, int decalageLocalSecondes);
void libererHorloge();

} // namespace plateforme
