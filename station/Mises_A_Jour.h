#pragma once
// Rebuilds of the three award status files from their blank templates and the whole log, and
// the reset of a station's log and award files to the templates.
//
// Each rebuild starts again from the template and raises every band column to the highest
// status digit of the log lines of that key and band:
//  - prefixes: every log line; the first prefix line (file order) whose trimmed first five
//    columns begin the callsign; a callsign that no line begins goes to "<station>_Absent.txt"
//    (log order, with repeats). Lines the operator added to the station's prefix file that are
//    not in the template are kept at the end, in their order, their band columns rebuilt too;
//  - departments: every log line with a department; upper-cased, "2A"/"2B" keyed "96"/"97";
//  - squares: the log lines on "50 Mhz" to "24 Ghz" (exact texts) that have a locator.
// The log band is compared upper-cased ("144 MHz" finds the "144 Mhz" column); a band that is
// none of the 17 raises nothing. A key never matches a blank key column, and nothing is
// written into a line too short to hold its column.
//
// The whole rebuild is computed in memory and each file written once, atomically: a failure
// leaves every file as it was.
//
// For the imports: call `MAJ_Fichiers_Etat()` after the merge (it runs the three rebuilds with
// the actions held, see station/Retenue_Actions.h), or `MAJ_Prefixe()`, `MAJ_Departement()`,
// `MAJ_Locator()` one by one. None asks `Action_Permise()`: the caller (menu item, import)
// decides whether it may start.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace station {

// Called every so many log lines with the number of lines read so far.
using Avancement = std::function<void(int lignesLues)>;

// The numeric value of a status text of one digit 0 to 4; anything else (a digit 5 to 9 of a
// damaged line included) counts as 0.
int Valeur_Etat(QStringView etat);

// Index (0 to 16) in `Liste_Bandes` of a band compared upper-cased, -1 when it is none.
int indexBandeMajuscule(const QString& bande);

// The in-memory rebuilds: template lines, log lines, result lines.
QStringList Reconstruit_Prefixes(const QStringList& modele, const QStringList& actuel, const QStringList& journal,
                                 QStringList* absents, const Avancement& avancement = {});
QStringList Reconstruit_Departements(const QStringList& modele, const QStringList& journal,
                                     const Avancement& avancement = {});
QStringList Reconstruit_Locators(const QStringList& modele, const QStringList& journal,
                                 const Avancement& avancement = {});

// The lines of the station's prefix file that are not in the template (compared with their
// band columns at "0"), with their band columns set to "0", in their order.
QStringList Prefixes_Ajoutes(const QStringList& modele, const QStringList& actuel);

// "<station>_Absent.txt" and the template names.
QString fichierAbsent();
QString modele(const QString& suffixe);  // "FXXXX" followed by the suffix

// True while the current station is the placeholder "FXXXX", whose files are the templates.
bool Station_Modele();
// The refusal shown then.
QString Message_Station_Modele();

// File-level rebuilds of the current station (no window, no message). They read the template,
// the log (and the prefix file), compute, then replace the award file (and the absent list).
// Raise plateforme::ErreurFichier; a failure writes nothing. The station must not be "FXXXX".
// The prefix rebuild writes the prefix file, then the absent list: when only the second write
// fails, the prefix file stays rebuilt and the returned text says so (empty when both were
// written).
QString Reconstruit_Fichier_Prefixe(const Avancement& avancement = {});
void Reconstruit_Fichier_Departement(const Avancement& avancement = {});
void Reconstruit_Fichier_Locator(const Avancement& avancement = {});

// Puts the templates in place of the station's log and three award files, all four or none:
// on failure every file stays as it was and plateforme::ErreurFichier names the one at fault.
void Remet_A_Zero_Fichiers();

} // namespace station

// The rebuilds with their window: refusal for "FXXXX", the announcement, the progress window
// "Progression" (modal while it runs, the actions held), the repaint of the main grid. They
// return true when the file was rebuilt; a refusal or a file error (shown to the operator)
// returns false and leaves the files as they were. A missing square template is named as
// "Fichier FXXXX_Locator.txt Absent du repertoire". When the prefix file was rebuilt but not
// the absent list, the operator is told which and the rebuild counts as done.
bool MAJ_Prefixe();
bool MAJ_Departement();
bool MAJ_Locator();
// The three in a row (prefixes, departments, squares), with the actions held throughout; stops
// at the first that fails. For the imports.
bool MAJ_Fichiers_Etat();
