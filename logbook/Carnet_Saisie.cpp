// The entry chain of the main window: each field is opened when its turn comes, Enter checks
// it, makes its lookups and hands over to the next field.
#include "logbook/Carnet.h"

#include "logbook/Carnet_Grille.h"
#include "logbook/Regles_Saisie.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Couleurs_Etat.h"
#include "station/Dates.h"
#include "station/Fichiers_Etat.h"
#include "station/Geometrie.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int Entree = 13;
constexpr int Plus = 43;
constexpr int RetourArriere = 8;

void message(const QString& texte)
{
    plateforme::MsgBox(texte);
}

bool enEdition()
{
    return Prog().Edition_En_Cours;
}

// The automatic separator after the digits typed so far; an erasing key never adds one.
void ajouterSeparateur(QLineEdit* champ, QChar separateur, int KeyAscii)
{
    if (KeyAscii == RetourArriere)
        return;
    champ->setText(champ->text() + separateur);
    champ->end(false);
}

} // namespace

// ---- Shared by the chain, the save and the list ----

int Carnet::indexListe(const QComboBox* liste)
{
    const QString texte = liste->currentText();
    const int i = liste->currentIndex();
    if (i >= 0 && liste->itemText(i) == texte)
        return i;
    return liste->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void Carnet::passerAuChamp(QWidget* courant, QWidget* suivant, int curseur)
{
    Couleurs_Etat::colorer(courant, Couleurs_Etat::rempli());
    Couleurs_Etat::colorer(suivant, Couleurs_Etat::aRemplir());
    suivant->setEnabled(true);
    suivant->setFocus();
    if (auto* champ = qobject_cast<QLineEdit*>(suivant); champ && curseur >= 0)
        champ->setCursorPosition(curseur);
}

void Carnet::afficherAzimutDistance()
{
    auto& p = Prog();
    const QString station = L_Station->text();
    const QString locator = Locator_A->text();
    if (locator.isEmpty()) {
        Azimut_A->setText(QStringLiteral("?"));
        Distance_A->setText(QStringLiteral("?"));
    } else if (locator == station) {
        Azimut_A->setText(QStringLiteral("?"));
        Distance_A->setText(QStringLiteral("0"));
    } else {
        Calcul_Azimut(station, locator);
        Azimut_A->setText(QString::number(double(p.Azimut_Calcule), 'f', 0));
        Calcul_Distance(station, locator);
        Distance_A->setText(p.Distance_Calculee);
    }
}

QString Carnet::heureChoisie() const
{
    return (Mnu_UTC_Oui->isChecked() ? Lit_Heure_UTC() : Lit_Heure_Locale()).left(5);
}

QString Carnet::dateChoisie() const
{
    return Mnu_UTC_Oui->isChecked() ? Lit_Date_UTC() : Lit_Date_Locale();
}

// ---- Band, callsign, department, locator ----

void Carnet::Bande_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree || enEdition())
        return;
    auto& p = Prog();
    p.Bande_Courante = Bande_A->currentText();

    // The grid follows the entry band (item 0 for a typed text); choosing the same item again
    // repaints it all the same.
    const int index = indexListe(Bande_A);
    const int indexGrille = index >= 0 ? index : 0;
    if (Bande_Grille->currentIndex() != indexGrille)
        Bande_Grille->setCurrentIndex(indexGrille);
    else
        Bande_Grille_Click();
    Frame3->setTitle(Titre_Departements(p.Compteur_Carte, p.Bande_Affichee));

    if (!saisie::estBandeListee(p.Bande_Courante)) {
        message(QStringLiteral("Attention vous ne pouver selectionner que les bandes proposées"));
        Bande_A->setEditText(QStringLiteral("144 MHz"));
        return;
    }
    Couleurs_Etat::colorer(Bande_A, Couleurs_Etat::rempli());
    Couleurs_Etat::colorer(Indicatif_A, Couleurs_Etat::aRemplir());
    Indicatif_A->setEnabled(true);
    Option1[1]->setChecked(true);
    Indicatif_A->setFocus();
    Ecrit_Station(Cles_Registre::Bande_Utilisee, QString::number(index));
    // What the callsign, department and locator checks found holds for the band they looked
    // on: a QSO on this band is checked again from its callsign.
    p.Oublier_QSO_En_Cours();
}

