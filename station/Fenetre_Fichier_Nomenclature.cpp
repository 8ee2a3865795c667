#include "station/Fenetre_Fichier_Nomenclature.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Fenetres_Station.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

Fenetre_Fichier_Nomenclature::Fenetre_Fichier_Nomenclature()
    : Fenetre_Chargee(QStringLiteral("Fichier_Nomenclature"))
{
    setWindowTitle(QStringLiteral("Edition du fichier Nomenclature.txt"));

    const auto etiquette = [this](const char* nom, const QString& texte) {
        auto* l = new QLabel(texte, this);
        l->setObjectName(QString::fromLatin1(nom));
        return l;
    };
    const auto saisie = [this](const char* nom) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(nom));
        return e;
    };
    const auto bouton = [this](const char* nom, const QString& texte) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QString::fromLatin1(nom));
        b->setAutoDefault(false);
        return b;
    };

    Label1 = etiquette("Label1", QStringLiteral("Edition du fichier Nomenclature"));
    QFont gras = Label1->font();
    gras.setBold(true);
    Label1->setFont(gras);
    Label1->setAlignment(Qt::AlignCenter);

    Liste_Nomenclature = new QListWidget(this);
    Liste_Nomenclature->setObjectName(QStringLiteral("Liste_Nomenclature"));
    // Fixed pitch, so that the columns of the records line up.
    const QFont terminal = plateforme::policeChasseFixe(QStringLiteral("Terminal"));
    Liste_Nomenclature->setFont(terminal);
    Liste_Nomenclature->setToolTip(
        QStringLiteral("Clickez sur une ligne pour editer l'indicatif le departement ou le locator"));
    Liste_Nomenclature->setMinimumWidth(QFontMetrics(terminal).horizontalAdvance(QString(26, QLatin1Char('W'))));

    Label2 = etiquette("Label2", QStringLiteral("Indicatif"));
    Ind_Edit = saisie("Ind_Edit");
    Label3 = etiquette("Label3", QStringLiteral("Dpt"));
    Dep_Edit = saisie("Dep_Edit");
    Label4 = etiquette("Label4", QStringLiteral("Locator"));
    Loc_Edit = saisie("Loc_Edit");
    Ajouter = bouton("Ajouter", QStringLiteral("Ajouter"));
    Editer = bouton("Editer", QStringLiteral("Editer"));
    Supprimer = bouton("Supprimer", QStringLiteral("Supprimer"));

    auto* champs = new QGridLayout;
    champs->addWidget(Label2, 0, 0);
    champs->addWidget(Label3, 0, 1);
    champs->addWidget(Label4, 0, 2);
    champs->addWidget(Ind_Edit, 1, 0);
    champs->addWidget(Dep_Edit, 1, 1);
    champs->addWidget(Loc_Edit, 1, 2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Ajouter);
    boutons->addWidget(Editer);
    boutons->addWidget(Supprimer);

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(Liste_Nomenclature, 1);
    v->addLayout(champs);
    v->addLayout(boutons);

    connect(Liste_Nomenclature, &QListWidget::currentRowChanged, this, [this](int ligne) {
        if (ligne >= 0)
            Liste_Nomenclature_Click();
    });
    connect(Liste_Nomenclature, &QListWidget::itemClicked, this, [this] { Liste_Nomenclature_Click(); });
    plateforme::brancherKeyPress(Ind_Edit, [this](int& k) { Ind_Edit_KeyPress(k); });
    plateforme::brancherKeyPress(Loc_Edit, [this](int& k) { Loc_Edit_KeyPress(k); });
    connect(Ajouter, &QPushButton::clicked, this, [this] { Ajouter_Click(); });
    connect(Editer, &QPushButton::clicked, this, [this] { Editer_Click(); });
    connect(Supprimer, &QPushButton::clicked, this, [this] { Supprimer_Click(); });
}

void Fenetre_Fichier_Nomenclature::Form_Load()
{
    Vide_Saisie();
    resize(sizeHint().expandedTo(QSize(0, 400)));
    plateforme::centrer(this);
    Charge_Nomenclature();
}

