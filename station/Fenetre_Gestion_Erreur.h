#pragma once
// The missing-file window "Gestion_Erreur": names the current station and the award status
// file that is missing, and offers to forget the station or to quit.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QPushButton;

class Fenetre_Gestion_Erreur : public Fenetre_Chargee, public Instance_Unique<Fenetre_Gestion_Erreur> {
public:
    void Initialisation_Click();
    void Quitter_Click();

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Ind_Station = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Ind_Station1 = nullptr;
    QLabel* Err_Departement = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* Initialisation = nullptr;
    QPushButton* Quitter = nullptr;

protected:
    void Form_Load() override;

private:
    Fenetre_Gestion_Erreur();
    friend class Instance_Unique<Fenetre_Gestion_Erreur>;
};
