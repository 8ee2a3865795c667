#pragma once
// The chooser "Select_Locator": picks a locator field and a band, paints that field and opens
// its map.
#include "station/Fenetre_Chargee.h"

class QComboBox;
class QLabel;
class QPushButton;

class Select_Locator : public Fenetre_Chargee, public Instance_Unique<Select_Locator> {
public:
    QLabel* Label1 = nullptr;       // "Selection du locator"
    QComboBox* Liste_Locator = nullptr;
    QComboBox* Bande_T = nullptr;
    QPushButton* Command1 = nullptr;

    void Command1_Click();

protected:
    void Form_Load() override;

private:
    Select_Locator();
    friend class Instance_Unique<Select_Locator>;
};
