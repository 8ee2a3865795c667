#pragma once
// The QSL window of one QSO ("Gestion QSL") and the marking of several QSOs of a callsign
// ("Enregistrement des QSL multiples"). Both are modeless: the main window stays usable.
#include "station/Fenetre_Chargee.h"

#include <QByteArrayView>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class Fenetre_QSL : public Fenetre_Chargee, public Instance_Unique<Fenetre_QSL> {
public:
    // Shows the window for the QSO of that list item (a `Ligne_Liste_QSO`). The window keeps
    // its own copy of the item: what the operator selects afterwards in the main list does not
    // change the QSO it records.
    void Ouvrir(const QString& item);
    void Affiche();
    void Enregistre_Click();
    void Multiple_Click();

    QString QSO_Affiche() const { return qso_; }

    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QCheckBox* Check_Envoye = nullptr;
    QCheckBox* Check_Recu = nullptr;
    QPushButton* Enregistre = nullptr;
    QPushButton* Multiple = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_QSL();
    friend class Instance_Unique<Fenetre_QSL>;
    QString qso_;
};

class Fenetre_Multi_QSL : public Fenetre_Chargee, public Instance_Unique<Fenetre_Multi_QSL> {
public:
    void Option1_Click();
    void Option2_Click();
    void Recherche_Click();
    void Enregistre_Click();

    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Indicatif = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Recherche = nullptr;
    QListWidget* Liste_QSO = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Enregistre = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Multi_QSL();
    friend class Instance_Unique<Fenetre_Multi_QSL>;
};

namespace qsl {

// Whether a record of the main list, as the log stores it, goes into the multiple window's
// list: the callsign contains the searched text (in the same bytes, upper case; an empty text
// is in every callsign) and the card is still due on the chosen side (`envoi`: not yet sent,
// else not yet received).
bool qsoAListerMulti(QByteArrayView ligne, QByteArrayView recherche, bool envoi);

// A status the marks know, 1 to 4; the refusal of a recording for any other.
bool etatConnu(int code);
QString messageEtatInconnu();

// The labels of the QSL window for a status: " : non" or " le : " and the date.
QString etatEnvoi(int code, const QString& item);
QString etatReception(int code, const QString& item);

} // namespace qsl

// Forget both windows (tests).
void Detruire_Fenetres_QSL();
