#pragma once
// What the program never writes: the blank templates (every file of the placeholder station
// "FXXXX", which each new station copies), and a log that did not load whole (written from a
// short list it would lose QSOs). The rules sit in the file door, so every writer meets them.
#include <QString>

namespace station {

// The message of a write refused because no station is set up yet.
QString messageStationNonConfiguree();
// True while the station is the placeholder of a first start.
bool stationNonConfiguree(const QString& indicatif);

// Refuses every write to the log of `indicatif`, with `raison` (French) as the error text,
// until `autoriserJournal` is called for it (a load that succeeded).
void refuserJournal(const QString& indicatif, const QString& raison);
void autoriserJournal(const QString& indicatif);
// Forgets every refused log (tests, a new run).
void autoriserTousLesJournaux();

// Installs the rules in the file door (done once, on first use of the log store).
void installerGardesEcriture();

} // namespace station
