// The main window: its controls, their wiring, the start-up and the end of the program.
#include "logbook/Carnet.h"

#include "cluster/Cluster.h"
#include "exchange/Sauvegarde.h"
#include "logbook/Affiche_Dpt.h"
#include "logbook/Carnet_Grille.h"
#include "logbook/Notes.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Gardes_Ecriture.h"
#include "station/Couleurs_Etat.h"
#include "station/Fichiers_Etat.h"
#include "qsl/Fenetres_QSL.h"
#include "station/Fenetre_Progression.h"
#include "station/Fenetres_Station.h"
#include "station/Journal.h"
#include "station/Listes.h"
#include "station/Ouvertures.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

Carnet* Carnet::s_instance = nullptr;

namespace {

template <class T>
T* nomme(T* controle, const QString& nom)
{
    controle->setObjectName(nom);
    return controle;
}

QLineEdit* champSaisie(const QString& nom, int largeur)
{
    auto* e = nomme(new QLineEdit, nom);
    e->setFixedWidth(largeur);
    return e;
}

QComboBox* listeSaisie(const QString& nom, int largeur)
{
    auto* c = nomme(new QComboBox, nom);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // The text is kept as typed: no completion puts an item in its place ("PSK" stays "PSK",
    // "ssb" stays "ssb"), and Enter looks an item up by its exact text only.
    c->setCompleter(nullptr);
    c->setFixedWidth(largeur);
    return c;
}

QPushButton* bouton(const QString& nom, const QString& texte, const QString& bulle = QString())
{
    auto* b = nomme(new QPushButton(texte), nom);
    if (!bulle.isEmpty())
        b->setToolTip(bulle);
    return b;
}

// A field with its caption above it.
void placer(QGridLayout* g, int ligne, int colonne, const QString& titre, QWidget* champ, QLabel* etiquette = nullptr)
{
    QLabel* l = etiquette ? etiquette : new QLabel(titre);
    if (etiquette)
        etiquette->setText(titre);
    g->addWidget(l, ligne * 2, colonne);
    g->addWidget(champ, ligne * 2 + 1, colonne);
}

QLabel* pastille(const QColor& couleur)
{
    auto* l = new QLabel;
    l->setFixedSize(16, 12);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Box);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, couleur);
    l->setPalette(p);
    return l;
}

// The list of QSOs: one fixed-pitch line per QSO, 99,999 of them at most.
Vue_Liste_QSO* listeQSO(Modele_Liste_QSO* modele, const QString& nom)
{
    auto* l = nomme(new Vue_Liste_QSO(modele), nom);
    l->setFont(plateforme::policeChasseFixe());
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return l;
}

} // namespace

Carnet& Carnet::instance()
{
    if (!s_instance)
        s_instance = new Carnet;
    return *s_instance;
}

void Carnet::detruireInstance()
{
    Detruire_Fenetres_Station();
    Detruire_Fenetres_QSL();
    Fenetre_Affiche_Dpt::detruireInstance();
    Fenetre_Progression::detruireInstance();
    enregistrerCarnet(nullptr);
    delete s_instance;
    s_instance = nullptr;
}

