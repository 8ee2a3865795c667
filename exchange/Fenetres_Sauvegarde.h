#pragma once
// The backup settings window "Delta_QSO" and the activity restore window
// "Restoration_Activite".
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class Delta_QSO : public Fenetre_Chargee, public Instance_Unique<Delta_QSO> {
public:
    void Command1_Click();
    void New_Rep_Click();

    QLabel* Label1 = nullptr;    // "Nombre de QSO entre 2 sauvegardes"
    QLineEdit* Val_Delta = nullptr;
    QLabel* Label2 = nullptr;    // "Repertoire de sauvegarde actuel  :"
    QLabel* Le_Chemin = nullptr;
    QPushButton* New_Rep = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void Form_Load() override;

private:
    Delta_QSO();
    friend class Instance_Unique<Delta_QSO>;
};

class Restoration_Activite : public Fenetre_Chargee, public Instance_Unique<Restoration_Activite> {
public:
    void Ecriture_BDR_Click();

    QListWidget* Liste_Fichiers = nullptr;
    QPushButton* Ecriture_BDR = nullptr;

protected:
    void Form_Load() override;

private:
    Restoration_Activite();
    friend class Instance_Unique<Restoration_Activite>;
    // Reads the activity backup into the list; false (after saying so) when it cannot.
    bool Lecture_Sauvegarde();
};

// Shows a window of this file, loading it first when needed.
namespace Fenetres_Sauvegarde {
void Afficher_Delta_QSO(bool modal);
void Afficher_Restoration_Activite(bool modal);
void Detruire();
} // namespace Fenetres_Sauvegarde
