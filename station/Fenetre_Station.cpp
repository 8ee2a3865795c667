#include "station/Fenetre_Station.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Controles_Carnet.h"
#include "station/Couleurs_Etat.h"
#include "station/Fenetres_Station.h"
#include "station/Journal.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

using namespace Cles_Registre;

namespace {

template <class T>
T* nomme(T* controle, const char* nom)
{
    controle->setObjectName(QString::fromLatin1(nom));
    return controle;
}

// Runs one step of the validation; a run-time error of it is trapped: false then.
template <class Etape>
bool sansErreur(Etape&& etape)
{
    try {
        etape();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The settings a new station starts with, written in one go.
QList<std::pair<QString, QString>> reglagesNouvelleStation(const QString& C, const QString& L)
{
    QList<std::pair<QString, QString>> valeurs = {
        {Indicatif_Station, C}, {Locator_Station, L}, {Date_Automatique, Vrai}, {Heure_UTC, Vrai}};
    const QStringList& activites = station::Activites_Defaut();
    for (int i = 0; i < activites.size(); ++i)
        valeurs.append({Activite_N(i), activites.at(i)});
    valeurs.append({NB_Activite, QString::number(activites.size())});
    valeurs.append({Bande_Utilisee, QStringLiteral("0")});
    valeurs.append({Mode_Utilise, QStringLiteral("0")});
    valeurs.append({Activite, QStringLiteral("0")});
    return valeurs;
}

} // namespace

Fenetre_Station::Fenetre_Station() : Fenetre_Chargee(QStringLiteral("Station"))
{
    setWindowTitle(QStringLiteral("Identification de la station"));

    Label2 = nomme(new QLabel(QStringLiteral("COORDONNEES DE LA STATION"), this), "Label2");
    QFont gras = Label2->font();
    gras.setBold(true);
    Label2->setFont(gras);
    Label2->setAlignment(Qt::AlignCenter);
    Label1 = nomme(new QLabel(QStringLiteral("Selectionnez un indicatif existant dans la liste"), this), "Label1");
    Label6 = nomme(new QLabel(QStringLiteral("ou selectionnez \"Nouvel indicatif\" puis \"entrée\""), this), "Label6");
    Liste_Indicatifs = nomme(new QComboBox(this), "Liste_Indicatifs");
    Liste_Indicatifs->setEditable(false);
    Label3 = nomme(new QLabel(QStringLiteral("Indicatif"), this), "Label3");
    New_Indicatif = nomme(new QLineEdit(this), "New_Indicatif");
    Label4 = nomme(new QLabel(QStringLiteral("Locator"), this), "Label4");
    New_Locator = nomme(new QLineEdit(this), "New_Locator");
    Label5 = nomme(new QLabel(QStringLiteral("! Pour la saisie la \"/\" est remplacé par le \"_\" "), this), "Label5");
    Validation = nomme(new QPushButton(QStringLiteral("Validez"), this), "Validation");
    Quitter = nomme(new QPushButton(QStringLiteral("Quitter"), this), "Quitter");
    Validation->setAutoDefault(false);
    Quitter->setAutoDefault(false);

    auto* saisie = new QGridLayout;
    saisie->addWidget(Label3, 0, 0);
    saisie->addWidget(New_Indicatif, 0, 1);
    saisie->addWidget(Label4, 1, 0);
    saisie->addWidget(New_Locator, 1, 1);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Validation);
    boutons->addWidget(Quitter);

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label2);
    v->addWidget(Label1);
    v->addWidget(Label6);
    v->addWidget(Liste_Indicatifs);
    v->addLayout(saisie);
    v->addWidget(Label5);
    v->addLayout(boutons);

    plateforme::brancherKeyPress(Liste_Indicatifs, [this](int& k) { Liste_Indicatifs_KeyPress(k); });
    plateforme::brancherKeyPress(New_Indicatif, [this](int& k) { New_Indicatif_KeyPress(k); });
    plateforme::brancherKeyPress(New_Locator, [this](int& k) { New_Locator_KeyPress(k); });
    connect(Validation, &QPushButton::clicked, this, [this] { Validation_Click(); });
    connect(Quitter, &QPushButton::clicked, this, [this] { Quitter_Click(); });
}