Carnet::Carnet()
{
    setObjectName(QStringLiteral("Carnet"));
    setWindowTitle(QStringLiteral("Velmarin"));
    construireControles();
    construireMenus();
    brancherEvenements();
    plateforme::boutonsAuClavier(this);
    enregistrerCarnet(this);
    Timer1 = nomme(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

void Carnet::construireControles()
{
    Frame5 = nomme(new Cadre(QStringLiteral("Velmarin de ")), QStringLiteral("Frame5"));
    setCentralWidget(Frame5);
    auto* principal = new QVBoxLayout(Frame5);

    // Station, date mode and clock
    auto* entete = new QHBoxLayout;
    QFont gras = font();
    gras.setBold(true);
    gras.setPointSizeF(gras.pointSizeF() * 1.3);
    I_Station = nomme(new QLabel, QStringLiteral("I_Station"));
    L_Station = nomme(new QLabel, QStringLiteral("L_Station"));
    I_Station->setFont(gras);
    L_Station->setFont(gras);
    Label15 = nomme(new QLabel, QStringLiteral("Label15"));
    Label37 = nomme(new QLabel, QStringLiteral("Label37"));
    Label34 = nomme(new QLabel, QStringLiteral("Label34"));
    Label33 = nomme(new QLabel, QStringLiteral("Label33"));
    entete->addWidget(new QLabel(QStringLiteral("Station :")));
    entete->addWidget(I_Station);
    entete->addSpacing(16);
    entete->addWidget(new QLabel(QStringLiteral("Locator :")));
    entete->addWidget(L_Station);
    entete->addSpacing(24);
    entete->addWidget(Label15);
    entete->addStretch(1);
    entete->addWidget(Label37);
    entete->addSpacing(12);
    entete->addWidget(Label34);
    entete->addSpacing(12);
    entete->addWidget(Label33);
    principal->addLayout(entete);

    auto* corps = new QHBoxLayout;
    principal->addLayout(corps, 1);

    // Entry row and the list
    Frame4 = nomme(new Cadre(QStringLiteral("QSO numéro ")), QStringLiteral("Frame4"));
    corps->addWidget(Frame4, 1);
    auto* zoneSaisie = new QVBoxLayout(Frame4);

    Bande_A = listeSaisie(QStringLiteral("Bande_A"), 90);
    Indicatif_A = champSaisie(QStringLiteral("Indicatif_A"), 110);
    Depart_A = champSaisie(QStringLiteral("Depart_A"), 36);
    Locator_A = champSaisie(QStringLiteral("Locator_A"), 70);
    Mode_A = listeSaisie(QStringLiteral("Mode_A"), 84);
    Activ_A = listeSaisie(QStringLiteral("Activ_A"), 96);
    Date_A = champSaisie(QStringLiteral("Date_A"), 76);
    Debut_A = champSaisie(QStringLiteral("Debut_A"), 52);
    Fin_A = champSaisie(QStringLiteral("Fin_A"), 52);
    RSTE_A = champSaisie(QStringLiteral("RSTE_A"), 70);
    RSTR_A = champSaisie(QStringLiteral("RSTR_A"), 70);
    Prenom_A = champSaisie(QStringLiteral("Prenom_A"), 120);
    QTH_A = champSaisie(QStringLiteral("QTH_A"), 160);
    Remarques_A = champSaisie(QStringLiteral("Remarques_A"), 220);
    QSLE_A = champSaisie(QStringLiteral("QSLE_A"), 36);
    QSLR_A = champSaisie(QStringLiteral("QSLR_A"), 36);
    Distance_A = champSaisie(QStringLiteral("Distance_A"), 60);
    Azimut_A = champSaisie(QStringLiteral("Azimut_A"), 50);
    Distance_A->setReadOnly(true);
    Azimut_A->setReadOnly(true);
    RSTE_A->setText(QStringLiteral("59"));
    RSTR_A->setText(QStringLiteral("59"));
    Label5 = nomme(new QLabel, QStringLiteral("Label5"));

    auto* champs = new QGridLayout;
    champs->setHorizontalSpacing(6);
    champs->setVerticalSpacing(1);
    placer(champs, 0, 0, QStringLiteral("Bande"), Bande_A);
    placer(champs, 0, 1, QStringLiteral("Indicatif"), Indicatif_A, Label5);
    placer(champs, 0, 2, QStringLiteral("Dpt"), Depart_A);
    placer(champs, 0, 3, QStringLiteral("Locator"), Locator_A);
    placer(champs, 0, 4, QStringLiteral("Mode"), Mode_A);
    placer(champs, 0, 5, QStringLiteral("Activité"), Activ_A);
    placer(champs, 0, 6, QStringLiteral("Date"), Date_A);
    placer(champs, 0, 7, QStringLiteral("Début"), Debut_A);
    placer(champs, 0, 8, QStringLiteral("Fin"), Fin_A);
    auto* champs2 = new QGridLayout;
    champs2->setHorizontalSpacing(6);
    champs2->setVerticalSpacing(1);
    placer(champs2, 0, 0, QStringLiteral("Rst E"), RSTE_A);
    placer(champs2, 0, 1, QStringLiteral("Rst R"), RSTR_A);
    placer(champs2, 0, 2, QStringLiteral("Prénom"), Prenom_A);
    placer(champs2, 0, 3, QStringLiteral("QTH"), QTH_A);
    placer(champs2, 0, 4, QStringLiteral("Remarques"), Remarques_A);
    placer(champs2, 0, 5, QStringLiteral("Qsl E"), QSLE_A);
    placer(champs2, 0, 6, QStringLiteral("Qsl R"), QSLR_A);
    placer(champs2, 0, 7, QStringLiteral("QRB (Km)"), Distance_A);
    placer(champs2, 0, 8, QStringLiteral("Azim (°)"), Azimut_A);
    auto* ligne1 = new QHBoxLayout;
    ligne1->addLayout(champs);
    ligne1->addStretch(1);
    auto* ligne2 = new QHBoxLayout;
    ligne2->addLayout(champs2);
    ligne2->addStretch(1);
    zoneSaisie->addLayout(ligne1);
    zoneSaisie->addLayout(ligne2);

    // The entry chain opens the fields one by one; the start-up opens the callsign.
    for (QWidget* w : {static_cast<QWidget*>(Indicatif_A), static_cast<QWidget*>(Depart_A),
                       static_cast<QWidget*>(Locator_A), static_cast<QWidget*>(Mode_A),
                       static_cast<QWidget*>(Activ_A), static_cast<QWidget*>(Date_A),
                       static_cast<QWidget*>(Debut_A), static_cast<QWidget*>(Fin_A),
                       static_cast<QWidget*>(RSTE_A), static_cast<QWidget*>(RSTR_A),
                       static_cast<QWidget*>(Prenom_A), static_cast<QWidget*>(QTH_A),
                       static_cast<QWidget*>(Remarques_A), static_cast<QWidget*>(QSLE_A),
                       static_cast<QWidget*>(QSLR_A)})
        w->setEnabled(false);

    // Buttons
    Enregistrer = bouton(QStringLiteral("Enregistrer"), QStringLiteral("QSO Suivant"));
    Annuler = bouton(QStringLiteral("Annuler"), QStringLiteral("Annuler Saisie"),
                     QStringLiteral("Efface les données en cours de saisie"));
    Recherche = bouton(QStringLiteral("Recherche"), QStringLiteral("Chercher QSO"));
    Editer = bouton(QStringLiteral("Editer"), QStringLiteral(" Editer  QSO"),
                    QStringLiteral("Double Click sur un QSO pour le selectionner puis sur ce bouton pour l'editer"));
    Effacer = bouton(QStringLiteral("Effacer"), QStringLiteral("Effacer QSO"),
                     QStringLiteral("Double Click sur un QSO pour le selectionner puis sur ce bouton pour l'effacer"));
    Gestion_QSL = bouton(QStringLiteral("Gestion_QSL"), QStringLiteral("Gerer  QSL"),
                         QStringLiteral("Clickez sur un QSO pour le selectionner puis sur ce bouton pour gérer les  QSL"));
    Exporter = bouton(QStringLiteral("Exporter"), QStringLiteral("Exporter QSO"));
    Command1 = bouton(QStringLiteral("Command1"), QStringLiteral("Cluster"));
    Enregistrer->setEnabled(false);
    Editer->setEnabled(false);
    Effacer->setEnabled(false);
    Exporter->setEnabled(false);
    // The search window is opened through its registered opener.
    Recherche->setProperty("fenetre", QStringLiteral("Recherche_Indicatif"));
    activerBouton(Recherche, true);
    NB_Debug = nomme(new QLabel, QStringLiteral("NB_Debug"));
    NB_Debug->setEnabled(false);
    NB_Debug->setMinimumWidth(24);

    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {Enregistrer, Annuler, Editer, Effacer, Recherche, Gestion_QSL, Exporter, Command1})
        boutons->addWidget(b);
    boutons->addStretch(1);
    boutons->addWidget(NB_Debug);
    zoneSaisie->addLayout(boutons);

    // The list
    Modele_QSO = new Modele_Liste_QSO(this);
    Liste_QSO = listeQSO(Modele_QSO, QStringLiteral("Liste_QSO"));
    Liste_QSO->setToolTip(QStringLiteral("Double click sur une ligne pour l'afficher, l'editer ou la supprimer"));
    zoneSaisie->addWidget(Liste_QSO, 1);

    // The grid at the side
    auto* cote = new QVBoxLayout;
    corps->addLayout(cote);
    Frame3 = nomme(new Cadre, QStringLiteral("Frame3"));
    Frame3->setToolTip(QStringLiteral("Double cliquez sur un département pour afficher les QSO"));
    cote->addWidget(Frame3);
    cote->addStretch(1);
    auto* zoneGrille = new QVBoxLayout(Frame3);
    auto* cellules = new QGridLayout;
    cellules->setSpacing(1);
    QFont petite = font();
    petite.setPointSizeF(petite.pointSizeF() * 0.8);
    for (int i = 0; i < grille::NombreCellules; ++i) {
        auto* d = nomme(new QLineEdit(grille::texteCellule(i, false)), QStringLiteral("Dpt_%1").arg(i));
        d->setReadOnly(true);
        d->setFocusPolicy(Qt::NoFocus);
        d->setAlignment(Qt::AlignCenter);
        d->setFont(petite);
        d->setFixedSize(26, 18);
        d->setTextMargins(0, 0, 0, 0);
        d->setFrame(true);
        Couleurs_Etat::colorer(d, Couleurs_Etat::fondFenetre());
        Dpt[i] = d;
        cellules->addWidget(d, i / 10, i % 10);
    }
    zoneGrille->addLayout(cellules);

    Option1[1] = nomme(new QRadioButton(QStringLiteral("Dpt")), QStringLiteral("Option1_1"));
    Option1[2] = nomme(new QRadioButton(QStringLiteral("Carré locator")), QStringLiteral("Option1_2"));
    Option1[1]->setChecked(true);
    auto* vues = new QHBoxLayout;
    vues->addWidget(Option1[1]);
    vues->addWidget(Option1[2]);
    vues->addStretch(1);
    zoneGrille->addLayout(vues);

    Bande_Grille = nomme(new QComboBox, QStringLiteral("Bande_Grille"));
    Carre_Grille = nomme(new QComboBox, QStringLiteral("Carre_Grille"));
    auto* selecteurs = new QHBoxLayout;
    selecteurs->addWidget(new QLabel(QStringLiteral("Bande")));
    selecteurs->addWidget(Bande_Grille, 1);
    selecteurs->addWidget(new QLabel(QStringLiteral("Carré")));
    selecteurs->addWidget(Carre_Grille);
    zoneGrille->addLayout(selecteurs);

    Label27 = nomme(new QLabel(grille::legendeContacte(false)), QStringLiteral("Label27"));
    Label26 = nomme(new QLabel(QStringLiteral("   QSL envoyée")), QStringLiteral("Label26"));
    Label30 = nomme(new QLabel(QStringLiteral("  QSL Reçue")), QStringLiteral("Label30"));
    Label1 = nomme(new QLabel(grille::legendeConfirme(false)), QStringLiteral("Label1"));
    auto* legende = new QGridLayout;
    legende->setHorizontalSpacing(2);
    QLabel* const textes[] = {Label27, Label26, Label30, Label1};
    for (int i = 0; i < 4; ++i) {
        legende->addWidget(pastille(Couleurs_Etat::couleur(QChar(u'1' + i))), i, 0);
        legende->addWidget(textes[i], i, 1);
    }
    legende->setColumnStretch(1, 1);
    zoneGrille->addLayout(legende);

    resize(1180, 700);
}

void Carnet::brancherEvenements()
{
    using plateforme::brancherKeyPress;
    brancherKeyPress(Bande_A, [this](int& k) { Bande_A_KeyPress(k); });
    brancherKeyPress(Indicatif_A, [this](int& k) { Indicatif_A_KeyPress(k); });
    brancherKeyPress(Depart_A, [this](int& k) { Depart_A_KeyPress(k); });
    brancherKeyPress(Locator_A, [this](int& k) { Locator_A_KeyPress(k); });
    brancherKeyPress(Mode_A, [this](int& k) { Mode_A_KeyPress(k); });
    brancherKeyPress(Activ_A, [this](int& k) { Activ_A_KeyPress(k); });
    brancherKeyPress(Date_A, [this](int& k) { Date_A_KeyPress(k); });
    brancherKeyPress(Debut_A, [this](int& k) { Debut_A_KeyPress(k); });
    brancherKeyPress(Fin_A, [this](int& k) { Fin_A_KeyPress(k); });
    brancherKeyPress(RSTE_A, [this](int& k) { RSTE_A_KeyPress(k); });
    brancherKeyPress(RSTR_A, [this](int& k) { RSTR_A_KeyPress(k); });
    brancherKeyPress(Prenom_A, [this](int& k) { Prenom_A_KeyPress(k); });
    brancherKeyPress(QTH_A, [this](int& k) { QTH_A_KeyPress(k); });
    brancherKeyPress(Remarques_A, [this](int& k) { Remarques_A_KeyPress(k); });

    plateforme::brancherDblClick(Indicatif_A, [this] { Indicatif_A_DblClick(); });
    plateforme::brancherDblClick(Depart_A, [this] { Depart_A_DblClick(); });
    plateforme::brancherDblClick(Locator_A, [this] { Locator_A_DblClick(); });

    connect(Enregistrer, &QPushButton::clicked, this, [this] { Enregistrer_Click(); });
    connect(Annuler, &QPushButton::clicked, this, [this] { Annuler_Click(); });
    connect(Editer, &QPushButton::clicked, this, [this] { Editer_Click(); });
    connect(Effacer, &QPushButton::clicked, this, [this] { Effacer_Click(); });
    connect(Recherche, &QPushButton::clicked, this, [this] { Recherche_Click(); });
    connect(Command1, &QPushButton::clicked, this, [] { Cluster::Afficher(); });

    // A selection made by code runs the click handler as a click does; a click on the item
    // already selected runs it too.
    plateforme::brancherClic(Liste_QSO, [this] { Liste_QSO_Click(); });
    connect(Liste_QSO, &QAbstractItemView::doubleClicked, this, [this] { Liste_QSO_DblClick(); });
    plateforme::brancherClic(Bande_A, [this] { Bande_A_Click(); });
    plateforme::brancherClic(Bande_Grille, [this] { Bande_Grille_Click(); });
    plateforme::brancherClic(Carre_Grille, [this] { Carre_Grille_Click(); });
    for (int i = 1; i <= 2; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                Option1_Click(i);
        });
    }

    connect(Mnu_Quitter, &QAction::triggered, this, [this] { Mnu_Quitter_Click(); });
    brancherEchanges();
    connect(Mnu_Indicatif, &QAction::triggered, this, [this] { Mnu_Indicatif_Click(); });
    connect(Mnu_Auto_Oui, &QAction::triggered, this, [this] { Mnu_Auto_Oui_Click(); });
    connect(Mnu_Auto_Non, &QAction::triggered, this, [this] { Mnu_Auto_Non_Click(); });
    connect(Mnu_UTC_Oui, &QAction::triggered, this, [this] { Mnu_UTC_Oui_Click(); });
    connect(Mnu_UTC_Non, &QAction::triggered, this, [this] { Mnu_UTC_Non_Click(); });
    connect(Mnu_Sep_Oui, &QAction::triggered, this, [this] { Mnu_Sep_Oui_Click(); });
    connect(Mnu_Sep_Non, &QAction::triggered, this, [this] { Mnu_Sep_Non_Click(); });
    connect(Mnu_Exp_Oui, &QAction::triggered, this, [this] { Mnu_Exp_Oui_Click(); });
    connect(Mnu_Exp_Non, &QAction::triggered, this, [this] { Mnu_Exp_Non_Click(); });
    connect(Mnu_Nomenclature, &QAction::triggered, this, [this] { Mnu_Nomenclature_Click(); });
    connect(Mnu_Prefixe, &QAction::triggered, this, [this] { Mnu_Prefixe_Click(); });
    connect(Mnu_Ajout_Activite, &QAction::triggered, this, [this] { Mnu_Ajout_Activite_Click(); });
    connect(Mnu_Historique, &QAction::triggered, this, [this] { Mnu_Historique_Click(); });
    connect(Mnu_Mode_Emploi, &QAction::triggered, this, [this] { Mnu_Mode_Emploi_Click(); });
    connect(Mnu_A_Propos, &QAction::triggered, this, [this] { Mnu_A_Propos_Click(); });
    connect(Mnu_MAJ_Prefixe, &QAction::triggered, this, [this] { Mnu_MAJ_Prefixe_Click(); });
    connect(Mnu_MAJ_Departement, &QAction::triggered, this, [this] { Mnu_MAJ_Departement_Click(); });
    connect(Mnu_MAJ_Locator, &QAction::triggered, this, [this] { Mnu_MAJ_Locator_Click(); });
    connect(Mnu_RAZ_All, &QAction::triggered, this, [this] { Mnu_RAZ_All_Click(); });
    connect(Gestion_QSL, &QPushButton::clicked, this, [this] { Gestion_QSL_Click(); });
    for (int i = 0; i < grille::NombreCellules; ++i)
        plateforme::brancherDblClick(Dpt[i], [this, i] { Dpt_DblClick(i); });
}

