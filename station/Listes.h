#pragma once
// The fixed lists of the program: bands, modes, locator fields, French prefixes.
#include <QString>
#include <QStringList>

namespace station {

// The 17 bands in their fixed order: the nine HF bands, then the eight from 50 MHz up.
const QStringList& Liste_Bandes();
constexpr int NombreBandesHF = 9;
// The 16 modes offered on entry.
const QStringList& Liste_Modes();
// The nine locator fields with maps, in the order of the grid's field list.
const QStringList& Champs_Locator();
// The prefixes that make a callsign French.
const QStringList& Prefixes_Francais();
// Activities of a new station.
const QStringList& Activites_Defaut();

} // namespace station
