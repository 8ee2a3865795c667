#pragma once
// The award status files of the current station (departments, locator squares, prefixes):
// lookups of one key's status on one band, writes of one status character, and the rewrite
// of a data file through a scratch file.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

namespace station {

QString fichierDepartement();  // "<Indicatif_Station>_Departement.txt"
QString fichierLocator();      // "<Indicatif_Station>_Locator.txt"
QString fichierPrefixe();      // "<Indicatif_Station>_Prefixe.txt"

// Scratch files of the one-line rewrites (program folder).
inline const QString TemporaireMiseAJour = QStringLiteral("Temporaire.txt");     // rebuilds
inline const QString TemporairePrefixe = QStringLiteral("Temporaire1.txt");      // Ecrit_Etat_Prefixe
inline const QString TemporaireDepartement = QStringLiteral("Temporaire2.txt");  // Ecrit_Etat_Departement
inline const QString TemporaireLocator = QStringLiteral("Temporaire3.txt");      // Ecrit_Etat_Locator
inline const QString TemporaireRemplace = QStringLiteral("Temporaire4.txt");     // Remplace_Ligne
inline const QString TemporaireNomenclature = QStringLiteral("Temporaire5.txt"); // MAJ_Nomenclature
// One of those names ("Temporaire" and a number or nothing, ".txt"), case not minded.
bool estFichierTemporaire(const QString& nomFichier);
// At start: removes what writes killed in an earlier run left in the program folder and the
// settings folder (only the program's own scratch names, nothing while another copy runs).
void Nettoie_Restes();

// 1-based column of a band in each file; 0 when the band has none there. The band text is
// compared exactly (case and blanks as in Liste_Bandes).
int colonneDepartement(const QString& bande);
int colonnePrefixe(const QString& bande);
int colonneLocator(const QString& bande);

// The French prefixes, and the test on a prefix key (exact comparison).
bool estPrefixeFrancais(const QString& prefixe);
// One of the nine HF texts "1.8 Mhz" ... "28 Mhz" (exact comparison). A text that is no band
// at all is not HF; callers that route such a text as HF test colonneLocator(bande) == 0.
bool estBandeHF(const QString& bande);

// The prefix key of a prefix-file line: its first five columns, blanks trimmed.
QString clePrefixe(const QString& ligne);
// Index of the first line whose key begins the callsign (case-sensitive), -1 when none.
// An empty key matches every callsign.
int premierPrefixe(const QStringList& lignes, const QString& indicatif);
// `ligne` with the character at 1-based `colonne` replaced by `etat`. The line is returned
// unchanged when there is no such column, the line does not reach it, or `etat` is not one
// character (a write never shifts the columns that follow).
QString remplaceCaractere(const QString& ligne, int colonne, const QString& etat);

// Puts `lignes` (each ended by CR LF) in place of `fichier`: written whole into the scratch
// file `temporaire`, then renamed over the data file in one step, so the data file is at
// every instant the old or the new one and the scratch file does not remain.
void Ecrit_Par_Temporaire(const QString& fichier, const QString& temporaire, const QStringList& lignes);

// Copies `fichier` line by line through the scratch file `temporaire`, each line passed
// through `transforme`, then puts the new content in place of the data file in one step.
// `debut`: only the lines that start with it may change (`transforme` returns every other
// line as it gets it); those alone are decoded, the others copied as stored.
// When reading the data file fails nothing is written (the error propagates).
void Reecriture_Temporaire(const QString& fichier, const QString& temporaire,
                           const std::function<QString(const QString&)>& transforme, const QString& debut = QString());

// Shows the missing-file window for the current station and `suffixe`, then waits there
// until the program ends; any other error shows "Erreur N° " and ends the program.
// Used by the procedures that trap their errors.
void Erreur_Fichier_Station(int numeroErreur, const QString& suffixe);

// The number as the classic Str() writes it: a blank before a positive number.
QString texteNombre(int n);

} // namespace station

// Status of one department on one band. `etat` empty when the department is not listed.
void Lit_Etat_Departement(const QString& departement, QString& etat, QString& nom, const QString& bande,
                          QString& ligne);
// Status of one square (first four characters of `locator`) on one band. Returns false when
// the square file is missing (the error window has taken over).
bool Lit_Etat_Locator(const QString& locator, QString& etat, const QString& bande, QString& ligne);
// The first prefix line whose key begins the callsign, with its status on the band; announces
// a new or unknown prefix. Returns false when the prefix file is missing.
bool Cherche_Prefixe(const QString& indicatif, const QString& bande, QString& etat, QString& pays,
                     QString& prefixe);
// Marks the callsign's prefix worked ("0" becomes "1") on the band. Returns false when the
// prefix file cannot be read (the error window has taken over); a failed write raises
// plateforme::ErreurFichier and leaves the file as it was.
bool Ecrit_Etat_Prefixe(const QString& indicatif, const QString& bande, QString& etat, QString& pays,
                        QString& prefixe);
void Ecrit_Etat_Departement(const QString& departement, const QString& etat, const QString& bande);
void Ecrit_Etat_Locator(const QString& carre, const QString& etat, const QString& bande);
// Every line equal to `ancienne` in the named file of the program folder becomes `nouvelle`.
void Remplace_Ligne(const QString& ancienne, const QString& nouvelle, const QString& nomFichier);