void Carnet::remettreBandeSaisie()
{
    auto& p = Prog();
    p.Index_Bande = Lit_Station_Entier(Cles_Registre::Bande_Utilisee, 0, -1, Bande_A->count() - 1);
    choisirItem(Bande_A, int(p.Index_Bande));
    p.Bande_Courante = Bande_A->currentText();
}

void Carnet::Indicatif_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    KeyAscii = 0;
    if (enEdition())
        return;
    auto& p = Prog();
    const QString texte = Indicatif_A->text();
    // Blanks alone are no callsign either.
    if (texte.trimmed().isEmpty()) {
        message(QStringLiteral("Attention vous devez entrer un indicatif"));
        return;
    }
    if (texte.size() >= 13) {
        message(QStringLiteral("Attention 12 caracteres maxi pour l'indicatif"));
        return;
    }
    p.Indicatif_Saisi = texte.toUpper();

    // History: the oldest QSO with this callsign gives the first name and the date.
    const saisie::Historique h = saisie::chercheHistorique(
        Modele_QSO->nombre(),
        [this, &texte](int i) {
            // Only a row whose callsign columns read `texte` (never empty here) is decoded whole.
            return Modele_QSO->champEgal(i, 17, 12, texte) ? Modele_QSO->item(i) : QString();
        },
        texte);
    if (h.libelle == saisie::Historique::Contacte) {
        Prenom_A->setText(h.prenom);
        Label5->setText(QStringLiteral("Contacté le ") + h.date);
    } else if (h.libelle == saisie::Historique::NouvelIndicatif) {
        Label5->setText(QStringLiteral("Nouvel indicatif"));
    }

    try {
        QString etat;
        QString pays;
        QString prefixe = p.Prefixe_Trouve;  // an unknown prefix leaves the previous one
        if (!Cherche_Prefixe(p.Indicatif_Saisi, p.Bande_Courante, etat, pays, prefixe))
            return;
        p.Prefixe_Trouve = prefixe;
        p.Prefixe_Nouveau = Valeur_Numerique(etat) == 0 ? QStringLiteral("O") : QStringLiteral("N");

        QString departement;
        QString locator;
        Cherche_Nomenclature(p.Indicatif_Saisi, departement, locator);
        p.Departement_Lu = departement;
        p.Locator_Lu = locator;
        p.Locator_Correspondant = locator;
        p.Departement_Saisi = departement;
        if (departement == QLatin1String("96") || departement == QLatin1String("97"))
            p.Departement_Saisi = saisie::departementAffiche(departement);
    } catch (const plateforme::ErreurFichier& e) {
        message(e.messageFrancais());
        return;
    }

    // Both fields are prefilled from the directory, even when their turn never comes.
    Depart_A->setText(p.Departement_Saisi);
    Locator_A->setText(p.Locator_Correspondant);

    switch (saisie::suiteApresIndicatif(p.Prefixe_Trouve, p.Bande_Courante)) {
    case saisie::Suite::Departement:
        passerAuChamp(Indicatif_A, Depart_A);
        break;
    case saisie::Suite::Mode:
        Couleurs_Etat::colorer(Depart_A, Couleurs_Etat::rempli());
        passerAuChamp(Indicatif_A, Mode_A);
        break;
    case saisie::Suite::Locator:
        Couleurs_Etat::colorer(Depart_A, Couleurs_Etat::rempli());
        passerAuChamp(Indicatif_A, Locator_A);
        break;
    }
}

void Carnet::Depart_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree)
        return;
    if (Depart_A->text().size() > 2) {
        message(QStringLiteral("Attention 2 caracteres pour le departement"));
        return;
    }
    if (enEdition())
        return;
    auto& p = Prog();
    QString texte = Depart_A->text();
    if (texte == QLatin1String("2A") || texte == QLatin1String("2B")) {
        texte = texte.toLower();
        Depart_A->setText(texte);
    }
    p.Departement_Saisi = saisie::departementCle(texte);

    QString etat;
    QString nom;
    QString ligne;
    try {
        Lit_Etat_Departement(p.Departement_Saisi, etat, nom, p.Bande_Courante, ligne);
    } catch (const plateforme::ErreurFichier& e) {
        message(e.messageFrancais());
        return;
    }
    p.Etat_Departement_Saisi = etat;
    if (etat == QLatin1String("0")) {
        message(QStringLiteral("Attention nouveau département le ") + saisie::departementAffiche(p.Departement_Saisi) +
                QLatin1Char(' ') + nom);
        const int cellule = grille::celluleDepartement(p.Departement_Saisi);
        if (cellule >= 0)
            Couleurs_Etat::colorer(Dpt[size_t(cellule)], Couleurs_Etat::nouveauDepartement());
    }

    if (saisie::suiteApresDepartement(p.Bande_Courante) == saisie::Suite::Mode) {
        passerAuChamp(Depart_A, Mode_A);
    } else {
        Locator_A->setText(p.Locator_Correspondant);
        passerAuChamp(Depart_A, Locator_A);
    }
}

