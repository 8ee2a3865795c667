#pragma once
// The nine locator-field maps "Carte_IM" ... "Carte_KO": the 100 squares of a field over a
// map of its area, painted together with the main grid's square view.
#include "reports/Carte_Base.h"

class Carte_Champ : public Carte_Base {
public:
    // The window of one of the nine fields, made on first use; null for any other text.
    static Carte_Champ* instance(const QString& champ);
    // The window when it was made, null otherwise.
    static Carte_Champ* existante(const QString& champ);
    // Tests: forget every field window.
    static void detruireInstances();

    QString champ() const { return champ_; }

    QLabel* Label4 = nullptr;       // "Carrés moyens du carré JN contactés bande : "
    QLabel* Bande_Carre = nullptr;  // band of the last painting

    // One painting of the field: the window is loaded (hidden when it was not open) and each
    // cell takes its status colour, '0' the window background.
    void peindre(const QString& bande, const std::array<QChar, cartes::NombreCellules>& etats);

protected:
    void Form_Load() override;

private:
    explicit Carte_Champ(const QString& champ);
    QString champ_;
};
