#pragma once
// The window "Ajout_Prefixe": appends a prefix line to the station's prefix status file.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QPushButton;

class Fenetre_Ajout_Prefixe : public Fenetre_Chargee, public Instance_Unique<Fenetre_Ajout_Prefixe> {
public:
    void Ajouter_Click();

    QLabel* Label1 = nullptr;   // heading
    QLabel* Label2 = nullptr;   // "Prefixe"
    QLineEdit* N_Prefixe = nullptr;
    QLabel* Label3 = nullptr;   // "Nom du Pays"
    QLineEdit* N_Pays = nullptr;
    QPushButton* Ajouter = nullptr;

protected:
    void Form_Load() override;

private:
    Fenetre_Ajout_Prefixe();
    friend class Instance_Unique<Fenetre_Ajout_Prefixe>;
};