void Carnet::Locator_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    if (enEdition())
        return;
    auto& p = Prog();
    p.Nouveau_Carre.clear();
    const QString texte = Locator_A->text();
    if (!texte.isEmpty()) {
        if (texte.size() != 6) {
            message(QStringLiteral("Attention 6 caracteres pour le locator"));
            return;
        }
        int erreur = 0;
        Verif_Locator(texte, erreur);
        if (erreur == 1) {
            message(QStringLiteral("Erreur dans la saisie du locator"));
            return;
        }
    }
    Couleurs_Etat::colorer(Locator_A, Couleurs_Etat::rempli());
    Couleurs_Etat::colorer(Mode_A, Couleurs_Etat::aRemplir());

    if (!texte.isEmpty()) {
        QString etat;
        QString ligne;
        try {
            if (!Lit_Etat_Locator(texte, etat, p.Bande_Courante, ligne))
                return;
        } catch (const plateforme::ErreurFichier& e) {
            message(e.messageFrancais());
            return;
        }
        if (etat == QLatin1String("0")) {
            message(QStringLiteral("Attention nouveau moyen carré le ") + texte.left(4));
            p.Nouveau_Carre = texte.left(4);
        }
    }
    afficherAzimutDistance();
    Mode_A->setEnabled(true);
    Mode_A->setFocus();
}

void Carnet::Indicatif_A_DblClick()
{
    Indicatif_A->clear();
}

void Carnet::Depart_A_DblClick()
{
    Depart_A->clear();
}

void Carnet::Locator_A_DblClick()
{
    Locator_A->clear();
}

// ---- Mode to remarks ----

void Carnet::Mode_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree || enEdition())
        return;
    if (Mode_A->currentText().size() >= 8) {
        message(QStringLiteral("Attention 6 caracteres maxi pour le mode de trafic"));
        return;
    }
    passerAuChamp(Mode_A, Activ_A);
    Ecrit_Station(Cles_Registre::Mode_Utilise, QString::number(indexListe(Mode_A)));
}

void Carnet::Activ_A_KeyPress(int& KeyAscii)
{
    // Runs while editing too; a QSO under edit keeps its date, times, QTH and remarks (a key
    // does not rewrite a logged QSO), only the focus moves on.
    if (KeyAscii != Entree)
        return;
    if (Mnu_Auto_Oui->isChecked()) {
        // Date and start time from the clock; the end time is set by the save.
        if (!enEdition()) {
            Date_A->setText(dateChoisie());
            Debut_A->setText(heureChoisie());
        }
        passerAuChamp(Activ_A, RSTE_A, 2);
    } else {
        passerAuChamp(Activ_A, Date_A);
    }

    if (enEdition()) {
        Ecrit_Station(Cles_Registre::Activite, QString::number(indexListe(Activ_A)));
        return;
    }
    const saisie::PreRemplissage pre = saisie::preRemplissage(Activ_A->currentText());
    QTH_A->setText(pre.qth);
    QTH_A->setCursorPosition(pre.curseurQth);
    if (pre.remarques) {
        Remarques_A->setText(pre.texteRemarques);
        Remarques_A->setCursorPosition(pre.curseurRemarques);
    }
    Ecrit_Station(Cles_Registre::Activite, QString::number(indexListe(Activ_A)));
}

