#pragma once
// The window "Ajout_Prefixe": appends a prefix line to the station's prefix status file.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QPushButton;

class Fenetre_Ajout_Prefixe : public Fenetre_Chargee {
public:
    static Fenetre_Ajout_Prefixe& instance();
    static Fenetre_Ajout_Prefixe* existante();
    static void detruireInstance();

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
    static Fenetre_Ajout_Prefixe* s_instance;
};