void Fenetre_Station::Form_Load()
{
    // Back to the state the window opens in.
    for (QWidget* w : {static_cast<QWidget*>(Liste_Indicatifs), static_cast<QWidget*>(New_Indicatif),
                       static_cast<QWidget*>(New_Locator)})
        w->setPalette(QPalette());
    Liste_Indicatifs->clear();
    for (QWidget* w : {static_cast<QWidget*>(New_Indicatif), static_cast<QWidget*>(New_Locator),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label5),
                       static_cast<QWidget*>(Validation)})
        w->setEnabled(false);

    adjustSize();
    plateforme::centrer(this);

    // The register is listed only once a station is set up.
    if (Lit_Setup(Indicatif_Station, Indicatif_Vide) != Indicatif_Vide) {
        const int n = Lit_Setup_Entier(Nombre_Indicatif, 0, 0, Max_Indicatifs);
        for (int i = 1; i <= n; ++i)
            Liste_Indicatifs->addItem(Lit_Setup(Indicatif(i), Pas_D_Indicatif));
    }
    Liste_Indicatifs->addItem(Station::Nouvel_Indicatif);
    Liste_Indicatifs->setCurrentIndex(0);

    New_Indicatif->clear();
    New_Locator->clear();
    Liste_Indicatifs->setFocus();
}

void Fenetre_Station::Liste_Indicatifs_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    if (KeyAscii == '/')
        KeyAscii = '_';
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    if (Liste_Indicatifs->currentText() == Station::Nouvel_Indicatif) {
        for (QWidget* w : {static_cast<QWidget*>(New_Indicatif), static_cast<QWidget*>(New_Locator),
                           static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4),
                           static_cast<QWidget*>(Label5)})
            w->setEnabled(true);
        New_Indicatif->clear();
        New_Locator->clear();
        Couleurs_Etat::colorer(Liste_Indicatifs, Couleurs_Etat::faceBouton());
        Couleurs_Etat::colorer(New_Indicatif, Couleurs_Etat::aRemplir());
        New_Indicatif->setFocus();
    } else {
        const QString item = Liste_Indicatifs->currentText();
        Couleurs_Etat::colorer(Liste_Indicatifs, Couleurs_Etat::faceBouton());
        Validation->setEnabled(true);
        Validation->setFocus();
        New_Indicatif->setText(item.left(Station::LongueurMaxIndicatif).trimmed());
        New_Locator->setText(item.right(6));
    }
}

void Fenetre_Station::New_Indicatif_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    if (KeyAscii == '/')
        KeyAscii = '_';
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Couleurs_Etat::colorer(New_Indicatif, Couleurs_Etat::rempli());
        Couleurs_Etat::colorer(New_Locator, Couleurs_Etat::aRemplir());
        New_Locator->setFocus();
    }
}

void Fenetre_Station::New_Locator_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Couleurs_Etat::colorer(New_Locator, Couleurs_Etat::rempli());
        Validation->setEnabled(true);
        Validation->setFocus();
    }
}

bool Fenetre_Station::Controle_Saisie(QString& C, QString& L)
{
    C = New_Indicatif->text().toUpper();
    bool effacer = false;
    QString message = Station::Controle_Indicatif(C, &effacer);
    if (!message.isEmpty()) {
        plateforme::MsgBox(message);
        if (effacer)
            New_Indicatif->clear();
        return false;
    }
    L = New_Locator->text().toUpper();
    message = Station::Controle_Locator(L);
    if (!message.isEmpty()) {
        plateforme::MsgBox(message);
        return false;
    }
    return true;
}

void Fenetre_Station::Validation_Click()
{
    // Every run-time error of a step below is trapped: the station is then taken as new and
    // the validation goes on with the next step.
    QString C;
    QString L;
    if (!Controle_Saisie(C, L))
        return;
    const QString D = Station::Indicatif_Affiche(C);
    // A station without a log is new, typed or picked from the register.
    bool nouveau = !plateforme::existe(station::nomJournal(C));
    if (nouveau && !Cree_Fichiers_Station(C, D))
        return;
    if (Liste_Indicatifs->currentText() == Station::Nouvel_Indicatif && !sansErreur([&] { Inscrit_Au_Registre(C, L); }))
        nouveau = true;
    if (!sansErreur([&] { Montre_Station(C, D, L); }))
        nouveau = true;
    if (nouveau)
        Installe_Nouvelle_Station(C, L);
    else
        Passe_A_La_Station(C, L);
    Affiche_Station_Carnet();
    if (carnet() && !Charge_Station_Carnet())
        return;  // the missing-file window has taken over
    decharger();
}

bool Fenetre_Station::Cree_Fichiers_Station(const QString& C, const QString& D)
{
    // The whole file set is made before anything else changes: when it cannot be made, nothing
    // of the station is registered nor switched to, and no file of it is left behind.
    try {
        Cree_Fichiers_Indicatif(C);
    } catch (const plateforme::ErreurFichier& e) {
        // A set left for the next start has changed files: its message says what becomes of them.
        plateforme::MsgBox(QStringLiteral("La station %1 n'a pas été créée.\r\n").arg(D) + e.messageFrancais() +
                           (e.enSuspens ? QString() : QStringLiteral("\r\nAucun fichier n'a été créé ni modifié.")));
        return false;
    }
    return true;
}

