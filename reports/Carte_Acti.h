#pragma once
// The window "Carte_Acti": the departments reached by the QSOs of one activity, on one band
// or on all, painted from the log itself.
#include "reports/Carte_Base.h"

class QComboBox;
class QPushButton;

class Carte_Acti : public Carte_Base, public Instance_Unique<Carte_Acti> {
public:
    QComboBox* Bande_A = nullptr;
    QComboBox* Activite_A = nullptr;
    QPushButton* Aff_Carte = nullptr;
    QLabel* Bande_Carte = nullptr;
    QLabel* Label6 = nullptr;       // the activity painted
    QLabel* NB_Activ = nullptr;
    QLabel* TotDep = nullptr;
    QLabel* Label15 = nullptr;      // cells "1"
    QLabel* Label14 = nullptr;      // cells "2"
    QLabel* Label13 = nullptr;      // cells "3"
    QLabel* Label12 = nullptr;      // cells "4"

    void Aff_Carte_Click();
    // Paints the activity chosen in `Activite_A` on `bande` (or "Toutes QRG") from the log;
    // the QSOs counted go to `total`, the cells of each colour "1" to "4" to `n`. Returns false
    // when the log cannot be read (the operator was told; the map shows nothing).
    bool Affiche_Carte_Activite(const QString& bande, double& total, std::array<int, 4>& n);

protected:
    void Form_Load() override;

private:
    Carte_Acti();
    friend class Instance_Unique<Carte_Acti>;
};