void Fenetre_Fichier_Nomenclature::Charge_Nomenclature()
{
    // Read before the list is touched: a missing file leaves the list as it was.
    const QStringList lignes = station::lireNomenclature();
    const QSignalBlocker bloque(Liste_Nomenclature);
    Liste_Nomenclature->clear();
    Prog().Locator_Correspondant.clear();
    Liste_Nomenclature->addItems(lignes);
}

void Fenetre_Fichier_Nomenclature::Liste_Nomenclature_Click()
{
    const QListWidgetItem* item = Liste_Nomenclature->currentItem();
    if (!item)
        return;
    QString indicatif, departement, locator;
    station::champsNomenclature(item->text(), indicatif, departement, locator);
    Ind_Edit->setText(indicatif);
    Dep_Edit->setText(departement);
    Loc_Edit->setText(locator);
}

void Fenetre_Fichier_Nomenclature::Ind_Edit_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void Fenetre_Fichier_Nomenclature::Loc_Edit_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

namespace {

QStringList textes(const QListWidget* liste)
{
    QStringList t;
    t.reserve(liste->count());
    for (int i = 0; i < liste->count(); ++i)
        t << liste->item(i)->text();
    return t;
}

} // namespace

void Fenetre_Fichier_Nomenclature::Ajouter_Click()
{
    const QString ind = Ind_Edit->text();
    const QString dep = Dep_Edit->text();
    const QString loc = Loc_Edit->text();
    const QString message = Fichier_Nomenclature::Controle_Ajout(ind, dep, loc, textes(Liste_Nomenclature));
    if (!message.isEmpty()) {
        plateforme::MsgBox(message);
        return;
    }
    // A new record goes to the end of the list, and so of the file.
    {
        const QSignalBlocker bloque(Liste_Nomenclature);
        Liste_Nomenclature->addItem(station::itemNomenclature(ind, dep, loc));
    }
    Vide_Saisie();
}

void Fenetre_Fichier_Nomenclature::Editer_Click()
{
    const QString ind = Ind_Edit->text();
    const QString dep = Dep_Edit->text();
    const QString loc = Loc_Edit->text();
    const QString message = Fichier_Nomenclature::Controle_Edition(ind, dep, loc);
    if (!message.isEmpty()) {
        plateforme::MsgBox(message);
        return;
    }
    QListWidgetItem* item = Liste_Nomenclature->currentItem();
    if (!item || !item->isSelected()) {
        // Text typed with no line chosen: nothing to replace.
        plateforme::MsgBox(QStringLiteral("Selectionnez une ligne d'abord"));
        return;
    }
    // The edited record keeps its place in the list.
    item->setText(station::itemNomenclature(ind, dep, loc));
    Vide_Saisie();
}

void Fenetre_Fichier_Nomenclature::Supprimer_Click()
{
    if (Ind_Edit->text().isEmpty()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez une ligne d'abord"));
        return;
    }
    QListWidgetItem* item = Liste_Nomenclature->currentItem();
    if (!item || !item->isSelected()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez une ligne d'abord"));
        return;
    }
    {
        // No other line gets chosen by the removal.
        const QSignalBlocker bloque(Liste_Nomenclature);
        delete Liste_Nomenclature->takeItem(Liste_Nomenclature->row(item));
        Liste_Nomenclature->setCurrentRow(-1);
        Liste_Nomenclature->clearSelection();
    }
    Ind_Edit->clear();
    Loc_Edit->clear();
}

bool Fenetre_Fichier_Nomenclature::Form_Unload()
{
    const auto r = plateforme::MsgBox(QStringLiteral("Sauvegarder fichier Nomenclature.txt avant de quitter?"),
                                      plateforme::Boutons::OuiNon);
    if (r != plateforme::Reponse::Oui)
        return true;
    try {
        // Replaced in one step: the directory is at every instant the old or the new list.
        station::ecrireNomenclature(textes(Liste_Nomenclature));
    } catch (const plateforme::ErreurFichier& e) {
        // The list stays on screen so that nothing typed is lost.
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Sauvegarde du fichier Nomenclature.txt")));
        return false;
    }
    return true;
}

void Fenetre_Fichier_Nomenclature::Vide_Saisie()
{
    Ind_Edit->clear();
    Dep_Edit->clear();
    Loc_Edit->clear();
}
