#include "station/Fenetre_Gestion_Erreur.h"

#include "platform/Dialogues.h"
#include "station/Cles_Registre.h"
#include "station/Variables_Programme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte = QString())
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    return l;
}

} // namespace

Fenetre_Gestion_Erreur::Fenetre_Gestion_Erreur() : Fenetre_Chargee(QStringLiteral("Gestion_Erreur"))
{
    setWindowTitle(QStringLiteral("Erreur"));

    Label2 = etiquette(this, "Label2", QStringLiteral("ERREUR 53"));
    QFont gras = Label2->font();
    gras.setBold(true);
    Label2->setFont(gras);
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = etiquette(this, "Label3", QStringLiteral("Velmarin a trouvé dans la base de registre l'indicatif  : "));
    Ind_Station = etiquette(this, "Ind_Station");
    Label6 = etiquette(this, "Label6",
                       QStringLiteral("Il n'a par contre pas trouvé dans son repertoire le fichier "));
    Ind_Station1 = etiquette(this, "Ind_Station1");
    Err_Departement = etiquette(this, "Err_Departement");
    Label7 = etiquette(this, "Label7",
                       QStringLiteral("Pour remedier a cet etat, cliquez sur \" Initialiser\" et relancez Velmarin"));
    Label8 = etiquette(this, "Label8", QStringLiteral("L'indicatif affiché sera alors FXXXX "));
    Label9 = etiquette(this, "Label9",
                       QStringLiteral("une boite de dialogue vous demandera alors de specifier votre indicatif"));
    Initialisation = new QPushButton(QStringLiteral("Initialiser"), this);
    Initialisation->setObjectName(QStringLiteral("Initialisation"));
    Quitter = new QPushButton(QStringLiteral("Quitter"), this);
    Quitter->setObjectName(QStringLiteral("Quitter"));

    auto* ligne1 = new QHBoxLayout;
    ligne1->setSpacing(0);
    ligne1->addWidget(Label3);
    ligne1->addWidget(Ind_Station);
    ligne1->addStretch();
    // The two labels after Label6 spell the file name.
    auto* ligne2 = new QHBoxLayout;
    ligne2->setSpacing(0);
    ligne2->addWidget(Label6);
    ligne2->addWidget(Ind_Station1);
    ligne2->addWidget(Err_Departement);
    ligne2->addStretch();
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Initialisation);
    boutons->addWidget(Quitter);
    boutons->addStretch();

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label2);
    v->addLayout(ligne1);
    v->addLayout(ligne2);
    v->addWidget(Label7);
    v->addWidget(Label8);
    v->addWidget(Label9);
    v->addLayout(boutons);

    connect(Initialisation, &QPushButton::clicked, this, [this] { Initialisation_Click(); });
    connect(Quitter, &QPushButton::clicked, this, [this] { Quitter_Click(); });
}

void Fenetre_Gestion_Erreur::Form_Load()
{
    Ind_Station->setText(Prog().Indicatif_Station);
    Ind_Station1->setText(Prog().Indicatif_Station);
    adjustSize();
    plateforme::centrer(this);
}

void Fenetre_Gestion_Erreur::Initialisation_Click()
{
    // The next start asks for the station again.
    Ecrit_Setup({{Cles_Registre::Indicatif_Station, Cles_Registre::Indicatif_Vide},
                 {Cles_Registre::Locator_Station, Cles_Registre::Locator_Vide}});
    plateforme::terminerProgramme();
}

void Fenetre_Gestion_Erreur::Quitter_Click()
{
    plateforme::terminerProgramme();
}
