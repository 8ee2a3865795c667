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
    // The steps of Validation_Click, in their order.
    // The callsign and the locator typed, upper-cased; false (and said) when one is refused.
    bool Controle_Saisie(QString& C, QString& L);
    // The file set of a station without a log; false (and said) when it could not be made.
    bool Cree_Fichiers_Station(const QString& C, const QString& D);
    // A new callsign joins the register, unless it is full.
    void Inscrit_Au_Registre(const QString& C, const QString& L);
    // The station in the main window's captions and the program's variables.
    void Montre_Station(const QString& C, const QString& D, const QString& L);
    // A new station: its settings, its activity file and its backup place.
    void Installe_Nouvelle_Station(const QString& C, const QString& L);
    // A station already set up is only switched to.
    void Passe_A_La_Station(const QString& C, const QString& L);
    // The current station as the settings now hold it.
    void Lit_Station_Courante();
    // Log, grid and focus of the main window; false when the missing-file window took over.
    bool Charge_Station_Carnet();
    // The main window shows the current station: captions, band, mode, options, activities.
    void Affiche_Station_Carnet();
    // The QSO list emptied, for a log that could not be loaded.
    void Vide_Liste_QSO();

    friend class Instance_Unique<Fenetre_Station>;
};
