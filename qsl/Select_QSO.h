#pragma once
// "Selection QSO": the whole log listed behind the loading window; a click moves a QSO to the
// print list of the labels and back.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QListWidget;
class QPushButton;

class Select_QSO : public Fenetre_Chargee, public Instance_Unique<Select_QSO> {
public:
    static void Afficher();
    void Liste_QSO_Click();
    void Liste_Imprime_Click();
    void Impression_Click();

    QListWidget* Liste_QSO = nullptr;
    QListWidget* Liste_Imprime = nullptr;
    QPushButton* Impression = nullptr;

protected:
    void Form_Load() override;

private:
    Select_QSO();
    friend class Instance_Unique<Select_QSO>;
    // Moves the clicked entry of one list to the other.
    void deplacer(QListWidget* de, QListWidget* vers);
    bool deplacement_ = false;
};

// Registers the label selection window for the main window's menu item.
void Installer_Fenetres_Etiquettes();
