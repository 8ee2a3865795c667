#pragma once
// The main window: the log, the entry row of the QSO being typed, the department and square
// grid, the menus, options and clock.
#include "station/Controles_Carnet.h"

#include <QMainWindow>
#include <optional>

class QCloseEvent;
namespace echange { struct Conversion; }
class QPushButton;

class Carnet : public QMainWindow, public Controles_Carnet {
    Q_OBJECT
public:
    // The one instance of the run, built on first use.
    static Carnet& instance();
    // Tests: forget the instance (it is deleted).
    static void detruireInstance();

    QWidget* fenetre() override { return this; }

    // Start-up and shutdown
    void Form_Load();
    // Ends the program, unless open notes not yet saved keep it running (false then).
    bool Form_Unload();

    // Entry chain: band, callsign, department, locator
    void Bande_A_KeyPress(int& KeyAscii);
    void Indicatif_A_KeyPress(int& KeyAscii);
    void Depart_A_KeyPress(int& KeyAscii);
    void Locator_A_KeyPress(int& KeyAscii);
    void Indicatif_A_DblClick();
    void Depart_A_DblClick();
    void Locator_A_DblClick();

    // Entry chain: mode to remarks
    void Mode_A_KeyPress(int& KeyAscii);
    void Activ_A_KeyPress(int& KeyAscii);
    void Date_A_KeyPress(int& KeyAscii);
    void Debut_A_KeyPress(int& KeyAscii);
    void Fin_A_KeyPress(int& KeyAscii);
    void RSTE_A_KeyPress(int& KeyAscii);
    void RSTR_A_KeyPress(int& KeyAscii);
    void Prenom_A_KeyPress(int& KeyAscii);
    void QTH_A_KeyPress(int& KeyAscii);
    void Remarques_A_KeyPress(int& KeyAscii);

    // Save, recall, edit, cancel, delete
    void Enregistrer_Click();
    void Liste_QSO_Click();
    void Liste_QSO_DblClick();
    void Editer_Click();
    void Annuler_Click();
    void Effacer_Click();

    // Grid
    bool Affiche_Departements(const QString& bande, double& compteur) override;
    void Affiche_Locators(const QString& bande, const QString& champ, double& compteur) override;
    void Selectionne_Ligne(int rang) override { selectionnerLigne(rang); }
    void Option1_Click(int Index);
    void Bande_Grille_Click();
    void Carre_Grille_Click();
    void Bande_A_Click();

    // Options, clock, menus and buttons
    void Mnu_Auto_Oui_Click();
    void Mnu_Auto_Non_Click();
    void Mnu_UTC_Oui_Click();
    void Mnu_UTC_Non_Click();
    void Mnu_Sep_Oui_Click();
    void Mnu_Sep_Non_Click();
    void Mnu_Exp_Oui_Click();
    void Mnu_Exp_Non_Click();
    void Timer1_Timer();
    void Mnu_Historique_Click();
    void Mnu_A_Propos_Click();
    void Mnu_Mode_Emploi_Click();
    void Mnu_Quitter_Click();
    void Mnu_Indicatif_Click();
    void Mnu_Nomenclature_Click();
    void Mnu_Prefixe_Click();
    void Mnu_Ajout_Activite_Click();
    void Mnu_Export_Adif_Click();
    void Mnu_Notes_Click();
    void Exporter_Click();
    // Opens the callsign search window.
    void Recherche_Click();
    void brancherStatistiquesEtImpressions();

    // Rebuilds of the award status files and the reset (see station/Mises_A_Jour.h). The
    // rebuilds return true when the file was rebuilt; the menu handlers first make sure no
    // other rebuild or load is under way.
    bool MAJ_Prefixe();
    bool MAJ_Departement();
    bool MAJ_Locator();
    void Mnu_MAJ_Prefixe_Click();
    void Mnu_MAJ_Departement_Click();
    void Mnu_MAJ_Locator_Click();
    void Mnu_RAZ_All_Click();

    // QSL window of the selected QSO; the department QSO list of a grid cell.
    void Gestion_QSL_Click();
    void Dpt_DblClick(int Index);

    // Automatic backup of the station's files, run by the save when the interval is reached.
    // Its outcome is said at once (Sauvegarde_Effectuee, or the files that failed) or, given
    // `echecs`, left to the caller, the French lines of the failures handed back there.
    bool Sauvegarde_Auto(QStringList* echecs = nullptr);
    static inline const QString Sauvegarde_Effectuee = QStringLiteral("Sauvegarde automatique effectuée");

