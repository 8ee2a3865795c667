#include "station/Fenetre_Ajout_Activite.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Controles_Carnet.h"
#include "station/Fenetres_Station.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Cles_Registre;

Fenetre_Ajout_Activite::Fenetre_Ajout_Activite() : Fenetre_Chargee(QStringLiteral("Ajout_Activite"))
{
    setWindowTitle(QStringLiteral("Ajout d'une activité"));

    Label1 = new QLabel(QStringLiteral("Ajout d'une Activité"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont gras = Label1->font();
    gras.setBold(true);
    Label1->setFont(gras);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(QStringLiteral("Activités existantes"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Activ_Exist = new QListWidget(this);
    Activ_Exist->setObjectName(QStringLiteral("Activ_Exist"));
    Label3 = new QLabel(QStringLiteral("Nouvelle activité"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Nom_Activ = new QLineEdit(this);
    Nom_Activ->setObjectName(QStringLiteral("Nom_Activ"));
    Command1 = new QPushButton(QStringLiteral("Ajouter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Label4 = new QLabel(QStringLiteral("Utilisez de preference"), this);
    Label4->setObjectName(QStringLiteral("Label4"));

    auto* grille = new QGridLayout;
    grille->addWidget(Label2, 0, 0);
    grille->addWidget(Activ_Exist, 1, 0, 3, 1);
    grille->addWidget(Label3, 1, 1);
    grille->addWidget(Nom_Activ, 2, 1);
    grille->addWidget(Command1, 3, 1, Qt::AlignTop);

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addLayout(grille);
    v->addWidget(Label4);
    const char* const suggestions[] = {
        "DPLF Phares Francais",  "BCA Chateaux Belges",      "IOTA Iles Mondiales", "ARLH Phares Mondiaux",
        "DLI Lacs Italiens",     "DCS Chateaux Suisses",     "DCI Chateaux Italiens", "CASHOTA Chateaux Anglais",
        "WIM Moulins Belges",    "WASL Lacs Suisses",        "WAB Cantons Anglais", "DAI Abbayes Italiennes",
    };
    int n = 5;
    for (const char* s : suggestions) {
        auto* l = new QLabel(QString::fromLatin1(s), this);
        l->setObjectName(QStringLiteral("Label%1").arg(n++));
        v->addWidget(l);
    }

    plateforme::brancherKeyPress(Nom_Activ, [this](int& k) { Nom_Activ_KeyPress(k); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Fenetre_Ajout_Activite::Form_Load()
{
    Activ_Exist->clear();
    Nom_Activ->clear();
    adjustSize();
    plateforme::centrer(this);
    // Index 0, the plain QSO, is not shown.
    const int n = Lit_Station_Entier(NB_Activite, 2, 0, Max_Activites);
    Prog().Nombre_Activites = n;
    for (int i = 1; i < n; ++i)
        Activ_Exist->addItem(Lit_Station(Activite_N(i), QStringLiteral("Err4")));
    Nom_Activ->setFocus();
}

void Fenetre_Ajout_Activite::Nom_Activ_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void Fenetre_Ajout_Activite::Command1_Click()
{
    // The name is stored as typed, empty included.
    const int n = Lit_Station_Entier(NB_Activite, 2, 0, Max_Activites);
    if (n >= Max_Activites) {
        plateforme::MsgBox(QStringLiteral("La liste des activités est pleine (%1 activités).").arg(Max_Activites));
        return;
    }
    if (!Ecrit_Station({{Activite_N(n), Nom_Activ->text()}, {NB_Activite, QString::number(n + 1)}}))
        return;

    if (Controles_Carnet* c = carnet(); c && c->Activ_A) {
        c->Activ_A->clear();
        for (int i = 0; i <= n; ++i)
            c->Activ_A->addItem(Lit_Station(Activite_N(i), QStringLiteral("err5")));
        c->Activ_A->setCurrentIndex(Lit_Station_Entier(Activite, 0, -1, n));
    }
    decharger();
}

bool Fenetre_Ajout_Activite::Form_Unload()
{
    // The activity file mirrors the settings, added to or not.
    try {
        Ecrit_Fichier_Activite();
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais());
    }
    return true;
}
