#include "reports/Fenetres_Statistiques.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Horloge.h"
#include "reports/Statistiques_Regles.h"
#include "station/Cles_Registre.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace rapports;

namespace {

using plateforme::etiquette;

QListWidget* listeTerminal(QWidget* parent, const QString& nom, bool triee)
{
    return plateforme::listeChasseFixe(parent, nom, QStringLiteral("Terminal"), triee);
}

// The band choice "Bande" at the head of a statistics window.
QComboBox* choixBande(QWidget* fenetre, QHBoxLayout* ligne)
{
    ligne->addWidget(etiquette(fenetre, QStringLiteral("Label1"), QStringLiteral("Bande")));
    auto* b = new QComboBox(fenetre);
    b->setObjectName(QStringLiteral("Bande_E"));
    ligne->addWidget(b);
    return b;
}

template <class F>
void montrerFenetre(F& f)
{
    f.charger();
    plateforme::montrer(&f);
}

} // namespace

bool Lit_Journal(const QString& indicatif, QStringList& lignes)
{
    try {
        lignes = plateforme::lireLignes(station::nomJournal(indicatif));
        return true;
    } catch (const plateforme::ErreurFichier& e) {
        lignes.clear();
        plateforme::MsgBox(e.messageFrancais());
        return false;
    }
}

bool Parcourt_Journal(const std::function<void(const QString& ligne)>& ligne)
{
    try {
        plateforme::parcourirLignes(station::nomJournal(Prog().Indicatif_Station), ligne);
        return true;
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais());
        return false;
    }
}

QStringList Noms_Activites(const QString& defaut)
{
    QStringList noms;
    const int nb = Lit_Station_Entier(Cles_Registre::NB_Activite, 2, 0, Cles_Registre::Max_Activites);
    for (int i = 1; i < nb; ++i)
        noms << Lit_Station(Cles_Registre::Activite_N(i), defaut);
    return noms;
}

QString Date_Du_Jour()
{
    return plateforme::heureLocale().date().toString(QStringLiteral("dd/MM/yyyy"));
}

// --- Statistiques -------------------------------------------------------------------------------

Statistiques::Statistiques() : Fenetre_Chargee(QStringLiteral("Statistiques"))
{
    setWindowTitle(QStringLiteral("Statistiques distances"));
    auto* v = new QVBoxLayout(this);
    auto* titre = etiquette(this, QStringLiteral("Label1"), QStringLiteral("Statistiques sur les distances des QSO"));
    titre->setAlignment(Qt::AlignCenter);
    v->addWidget(titre);
    auto* g = new QGridLayout;
    v->addLayout(g);
    g->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral("Distances")), 0, 0);
    static const char* const entetes[] = {"144 MHz", "432 MHz", "1.3 GHz", "2.3 GHz",
                                          "5.7 GHz", "10 GHz",  "24 GHz",  "50 MHz"};
    static const char* const classes[] = {"Inf a 100 Km", "100 a 200 Km", "200 a 300 Km", "300 a 400 Km",
                                          "400 a 500 Km", "500 a 600 Km", "600 a 700Km",  "700 a 800 Km",
                                          "800 a 900 Km", "900 a 1000 Km", "Sup a 1000 Km"};
    for (int b = 0; b < NombreBandesDistance; ++b)
        g->addWidget(etiquette(this, QStringLiteral("Bande_%1").arg(b + 1), QString::fromLatin1(entetes[b])), 0,
                     b + 1, Qt::AlignCenter);
    for (int c = 0; c < NombreClassesDistance; ++c)
        g->addWidget(etiquette(this, QStringLiteral("Classe_%1").arg(c + 1), QString::fromLatin1(classes[c])), c + 1,
                     0);
    for (int b = 0; b < NombreBandesDistance; ++b) {
        for (int c = 0; c < NombreClassesDistance; ++c) {
            const int i = b * NombreClassesDistance + c + 1;
            auto* t = new QLineEdit(this);
            t->setObjectName(QStringLiteral("Text11_%1").arg(i));
            t->setReadOnly(true);
            t->setAlignment(Qt::AlignCenter);
            t->setMaximumWidth(70);
            Text11[i] = t;
            g->addWidget(t, c + 1, b + 1);
        }
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("Tot%1").arg(b + 1));
        t->setReadOnly(true);
        t->setAlignment(Qt::AlignCenter);
        t->setMaximumWidth(70);
        Tot[b] = t;
        g->addWidget(t, NombreClassesDistance + 1, b + 1);
    }
    g->addWidget(etiquette(this, QStringLiteral("Label3"), QStringLiteral("Total QSO")), NombreClassesDistance + 1, 0);
}

void Statistiques::Afficher()
{
    montrerFenetre(instance());
}

