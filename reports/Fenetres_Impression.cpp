#include "reports/Fenetres_Impression.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "reports/Fenetres_Statistiques.h"
#include "reports/Rapports.h"
#include "station/Controles_Carnet.h"
#include "station/Listes.h"
#include "station/Ouvertures.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

using plateforme::etiquette;

} // namespace

// --- Print_Log ----------------------------------------------------------------------------------

Print_Log::Print_Log() : Fenetre_Chargee(QStringLiteral("Print_Log"))
{
    setWindowTitle(QStringLiteral("Impression du fichier log"));
    auto* v = new QVBoxLayout(this);
    auto* titre = etiquette(this, QStringLiteral("Label1"), QStringLiteral("Impression du fichier log"));
    titre->setAlignment(Qt::AlignCenter);
    v->addWidget(titre);

    auto* tout = new QGroupBox(QStringLiteral("Impression Totale"), this);
    tout->setObjectName(QStringLiteral("Frame1"));
    auto* h = new QHBoxLayout(tout);
    Command2 = bouton(tout, QStringLiteral("Command2"), QStringLiteral("Impression"));
    Command3 = bouton(tout, QStringLiteral("Command3"), QStringLiteral("Enregistrement"));
    h->addWidget(Command2);
    h->addWidget(Command3);
    v->addWidget(tout);

    auto* plage = new QGroupBox(QStringLiteral("Impression de N° a  N°"), this);
    plage->setObjectName(QStringLiteral("Frame2"));
    auto* g = new QGridLayout(plage);
    Debut_Ligne = new QLineEdit(plage);
    Debut_Ligne->setObjectName(QStringLiteral("Debut_Ligne"));
    Fin_Ligne = new QLineEdit(plage);
    Fin_Ligne->setObjectName(QStringLiteral("Fin_Ligne"));
    Command1 = bouton(plage, QStringLiteral("Command1"), QStringLiteral("Impression"));
    g->addWidget(etiquette(plage, QStringLiteral("Label2"), QStringLiteral("N° ligne du debut impression")), 0, 0);
    g->addWidget(Debut_Ligne, 0, 1);
    g->addWidget(etiquette(plage, QStringLiteral("Label3"), QStringLiteral("N° ligne de la fin d'impression")), 1, 0);
    g->addWidget(Fin_Ligne, 1, 1);
    g->addWidget(Command1, 2, 0, 1, 2);
    v->addWidget(plage);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void Print_Log::Afficher()
{
    auto& f = instance();
    f.Debut_Ligne->clear();
    f.Fin_Ligne->clear();
    f.charger();
    plateforme::montrer(&f);
}

void Print_Log::Form_Load()
{
    adjustSize();
    plateforme::centrer(this);
}

void Print_Log::Command1_Click()
{
    int nombre = Prog().Nombre_QSO;
    if (Controles_Carnet* c = carnet(); c && c->Modele_QSO)
        nombre = c->Modele_QSO->nombre();
    const QString debut = Debut_Ligne->text();
    const QString fin = Fin_Ligne->text();
    // The count is taken before the numeric checks.
    if (!debut.isEmpty() && !fin.isEmpty())
        Prog().Nombre_QSO = nombre;
    const QString refus = rapports::controlePlage(debut, fin, nombre);
    if (!refus.isEmpty()) {
        plateforme::MsgBox(refus);
        return;
    }
    Imprime_Log_Partiel(Prog().Indicatif_Station, debut, fin);
    decharger();
}

void Print_Log::Command2_Click()
{
    Imprime_Log(Prog().Indicatif_Station);
}

void Print_Log::Command3_Click()
{
    Exporte_Log_Texte(Prog().Indicatif_Station);
}

// --- Print_Activite -----------------------------------------------------------------------------

Print_Activite::Print_Activite() : Fenetre_Chargee(QStringLiteral("Print_Activite"))
{
    setWindowTitle(QStringLiteral("Impression d'une activité"));
    auto* v = new QVBoxLayout(this);
    auto* titre = etiquette(this, QStringLiteral("Label1"), QStringLiteral("Impression d'une activité"));
    titre->setAlignment(Qt::AlignCenter);
    v->addWidget(titre);
    auto* g = new QGridLayout;
    Imp_Activite = new QComboBox(this);
    Imp_Activite->setObjectName(QStringLiteral("Imp_Activite"));
    Bande_Z = new QComboBox(this);
    Bande_Z->setObjectName(QStringLiteral("Bande_Z"));
    g->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral("Activité")), 0, 0);
    g->addWidget(Imp_Activite, 1, 0);
    g->addWidget(etiquette(this, QStringLiteral("Label3"), QStringLiteral("Bande")), 0, 1);
    g->addWidget(Bande_Z, 1, 1);
    v->addLayout(g);
    Impression = bouton(this, QStringLiteral("Impression"), QStringLiteral("Impression"));
    v->addWidget(Impression);
    connect(Impression, &QPushButton::clicked, this, [this] { Impression_Click(); });
}

void Print_Activite::Afficher()
{
    auto& f = instance();
    f.charger();
    plateforme::montrer(&f);
}

void Print_Activite::Form_Load()
{
    adjustSize();
    plateforme::centrer(this);
    Imp_Activite->clear();
    Imp_Activite->addItems(Noms_Activites(QStringLiteral("Err6")));
    Imp_Activite->setCurrentIndex(-1);
    Bande_Z->clear();
    Bande_Z->addItems(station::Liste_Bandes());
    Bande_Z->setCurrentIndex(-1);
}

void Print_Activite::Impression_Click()
{
    // No activity chosen: position -1, the plain QSO activity 0.
    Imprime_Activations(Imp_Activite->currentIndex() + 1, Imp_Activite->currentText(), Bande_Z->currentText());
    decharger();
}

void Detruire_Fenetres_Impression()
{
    Print_Log::detruireInstance();
    Print_Activite::detruireInstance();
}

void Installer_Statistiques_Et_Impressions()
{
    ouvertures::definir(QStringLiteral("Statistique_QSO"), [] { Statistique_QSO::Afficher(); });
    ouvertures::definir(QStringLiteral("Statistiques"), [] { Statistiques::Afficher(); });
    ouvertures::definir(QStringLiteral("Statistique_Prefixe"), [] { Statistique_Prefixe::Afficher(); });
    ouvertures::definir(QStringLiteral("Statistique_DFCF"), [] { Statistique_DFCF::Afficher(); });
    ouvertures::definir(QStringLiteral("Print_Log"), [] { Print_Log::Afficher(); });
    ouvertures::definir(QStringLiteral("Print_Activite"), [] { Print_Activite::Afficher(); });
}
