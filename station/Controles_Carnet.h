#pragma once
// The controls of the main window `Carnet` that the shared procedures and the other windows
// read and write, named as the window names them. The window itself (logbook/) fills these
// pointers when it is built; `carnet()` reaches its one instance.
#include "platform/Cadre.h"
#include "station/Modele_Liste_QSO.h"
#include "station/Vue_Liste_QSO.h"

#include <QString>
#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

class Controles_Carnet {
public:
    virtual ~Controles_Carnet() = default;

    virtual QWidget* fenetre() = 0;
    // Paints the department view of the grid for `bande`; the count goes to `compteur`.
    // Returns false when the department file is missing (the error window has taken over).
    virtual bool Affiche_Departements(const QString& bande, double& compteur) = 0;
    // Paints the square view of `champ` on `bande` (main grid and the field's map window).
    virtual void Affiche_Locators(const QString& bande, const QString& champ, double& compteur) = 0;
    // Makes line `rang` of `Liste_QSO` its selected item, with the effects of the operator's
    // click (the item becomes `Ligne_Selectionnee`), even when it was selected already.
    virtual void Selectionne_Ligne(int rang) = 0;

    // Shared by the start-up and the station window, from the current station's settings:
    // the entry band and mode last used; the UTC and automatic-date options with `Label15`;
    // the activity list and its selection.
    void Lit_Bande_Et_Mode();
    void Lit_Heure_Et_Date();
    void Remplit_Activites();
    // Ticks the "Oui" or the "Non" item of an option pair from a yes/no setting; returns it.
    static bool Coche_Option(QAction* oui, QAction* non, const QString& cle, const QString& defaut);

    // Entry fields
    QComboBox* Bande_A = nullptr;
    QLineEdit* Indicatif_A = nullptr;
    QLineEdit* Depart_A = nullptr;
    QLineEdit* Locator_A = nullptr;
    QComboBox* Mode_A = nullptr;
    QComboBox* Activ_A = nullptr;
    QLineEdit* Date_A = nullptr;
    QLineEdit* Debut_A = nullptr;
    QLineEdit* Fin_A = nullptr;
    QLineEdit* RSTE_A = nullptr;
    QLineEdit* RSTR_A = nullptr;
    QLineEdit* Prenom_A = nullptr;
    QLineEdit* QTH_A = nullptr;
    QLineEdit* Remarques_A = nullptr;
    QLineEdit* QSLE_A = nullptr;
    QLineEdit* QSLR_A = nullptr;
    QLineEdit* Distance_A = nullptr;
    QLineEdit* Azimut_A = nullptr;

    // Labels
    QLabel* Label5 = nullptr;     // over the callsign: "Indicatif", or the history result
    QLabel* Label15 = nullptr;    // "Date automatique" / "Date manuelle"
    QLabel* I_Station = nullptr;  // station callsign, "/" shown
    QLabel* L_Station = nullptr;  // station locator
    QLabel* NB_Debug = nullptr;   // step reached by the save
    QLabel* Label37 = nullptr;    // UTC time
    QLabel* Label34 = nullptr;    // local time
    QLabel* Label33 = nullptr;    // date
    QLabel* Label27 = nullptr;    // legend "1"
    QLabel* Label26 = nullptr;    // legend "2"
    QLabel* Label30 = nullptr;    // legend "3"
    QLabel* Label1 = nullptr;     // legend "4"

    // Frames
    Cadre* Frame3 = nullptr;  // the grid
    Cadre* Frame4 = nullptr;  // "QSO numéro "
    Cadre* Frame5 = nullptr;  // "Velmarin de "

    // QSO list. The list is changed in place and never refilled: it needs no twin shown while
    // it is rebuilt.
    Modele_Liste_QSO* Modele_QSO = nullptr;
    Vue_Liste_QSO* Liste_QSO = nullptr;