void Carnet::activerBouton(QPushButton* bouton, bool actif)
{
    const QString fenetre = bouton->property("fenetre").toString();
    bouton->setEnabled(actif && !bouton->property("sansFenetre").toBool() &&
                       (fenetre.isEmpty() || ouvertures::existe(fenetre)));
}

void Carnet::Form_Load()
{
    Variables_Programme& v = Prog();

    // What writes killed in an earlier run left behind goes first.
    station::Nettoie_Restes();

    // 1. Centred on the screen
    plateforme::centrer(this);

    // 2. The fixed lists; nothing is selected yet (selecting runs the click handlers)
    {
        const QSignalBlocker b1(Bande_A), b2(Bande_Grille), b3(Mode_A), b4(Carre_Grille);
        Bande_A->addItems(station::Liste_Bandes());
        Bande_Grille->addItems(station::Liste_Bandes());
        Mode_A->addItems(station::Liste_Modes());
        Carre_Grille->addItems(station::Champs_Locator());
        Bande_A->setCurrentIndex(-1);
        Bande_Grille->setCurrentIndex(-1);
        Mode_A->setCurrentIndex(-1);
        // No field chosen yet: the square view waits for the operator to pick one.
        Carre_Grille->setCurrentIndex(-1);
    }

    // 3.
    plateforme::montrer(this);

    // 4. The current station
    v.Indicatif_Station = Lit_Setup(Cles_Registre::Indicatif_Station, Cles_Registre::Indicatif_Vide);
    v.Locator_Station = Lit_Setup(Cles_Registre::Locator_Station, Cles_Registre::Locator_Vide);

    // 5. Its band, mode and options
    Lit_Bande_Et_Mode();
    v.Bande_Courante = Bande_A->currentText();
    Lit_Heure_Et_Date();
    Coche_Option(Mnu_Sep_Oui, Mnu_Sep_Non, Cles_Registre::Separateur, Cles_Registre::Faux);
    const bool exporter = Coche_Option(Mnu_Exp_Oui, Mnu_Exp_Non, Cles_Registre::Exporter_QSO, Cles_Registre::Faux);
    Exporter->setEnabled(exporter);

    // 6. The callsign is shown with "/" where its file form has "_"
    const QString affiche = Station::Indicatif_Affiche(v.Indicatif_Station);
    I_Station->setText(affiche);
    L_Station->setText(v.Locator_Station);
    Frame5->setTitle(QStringLiteral("Velmarin de ") + affiche);

    // 7.
    v.Edition_En_Cours = false;
    Enregistrer->setEnabled(false);

    // 8. - 9.
    v.Historique_Versions =
        QStringLiteral("V1.0.0   le 18/11/2003 creation\r\n"
                       "V5.6.1   le 26/04/2007 Ajout MAJ Prefixe, Departement, Locator par fichier log\r\n"
                       "V5.6.2   le 21/06/2007 Ajout MAJ Pref, Dep, Loc si import adi ou vlm\r\n"
                       "V5.6.3   le 25/08/2007 Correction bug 1er QSO en date manuelle\r\n"
                       "V5.6.4   le 19/09/2007 Ajout gestion des QSL multiples\r\n"
                       "V5.6.5   le 06/11/2007 Ajout option séparateur '/' et ':' en automatique\r\n"
                       "V5.6.6   le 23/11/2007 Ajout affichage des QSO effectués par département\r\n"
                       "V5.6.7   le 27/11/2007 Ajout affichage du QSO par double click sur une ligne\r\n"
                       "V5.6.8   le 29/11/2007 Nouvelle gestion des fonctions Ajout Edite et Suppression d'un QSO\r\n"
                       "V5.6.9   le 22/03/2009 Correction erreur 62 suite a modif de DX Cluster \r\n");
    v.Revision_Programme = QStringLiteral(" 5.6.9d");

    // 10. The grid starts in the department view of the entry band
    v.Bande_Affichee = v.Bande_Courante;
    Carre_Grille->setEnabled(false);
    Bande_Grille->setEnabled(true);
    {
        const QSignalBlocker b(Bande_Grille);
        Bande_Grille->setCurrentIndex(Bande_Grille->findText(v.Bande_Courante));
    }

    // 11. A missing department file brings up the error window, which ends the program.
    if (!Affiche_Departements(v.Bande_Affichee, v.Compteur_Carte))
        return;
    Frame3->setTitle(Titre_Departements(v.Compteur_Carte, v.Bande_Courante));

    // 12.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::restoreOverrideCursor();

    // 13.
    Liste_QSO->setCurrentRow(Liste_QSO->count() - 1);
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(v.Nombre_QSO + 1));
    setWindowTitle(QStringLiteral("Velmarin Revision ") + v.Revision_Programme);

    // 14. The entry starts at the callsign, the band already chosen
    Indicatif_A->setEnabled(true);
    Couleurs_Etat::colorer(Bande_A, Couleurs_Etat::rempli());
    Indicatif_A->setFocus();
    Couleurs_Etat::colorer(Indicatif_A, Couleurs_Etat::aRemplir());

    // 15.
    v.Valeur_Pi = 3.141592654;
    v.Circonference_Terre = 40076.59;
    v.Rayon_Terre = 40076.59 / 3.141592654 / 2;
    v.Radians_Degres = 180 / 3.141592654;
    v.Pi_Sur_2 = 3.141592654 / 2;

    // 16. First installation
    if (v.Indicatif_Station == Cles_Registre::Indicatif_Vide) {
        plateforme::MsgBox(QStringLiteral("Premiere installation, vous devez entrer votre Indicatif et votre Locator"));
        Station::Afficher(true);
    }

    // 17. - 18. The log. One that cannot be read is named to the operator and the logbook
    // starts empty.
    try {
        Charge_Liste_QSO(v.Indicatif_Station);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Chargement du journal")));
        Modele_QSO->vider();
        v.Nombre_QSO = 0;
        Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(v.Nombre_QSO + 1));
        if (!isVisible())
            plateforme::montrer(this);
    }
    Liste_QSO->setCurrentRow(Liste_QSO->count() - 1);
    Liste_QSO->scrollToBottom();

    // 19. - 20. Activities
    Remplit_Activites();

    // 21. The activity file mirrors the settings for the backup (the placeholder station of a
    // first start has no files of its own)
    if (!station::stationNonConfiguree(v.Indicatif_Station)) {
        try {
            Ecrit_Fichier_Activite();
        } catch (const plateforme::ErreurFichier& e) {
            plateforme::MsgBox(e.messageFrancais(QStringLiteral("Ecriture de la liste des activités")));
        }
    }

    // 22.
    Ecrit_Station(Cles_Registre::Revision, v.Revision_Programme);
    Ecrit_Setup(Cles_Registre::Chemin_Repertoire, plateforme::dossierProgramme());

    // 23. Backup settings
    v.Chemin_Sauvegarde = echange::prefixeSauvegarde(v.Indicatif_Station);
    v.Numero_Sauvegarde = Lit_Station_Entier(Cles_Registre::Numero_Sauvegarde, 1, 0, Cles_Registre::Max_Compte_QSO);
    v.Delta_Sauvegarde = Delta_Sauvegarde_Lu();

    // 24.
    v.Ligne_Selectionnee.clear();

    // The start ends with the keyboard at the callsign, whatever windows came and went.
    if (Indicatif_A->isEnabled() && isVisible()) {
        activateWindow();
        Indicatif_A->setFocus();
    }
}

bool Carnet::Form_Unload()
{
    // The notepad is the one window whose content is kept nowhere else.
    if (Notes* n = Notes::existante(); n && !n->Accepte_Fin_Programme())
        return false;
    hide();
    plateforme::terminerProgramme();
    return true;
}

void Carnet::closeEvent(QCloseEvent* e)
{
    if (!Form_Unload()) {
        e->ignore();
        return;
    }
    e->accept();
}
