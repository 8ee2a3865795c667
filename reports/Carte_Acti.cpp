#include "reports/Carte_Acti.h"

#include "platform/Dialogues.h"
#include "reports/Geographie.h"
#include "station/Cles_Registre.h"
#include "station/Journal.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

Carte_Acti::Carte_Acti() : Carte_Base(QStringLiteral("Carte_Acti"), geographie::imageFrance(), nullptr)
{
    setWindowTitle(QStringLiteral("Carte_Activations"));
    placerSurFrance();

    Bande_A = new QComboBox(this);
    Bande_A->setObjectName(QStringLiteral("Bande_A"));
    Activite_A = new QComboBox(this);
    Activite_A->setObjectName(QStringLiteral("Activite_A"));
    Aff_Carte = new QPushButton(QStringLiteral("Afficher"), this);
    Aff_Carte->setObjectName(QStringLiteral("Aff_Carte"));
    Bande_Carte = etiquette(QStringLiteral("Bande_Carte"));
    Label6 = etiquette(QStringLiteral("Label6"));
    QFont gras = Bande_Carte->font();
    gras.setBold(true);
    Bande_Carte->setFont(gras);
    Label6->setFont(gras);
    NB_Activ = etiquette(QStringLiteral("NB_Activ"));
    TotDep = etiquette(QStringLiteral("TotDep"));
    Label15 = etiquette(QStringLiteral("Label15"));
    Label14 = etiquette(QStringLiteral("Label14"));
    Label13 = etiquette(QStringLiteral("Label13"));
    Label12 = etiquette(QStringLiteral("Label12"));

    auto* choix = new QGridLayout;
    choix->addWidget(new QLabel(QStringLiteral("Bande"), this), 0, 0);
    choix->addWidget(Bande_A, 0, 1);
    choix->addWidget(new QLabel(QStringLiteral("Activité"), this), 1, 0);
    choix->addWidget(Activite_A, 1, 1);
    choix->addWidget(Aff_Carte, 2, 1);
    auto* peint = new QVBoxLayout;
    peint->addWidget(Label6);
    peint->addWidget(Bande_Carte);
    auto* totaux = new QGridLayout;
    totaux->addWidget(NB_Activ, 0, 0, Qt::AlignRight);
    totaux->addWidget(new QLabel(QStringLiteral("Contactées sur"), this), 0, 1);
    totaux->addWidget(TotDep, 1, 0, Qt::AlignRight);
    totaux->addWidget(new QLabel(QStringLiteral("Departements  contactés"), this), 1, 1);

    auto* cote = new QVBoxLayout;
    cote->addLayout(choix);
    cote->addSpacing(12);
    cote->addLayout(peint);
    cote->addLayout(totaux);
    cote->addSpacing(12);
    cote->addLayout(legende(Label15, Label14, Label13, Label12));
    cote->addStretch(1);
    auto* panneau = new QWidget(this);
    panneau->setMinimumWidth(270);
    panneau->setLayout(cote);
    cote->setContentsMargins(0, 0, 0, 0);
    auto* h = new QHBoxLayout(this);
    h->addWidget(Picture1, 0, Qt::AlignTop);
    h->addWidget(panneau);

    connect(Aff_Carte, &QPushButton::clicked, this, [this] { Aff_Carte_Click(); });
}

void Carte_Acti::Form_Load()
{
    using namespace Cles_Registre;
    effacerCellules();
    for (QLabel* l : {Bande_Carte, Label6, NB_Activ, TotDep, Label15, Label14, Label13, Label12})
        l->clear();
    adjustSize();
    plateforme::centrer(this);
    Bande_A->clear();
    Bande_A->addItem(cartes::ToutesBandes);
    Bande_A->addItems(station::Liste_Bandes());
    const int n = Lit_Station_Entier(NB_Activite, 2, 0, Max_Activites);
    Prog().Nombre_Activites = n;
    Activite_A->clear();
    // The plain QSO (activity 0) has no map.
    for (int i = 1; i < n; ++i)
        Activite_A->addItem(Lit_Station(Activite_N(i), QStringLiteral("err3")));
    Bande_A->setCurrentIndex(0);
    Activite_A->setCurrentIndex(Activite_A->count() > 0 ? 0 : -1);
}

bool Carte_Acti::Affiche_Carte_Activite(const QString& bande, double& total, std::array<int, 4>& n)
{
    Bande_Carte->setText(bande);
    total = 0;
    n = {};
    effacerCellules();
    const QString activite = QString::number(std::max(0, Activite_A->currentIndex()) + 1);
    QStringList lignes;
    if (!lireFichier(station::nomJournal(Prog().Indicatif_Station), QStringLiteral("Carte des activations"), lignes))
        return false;
    const cartes::PeintureActivite p = cartes::peintureActivite(lignes, bande, activite);
    colorerCellules(cartes::couleursEtats(p.etats));
    total = p.total;
    n = compteCellules();
    return true;
}

void Carte_Acti::Aff_Carte_Click()
{
    const QString bande = Bande_A->currentText();
    if (bande.isEmpty()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez une bande"));
        return;
    }
    if (Activite_A->currentText().isEmpty()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez une Activité"));
        return;
    }
    // The band chosen here is the map's own: the main grid keeps showing its band
    // (`Bande_Affichee`), which "Toutes QRG" is not.
    Label6->setText(Activite_A->currentText());
    std::array<int, 4> n{};
    Affiche_Carte_Activite(bande, Prog().Compteur_Carte, n);
    NB_Activ->setText(QString::number(int(Prog().Compteur_Carte)));
    Label12->setText(QString::number(n[3]));
    Label13->setText(QString::number(n[2]));
    Label14->setText(QString::number(n[1]));
    Label15->setText(QString::number(n[0]));
    TotDep->setText(QString::number(n[0] + n[1] + n[2] + n[3]));
}
