#pragma once
// The window "Carte": the award state of every department on one band, on a map of France.
#include "reports/Carte_Base.h"

class QComboBox;

class Carte : public Carte_Base, public Instance_Unique<Carte> {
public:
    QLabel* Label4 = nullptr;       // "Departements contactés bande : "
    QLabel* Bande_Carte = nullptr;  // the painted band
    QComboBox* Bande_S = nullptr;
    QLabel* Nb_Carte = nullptr;
    QLabel* SQ = nullptr;
    QLabel* QE = nullptr;
    QLabel* QR = nullptr;
    QLabel* DC = nullptr;

    void Bande_S_Click();
    // Paints the map for `bande` from the station's department file; the count of departments
    // worked goes to `compteur`, the cells of each colour "1" to "4" to `n`. Returns false when
    // the file cannot be read (the operator was told; the map shows nothing).
    bool Affiche_Carte_Departement(const QString& bande, double& compteur, std::array<int, 4>& n);

protected:
    void Form_Load() override;

private:
    Carte();
    friend class Instance_Unique<Carte>;
};