void Carnet::Date_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii == Entree) {
        if (enEdition())
            return;
        const QString texte = Date_A->text();
        if (texte.isEmpty()) {
            message(QStringLiteral("Attention vous devez entrer une date (pour le classement) "));
            return;
        }
        if (texte.size() != 8) {
            message(QStringLiteral(
                "Attention 8 caracteres pour la date (format jj/mm/aa). Les '/' sont automatiques"));
            Date_A->clear();
            return;
        }
        int erreur = 0;
        Verif_Date(texte, erreur);
        if (erreur == 1) {
            message(QStringLiteral("Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques"));
            Date_A->clear();
            return;
        }
        passerAuChamp(Date_A, Debut_A);
        return;
    }
    if (Mnu_Sep_Oui->isChecked() && saisie::separateurDate(Date_A->text()))
        ajouterSeparateur(Date_A, QLatin1Char('/'), KeyAscii);
}

void Carnet::Debut_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii == Entree) {
        if (enEdition())
            return;
        const QString texte = Debut_A->text();
        if (texte.isEmpty() || texte == QLatin1String("\r\n") || texte == QLatin1String("\n")) {
            message(QStringLiteral("Attention vous devez entrer l'heure de debut (pour le classement) "));
            return;
        }
        if (texte.size() != 5) {
            message(QStringLiteral("Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont automatique)"));
            return;
        }
        int erreur = 0;
        Verif_Heure(texte, erreur);
        if (erreur == 1) {
            message(QStringLiteral("Attention le format date doit etre hh:mm"));
            return;
        }
        passerAuChamp(Debut_A, Fin_A);
        return;
    }
    if (Mnu_Sep_Oui->isChecked() && saisie::separateurHeure(Debut_A->text()))
        ajouterSeparateur(Debut_A, QLatin1Char(':'), KeyAscii);
}

void Carnet::Fin_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii == Plus) {
        // Same end as start; the report sent keeps its "59" and is skipped. Editing included.
        KeyAscii = 0;
        Fin_A->setText(Debut_A->text());
        passerAuChamp(Fin_A, RSTR_A);
        return;
    }
    if (KeyAscii == Entree) {
        if (enEdition())
            return;
        const QString texte = Fin_A->text();
        if (texte.size() != 5) {
            message(QStringLiteral("Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont automatique)"));
            return;
        }
        int erreur = 0;
        Verif_Heure(texte, erreur);
        if (erreur == 1) {
            message(QStringLiteral("Attention le format date doit etre hh:mm"));
            return;
        }
        passerAuChamp(Fin_A, RSTE_A, 2);
        return;
    }
    if (Mnu_Sep_Oui->isChecked() && saisie::separateurHeure(Fin_A->text()))
        ajouterSeparateur(Fin_A, QLatin1Char(':'), KeyAscii);
}

void Carnet::RSTE_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    if (enEdition())
        return;
    if (RSTE_A->text().size() >= 9) {
        message(QStringLiteral("Attention 8 caracteres maxi pour le report envoyé"));
        return;
    }
    passerAuChamp(RSTE_A, RSTR_A, 2);
}

void Carnet::RSTR_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    if (enEdition())
        return;
    if (RSTR_A->text().size() >= 9) {
        message(QStringLiteral("Attention 8 caracteres maxi pour le report reçu"));
        return;
    }
    passerAuChamp(RSTR_A, Prenom_A);
}

void Carnet::Prenom_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree || enEdition())
        return;
    if (Prenom_A->text().size() >= 16) {
        message(QStringLiteral("Attention 15 caracteres maxi pour le prenom"));
        return;
    }
    passerAuChamp(Prenom_A, QTH_A);
}

void Carnet::QTH_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    if (enEdition())
        return;
    const QString texte = QTH_A->text();
    if (texte.size() >= 21) {
        message(QStringLiteral("Attention 20 caracteres maxi pour le QTH"));
        return;
    }
    const QString refus = saisie::controleReference(Activ_A->currentText(), texte, Depart_A->text());
    if (!refus.isEmpty()) {
        message(refus);
        return;
    }
    Annuler->setEnabled(true);
    passerAuChamp(QTH_A, Remarques_A);
}

void Carnet::Remarques_A_KeyPress(int& KeyAscii)
{
    if (KeyAscii != Entree) {
        KeyAscii = saisie::majuscule(KeyAscii);
        return;
    }
    if (enEdition())
        return;
    if (Remarques_A->text().size() >= 31) {
        message(QStringLiteral("Attention 30 caracteres maxi pour les remarques"));
        return;
    }
    Couleurs_Etat::colorer(Remarques_A, Couleurs_Etat::rempli());
    Enregistrer->setEnabled(true);
    Annuler->setEnabled(true);
    Enregistrer->setFocus();
}
