#include "station/Fenetre_Progression.h"

#include "platform/Dialogues.h"
#include "station/Fichiers_Etat.h"

#include <QLabel>
#include <QVBoxLayout>

Fenetre_Progression::Fenetre_Progression() : Fenetre_Chargee(QStringLiteral("Progression"))
{
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("Mise a jour"));
    setWindowModality(Qt::ApplicationModal);
    auto* disposition = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Progression de la mise a jour"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3 = new QLabel(QStringLiteral("Ligne N°1"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1->setAlignment(Qt::AlignCenter);
    Label3->setAlignment(Qt::AlignCenter);
    disposition->addWidget(Label1);
    disposition->addWidget(Label3);
    resize(300, 90);
}

void Fenetre_Progression::Form_Load()
{
    plateforme::centrer(this);
}

void Fenetre_Progression::Ouvrir()
{
    charger();
    plateforme::montrer(this);
}

void Fenetre_Progression::Afficher_Ligne(int n)
{
    Label3->setText(QStringLiteral("Lecture du log ligne n° ") + station::texteNombre(n));
}

void Fenetre_Progression::Terminer()
{
    Label3->setText(QStringLiteral("Mise a jour terminée"));
}