void Statistiques::Form_Load()
{
    adjustSize();
    plateforme::centrer(this);
    for (int i = 1; i <= 88; ++i)
        Text11[i]->clear();
    TableDistances t{};
    Parcourt_Journal([&t](const QString& ligne) { compterDistance(t, ligne); });
    for (int b = 0; b < NombreBandesDistance; ++b) {
        int total = 0;
        for (int c = 0; c < NombreClassesDistance; ++c) {
            const int n = t[b][c];
            total += n;
            Text11[b * NombreClassesDistance + c + 1]->setText(n ? QString::number(n) : QString());
        }
        Tot[b]->setText(QString::number(total));
    }
}

// --- Statistique_Prefixe ------------------------------------------------------------------------

Statistique_Prefixe::Statistique_Prefixe() : Fenetre_Chargee(QStringLiteral("Statistique_Prefixe"))
{
    setWindowTitle(QStringLiteral("Statistiques Prefixes"));
    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    Bande_E = choixBande(this, h);
    h->addStretch();
    v->addLayout(h);
    v->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral(" Prefixes contactés ")));
    Liste_Prefixes = listeTerminal(this, QStringLiteral("Liste_Prefixes"), true);
    v->addWidget(Liste_Prefixes);
    resize(460, 420);
    plateforme::brancherClic(Bande_E, [this] { Bande_E_Click(); });
}

void Statistique_Prefixe::Afficher()
{
    montrerFenetre(instance());
}

void Statistique_Prefixe::Form_Load()
{
    plateforme::centrer(this);
    {
        // Filled without a selection: only the band chosen below reads the prefix file.
        const QSignalBlocker b(Bande_E);
        Bande_E->clear();
        Bande_E->addItems(station::Liste_Bandes());
        Bande_E->setCurrentIndex(-1);
    }
    Bande_E->setCurrentIndex(int(station::Liste_Bandes().indexOf(QStringLiteral("7.0 Mhz"))));
}

void Statistique_Prefixe::Bande_E_Click()
{
    Liste_Prefixes->clear();
    const int numero = Bande_E->currentIndex() + 1;
    if (numero < 1)
        return;
    QStringList fichier;
    try {
        fichier = plateforme::lireLignes(station::fichierPrefixe());
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais());
        return;
    }
    Liste_Prefixes->addItems(prefixesContactes(fichier, numero));
}

// --- Statistique_DFCF ---------------------------------------------------------------------------

Statistique_DFCF::Statistique_DFCF() : Fenetre_Chargee(QStringLiteral("Statistique_DFCF"))
{
    setWindowTitle(QStringLiteral("Statistiques des activations contactées"));
    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    Bande_E = choixBande(this, h);
    h->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral("Activité")));
    Activite_A = new QComboBox(this);
    Activite_A->setObjectName(QStringLiteral("Activite_A"));
    h->addWidget(Activite_A);
    Affiche_Contact = new QPushButton(QStringLiteral("Afficher"), this);
    Affiche_Contact->setObjectName(QStringLiteral("Affiche_Contact"));
    h->addWidget(Affiche_Contact);
    Enregistrement = new QPushButton(QStringLiteral("Enregistrer"), this);
    Enregistrement->setObjectName(QStringLiteral("Enregistrement"));
    h->addWidget(Enregistrement);
    v->addLayout(h);

    auto* colonnesTitres = new QHBoxLayout;
    int n = 3;
    for (const char* t : {"N° Activation", "Nom Activation", "Date", "Indicatif", "Bande", "QSL"})
        colonnesTitres->addWidget(etiquette(this, QStringLiteral("Label%1").arg(n++), QString::fromUtf8(t)));
    v->addLayout(colonnesTitres);
    Liste_Chateaux = listeTerminal(this, QStringLiteral("Liste_Chateaux"), true);
    v->addWidget(Liste_Chateaux);

    auto* legende = new QHBoxLayout;
    for (const char* t : {"S : Sans ", "E :  Envoyée non R", "R : Reçue non E", "C : Confirmée"})
        legende->addWidget(etiquette(this, QStringLiteral("Label%1").arg(n++), QString::fromUtf8(t)));
    v->addLayout(legende);

    auto* resume = new QHBoxLayout;
    TotActiv = etiquette(this, QStringLiteral("TotActiv"), QString());
    TypActiv = etiquette(this, QStringLiteral("TypActiv"), QStringLiteral("DFCF"));
    BandActiv = etiquette(this, QStringLiteral("BandActiv"), QStringLiteral("Toutes QRG"));
    resume->addWidget(TotActiv);
    resume->addWidget(etiquette(this, QStringLiteral("Label%1").arg(n++), QStringLiteral(" activations")));
    resume->addWidget(TypActiv);
    resume->addWidget(etiquette(this, QStringLiteral("Label%1").arg(n++), QStringLiteral("sur")));
    resume->addWidget(BandActiv);
    resume->addStretch();
    v->addLayout(resume);
    resize(760, 480);

    connect(Affiche_Contact, &QPushButton::clicked, this, [this] { Affiche_Contact_Click(); });
    connect(Enregistrement, &QPushButton::clicked, this, [this] { Enregistrement_Click(); });
}

void Statistique_DFCF::Afficher()
{
    montrerFenetre(instance());
}