void Fenetre_Station::Inscrit_Au_Registre(const QString& C, const QString& L)
{
    // No search for one already there. A full register keeps its entries: the station is set
    // up without joining it.
    const int k = Lit_Setup_Entier(Nombre_Indicatif, 0, 0, Max_Indicatifs) + 1;
    if (k > Max_Indicatifs) {
        plateforme::MsgBox(QStringLiteral("La liste des indicatifs est pleine (%1 indicatifs) : %2 n'y est pas ajouté.")
                               .arg(Max_Indicatifs)
                               .arg(Station::Indicatif_Affiche(C)));
        return;
    }
    Ecrit_Setup({{Nombre_Indicatif, QString::number(k)}, {Indicatif(k), Station::Entree_Registre(C, L)}});
}

void Fenetre_Station::Montre_Station(const QString& C, const QString& D, const QString& L)
{
    Controles_Carnet* c = carnet();
    if (c && c->I_Station)
        c->I_Station->setText(D);
    if (c && c->L_Station)
        c->L_Station->setText(L);
    Prog().Indicatif_Station = C;
    Prog().Locator_Station = L;
    if (c && c->Frame5)
        c->Frame5->setTitle(QStringLiteral("Velmarin de ") + D);
}

void Fenetre_Station::Installe_Nouvelle_Station(const QString& C, const QString& L)
{
    // The file set comes from the templates (made before). A station taken as new only because
    // a step failed keeps the files it has.
    sansErreur([&] { Ecrit_Setup({{Indicatif_Station, C}, {Locator_Station, L}}); });
    sansErreur([&] { plateforme::SaveSettings(Application, Section_Station(C), reglagesNouvelleStation(C, L)); });
    sansErreur([&] { Lit_Station_Courante(); });
    sansErreur([&] { Ecrit_Fichier_Activite(); });
    sansErreur([&] {
        Prog().Numero_Sauvegarde = 0;
        Ecrit_Station(Cles_Registre::Chemin_Sauvegarde, Station::Chemin_Sauvegarde_Defaut(Prog().Indicatif_Station));
        Ecrit_Station(Cles_Registre::Delta_Sauvegarde, QStringLiteral("10"));
    });
}

void Fenetre_Station::Passe_A_La_Station(const QString& C, const QString& L)
{
    sansErreur([&] {
        Ecrit_Setup({{Indicatif_Station, C}, {Locator_Station, L}});
        Lit_Station_Courante();
    });
}

void Fenetre_Station::Lit_Station_Courante()
{
    Prog().Indicatif_Station = Lit_Setup(Indicatif_Station, Indicatif_Vide);
    Prog().Locator_Station = Lit_Setup(Locator_Station, Locator_Vide);
}

bool Fenetre_Station::Charge_Station_Carnet()
{
    Controles_Carnet* c = carnet();
    if (!sansErreur([&] { Charge_Liste_QSO(Prog().Indicatif_Station); }))
        sansErreur([&] { Vide_Liste_QSO(); });
    bool peint = true;
    sansErreur([&] { peint = c->Affiche_Departements(Prog().Bande_Affichee, Prog().Compteur_Carte); });
    if (!peint)
        return false;
    sansErreur([&] {
        if (c->Frame3)
            c->Frame3->setTitle(Titre_Departements(Prog().Compteur_Carte, Prog().Bande_Affichee));
        if (c->Liste_QSO && c->Liste_QSO->count() > 0)
            c->Liste_QSO->setCurrentRow(c->Liste_QSO->count() - 1);
        if (c->Bande_A)
            c->Bande_A->setFocus();
    });
    return true;
}

void Fenetre_Station::Vide_Liste_QSO()
{
    // The list is the master copy that edits and deletes write back to the current log: when
    // the new station's log cannot be read, no QSO of the previous station may stay in it.
    Controles_Carnet* c = carnet();
    if (c->Modele_QSO)
        c->Modele_QSO->vider();
    Prog().Nombre_QSO = 0;
    if (c->Frame4)
        c->Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(Prog().Nombre_QSO + 1));
}

void Fenetre_Station::Affiche_Station_Carnet()
{
    Controles_Carnet* c = carnet();
    if (!c)
        return;
    // 2. Captions.
    if (c && c->I_Station)
        c->I_Station->setText(Station::Indicatif_Affiche(Prog().Indicatif_Station));
    if (c && c->L_Station)
        c->L_Station->setText(Prog().Locator_Station);

    // 3. - 5. Band and mode last used, clock and date options, activities.
    sansErreur([&] { c->Lit_Bande_Et_Mode(); });
    sansErreur([&] { c->Lit_Heure_Et_Date(); });
    sansErreur([&] { c->Remplit_Activites(); });
}

void Fenetre_Station::Quitter_Click()
{
    decharger();
}
