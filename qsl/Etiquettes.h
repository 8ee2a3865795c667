#pragma once
// "Impression étiquettes": wording, sheet format, transceiver and antenna texts, and the
// printing of the labels of the QSOs chosen in Select_QSO.
#include "qsl/Etiquettes_Regles.h"
#include "station/Fenetre_Chargee.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Etiquettes : public Fenetre_Chargee, public Instance_Unique<Etiquettes> {
public:
    static void Afficher();
    void Imprime_Click();

    QRadioButton* Type_1 = nullptr;
    QRadioButton* Type_2 = nullptr;
    QRadioButton* Etiqu_1 = nullptr;
    QRadioButton* Etiqu_2 = nullptr;
    QRadioButton* Etiqu_3 = nullptr;
    QRadioButton* Etiqu_4 = nullptr;
    QLineEdit* RxTx = nullptr;
    QLineEdit* Antenne = nullptr;
    QCheckBox* Arret_Imp = nullptr;
    QPushButton* Imprime = nullptr;

    etiquettes::Format format() const;
    etiquettes::Libelle libelle() const;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Etiquettes();
    friend class Instance_Unique<Etiquettes>;
};

// Forget the label windows (tests).
void Detruire_Fenetres_Etiquettes();
