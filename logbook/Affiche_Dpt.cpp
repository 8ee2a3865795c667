#include "logbook/Affiche_Dpt.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "station/Champs_Ansi.h"
#include "station/Controles_Carnet.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QLabel>
#include <QListWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace affiche_dpt {

namespace {
constexpr int LongueurCle = 134;  // QSO number and the record's columns 1 to 128
}

QStringList qsoDuDepartement(const Modele_Liste_QSO& liste, const QString& code)
{
    QStringList choisis;
    const std::optional<QByteArray> octets = station::ansiExact(code);
    if (!octets)
        return choisis;
    const int debut = station::colonne(station::Champ::Departement_QSO).debut;
    for (int i = 0; i < liste.nombre(); ++i) {
        if (station::ChampAnsi(liste.ligneAnsi(i), debut, 2).complet() == *octets)
            choisis << liste.item(i);
    }
    return choisis;
}

int ligneDeCle(const Modele_Liste_QSO& liste, const QString& cle)
{
    return liste.rangDeCle(cle, LongueurCle);
}

QString entete()
{
    return QStringLiteral("       N°    Date      Indicatif       Debut     Fin    Dpt   Locator   Bande   Mode        "
                          "RstE         RstR              QTH                          Prénom");
}

} // namespace affiche_dpt

Fenetre_Affiche_Dpt::Fenetre_Affiche_Dpt() : Fenetre_Chargee(QStringLiteral("Affiche_Dpt"))
{
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("QSO's effectués par départements"));
    auto* principal = new QVBoxLayout(this);
    auto* haut = new QHBoxLayout;
    Label2 = new QLabel(QStringLiteral("QSO's effectués avec le département "), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Nudep = new QLabel(this);
    Nudep->setObjectName(QStringLiteral("Nudep"));
    haut->addWidget(Label2);
    haut->addWidget(Nudep);
    haut->addStretch(1);
    principal->addLayout(haut);
    const QFont fixe = plateforme::policeChasseFixe();
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The header's words stand further apart than the columns they name: written narrower,
    // they line up over the items.
    QFont etroite = fixe;
    etroite.setStretch(76);
    Label1->setFont(etroite);
    QSO_DU_Dep = new QListWidget(this);
    QSO_DU_Dep->setObjectName(QStringLiteral("QSO_DU_Dep"));
    QSO_DU_Dep->setFont(fixe);
    // Every item is one line of the same length: the list measures one, not each of them.
    QSO_DU_Dep->setUniformItemSizes(true);
    QSO_DU_Dep->setToolTip(QStringLiteral("Double Click sur un ligne pour retour au log"));
    principal->addWidget(Label1);
    principal->addWidget(QSO_DU_Dep, 1);
    connect(QSO_DU_Dep, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { QSO_DU_Dep_DblClick(); });
    resize(1000, 360);
}

void Fenetre_Affiche_Dpt::Form_Load()
{
    plateforme::centrer(this);
    // The header stands over the items: same font, same left margin as the list's text.
    Label1->setText(affiche_dpt::entete());
    Label1->setIndent(QSO_DU_Dep->frameWidth() + 2);
}

bool Fenetre_Affiche_Dpt::Form_Unload()
{
    QSO_DU_Dep->clear();
    return true;
}

void Fenetre_Affiche_Dpt::Ajouter_Departement(const QString& code)
{
    charger();
    if (Controles_Carnet* c = carnet())
        QSO_DU_Dep->addItems(affiche_dpt::qsoDuDepartement(*c->Modele_QSO, code));
    Nudep->setText(code);
    plateforme::montrer(this);
}

void Fenetre_Affiche_Dpt::QSO_DU_Dep_DblClick()
{
    const QListWidgetItem* choisi = QSO_DU_Dep->currentItem();
    if (!choisi)
        return;
    Variables_Programme& v = Prog();
    v.Cle_QSO_Choisi = choisi->text().left(134);
    if (Controles_Carnet* c = carnet()) {
        const int ligne = affiche_dpt::ligneDeCle(*c->Modele_QSO, v.Cle_QSO_Choisi);
        if (ligne >= 0) {
            c->Liste_QSO->setCurrentRow(ligne);  // its click handler makes it the selected QSO
            c->Liste_QSO->scrollToRow(ligne);
        }
    }
    decharger();
}
