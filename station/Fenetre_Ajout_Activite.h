#pragma once
// The window "Ajout_Activite": appends an activity to the station's list.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class Fenetre_Ajout_Activite : public Fenetre_Chargee, public Instance_Unique<Fenetre_Ajout_Activite> {
public:
    void Nom_Activ_KeyPress(int& KeyAscii);
    void Command1_Click();

    QLabel* Label1 = nullptr;   // heading
    QLabel* Label2 = nullptr;   // "Activités existantes"
    QListWidget* Activ_Exist = nullptr;
    QLabel* Label3 = nullptr;   // "Nouvelle activité"
    QLineEdit* Nom_Activ = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label4 = nullptr;   // "Utilisez de preference"

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Ajout_Activite();
    friend class Instance_Unique<Fenetre_Ajout_Activite>;
};