    // Imports, restore and the backup windows (Carnet_Import.cpp)
    void Mnu_Import_VLM_Click();
    void Mnu_Import_ADIF_Click();
    void Mnu_Import_EDI_Click();
    void Mnu_Restauration_Click();
    void Mnu_Val_Sauve_Click();
    void Mnu_Restau_Activite_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Carnet();
    void construireControles();
    void construireMenus();
    void brancherEvenements();
    void brancherEchanges();
    std::optional<QByteArray> lireFichierImport(const QString& filtre);
    void terminerImport(const echange::Conversion& c, bool reconstruire);
    void Reconstruire_Apres_Import();

    static Carnet* s_instance;

    // ---- Entry row, save and list (Carnet_Saisie.cpp, Carnet_Enregistrer.cpp, Carnet_Liste.cpp) ----
    // Hands over from one entry field to the next: filled colour, then to-fill colour, enabled
    // and focused; `curseur` >= 0 puts the caret there.
    void passerAuChamp(QWidget* courant, QWidget* suivant, int curseur = -1);
    // Bearing and distance from the station's locator to the text of `Locator_A`.
    void afficherAzimutDistance();
    // The QSL marks of a list item in `QSLE_A` and `QSLR_A`, earlier marks cleared first.
    void afficherMarquesQSL(const QString& item);
    // "hh:mm" and "jj/mm/aa" from the clock the options chose.
    QString heureChoisie() const;
    QString dateChoisie() const;
    // Item index of a combo box's text: its selected item, or the item of the same text; -1
    // for a typed text that is not an item.
    static int indexListe(const QComboBox* liste);
    // Selects item `index` of a combo box as the code does it (the text follows even when the
    // index does not change; -1 or an index without item leaves nothing selected).
    static void choisirItem(QComboBox* liste, int index);
    // Selects line `rang` of `Liste_QSO` (-1: none) and runs the list's click handler.
    void selectionnerLigne(int rang);
    // The two paths of the save, and the field reset that ends both.
    void enregistrerNouveauQSO();
    // The steps of a new QSO's save, in their order. The files it marks besides the log:
    struct MarquesNouveauQSO {
        bool prefixe = false;       // a new prefix
        bool nomenclature = false;  // the directory, when the operator said so
        bool departement = false;   // a department new on the band
        bool carre = false;         // a new square
        QString departementCle;     // the department in key form ("96" for 2A)
        QString locator;
    };
    // The record of the fields fits its columns; false (and said) when one is too long.
    bool champsEnregistrables(bool dateAuto, int activite);
    // The files to mark, once the directory question is answered.
    MarquesNouveauQSO marquesDuNouveauQSO();
    // Every file to mark may be written; false (and said) otherwise.
    bool marquesEcrivables(const MarquesNouveauQSO& m);
    // The record, its end time from the clock in automatic-date mode; none (and said) when a
    // field no longer fits its column.
    std::optional<QString> ligneDuNouveauQSO(bool dateAuto, int activite);
    // The record in the log and the list; false (and said, with a failed backup) when the log
    // refused it: the count goes back to `compteAvant`.
    bool ajouterAuJournal(const QString& ligne, bool dateAuto, int compteAvant, const QStringList& echecsSauvegarde);
    // The award files and the directory marked; the French lines of the files that were not.
    QStringList marquerFichiers(const MarquesNouveauQSO& m);
    void enregistrerEdition();
    // Distance and bearing of a QSO under edit, for its locator; false (and said) when a new
    // locator is not a locator.
    bool azimutDistanceEdition(const QString& ancienneLigne);
    void remiseAZeroSaisie();
    // The entry band back to the last band checked, and the band of the next QSO's lookups with
    // it: a QSO is written on the band it is marked on.
    void remettreBandeSaisie();
    // Award export of the QSO just appended: the export window, shown modally.
    void Exporter_QSO_Apres_Ajout();
    // Enables or disables a button of the entry row; a button whose window is not part of the
    // program yet stays disabled.
    static void activerBouton(QPushButton* bouton, bool actif);
    // The list item that "Valider" replaces: the one loaded into the fields by `Editer` or by
    // a double click during the edit (a single click elsewhere does not change it).
    QString Item_En_Edition;
};
