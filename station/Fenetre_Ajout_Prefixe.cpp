#include "station/Fenetre_Ajout_Prefixe.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Fenetre_Ajout_Prefixe::Fenetre_Ajout_Prefixe() : Fenetre_Chargee(QStringLiteral("Ajout_Prefixe"))
{
    setWindowTitle(QStringLiteral("Ajout Prefixe"));

    Label1 = new QLabel(QStringLiteral("Ajout d'un prefixe"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont gras = Label1->font();
    gras.setBold(true);
    Label1->setFont(gras);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(QStringLiteral("Prefixe"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    N_Prefixe = new QLineEdit(this);
    N_Prefixe->setObjectName(QStringLiteral("N_Prefixe"));
    Label3 = new QLabel(QStringLiteral("Nom du Pays"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    N_Pays = new QLineEdit(this);
    N_Pays->setObjectName(QStringLiteral("N_Pays"));
    Ajouter = new QPushButton(QStringLiteral("Ajouter"), this);
    Ajouter->setObjectName(QStringLiteral("Ajouter"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(Label2);
    v->addWidget(N_Prefixe);
    v->addWidget(Label3);
    v->addWidget(N_Pays);
    v->addWidget(Ajouter, 0, Qt::AlignHCenter);

    connect(Ajouter, &QPushButton::clicked, this, [this] { Ajouter_Click(); });
}

void Fenetre_Ajout_Prefixe::Form_Load()
{
    N_Prefixe->clear();
    N_Pays->clear();
    adjustSize();
    plateforme::centrer(this);
}

void Fenetre_Ajout_Prefixe::Ajouter_Click()
{
    // Written as typed; a prefix already listed is not looked for.
    const QString prefixe = N_Prefixe->text();
    const QString pays = N_Pays->text();
    const QString message = Ajout_Prefixe::Controle(prefixe, pays);
    if (!message.isEmpty()) {
        plateforme::MsgBox(message);
        return;
    }
    try {
        plateforme::ajouterLigne(station::fichierPrefixe(), Ajout_Prefixe::Ligne_Prefixe(prefixe, pays));
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais());
        return;
    }
    // Hidden, not unloaded: the fields keep their text for the next time.
    hide();
}
