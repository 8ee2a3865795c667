#pragma once
// The window "Exporter_QSO": offers to copy the selected QSO to the file of the companion
// award programme named by its QTH.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QPushButton;

class Exporter_QSO : public Fenetre_Chargee, public Instance_Unique<Exporter_QSO> {
public:
    void C_Oui_Click();
    void C_Non_Click();

    // The duplicate searches: each appends the line when the reference is new in the
    // programme's file, tells the operator, and unloads the window.
    void Cherche_Double_DFCF(const QString& reference, const QString& ligne);
    void Cherche_Double_DMF(const QString& reference, const QString& ligne);
    void Cherche_Double_DCI(const QString& reference, const QString& ligne);
    void Cherche_Double_DAI(const QString& reference, const QString& ligne);
    void Cherche_Double_DPLF(const QString& reference, const QString& ligne);

    // The award recognised when the window was loaded (0: none).
    int Code_Award = 0;

    QLabel* Label1 = nullptr;   // "Exporter le QSO avec"
    QLabel* Label3 = nullptr;   // callsign
    QLabel* Label4 = nullptr;   // "activation"
    QLabel* Label5 = nullptr;   // QTH
    QLabel* Label6 = nullptr;   // "Vers le programme"
    QLabel* Label7 = nullptr;   // programme
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* C_Oui = nullptr;
    QPushButton* C_Non = nullptr;

protected:
    void Form_Load() override;

private:
    Exporter_QSO();
    friend class Instance_Unique<Exporter_QSO>;
    void chercherDouble(int code, const QString& reference, const QString& ligne);
};
