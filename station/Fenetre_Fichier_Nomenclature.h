#pragma once
// The editor of the callsign directory, window "Fichier_Nomenclature". Its list is the working
// copy; the file is written only when the window closes and the operator agrees.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class Fenetre_Fichier_Nomenclature : public Fenetre_Chargee, public Instance_Unique<Fenetre_Fichier_Nomenclature> {
public:
    void Charge_Nomenclature();
    void Liste_Nomenclature_Click();
    void Ind_Edit_KeyPress(int& KeyAscii);
    void Loc_Edit_KeyPress(int& KeyAscii);
    void Ajouter_Click();
    void Editer_Click();
    void Supprimer_Click();

    QLabel* Label1 = nullptr;   // heading
    QListWidget* Liste_Nomenclature = nullptr;
    QLabel* Label2 = nullptr;   // "Indicatif"
    QLineEdit* Ind_Edit = nullptr;
    QLabel* Label3 = nullptr;   // "Dpt"
    QLineEdit* Dep_Edit = nullptr;
    QLabel* Label4 = nullptr;   // "Locator"
    QLineEdit* Loc_Edit = nullptr;
    QPushButton* Ajouter = nullptr;
    QPushButton* Editer = nullptr;
    QPushButton* Supprimer = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Fichier_Nomenclature();
    void Vide_Saisie();
    friend class Instance_Unique<Fenetre_Fichier_Nomenclature>;
};
