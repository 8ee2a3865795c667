#pragma once
// The two windows that drive the printed reports: the log (whole, a range, its text copy) and
// the QSOs of one activity on one band.
#include "station/Fenetre_Chargee.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// "Impression du fichier log"
class Print_Log : public Fenetre_Chargee, public Instance_Unique<Print_Log> {
public:
    // The main window's menu item: both range boxes emptied, then the window shown.
    static void Afficher();
    void Command1_Click();  // range
    void Command2_Click();  // whole log
    void Command3_Click();  // text copy

    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLineEdit* Debut_Ligne = nullptr;
    QLineEdit* Fin_Ligne = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void Form_Load() override;

private:
    Print_Log();
    friend class Instance_Unique<Print_Log>;
};

// "Impression d'une activité"
class Print_Activite : public Fenetre_Chargee, public Instance_Unique<Print_Activite> {
public:
    static void Afficher();
    void Impression_Click();

    QComboBox* Imp_Activite = nullptr;
    QComboBox* Bande_Z = nullptr;
    QPushButton* Impression = nullptr;

protected:
    void Form_Load() override;

private:
    Print_Activite();
    friend class Instance_Unique<Print_Activite>;
};

void Detruire_Fenetres_Impression();
// Registers the statistics and report windows for the main window's menu items.
void Installer_Statistiques_Et_Impressions();
