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

// Items begin with the QSO number right-aligned: text order is log order. The lists keep that
// order themselves (an entry moved in goes to its place) rather than through the widget's
// sorting, which sorts the whole list again at each insert; all rows have one height, so a
// move does not measure the log's rows again.
QListWidget* liste(QWidget* parent, const QString& nom)
{
    QListWidget* l = plateforme::listeChasseFixe(parent, nom, QStringLiteral("Terminal"), false);
    l->setUniformItemSizes(true);
    return l;
}

// Row where `texte` goes to keep the list in text order.
int rangTrie(const QListWidget* l, const QString& texte)
{
    int bas = 0, haut = l->count();
    while (bas < haut) {
        const int milieu = bas + (haut - bas) / 2;
        if (l->item(milieu)->text() < texte)
            bas = milieu + 1;
        else
            haut = milieu;
    }
    return bas;
}

// Log lines listed per turn of the event loop.
constexpr int LignesParPas = 2000;

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

    // A click runs on the release (the press makes the entry current before selecting it);
    // a selection made from code or from the keyboard runs at once. Neither waits on the
    // other, so a press and release handled in one turn of the event loop still move.
    const auto brancher = [this](QListWidget* l, void (Select_QSO::*clic)()) {
        connect(l, &QListWidget::itemClicked, this, [this, clic] { (this->*clic)(); });
        connect(l, &QListWidget::currentRowChanged, this, [this, clic](int rang) {
            if (rang >= 0)
                (this->*clic)();
        });
    };
    brancher(Liste_QSO, &Select_QSO::Liste_QSO_Click);
    brancher(Liste_Imprime, &Select_QSO::Liste_Imprime_Click);
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
        int numero = 1;
        QStringList pas;
        pas.reserve(LignesParPas);
        while (!journal.finFichier()) {
            pas.append(station::itemListe(numero++, journal.lireLigne()));
            if (pas.size() == LignesParPas || journal.finFichier()) {
                Liste_QSO->addItems(pas);
                pas.clear();
                plateforme::ceder();
            }
        }
    } catch (const plateforme::ErreurFichier& e) {
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
    // Pressed but not yet selected: the click itself follows.
    QListWidgetItem* item = de->currentItem();
    if (!item || !item->isSelected())
        return;
    deplacement_ = true;
    QListWidgetItem* pris = de->takeItem(de->row(item));
    vers->insertItem(rangTrie(vers, pris->text()), pris);
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