void Statistique_DFCF::Form_Load()
{
    plateforme::centrer(this);
    Liste_Chateaux->clear();
    TotActiv->clear();
    TypActiv->setText(QStringLiteral("DFCF"));
    BandActiv->setText(QStringLiteral("Toutes QRG"));
    Bande_E->clear();
    Bande_E->addItem(BandesHF);
    Bande_E->addItem(BandesVHF);
    Bande_E->addItems(station::Liste_Bandes());
    Bande_E->setCurrentIndex(0);
    Activite_A->clear();
    Activite_A->addItems(Noms_Activites(QStringLiteral("Err2")));
    Activite_A->setCurrentIndex(Activite_A->count() ? 0 : -1);
}

void Statistique_DFCF::Affiche_Contact_Click()
{
    const QString selection = Bande_E->currentText();
    BandActiv->setText(selection.trimmed());
    TypActiv->setText(Activite_A->currentText().trimmed());
    Liste_Chateaux->clear();
    const int activite = Activite_A->currentIndex() + 1;
    QStringList chateaux;
    Parcourt_Journal([&](const QString& ligne) {
        if (chateauRetenu(ligne, activite, selection))
            chateaux << ligneChateau(ligne);
    });
    // Sorted once, then put in the list in that order.
    std::sort(chateaux.begin(), chateaux.end());
    Liste_Chateaux->setSortingEnabled(false);
    Liste_Chateaux->addItems(chateaux);
    Liste_Chateaux->setSortingEnabled(true);
    TotActiv->setText(QString::number(Liste_Chateaux->count()));
}

void Statistique_DFCF::Enregistrement_Click()
{
    const QString selection = Bande_E->currentText();
    QStringList chateaux;
    for (int i = 0; i < Liste_Chateaux->count(); ++i)
        chateaux << Liste_Chateaux->item(i)->text();
    const QString nom = nomFichierChateaux(Prog().Indicatif_Station, selection);
    try {
        plateforme::ecrireLignes(nom, contenuFichierChateaux(Prog().Indicatif_Station, selection, Date_Du_Jour(),
                                                            chateaux));
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Enregistrement de la liste")));
        return;
    }
    plateforme::MsgBox(QStringLiteral("Le fichier a été enregistré sous le nom : ") + nom);
}

// --- Statistique_QSO ----------------------------------------------------------------------------

Statistique_QSO::Statistique_QSO() : Fenetre_Chargee(QStringLiteral("Statistique_QSO"))
{
    setWindowTitle(QStringLiteral("Statistiques"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(etiquette(this, QStringLiteral("Label1"), QStringLiteral("Statistiques sur l'ensemble des QSO")));
    auto* g = new QGridLayout;
    NbQSO = etiquette(this, QStringLiteral("NbQSO"), QString());
    NbFR = etiquette(this, QStringLiteral("NbFR"), QString());
    NbET = etiquette(this, QStringLiteral("NbET"), QString());
    g->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral("Nombre total de QSO :")), 0, 0);
    g->addWidget(NbQSO, 0, 1);
    g->addWidget(etiquette(this, QStringLiteral("Label3"), QStringLiteral("Nombre de QSO avec des stations Francaises :")),
                 1, 0);
    g->addWidget(NbFR, 1, 1);
    g->addWidget(etiquette(this, QStringLiteral("Label4"), QStringLiteral("Nombre de QSO avec des stations Etrangéres :")),
                 2, 0);
    g->addWidget(NbET, 2, 1);
    v->addLayout(g);
    v->addWidget(etiquette(this, QStringLiteral("Label5"), QStringLiteral("Statistiques sur les activités contactées")));
    Label19 = etiquette(this, QStringLiteral("Label19"), QString());
    Label19->setFont(plateforme::policeChasseFixe(QStringLiteral("Terminal")));
    v->addWidget(Label19);
    StatActivite = listeTerminal(this, QStringLiteral("StatActivite"), false);
    v->addWidget(StatActivite);
    resize(560, 460);
}

void Statistique_QSO::Afficher()
{
    montrerFenetre(instance());
}

void Statistique_QSO::Form_Load()
{
    plateforme::centrer(this);
    Label19->setText(EnteteActivites);
    StatActivite->clear();
    const QStringList noms = Noms_Activites(QStringLiteral("Err4"));
    StatistiquesQSO s;
    Parcourt_Journal([&s](const QString& ligne) { compterQSO(s, ligne); });
    NbQSO->setText(QString::number(s.total));
    NbFR->setText(QString::number(s.francais));
    NbET->setText(QString::number(s.total - s.francais));
    for (int i = 0; i < noms.size(); ++i) {
        const int a = i + 1;
        if (a < NombreActivitesComptees)
            StatActivite->addItem(ligneActivite(noms.at(i), s.qso[a], s.envoyees[a], s.recues[a]));
        else
            StatActivite->addItem(ligneActivite(noms.at(i), 0, 0, 0));
    }
}

void Detruire_Fenetres_Statistiques()
{
    Statistiques::detruireInstance();
    Statistique_Prefixe::detruireInstance();
    Statistique_DFCF::detruireInstance();
    Statistique_QSO::detruireInstance();
}
