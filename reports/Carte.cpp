#include "reports/Carte.h"

#include "logbook/Carnet_Grille.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "reports/Geographie.h"
#include "station/Controles_Carnet.h"
#include "station/Fichiers_Etat.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

Carte::Carte() : Carte_Base(QStringLiteral("Carte"), geographie::imageFrance(), nullptr)
{
    setWindowTitle(QStringLiteral("Départements contactés"));
    placerSurFrance();

    Label4 = etiquette(QStringLiteral("Label4"), QStringLiteral("Departements contactés bande : "));
    Bande_Carte = etiquette(QStringLiteral("Bande_Carte"));
    QFont gras = Bande_Carte->font();
    gras.setBold(true);
    Bande_Carte->setFont(gras);
    Bande_S = new QComboBox(this);
    Bande_S->setObjectName(QStringLiteral("Bande_S"));
    Nb_Carte = etiquette(QStringLiteral("Nb_Carte"));
    SQ = etiquette(QStringLiteral("SQ"));
    QE = etiquette(QStringLiteral("QE"));
    QR = etiquette(QStringLiteral("QR"));
    DC = etiquette(QStringLiteral("DC"));

    auto* titre = new QHBoxLayout;
    titre->addWidget(Label4);
    titre->addWidget(Bande_Carte, 1);
    auto* cote = new QVBoxLayout;
    cote->addLayout(titre);
    cote->addWidget(Bande_S);
    cote->addSpacing(12);
    cote->addWidget(Nb_Carte);
    cote->addSpacing(12);
    cote->addLayout(legende(SQ, QE, QR, DC));
    cote->addStretch(1);
    auto* h = new QHBoxLayout(this);
    h->addWidget(Picture1, 0, Qt::AlignTop);
    h->addLayout(cote);

    plateforme::brancherClic(Bande_S, [this] { Bande_S_Click(); });
}

void Carte::Form_Load()
{
    effacerCellules();
    adjustSize();
    plateforme::centrer(this);
    {
        const QSignalBlocker silence(Bande_S);
        Bande_S->clear();
        Bande_S->addItems(station::Liste_Bandes());
        Bande_S->setCurrentIndex(-1);
    }
    // Opens painted for "7.0 Mhz".
    Bande_S->setCurrentIndex(2);
}

bool Carte::Affiche_Carte_Departement(const QString& bande, double& compteur, std::array<int, 4>& n)
{
    Bande_Carte->setText(bande);
    compteur = 0;
    n = {};
    effacerCellules();
    QStringList lignes;
    if (!lireFichier(station::fichierDepartement(), QStringLiteral("Carte des départements"), lignes))
        return false;
    const grille::Peinture p = grille::peintureDepartements(lignes, bande);
    colorerCellules(p.couleurs);
    compteur = p.compteur;
    n = compteCellules();
    return true;
}

void Carte::Bande_S_Click()
{
    Variables_Programme& v = Prog();
    v.Bande_Affichee = Bande_S->currentText();
    std::array<int, 4> n{};
    const bool lu = Affiche_Carte_Departement(v.Bande_Affichee, v.Compteur_Carte, n);
    Nb_Carte->setText(station::texteNombre(int(v.Compteur_Carte)) + QStringLiteral(" Départements sur ") + v.Bande_Affichee);
    SQ->setText(QString::number(n[0]));
    QE->setText(QString::number(n[1]));
    QR->setText(QString::number(n[2]));
    DC->setText(QString::number(n[3]));
    if (!lu)
        return;

    // The main grid goes back to the department view of the entry band; its caption names the
    // band it was painted for, with that painting's count.
    Controles_Carnet* c = carnet();
    if (!c || !c->Bande_A)
        return;
    const QString bandeGrille = c->Bande_A->currentText();
    if (c->Affiche_Departements(bandeGrille, v.Compteur_Carte))
        c->Frame3->setTitle(Titre_Departements(v.Compteur_Carte, bandeGrille));
}
