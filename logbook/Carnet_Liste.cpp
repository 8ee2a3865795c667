// The QSO list of the main window: select a QSO, recall it into the entry fields, edit it,
// cancel the entry or the edit, delete a QSO.
#include "logbook/Carnet.h"
#include "station/Retenue_Actions.h"

#include "logbook/Carnet_Grille.h"
#include "logbook/Regles_Saisie.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Couleurs_Etat.h"
#include "station/Journal.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Field map of the recall and the edit: list column and width of each field.
struct Position {
    int debut;
    int largeur;
};
constexpr Position PosIndicatif{17, 12};
constexpr Position PosDepartement{43, 3};
constexpr Position PosLocator{48, 6};
constexpr Position PosBande{56, 8};
constexpr Position PosMode{66, 7};
constexpr Position PosDate{7, 8};
constexpr Position PosDebut{29, 5};
constexpr Position PosFin{36, 5};
constexpr Position PosRSTE{75, 8};
constexpr Position PosRSTR{85, 8};
constexpr Position PosPrenom{117, 15};
constexpr Position PosQTH{95, 20};
constexpr Position PosEtatQSL{141, 1};
constexpr Position PosActivite{171, 2};
constexpr Position PosRemarques{175, 30};
constexpr Position PosNumero{1, 5};

QString lire(const QString& item, Position p)
{
    return saisie::champItem(item, p.debut, p.largeur);
}

// The text of a combo box as the code writes it.
void fixerTexte(QComboBox* liste, const QString& texte)
{
    if (liste->isEditable())
        liste->setEditText(texte);
    else
        liste->setCurrentIndex(liste->findText(texte));
}

void message(const QString& texte)
{
    plateforme::MsgBox(texte);
}

} // namespace

void Carnet::choisirItem(QComboBox* liste, int index)
{
    if (index < 0 || index >= liste->count())
        index = -1;
    if (liste->currentIndex() == index) {
        if (liste->isEditable())
            liste->setEditText(index >= 0 ? liste->itemText(index) : QString());
        return;
    }
    liste->setCurrentIndex(index);
}

void Carnet::selectionnerLigne(int rang)
{
    if (rang < 0 || rang >= Liste_QSO->count())
        rang = -1;
    if (Liste_QSO->currentRow() != rang)
        Liste_QSO->setCurrentRow(rang);  // the list's click handler runs through its signal
    else
        Liste_QSO_Click();
    if (rang >= 0)
        Liste_QSO->scrollToRow(rang);
}

void Carnet::afficherMarquesQSL(const QString& item)
{
    QSLE_A->clear();
    QSLR_A->clear();
    const saisie::MarquesQSL m = saisie::marquesQSL(lire(item, PosEtatQSL));
    if (m.envoyee)
        QSLE_A->setText(QStringLiteral("X"));
    if (m.recue)
        QSLR_A->setText(QStringLiteral("X"));
}

void Carnet::Liste_QSO_Click()
{
    Prog().Ligne_Selectionnee = Modele_QSO->item(Liste_QSO->currentRow());
}

void Carnet::Liste_QSO_DblClick()
{
    auto& p = Prog();
    const int rang = Liste_QSO->currentRow();
    if (rang < 0)
        return;
    const QString item = Modele_QSO->item(rang);
    p.Ligne_Selectionnee = item;
    p.Numero_QSO_Modifie = Liste_QSO->currentRow() + 1;
    if (p.Edition_En_Cours)
        Item_En_Edition = item;  // "Valider" now replaces this line
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Numero_QSO_Modifie));
    Editer->setEnabled(true);
    Effacer->setEnabled(true);

    Bande_A->setEnabled(false);
    Indicatif_A->setEnabled(false);
    Indicatif_A->setText(lire(item, PosIndicatif));
    Depart_A->setEnabled(false);
    Depart_A->setText(lire(item, PosDepartement));
    Locator_A->setEnabled(false);
    Locator_A->setText(lire(item, PosLocator));
    fixerTexte(Bande_A, lire(item, PosBande));
    fixerTexte(Mode_A, lire(item, PosMode));
    Date_A->setText(lire(item, PosDate));
    Debut_A->setText(lire(item, PosDebut));
    Fin_A->setText(lire(item, PosFin));
    RSTE_A->setText(lire(item, PosRSTE));
    RSTR_A->setText(lire(item, PosRSTR));
    Prenom_A->setText(lire(item, PosPrenom));
    Prenom_A->setEnabled(false);
    QTH_A->setText(lire(item, PosQTH));
    QTH_A->setEnabled(false);

    afficherMarquesQSL(item);
    afficherAzimutDistance();
    Remarques_A->setText(lire(item, PosRemarques));
    Remarques_A->setEnabled(false);
}

