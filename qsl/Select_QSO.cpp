#include "qsl/Select_QSO.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "qsl/Etiquettes.h"
#include "station/Chargement.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Ouvertures.h"
#include "station/Variables_Programme.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

using plateforme::etiquette;

// Items begin with the QSO number right-aligned: text order is log order.
QListWidget* liste(QWidget* parent, const QString& nom)
{
    return plateforme::listeChasseFixe(parent, nom, QStringLiteral("Terminal"), true);
}

} // namespace

Select_QSO::Select_QSO() : Fenetre_Chargee(QStringLiteral("Select_QSO"))
{
    setWindowTitle(QStringLiteral("Selection QSO"));
    auto* g = new QGridLayout(this);
    g->addWidget(etiquette(this, QStringLiteral("Label1"), QStringLiteral("Selection des QSO pour impression d'etiquettes")),
                 0, 0, 1, 2);
    g->addWidget(etiquette(this, QStringLiteral("Label2"), QStringLiteral("Cliquez sur un QSO pour le selectionner ")), 1, 0);
    Liste_QSO = liste(this, QStringLiteral("Liste_QSO"));
    g->addWidget(Liste_QSO, 2, 0);
    g->addWidget(etiquette(this, QStringLiteral("Label3"),
                           QStringLiteral("QSO selectionné(s) pour impression d'etiquettes . Cliquez sur un QSO pour le "
                                          "déselctionner.")),
                 3, 0);
    Liste_Imprime = liste(this, QStringLiteral("Liste_Imprime"));
    g->addWidget(Liste_Imprime, 4, 0);
    Impression = new QPushButton(QStringLiteral("Impression"), this);
    Impression->setObjectName(QStringLiteral("Impression"));
    g->addWidget(Impression, 5, 0, Qt::AlignRight);
    resize(900, 600);

    plateforme::brancherClic(Liste_QSO, [this] { Liste_QSO_Click(); });
    plateforme::brancherClic(Liste_Imprime, [this] { Liste_Imprime_Click(); });
    connect(Impression, &QPushButton::clicked, this, [this] { Impression_Click(); });
}

void Select_QSO::Afficher()
{
    auto& f = instance();
    f.charger();
    plateforme::montrer(&f);
}

void Select_QSO::Form_Load()
{
    plateforme::centrer(this);
    Chargement& c = Chargement::instance();
    plateforme::montrer(&c);
    Liste_QSO->clear();
    Liste_Imprime->clear();
    try {
        plateforme::LecteurTexte journal(station::nomJournal(Prog().Indicatif_Station));
        // Already in number order: sorted once at the end rather than at each item.
        Liste_QSO->setSortingEnabled(false);
        int numero = 1;
        while (!journal.finFichier()) {
            Liste_QSO->addItem(station::itemListe(numero++, journal.lireLigne()));
            plateforme::ceder();
        }
        Liste_QSO->setSortingEnabled(true);
    } catch (const plateforme::ErreurFichier& e) {
        Liste_QSO->setSortingEnabled(true);
        c.hide();
        plateforme::MsgBox(e.messageFrancais());
        return;
    }
    c.hide();
}

void Select_QSO::deplacer(QListWidget* de, QListWidget* vers)
{
    if (deplacement_)
        return;
    QListWidgetItem* item = de->currentItem();
    if (!item || !item->isSelected())
        return;
    deplacement_ = true;
    vers->addItem(de->takeItem(de->row(item)));
    de->clearSelection();
    de->setCurrentRow(-1);
    vers->clearSelection();
    vers->setCurrentRow(-1);
    deplacement_ = false;
}

void Select_QSO::Liste_QSO_Click()
{
    deplacer(Liste_QSO, Liste_Imprime);
}

void Select_QSO::Liste_Imprime_Click()
{
    deplacer(Liste_Imprime, Liste_QSO);
}

void Select_QSO::Impression_Click()
{
    Etiquettes::Afficher();
}

void Installer_Fenetres_Etiquettes()
{
    ouvertures::definir(QStringLiteral("Select_QSO"), [] { Select_QSO::Afficher(); });
}
