#pragma once
// The settings vocabulary: application, sections and keys, each spelled once.
#include <QString>

namespace Cles_Registre {

inline const QString Application = QStringLiteral("Velmarin");
inline const QString Section_Setup = QStringLiteral("Setup");
// "Setup " followed by the station callsign (file form).
inline QString Section_Station(const QString& indicatif) { return QStringLiteral("Setup ") + indicatif; }
// Companion programmes: "Setup " with its trailing blank and nothing after it.
inline const QString Section_Compagnon = QStringLiteral("Setup ");

// Section "Setup"
inline const QString Indicatif_Station = QStringLiteral("Indicatif Station");
inline const QString Locator_Station = QStringLiteral("Locator Station");
inline const QString Nombre_Indicatif = QStringLiteral("Nombre Indicatif");
inline QString Indicatif(int n) { return QStringLiteral("Indicatif") + QString::number(n); }
inline const QString Chemin_Repertoire = QStringLiteral("Chemin Repertoire");

// Section "Setup " + callsign
inline const QString Bande_Utilisee = QStringLiteral("bande Utilisee");
inline const QString Mode_Utilise = QStringLiteral("Mode Utilise");
inline const QString Activite = QStringLiteral("Activite");
inline QString Activite_N(int i) { return QStringLiteral("Activite") + QString::number(i); }
inline const QString Heure_UTC = QStringLiteral("Heure UTC");
inline const QString Separateur = QStringLiteral("Separateur");
inline const QString Date_Automatique = QStringLiteral("Date Automatique");
inline const QString Exporter_QSO = QStringLiteral("Exporter QSO");
inline const QString NB_Activite = QStringLiteral("NB Activite");
inline const QString Revision = QStringLiteral("Revision");
inline const QString Chemin_Sauvegarde = QStringLiteral("Chemin Sauvegarde");
inline const QString Numero_Sauvegarde = QStringLiteral("Numero Sauvegarde");
inline const QString Delta_Sauvegarde = QStringLiteral("Delta Sauvegarde");
inline const QString Bande_Cluster = QStringLiteral("bande Cluster");
inline const QString Transceiver = QStringLiteral("Transceiver");
inline const QString Antenne = QStringLiteral("Antenne");
inline const QString Port_Com = QStringLiteral("Port Com");
inline const QString Baud = QStringLiteral("Baud");

// Companion award programmes
inline const QString Annee_Bravik = QStringLiteral("Annee Bravik");

// Placeholders used as defaults
inline const QString Indicatif_Vide = QStringLiteral("FXXXX");
inline const QString Locator_Vide = QStringLiteral("------");
inline const QString Chemin_Vide = QStringLiteral("X:\\XXXXXXX");
inline const QString Annee_Vide = QStringLiteral("XXXX");
inline const QString Pas_D_Indicatif = QStringLiteral("No Call");

inline const QString Vrai = QStringLiteral("True");
inline const QString Faux = QStringLiteral("False");

} // namespace Cles_Registre

// Shortcuts for the application "Velmarin".
QString Lit_Setup(const QString& cle, const QString& defaut);
// False when the value could not be written (the operator has been told).
bool Ecrit_Setup(const QString& cle, const QString& valeur);
// Several keys of section "Setup" in one write: all stored, or none.
bool Ecrit_Setup(const QList<std::pair<QString, QString>>& valeurs);
// Section "Setup " followed by the current `Indicatif_Station`.
QString Lit_Station(const QString& cle, const QString& defaut);
bool Ecrit_Station(const QString& cle, const QString& valeur);
// Several keys of the current station in one write: all stored, or none.
bool Ecrit_Station(const QList<std::pair<QString, QString>>& valeurs);
// Plain numeric reading of a stored text: leading number, 0 when there is none.
double Valeur_Numerique(const QString& texte);

// Settings are outside input: a count or an index read from them is kept to what its list can
// hold. The stored number rounded as the classic conversion does (half to even), or `defaut`
// when the text is absent, holds no number, or gives one outside [mini, maxi].
int Entier_Borne(const QString& texte, int defaut, int mini, int maxi);
int Lit_Setup_Entier(const QString& cle, int defaut, int mini, int maxi);
int Lit_Station_Entier(const QString& cle, int defaut, int mini, int maxi);

// The backup interval as stored, or "10" when it is no count of QSOs.
QString Delta_Sauvegarde_Lu();

namespace Cles_Registre {
// The longest lists the settings may describe.
constexpr int Max_Activites = 999;     // "NB Activite"
constexpr int Max_Indicatifs = 999;    // "Nombre Indicatif"
constexpr int Max_Compte_QSO = 999999; // "Numero Sauvegarde", "Delta Sauvegarde"
} // namespace Cles_Registre
