#pragma once
// The window "Cluster": the spots of a band fetched every minute, their layout and filters,
// the transceiver model and the serial port that tunes it.
#include "cluster/Page_Spots.h"
#include "station/Fenetre_Chargee.h"

#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace plateforme {
class Port_Serie;
class Telechargement;
struct Reponse_Web;
} // namespace plateforme

class Fenetre_Cluster : public Fenetre_Chargee, public Instance_Unique<Fenetre_Cluster> {
public:
    // Fetch, parse and list (public: the timer, the buttons and the filters run it).
    void Affiche_Cluster();
    void Recall_Affiche_Cluster() { Affiche_Cluster(); }
    // Tunes the transceiver to the spot last picked when a listed model is chosen.
    void Cluster_Liste();

    // Event handlers
    void Timer2_Timer();
    void Afficher_Click();
    void Emetteur_Click();
    void Indicatif_KeyPress(int& KeyAscii);
    void Mnu_4800_Click() { choisirVitesse(4800); }
    void Mnu_9600_Click() { choisirVitesse(9600); }
    void Mnu_19200_Click() { choisirVitesse(19200); }
    void Mnu_57600_Click() { choisirVitesse(57600); }
    void Mnu_SansCom_Click();
    void Mnu_Com1_Click() { choisirPort(1); }
    void Mnu_Com2_Click() { choisirPort(2); }
    void Memoriser_Click();
    void Option_Click();   // Option1_Click to Option3_Click and Check1_Click, Check2_Click alike
    void Voir_Mem_Click();
    void Liste_Stations_Click();

    // The spot picked in either list: its line and the frequency read with it.
    void Choisir_Spot(const QString& ligne, std::optional<qint32> frequence);
    // The layout whose option button is on.
    cluster::Disposition Disposition_Choisie() const;
    // NumPort holds a port number other than 0.
    bool Port_Choisi() const;
    // A fetch is under way.
    bool Recherche_En_Cours() const;
    // Tests: the serial link.
    plateforme::Port_Serie& Port() { return *MSComm1; }

    QComboBox* Bande_CL = nullptr;
    QListWidget* Liste_Stations = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* Afficher = nullptr;
    QLabel* Patientez = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* QTR = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLineEdit* Indicatif = nullptr;
    QComboBox* Emetteur = nullptr;
    QLabel* NumPort = nullptr;
    QLabel* DebitPort = nullptr;
    QPushButton* Memoriser = nullptr;
    QPushButton* Voir_Mem = nullptr;
    QTimer* Timer2 = nullptr;
    QMenuBar* Barre = nullptr;
    QMenu* Mnu_Port_Com = nullptr;
    QAction* Mnu_SansCom = nullptr;
    QAction* Mnu_Com1 = nullptr;
    QAction* Mnu_Com2 = nullptr;
    QMenu* Mnu_Baud = nullptr;
    QAction* Mnu_4800 = nullptr;
    QAction* Mnu_9600 = nullptr;
    QAction* Mnu_19200 = nullptr;
    QAction* Mnu_57600 = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Cluster();
    friend class Instance_Unique<Fenetre_Cluster>;

    void Yaesu();
    void choisirVitesse(int vitesse);
    void choisirPort(int numero);
    void cocherVitesse(int vitesse);   // 0: none ticked
    void cocherPort(int numero);       // 0: "Sans Com"
    void pageRecue(const plateforme::Reponse_Web& reponse);
    // Lists the rows that pass the filters; false when the page must take the failure path.
    bool listerSpots(const QString& page);
    void ajouterSpot(const cluster::Spot& spot, cluster::Disposition disposition);
    void finRecherche();
    // "tada.wav" or "ringin.wav", then the message (by default: no answer from the site).
    void echec(const QString& son, const QString& texte = QString());
    // The design-time state of the controls, as at each load.
    void etatInitial();

    plateforme::Telechargement* Inet1 = nullptr;
    plateforme::Port_Serie* MSComm1 = nullptr;
    std::optional<qint32> Frequence_Spot;
    bool chargement_ = false;
};
