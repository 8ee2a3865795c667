#pragma once
// The station setup window "Station": pick a registered station or register a new one, then
// make it the current station of the logbook.
#include "station/Fenetre_Chargee.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Fenetre_Station : public Fenetre_Chargee, public Instance_Unique<Fenetre_Station> {
public:
    void Liste_Indicatifs_KeyPress(int& KeyAscii);
    void New_Indicatif_KeyPress(int& KeyAscii);
    void New_Locator_KeyPress(int& KeyAscii);
    void Validation_Click();
    void Quitter_Click();

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* Liste_Indicatifs = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* New_Indicatif = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* New_Locator = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Validation = nullptr;
    QPushButton* Quitter = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override { return true; }

private:
    Fenetre_Station();
    // The main window shows the current station: captions, band, mode, options, activities.
    void Affiche_Station_Carnet();
    // The QSO list emptied, for a log that could not be loaded.
    void Vide_Liste_QSO();

    friend class Instance_Unique<Fenetre_Station>;
};
