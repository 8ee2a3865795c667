#pragma once
// The main window: the log, the entry row of the QSO being typed, the department and square
// grid, the menus, options and clock.
#include "station/Controles_Carnet.h"

#include <QMainWindow>

class QCloseEvent;

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
    void Form_Unload();

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

    // Automatic backup of the station's files, run by the save when the interval is reached.
    void Sauvegarde_Auto();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Carnet();
    void construireControles();
    void construireMenus();
    void brancherEvenements();

    static Carnet* s_instance;
};
