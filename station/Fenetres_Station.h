#pragma once
// The small windows of the station files, each with one instance made on first use.
// `Afficher(modal)` loads the window when needed (its Form_Load runs then) and shows it.
#include <QString>
#include <QStringList>

// Station setup window: pick or register the station callsign and locator.
namespace Station {
void Afficher(bool modal);

constexpr int LongueurMaxIndicatif = 12;
inline const QString Nouvel_Indicatif = QStringLiteral("Nouvel Indicatif");

// Message of the first check that the callsign (already upper case) fails, empty when it
// passes. `effacer` is set when the typed callsign must be emptied.
QString Controle_Indicatif(const QString& indicatif, bool* effacer = nullptr);
// Message of the first check that the locator (already upper case) fails, empty when it passes.
QString Controle_Locator(const QString& locator);
// Register entry: the callsign padded with blanks to 12, one blank, the locator.
QString Entree_Registre(const QString& indicatif, const QString& locator);
// The callsign as shown: every "_" back to "/".
QString Indicatif_Affiche(const QString& indicatif);
// The backup path prefix of a new station: "<program folder>/<callsign>/<callsign>".
QString Chemin_Sauvegarde_Defaut(const QString& indicatif);
} // namespace Station

// Missing-file error window: the caller gives the missing suffix ("_Locator.txt" ...).
namespace Gestion_Erreur { void Afficher(const QString& suffixe); }

// Add an activity to the station's list.
namespace Ajout_Activite { void Afficher(bool modal); }

// Append a prefix line to the station's prefix file.
namespace Ajout_Prefixe {
void Afficher(bool modal);
constexpr int LongueurMaxPrefixe = 6;
// Message of the first check that fails, empty when both fields pass.
QString Controle(const QString& prefixe, const QString& pays);
// The prefix padded to 7, seventeen "0", two blanks, the country.
QString Ligne_Prefixe(const QString& prefixe, const QString& pays);
} // namespace Ajout_Prefixe

// Editor of the callsign directory.
namespace Fichier_Nomenclature {
void Afficher(bool modal);
// (The items themselves are built by station::itemNomenclature.)
// Message of the first check of the add button that fails, empty when the record can be added.
QString Controle_Ajout(const QString& indicatif, const QString& departement, const QString& locator,
                       const QStringList& items);
// Same for the edit button (no duplicate check).
QString Controle_Edition(const QString& indicatif, const QString& departement, const QString& locator);
// The first check of both: no comma nor double quote in a field (the reader cuts a record there).
QString Controle_Caracteres(const QString& indicatif, const QString& departement, const QString& locator);
} // namespace Fichier_Nomenclature

// Forget every window instance (tests).
void Detruire_Fenetres_Station();

// Makes the file set of a new station `indicatif`: the five templates copied, and its activity
// file holding the default activities (those a new station's settings get). All six files or
// none: on failure (plateforme::ErreurFichier) no file of the set was created or changed.
void Cree_Fichiers_Indicatif(const QString& indicatif);
// Rewrites "<Indicatif_Station>_Activite.txt" from the settings ("NB Activite" read with
// default 2, each name with default "XXX"). Raises plateforme::ErreurFichier.
void Ecrit_Fichier_Activite();
