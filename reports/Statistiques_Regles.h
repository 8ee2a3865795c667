#pragma once
// The counts behind the statistics windows: distance classes per band, prefixes worked on a
// band, the castle list of an activity and the QSO and QSL totals per activity. Plain
// functions over the lines of the log or of the prefix file, so that tests need no window.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace rapports {

// Whole number at the start of a record field (blanks skipped, a sign allowed); 0 when the
// field holds none ("?", blanks, text).
int valeurEntiere(QStringView champ);
// Record columns `debut` (1-based) over `largeur`, empty beyond a short line.
QStringView colonnes(const QString& ligne, int debut, int largeur);
// The same columns padded with blanks to `largeur` (a short line gives blanks).
QString champFixe(const QString& ligne, int debut, int largeur);

// --- Distances ----------------------------------------------------------------------------------

constexpr int NombreBandesDistance = 8;
constexpr int NombreClassesDistance = 11;
// The band texts of the distance grid, in its order: "144 Mhz" ... "24 Ghz", then "50 Mhz".
const QStringList& Bandes_Distance();
// Index 0 to 7 of a trimmed band text in that order; -1 for a band not counted (HF).
int indexBandeDistance(QStringView bande);
// Class 1 to 11 of a whole distance: 0 to 100 is 1, 101 to 199 is 2, then one per hundred,
// 1000 and more is 11. A negative distance counts with the shortest.
int classeDistance(int km);

using TableDistances = std::array<std::array<int, NombreClassesDistance>, NombreBandesDistance>;
// Counts one log line in its band and class ("?" or blank distance: 0 km).
void compterDistance(TableDistances& table, const QString& ligne);
TableDistances compterDistances(const QStringList& lignes);

// --- Prefixes -----------------------------------------------------------------------------------

// Lines shown for the prefixes of the prefix file worked on band `numeroBande` (1 for
// "1.8 Mhz" to 17 for "24 Ghz"): two blanks, the prefix padded to 5, one blank, the country.
// In alphabetical order.
QStringList prefixesContactes(const QStringList& lignesFichier, int numeroBande);

// --- Castle list --------------------------------------------------------------------------------

inline const QString BandesHF = QStringLiteral("Bandes HF");
inline const QString BandesVHF = QStringLiteral("Bandes VHF");
// Whether a trimmed band text passes the band choice ("Bandes HF", "Bandes VHF" or a band).
bool bandeRetenue(const QString& selection, QStringView bande);
// "S", "E", "R", "C" for the status characters "1" to "4"; "?" for anything else.
QString lettreEtat(QStringView etat);
// The 80-character castle list line of a log line.
QString ligneChateau(const QString& ligne);
// A log line of activity `numeroActivite` on the band choice.
bool chateauRetenu(const QString& ligne, int numeroActivite, const QString& selection);
// The castle list lines (sorted) of the log lines of activity `numeroActivite` on the band
// choice; every QSO counts.
QStringList listeChateaux(const QStringList& lignes, int numeroActivite, const QString& selection);
// "<callsign> <band choice> Alphanumerique.txt".
QString nomFichierChateaux(const QString& indicatif, const QString& selection);
// The castle list file's lines: title, empty, the list, empty, the total.
QStringList contenuFichierChateaux(const QString& indicatif, const QString& selection, const QString& date,
                                   const QStringList& chateaux);

// --- QSO and QSL totals ------------------------------------------------------------------------

constexpr int NombreActivitesComptees = 100;  // activity numbers 0 to 99, all that two columns hold
struct StatistiquesQSO {
    int total = 0;
    int francais = 0;
    std::array<int, NombreActivitesComptees> qso{};
    std::array<int, NombreActivitesComptees> envoyees{};
    std::array<int, NombreActivitesComptees> recues{};
};
// A callsign beginning with "F" or with one of the two-letter French prefixes.
bool indicatifFrancais(QStringView indicatif);
// Totals of the log lines. A line whose activity number lies outside 0 to 99 ("-1") counts in
// the totals only.
void compterQSO(StatistiquesQSO& stats, const QString& ligne);
StatistiquesQSO compterQSO(const QStringList& lignes);
// Percentage text: count x 100 / qso in whole numbers, fraction dropped, at least two characters.
QString pourcentage(int compte, int qso);
// One line of the activity list.
QString ligneActivite(const QString& nom, int qso, int envoyees, int recues);
// Its header.
inline const QString EnteteActivites =
    QStringLiteral("  Activités         Nb QSO         QSL Ev              QSL Re");

} // namespace rapports