void Carnet::Editer_Click()
{
    auto& p = Prog();
    const QString item = Modele_QSO->item(Liste_QSO->rangSelectionne());
    if (item.isEmpty()) {
        message(QStringLiteral("Selectionnez d'abord un QSO"));
        return;
    }
    p.Edition_En_Cours = true;
    // The line loaded here is the one "Valider" replaces, whatever is clicked meanwhile.
    Item_En_Edition = item;
    p.Numero_QSO_Modifie = Liste_QSO->currentRow() + 1;

    const auto champ = [&item](QLineEdit* c, Position pos) {
        c->clear();
        c->setEnabled(true);
        c->setText(lire(item, pos));
    };
    const auto liste = [&item](QComboBox* c, const QString& defaut, Position pos) {
        fixerTexte(c, defaut);
        c->setEnabled(true);
        fixerTexte(c, lire(item, pos));
    };
    champ(Indicatif_A, PosIndicatif);
    champ(Depart_A, PosDepartement);
    champ(Locator_A, PosLocator);
    liste(Bande_A, QStringLiteral("144 Mhz"), PosBande);
    liste(Mode_A, QStringLiteral("SSB"), PosMode);
    champ(Date_A, PosDate);
    champ(Debut_A, PosDebut);
    champ(Fin_A, PosFin);
    champ(RSTE_A, PosRSTE);
    champ(RSTR_A, PosRSTR);
    champ(Prenom_A, PosPrenom);
    champ(QTH_A, PosQTH);

    // The QSL marks are shown, not edited.
    QSLE_A->setEnabled(true);
    QSLR_A->setEnabled(true);
    afficherMarquesQSL(item);
    QSLE_A->setEnabled(false);
    QSLR_A->setEnabled(false);

    afficherAzimutDistance();

    Activ_A->setEnabled(true);
    choisirItem(Activ_A, qRound(Valeur_Numerique(lire(item, PosActivite))));
    Remarques_A->setEnabled(true);
    Remarques_A->setText(lire(item, PosRemarques));

    Enregistrer->setEnabled(true);
    Enregistrer->setText(QStringLiteral("Valider"));
    activerBouton(Recherche, false);
    Editer->setEnabled(false);
    Effacer->setEnabled(false);
    activerBouton(Gestion_QSL, false);
    Frame4->setTitle(QStringLiteral("QSO numéro ") + lire(item, PosNumero));
    // The keys go to the first field the edit opens, not past the button it disabled.
    Indicatif_A->setFocus();
}

namespace {

// The entry fields' texts and colours of the idle row (cancel and delete).
void viderSaisie(Carnet& c)
{
    for (QLineEdit* e : {c.Indicatif_A, c.Depart_A, c.Locator_A, c.Date_A, c.Debut_A, c.Fin_A, c.Prenom_A, c.QTH_A,
                         c.Remarques_A, c.Distance_A, c.Azimut_A})
        e->clear();
    c.RSTR_A->setText(QStringLiteral("59"));
    c.RSTE_A->setText(QStringLiteral("59"));
    c.QSLE_A->setEnabled(false);
    c.QSLE_A->clear();
    c.QSLR_A->setEnabled(false);
    c.QSLR_A->clear();
}

void colorerSaisieRemplie(Carnet& c)
{
    for (QWidget* w : {static_cast<QWidget*>(c.Indicatif_A), static_cast<QWidget*>(c.Depart_A),
                       static_cast<QWidget*>(c.Locator_A), static_cast<QWidget*>(c.Bande_A),
                       static_cast<QWidget*>(c.Mode_A), static_cast<QWidget*>(c.Activ_A),
                       static_cast<QWidget*>(c.Date_A), static_cast<QWidget*>(c.Debut_A),
                       static_cast<QWidget*>(c.Fin_A), static_cast<QWidget*>(c.RSTR_A),
                       static_cast<QWidget*>(c.RSTE_A), static_cast<QWidget*>(c.Prenom_A),
                       static_cast<QWidget*>(c.QTH_A), static_cast<QWidget*>(c.Remarques_A)})
        Couleurs_Etat::colorer(w, Couleurs_Etat::rempli());
}

// Band and callsign open, every other entry field closed, the callsign to fill.
void ouvrirIndicatif(Carnet& c)
{
    c.Bande_A->setEnabled(true);
    c.Indicatif_A->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(c.Depart_A), static_cast<QWidget*>(c.Locator_A),
                       static_cast<QWidget*>(c.Mode_A), static_cast<QWidget*>(c.Activ_A),
                       static_cast<QWidget*>(c.Date_A), static_cast<QWidget*>(c.Debut_A),
                       static_cast<QWidget*>(c.Fin_A), static_cast<QWidget*>(c.RSTR_A),
                       static_cast<QWidget*>(c.RSTE_A), static_cast<QWidget*>(c.Prenom_A),
                       static_cast<QWidget*>(c.QTH_A), static_cast<QWidget*>(c.Remarques_A)})
        w->setEnabled(false);
    c.Indicatif_A->setFocus();
    Couleurs_Etat::colorer(c.Indicatif_A, Couleurs_Etat::aRemplir());
}

} // namespace

