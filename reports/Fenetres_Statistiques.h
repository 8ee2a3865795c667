#pragma once
// The four statistics windows: distances per band, prefixes per band, the castle list of an
// activity and the QSO totals per activity. Each reads the station's files once per count.
#include "station/Fenetre_Chargee.h"

#include <QStringList>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Statistiques distances"
class Statistiques : public Fenetre_Chargee, public Instance_Unique<Statistiques> {
public:
    static void Afficher();

    std::array<QLineEdit*, 89> Text11{};  // 1 to 88: (band - 1) x 11 + class
    std::array<QLineEdit*, 8> Tot{};      // Tot1 to Tot8 at 0 to 7

protected:
    void Form_Load() override;

private:
    Statistiques();
    friend class Instance_Unique<Statistiques>;
};

// "Statistiques Prefixes"
class Statistique_Prefixe : public Fenetre_Chargee, public Instance_Unique<Statistique_Prefixe> {
public:
    static void Afficher();
    void Bande_E_Click();

    QComboBox* Bande_E = nullptr;
    QListWidget* Liste_Prefixes = nullptr;

protected:
    void Form_Load() override;

private:
    Statistique_Prefixe();
    friend class Instance_Unique<Statistique_Prefixe>;
};

// "Statistiques des activations contactées"
class Statistique_DFCF : public Fenetre_Chargee, public Instance_Unique<Statistique_DFCF> {
public:
    static void Afficher();
    void Affiche_Contact_Click();
    void Enregistrement_Click();

    QComboBox* Bande_E = nullptr;
    QComboBox* Activite_A = nullptr;
    QPushButton* Affiche_Contact = nullptr;
    QPushButton* Enregistrement = nullptr;
    QListWidget* Liste_Chateaux = nullptr;
    QLabel* TotActiv = nullptr;
    QLabel* TypActiv = nullptr;
    QLabel* BandActiv = nullptr;

protected:
    void Form_Load() override;

private:
    Statistique_DFCF();
    friend class Instance_Unique<Statistique_DFCF>;
};

// Totals of the log and per activity.
class Statistique_QSO : public Fenetre_Chargee, public Instance_Unique<Statistique_QSO> {
public:
    static void Afficher();

    QLabel* NbQSO = nullptr;
    QLabel* NbFR = nullptr;
    QLabel* NbET = nullptr;
    QLabel* Label19 = nullptr;
    QListWidget* StatActivite = nullptr;

protected:
    void Form_Load() override;

private:
    Statistique_QSO();
    friend class Instance_Unique<Statistique_QSO>;
};

// The lines of a station's log; a read failure is shown and gives no lines.
bool Lit_Journal(const QString& indicatif, QStringList& lignes);
// Each line of the current station's log in turn; a read failure is shown and gives none.
bool Parcourt_Journal(const std::function<void(const QString& ligne)>& ligne);
// The names of award activities 1 to NB - 1 of the current station ("NB Activite" default 2).
QStringList Noms_Activites(const QString& defaut);
// Today's date as the system's short date (local clock).
QString Date_Du_Jour();
// Forget the windows (tests).
void Detruire_Fenetres_Statistiques();
