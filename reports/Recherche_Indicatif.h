#pragma once
// The search window "Recherche_Indicatif": finds QSOs of the main list by callsign, date,
// department, locator or reference, goes back to one of them, and prints what it finds.
#include "reports/Recherche.h"
#include "station/Fenetre_Chargee.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class Recherche_Indicatif : public Fenetre_Chargee, public Instance_Unique<Recherche_Indicatif> {
public:
    // Loads the window when needed and shows it (modeless).
    static void Afficher();

    void Option1_Click(int Index);
    void Indica_Click();
    void Data_Click();
    void Depa_Click();
    void Loca_Click();
    void Refa_Click();
    void Indica_KeyPress(int& KeyAscii);
    void Data_KeyPress(int& KeyAscii);
    void Depa_KeyPress(int& KeyAscii);
    void Loca_KeyPress(int& KeyAscii);
    void Refa_KeyPress(int& KeyAscii);
    void QSO_Effectues_DblClick();
    void Imprimer_Click();
    void Command1_Click();

    // The search of the selected mode; the result lines go to `QSO_Effectues`.
    void Cherche_QSO();

    // The mode whose option is selected.
    recherche::Mode modeChoisi() const;

    std::array<QRadioButton*, 6> Option1{};  // items 1 to 5
    QLineEdit* Indica = nullptr;
    QLineEdit* Data = nullptr;
    QLineEdit* Depa = nullptr;
    QLineEdit* Loca = nullptr;
    QLineEdit* Refa = nullptr;
    QLabel* Entete = nullptr;  // the column captions over the result lines
    QListWidget* QSO_Effectues = nullptr;
    QPushButton* Imprimer = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void Form_Load() override;

private:
    Recherche_Indicatif();
    friend class Instance_Unique<Recherche_Indicatif>;

    QLineEdit* boite(recherche::Mode mode) const;
    // Enter in the box of `mode`: the entry check, then the search.
    void entree(recherche::Mode mode, int& KeyAscii);
};

// Registers the windows of the search and reports with the main window's buttons and menus.
void Installer_Fenetres_Rapports();
// Forget every window instance of the search and reports (tests).
void Detruire_Fenetres_Rapports();
