#pragma once
// The window "Export_Adif": the whole log or a range of QSO numbers to "<callsign>.adi".
#include "station/Fenetre_Chargee.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Export_Adif : public Fenetre_Chargee, public Instance_Unique<Export_Adif> {
public:
    void Option1_Click();
    void Option2_Click();
    void Exporter_Click();

    QLabel* Label1 = nullptr;  // heading
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Debut_Ligne = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Fin_Ligne = nullptr;
    QPushButton* Exporter = nullptr;

protected:
    void Form_Load() override;

private:
    Export_Adif();
    friend class Instance_Unique<Export_Adif>;
    // The range boxes and their labels.
    void montrerIntervalle(bool visible);
};