    // Grid
    std::array<QLineEdit*, 100> Dpt{};
    std::array<QRadioButton*, 3> Option1{};  // items 1 "Dpt" and 2 "Carré locator"
    QComboBox* Bande_Grille = nullptr;
    QComboBox* Carre_Grille = nullptr;

    // Buttons
    QPushButton* Enregistrer = nullptr;
    QPushButton* Annuler = nullptr;
    QPushButton* Recherche = nullptr;
    QPushButton* Editer = nullptr;
    QPushButton* Effacer = nullptr;
    QPushButton* Gestion_QSL = nullptr;
    QPushButton* Exporter = nullptr;
    QPushButton* Command1 = nullptr;

    // Menus
    QMenu* Mnu_Fichier = nullptr;
    QMenu* Mnu_Station = nullptr;
    QMenu* mnu_Options = nullptr;
    QMenu* Mnu_Date_Auto = nullptr;
    QMenu* Mnu_Heure_UTC = nullptr;
    QMenu* Mnu_Separateur = nullptr;
    QMenu* Mnu_Exp = nullptr;
    QMenu* Mnu_Outils = nullptr;
    QMenu* Mnu_Activite = nullptr;
    QMenu* Mnu_Carte = nullptr;
    QMenu* Mnu_Statistique = nullptr;
    QMenu* Mnu_Imprim = nullptr;
    QMenu* Mnu_Aide = nullptr;

    QAction* Mnu_RAZ_All = nullptr;
    QAction* Mnu_Restauration = nullptr;
    QAction* Mnu_Import_EDI = nullptr;
    QAction* Mnu_Import_ADIF = nullptr;
    QAction* Mnu_Import_VLM = nullptr;
    QAction* Mnu_Export_Adif = nullptr;
    QAction* Mnu_Quitter = nullptr;
    QAction* Mnu_Indicatif = nullptr;
    QAction* Mnu_Auto_Oui = nullptr;
    QAction* Mnu_Auto_Non = nullptr;
    QAction* Mnu_UTC_Oui = nullptr;
    QAction* Mnu_UTC_Non = nullptr;
    QAction* Mnu_Sep_Oui = nullptr;
    QAction* Mnu_Sep_Non = nullptr;
    QAction* Mnu_Exp_Oui = nullptr;
    QAction* Mnu_Exp_Non = nullptr;
    QAction* Mnu_Val_Sauve = nullptr;
    QAction* Mnu_Nomenclature = nullptr;
    QAction* Mnu_Prefixe = nullptr;
    QAction* Mnu_MAJ_Prefixe = nullptr;
    QAction* Mnu_MAJ_Departement = nullptr;
    QAction* Mnu_MAJ_Locator = nullptr;
    QAction* Mnu_Restau_Activite = nullptr;
    QAction* Mnu_Ajout_Activite = nullptr;
    QAction* Mnu_Carte_Dpt = nullptr;
    QAction* Mnu_Carte_Loc = nullptr;
    QAction* Mnu_Carte_Activation = nullptr;
    QAction* Mnu_Stat_QSO = nullptr;
    QAction* Mnu_Stat_Dist = nullptr;
    QAction* Mnu_Stat_Prefixe = nullptr;
    QAction* Mnu_Stat_DFCF = nullptr;
    QAction* Mnu_Imprime_Tout = nullptr;
    QAction* Mnu_Print_Activite = nullptr;
    QAction* Mnu_Print_QSL = nullptr;
    QAction* Mnu_Notes = nullptr;
    QAction* Mnu_Historique = nullptr;
    QAction* Mnu_Mode_Emploi = nullptr;
    QAction* Mnu_A_Propos = nullptr;

    QTimer* Timer1 = nullptr;
};

// Caption of the grid frame in the department view: " 12 Départements sur 144 Mhz".
QString Titre_Departements(double compteur, const QString& bande);

// The main window's controls; null before the window is built.
Controles_Carnet* carnet();
void enregistrerCarnet(Controles_Carnet* c);