void Carnet::Annuler_Click()
{
    auto& p = Prog();
    remettreBandeSaisie();
    choisirItem(Activ_A, Lit_Station_Entier(Cles_Registre::Activite, 0, -1, Activ_A->count() - 1));
    choisirItem(Mode_A, Lit_Station_Entier(Cles_Registre::Mode_Utilise, 0, -1, Mode_A->count() - 1));

    p.Edition_En_Cours = false;
    Item_En_Edition.clear();
    p.Oublier_QSO_En_Cours();
    Enregistrer->setText(QStringLiteral("QSO Suivant"));
    viderSaisie(*this);
    colorerSaisieRemplie(*this);

    // The grid loses the highlight of a new department: repainted for the entry band, and
    // captioned after the painting so that the caption names what the grid shows.
    for (QLineEdit* d : Dpt)
        Couleurs_Etat::colorer(d, Couleurs_Etat::rempli());
    const QString bande = Bande_A->currentText();
    if (!Affiche_Departements(bande, p.Compteur_Carte))
        return;
    Frame3->setTitle(Titre_Departements(p.Compteur_Carte, bande));

    Label5->setText(QStringLiteral("Indicatif"));
    ouvrirIndicatif(*this);
    Enregistrer->setEnabled(false);
    Annuler->setEnabled(true);
    activerBouton(Recherche, true);
    Editer->setEnabled(false);
    Effacer->setEnabled(false);
    activerBouton(Gestion_QSL, true);
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Nombre_QSO + 1));
}

void Carnet::Effacer_Click()
{
    if (!station::Action_Permise())
        return;
    auto& p = Prog();
    const QString item = Modele_QSO->item(Liste_QSO->rangSelectionne());
    if (item.isEmpty()) {
        message(QStringLiteral("Selectionnez d'abord un QSO"));
        return;
    }
    const QString indicatif = lire(item, PosIndicatif);
    if (plateforme::MsgBox(QStringLiteral("Effacer le QSO avec la station ") + indicatif + QStringLiteral(" ?"),
                           plateforme::Boutons::OuiNon) != plateforme::Reponse::Oui)
        return;
    try {
        Supprime_QSO();
    } catch (const plateforme::ErreurFichier& e) {
        message(QStringLiteral("Le QSO avec %1 n'a pas été effacé.\r\n").arg(indicatif) + e.messageFrancais());
        return;
    }
    // The award status files keep the marks the QSO earned.

    p.Edition_En_Cours = false;
    Item_En_Edition.clear();
    p.Oublier_QSO_En_Cours();
    Enregistrer->setText(QStringLiteral("QSO Suivant"));
    viderSaisie(*this);
    // The band shown is put back with the lookups' band; the recalled QSO's stays nowhere.
    remettreBandeSaisie();
    fixerTexte(Mode_A, QStringLiteral("SSB"));
    colorerSaisieRemplie(*this);
    ouvrirIndicatif(*this);
    Enregistrer->setEnabled(false);
    Annuler->setEnabled(true);
    activerBouton(Recherche, true);
    Editer->setEnabled(false);
    Effacer->setEnabled(false);

    // The count and the next QSO number follow the list.
    p.Nombre_QSO = Liste_QSO->count();
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Nombre_QSO + 1));
    selectionnerLigne(Liste_QSO->count() - 1);
}
