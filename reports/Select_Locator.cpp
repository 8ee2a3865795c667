#include "reports/Select_Locator.h"

#include "platform/Dialogues.h"
#include "reports/Carte_Champ.h"
#include "reports/Carte_Regles.h"
#include "station/Controles_Carnet.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Select_Locator::Select_Locator() : Fenetre_Chargee(QStringLiteral("Select_Locator"))
{
    setWindowTitle(QStringLiteral("Selection Locator"));
    Label1 = new QLabel(QStringLiteral("Selection du locator"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont gras = Label1->font();
    gras.setBold(true);
    Label1->setFont(gras);
    Label1->setAlignment(Qt::AlignCenter);
    Liste_Locator = new QComboBox(this);
    Liste_Locator->setObjectName(QStringLiteral("Liste_Locator"));
    Bande_T = new QComboBox(this);
    Bande_T->setObjectName(QStringLiteral("Bande_T"));
    Command1 = new QPushButton(QStringLiteral("Afficher"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Carré"), this), 0, 0);
    g->addWidget(Liste_Locator, 1, 0);
    g->addWidget(new QLabel(QStringLiteral("Bande"), this), 0, 1);
    g->addWidget(Bande_T, 1, 1);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addLayout(g);
    v->addWidget(Command1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Select_Locator::Form_Load()
{
    Liste_Locator->clear();
    Liste_Locator->addItems(cartes::champsChoix());
    Bande_T->clear();
    Bande_T->addItems(cartes::bandesChoix());
    Liste_Locator->setCurrentIndex(4);  // "JN"
    Bande_T->setCurrentIndex(1);        // "144 Mhz"
    adjustSize();
    plateforme::centrer(this);
}

void Select_Locator::Command1_Click()
{
    const QString bande = Bande_T->currentText();
    const QString champ = Liste_Locator->currentText();
    if (Controles_Carnet* c = carnet())
        c->Affiche_Locators(bande, champ, Prog().Compteur_Carte);
    if (Carte_Champ* carte = Carte_Champ::instance(champ)) {
        // A painting that could not read the square file left the window unloaded.
        carte->charger();
        plateforme::montrer(carte);
    }
}
