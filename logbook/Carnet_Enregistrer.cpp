// The save button: a new QSO (award marks, directory, grid, count, backup, then the record
// appended or inserted by date) or the edit of a recalled QSO (its line replaced, nothing
// else), and the field reset for the next QSO.
#include "logbook/Carnet.h"
#include "station/Retenue_Actions.h"

#include "exchange/Fenetre_Exporter_QSO.h"
#include "logbook/Carnet_Grille.h"
#include "logbook/Regles_Saisie.h"
#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Couleurs_Etat.h"
#include "station/Dates.h"
#include "station/Fichiers_Etat.h"
#include "station/Gardes_Ecriture.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <optional>
#include <stdexcept>

using station::Champ;

namespace {

void message(const QString& texte)
{
    plateforme::MsgBox(texte);
}

// The entry field a record field comes from.
QWidget* controleDuChamp(Carnet& c, Champ champ)
{
    switch (champ) {
    case Champ::Date_QSO: return c.Date_A;
    case Champ::Indicatif_QSO: return c.Indicatif_A;
    case Champ::Heure_Debut: return c.Debut_A;
    case Champ::Heure_Fin: return c.Fin_A;
    case Champ::Departement_QSO: return c.Depart_A;
    case Champ::Locator_QSO: return c.Locator_A;
    case Champ::Bande_QSO: return c.Bande_A;
    case Champ::Mode_QSO: return c.Mode_A;
    case Champ::RST_Envoye: return c.RSTE_A;
    case Champ::RST_Recu: return c.RSTR_A;
    case Champ::QTH_QSO: return c.QTH_A;
    case Champ::Prenom_QSO: return c.Prenom_A;
    case Champ::Distance_QSO: return c.Distance_A;
    case Champ::Azimut_QSO: return c.Azimut_A;
    case Champ::Numero_Activite: return c.Activ_A;
    case Champ::Remarques_QSO: return c.Remarques_A;
    default: return nullptr;
    }
}

// A value changed after its check no longer fits its column: nothing is written, the
// operator is told which field and gets it back.
void refuserChampTropLong(Carnet& c, const station::ChampTropLong& e)
{
    const station::Colonne col = station::colonne(e.champ);
    message(QStringLiteral("Attention trop de caracteres pour %1 (%2 maxi) : \"%3\".\r\nLe QSO n'est pas enregistré.")
                .arg(station::nomChamp(e.champ))
                .arg(col.largeur)
                .arg(e.valeur));
    if (QWidget* w = controleDuChamp(c, e.champ)) {
        w->setEnabled(true);
        Couleurs_Etat::colorer(w, Couleurs_Etat::aRemplir());
        w->setFocus();
    }
}

// The record from the entry fields as a new QSO writes it.
station::Ligne_QSO ligneDesChamps(const Carnet& c, const QString& fin, int activite)
{
    station::Ligne_QSO l;
    l.Date_QSO = c.Date_A->text();
    l.Indicatif_QSO = c.Indicatif_A->text();
    l.Heure_Debut = c.Debut_A->text();
    l.Heure_Fin = fin;
    l.Departement_QSO = c.Depart_A->text();
    // The locator is written only from 50 MHz up.
    l.Locator_QSO = station::estBandeHF(c.Bande_A->currentText()) ? QString() : c.Locator_A->text();
    l.Bande_QSO = c.Bande_A->currentText();
    l.Mode_QSO = c.Mode_A->currentText();
    l.RST_Envoye = c.RSTE_A->text();
    l.RST_Recu = c.RSTR_A->text();
    l.QTH_QSO = c.QTH_A->text();
    l.Prenom_QSO = c.Prenom_A->text();
    l.Etat_QSL = QStringLiteral("1");
    l.Distance_QSO = c.Distance_A->text();
    l.Azimut_QSO = c.Azimut_A->text();
    l.Numero_Activite = QString::number(activite);
    l.Remarques_QSO = c.Remarques_A->text();
    return l;
}

// The directory is asked about a QSO whose locator or department differs from what it holds.
// Both are compared in key form ("96" for 2A), as the directory keeps them. A callsign longer
// than the directory's key is never kept there, so nothing is asked for it.
bool nomenclatureADemander(const Variables_Programme& p, const QString& departementCle, const QString& locator)
{
    return (locator != p.Locator_Lu || departementCle != p.Departement_Lu) &&
           p.Indicatif_Saisi.size() <= station::LargeurIndicatifNomenclature;
}

// A save refused for the callsign field's `texte`: said, and the callsign field gets the focus.
void refuserIndicatif(Carnet& c, const QString& texte)
{
    if (texte.isEmpty())
        message(QStringLiteral("Attention vous devez entrer un indicatif\r\nLe QSO n'est pas enregistré."));
    else
        message(QStringLiteral("Attention l'indicatif %1 n'a pas été validé (touche Entrée dans l'indicatif)\r\n"
                               "Le QSO n'est pas enregistré.")
                    .arg(texte));
    c.Indicatif_A->setEnabled(true);
    Couleurs_Etat::colorer(c.Indicatif_A, Couleurs_Etat::aRemplir());
    c.Indicatif_A->setFocus();
}

// The callsign field holds the callsign its check passed: a new QSO is never written without
// it.
bool indicatifVerifie(Carnet& c)
{
    const QString texte = c.Indicatif_A->text();
    if (!texte.isEmpty() && texte.toUpper() == Prog().Indicatif_Saisi)
        return true;
    refuserIndicatif(c, texte);
    return false;
}

// The band shown is the one the lookups of the QSO used: a band picked since is checked first
// (its Enter then asks for the callsign's again).
bool bandeVerifiee(Carnet& c)
{
    const QString bande = c.Bande_A->currentText();
    if (bande == Prog().Bande_Courante)
        return true;
    message(QStringLiteral("Attention la bande %1 n'a pas été validée (touche Entrée dans la bande)\r\n"
                           "Le QSO n'est pas enregistré.")
                .arg(bande));
    c.Bande_A->setEnabled(true);
    Couleurs_Etat::colorer(c.Bande_A, Couleurs_Etat::aRemplir());
    c.Bande_A->setFocus();
    return false;
}

// The automatic backup is due once the interval since the last one is reached.
bool sauvegardeDue(const Variables_Programme& p)
{
    return p.Numero_Sauvegarde + Valeur_Numerique(p.Delta_Sauvegarde) <= p.Nombre_QSO;
}

// A QSO the log refused, and a backup that failed with it.
QString messageNonEnregistre(const QString& indicatif, const QString& raison,
                             const QStringList& echecsSauvegarde = QStringList())
{
    QString texte = QStringLiteral("Le QSO avec %1 n'a PAS été enregistré.\r\n").arg(indicatif) + raison;
    if (!echecsSauvegarde.isEmpty())
        texte += QStringLiteral("\r\n\r\nLa sauvegarde automatique a échoué aussi :\r\n") +
                 echecsSauvegarde.join(QStringLiteral("\r\n"));
    return texte;
}

// What is said once the QSO is in the log: the files not marked, a failed backup; empty when
// all went well.
QString bilanNouveauQSO(const QString& indicatif, const QStringList& nonMisAJour, const QStringList& echecsSauvegarde)
{
    QStringList aDire;
    if (!nonMisAJour.isEmpty())
        aDire << QStringLiteral("Le QSO avec %1 est enregistré dans le log, mais ces fichiers n'ont pas été mis à "
                                "jour :\r\n")
                         .arg(indicatif) +
                     nonMisAJour.join(QStringLiteral("\r\n"));
    if (!echecsSauvegarde.isEmpty())
        aDire << QStringLiteral("La sauvegarde automatique a échoué :\r\n") + echecsSauvegarde.join(QStringLiteral("\r\n")) +
                     QStringLiteral("\r\n\r\nLe QSO est enregistré ; la sauvegarde sera tentée de nouveau au "
                                    "prochain QSO.");
    return aDire.join(QStringLiteral("\r\n\r\n"));
}

} // namespace

void Carnet::Enregistrer_Click()
{
    if (!station::Action_Permise())
        return;
    NB_Debug->setText(QStringLiteral("1"));
    int erreur = 0;
    Verif_Date(Date_A->text(), erreur);
    if (erreur == 1) {
        message(QStringLiteral("Attention le format date doit etre jj/mm/aa"));
        return;
    }
    Verif_Heure(Debut_A->text(), erreur);
    if (erreur == 1) {
        message(QStringLiteral("Attention le format date doit etre hh:mm"));
        return;
    }
    // Nothing is written (award marks, directory, log) where the log may not be written: the
    // placeholder station of a first start, a log that did not load whole.
    try {
        plateforme::verifierEcriture(station::nomJournal(Prog().Indicatif_Station));
    } catch (const plateforme::ErreurFichier& e) {
        if (station::stationNonConfiguree(Prog().Indicatif_Station))
            message(station::messageStationNonConfiguree());
        else
            message(messageNonEnregistre(Indicatif_A->text(), e.messageFrancais()));
        return;
    }
    if (Prog().Edition_En_Cours)
        enregistrerEdition();
    else
        enregistrerNouveauQSO();
}

void Carnet::enregistrerNouveauQSO()
{
    auto& p = Prog();
    if (!bandeVerifiee(*this) || !indicatifVerifie(*this))
        return;
    if (Modele_QSO->nombre() >= station::NombreMaxQSO) {
        message(QStringLiteral("Le carnet contient deja %1 QSO, le maximum qu'il peut numeroter.\r\n"
                               "Le QSO n'est pas enregistré.")
                    .arg(station::NombreMaxQSO));
        return;
    }
    // The record is checked before anything is written, then the files it marks may be written.
    const bool dateAuto = Mnu_Auto_Oui->isChecked();
    const int activite = indexListe(Activ_A);
    if (!champsEnregistrables(dateAuto, activite))
        return;
    const MarquesNouveauQSO marques = marquesDuNouveauQSO();
    if (!marquesEcrivables(marques))
        return;
    const std::optional<QString> ligne = ligneDuNouveauQSO(dateAuto, activite);
    if (!ligne)
        return;
    p.Ligne_En_Cours = *ligne;

    // The count.
    Enregistrer->setText(QStringLiteral("QSO Suivant"));
    Enregistrer->setEnabled(false);
    const int compteAvant = Modele_QSO->nombre();
    p.Nombre_QSO = compteAvant + 1;
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Nombre_QSO + 1));

    // The backup holds the log as it was before this QSO. Its outcome is told, and its count
    // stored, once the log holds the QSO; a failed one is tried again at the next save.
    QStringList echecsSauvegarde;
    const bool sauvegarde = sauvegardeDue(p) && Sauvegarde_Auto(&echecsSauvegarde);
    if (!ajouterAuJournal(*ligne, dateAuto, compteAvant, echecsSauvegarde))
        return;
    if (sauvegarde) {
        message(Sauvegarde_Effectuee);
        Ecrit_Station(Cles_Registre::Numero_Sauvegarde, QString::number(p.Nombre_QSO));
        p.Numero_Sauvegarde = p.Nombre_QSO;
    }

    const QStringList nonMisAJour = marquerFichiers(marques);
    // The grid, in its department view.
    NB_Debug->setText(QStringLiteral("6"));
    if (Affiche_Departements(p.Bande_Affichee, p.Compteur_Carte)) {
        Frame3->setTitle(Titre_Departements(p.Compteur_Carte, p.Bande_Affichee));
        Option1[1]->setChecked(true);
    }
    const QString bilan = bilanNouveauQSO(Indicatif_A->text(), nonMisAJour, echecsSauvegarde);
    if (!bilan.isEmpty())
        message(bilan);
    if (dateAuto && Mnu_Exp_Oui->isChecked() && saisie::activiteExportable(Activ_A->currentText()))
        Exporter_QSO_Apres_Ajout();

    Editer->setEnabled(false);
    Effacer->setEnabled(false);
    remiseAZeroSaisie();
}

bool Carnet::champsEnregistrables(bool dateAuto, int activite)
{
    // In automatic-date mode the end time is read from the clock only once the directory
    // question is answered; five characters, it fits its column whatever it reads.
    try {
        (void)ligneDesChamps(*this, dateAuto ? heureChoisie() : Fin_A->text(), activite).texte();
    } catch (const station::ChampTropLong& e) {
        refuserChampTropLong(*this, e);
        return false;
    }
    return true;
}

Carnet::MarquesNouveauQSO Carnet::marquesDuNouveauQSO()
{
    // The directory question comes first: the answer tells which files this save writes.
    const auto& p = Prog();
    MarquesNouveauQSO m;
    m.departementCle = saisie::departementCle(p.Departement_Saisi);
    m.locator = Locator_A->text();
    if (nomenclatureADemander(p, m.departementCle, m.locator)) {
        const QString question =
            saisie::questionNomenclature(p.Indicatif_Saisi, p.Departement_Lu, p.Locator_Lu, m.departementCle, m.locator);
        m.nomenclature = plateforme::MsgBox(question, plateforme::Boutons::OuiNon) == plateforme::Reponse::Oui;
    }
    m.prefixe = p.Prefixe_Nouveau == QLatin1String("O");
    m.departement = !p.Etat_Departement_Saisi.isEmpty() && Valeur_Numerique(p.Etat_Departement_Saisi) == 0;
    m.carre = !p.Nouveau_Carre.isEmpty();
    return m;
}

bool Carnet::marquesEcrivables(const MarquesNouveauQSO& m)
{
    // Every file the save writes may be written (not read-only, not refused), or nothing is.
    try {
        if (m.prefixe)
            plateforme::verifierEcriture(station::fichierPrefixe());
        if (m.nomenclature)
            plateforme::verifierEcriture(station::FichierNomenclature);
        if (m.departement)
            plateforme::verifierEcriture(station::fichierDepartement());
        if (m.carre)
            plateforme::verifierEcriture(station::fichierLocator());
    } catch (const plateforme::ErreurFichier& e) {
        message(messageNonEnregistre(Indicatif_A->text(), e.messageFrancais()));
        return false;
    }
    return true;
}

std::optional<QString> Carnet::ligneDuNouveauQSO(bool dateAuto, int activite)
{
    // End time from the clock in automatic-date mode, then the record.
    if (dateAuto)
        Fin_A->setText(heureChoisie());
    if (activite == -1)
        message(QStringLiteral("Debug : Activation_A = -1"));
    try {
        return ligneDesChamps(*this, Fin_A->text(), activite).texte();
    } catch (const station::ChampTropLong& e) {
        refuserChampTropLong(*this, e);
        return std::nullopt;
    }
}

bool Carnet::ajouterAuJournal(const QString& ligne, bool dateAuto, int compteAvant, const QStringList& echecsSauvegarde)
{
    // The log first: the award files and the directory are marked only for a QSO the log
    // holds. The record is appended, or inserted by date when dates are typed by hand.
    auto& p = Prog();
    try {
        if (dateAuto) {
            NB_Debug->setText(QStringLiteral("7"));
            Ajoute_QSO_Log(ligne);
            Modele_QSO->ajouter(ligne);
        } else {
            NB_Debug->setText(QStringLiteral("8"));
            Insere_QSO_Date(ligne);
        }
        selectionnerLigne(Modele_QSO->nombre() - 1);
    } catch (const std::exception& e) {
        // Not written: not counted, nothing else changed, and the fields stay for another try.
        p.Nombre_QSO = compteAvant;
        Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Nombre_QSO + 1));
        Enregistrer->setEnabled(true);
        const auto* f = dynamic_cast<const plateforme::ErreurFichier*>(&e);
        message(messageNonEnregistre(Indicatif_A->text(), f ? f->messageFrancais() : QStringLiteral("Date ou heure illisible."),
                                     echecsSauvegarde));
        return false;
    }
    return true;
}

QStringList Carnet::marquerFichiers(const MarquesNouveauQSO& m)
{
    // The prefix, the directory, the department and the square. The QSO is in the log: a file
    // that cannot be marked is named in the message at the end (the award files can be rebuilt
    // from the log).
    auto& p = Prog();
    QStringList nonMisAJour;
    const auto marquer = [&nonMisAJour](const std::function<void()>& ecriture) {
        try {
            ecriture();
        } catch (const plateforme::ErreurFichier& e) {
            nonMisAJour.append(e.messageFrancais());
        }
    };
    if (m.prefixe) {
        NB_Debug->setText(QStringLiteral("2"));
        marquer([&] {
            QString etat;
            QString pays;
            Ecrit_Etat_Prefixe(Indicatif_A->text(), p.Bande_Courante, etat, pays, p.Prefixe_Trouve);
        });
    }
    if (m.nomenclature) {
        NB_Debug->setText(QStringLiteral("3"));
        marquer([&] { MAJ_Nomenclature(p.Indicatif_Saisi, m.departementCle, m.locator); });
    }
    if (m.departement) {
        NB_Debug->setText(QStringLiteral("4"));
        marquer([&] { Ecrit_Etat_Departement(m.departementCle, QStringLiteral("1"), p.Bande_Courante); });
    }
    if (m.carre) {
        NB_Debug->setText(QStringLiteral("5"));
        marquer([&] { Ecrit_Etat_Locator(p.Nouveau_Carre, QStringLiteral("1"), p.Bande_Courante); });
    }
    return nonMisAJour;
}

void Carnet::enregistrerEdition()
{
    auto& p = Prog();
    NB_Debug->setText(QStringLiteral("9"));

    // The item under edit, and its place in the list now.
    const QString ancien = Item_En_Edition.isEmpty() ? p.Ligne_Selectionnee : Item_En_Edition;
    const int rang = Modele_QSO->rangItem(ancien);
    if (ancien.isEmpty() || rang < 0) {
        message(QStringLiteral("Le QSO en cours de modification n'est plus dans la liste.\r\n"
                               "La modification n'est pas enregistrée."));
        return;
    }

    // Nor is an edited QSO without a callsign.
    if (Indicatif_A->text().trimmed().isEmpty()) {
        refuserIndicatif(*this, QString());
        return;
    }

    // The line from the fields, keeping its QSL status and QSL dates (record columns 128-154).
    // On the HF bands the locator field is emptied first: no locator is kept there.
    if (station::estBandeHF(Bande_A->currentText()))
        Locator_A->clear();
    const QString ancienneLigne = station::ligneDeItem(ancien).leftJustified(station::LongueurLigneQSO, QLatin1Char(' '));
    if (!azimutDistanceEdition(ancienneLigne))
        return;
    const int activite = indexListe(Activ_A);
    station::Ligne_QSO l = ligneDesChamps(*this, Fin_A->text(), activite);
    l.Indicatif_QSO = plateforme::majusculesAnsi(l.Indicatif_QSO);
    l.Locator_QSO = plateforme::majusculesAnsi(l.Locator_QSO);
    QString ligne;
    try {
        ligne = l.texte();
    } catch (const station::ChampTropLong& e) {
        refuserChampTropLong(*this, e);
        return;
    }
    ligne.replace(127, 27, ancienneLigne.mid(127, 27));
    if (activite == -1)
        message(QStringLiteral("Debug : Activation_A = -1"));
    p.Numero_QSO_Modifie = rang + 1;
    p.Ligne_En_Cours = station::itemListe(p.Numero_QSO_Modifie, ligne);

    try {
        if (plateforme::longueur(station::nomJournal(p.Indicatif_Station)) == station::LongueurLigneQSO + 2) {
            message(QStringLiteral(
                "Il doit y avoir au moins DEUX QSO d'enregistré pour pouvoir modifier le premier QSO"));
            return;
        }
        NB_Debug->setText(QStringLiteral("10"));
        Remplace_QSO(ancien, p.Ligne_En_Cours);
    } catch (const plateforme::ErreurFichier& e) {
        message(QStringLiteral("La modification du QSO n'a PAS été enregistrée.\r\n") + e.messageFrancais());
        return;
    }
    NB_Debug->setText(QStringLiteral("12"));
    selectionnerLigne(p.Numero_QSO_Modifie - 1);

    Indicatif_A->setEnabled(true);
    Bande_A->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(Depart_A), static_cast<QWidget*>(Locator_A),
                       static_cast<QWidget*>(Mode_A), static_cast<QWidget*>(Activ_A),
                       static_cast<QWidget*>(Date_A), static_cast<QWidget*>(Debut_A),
                       static_cast<QWidget*>(Fin_A), static_cast<QWidget*>(RSTR_A),
                       static_cast<QWidget*>(RSTE_A), static_cast<QWidget*>(Prenom_A),
                       static_cast<QWidget*>(QTH_A), static_cast<QWidget*>(QSLR_A),
                       static_cast<QWidget*>(QSLE_A), static_cast<QWidget*>(Remarques_A)})
        w->setEnabled(false);
    QSLE_A->clear();
    QSLR_A->clear();
    Enregistrer->setEnabled(false);
    Enregistrer->setText(QStringLiteral("QSO Suivant"));
    activerBouton(Recherche, true);
    Annuler->setEnabled(true);
    activerBouton(Gestion_QSL, true);
    Editer->setEnabled(false);
    Effacer->setEnabled(false);
    p.Edition_En_Cours = false;
    Item_En_Edition.clear();
    remiseAZeroSaisie();
}

bool Carnet::azimutDistanceEdition(const QString& ancienneLigne)
{
    // A locator changed under edit gets its own distance and bearing, once its shape passes
    // the locator check; an unchanged one keeps the figures stored with the QSO.
    const station::Ligne_QSO avant = station::Ligne_QSO::depuis(ancienneLigne);
    const QString locator = plateforme::majusculesAnsi(Locator_A->text());
    if (locator == avant.Locator_QSO) {
        Distance_A->setText(avant.Distance_QSO);
        Azimut_A->setText(avant.Azimut_QSO);
        return true;
    }
    int erreur = 0;
    if (locator.size() == 6)
        Verif_Locator(locator, erreur);
    if (!locator.isEmpty() && (locator.size() != 6 || erreur == 1)) {
        message(locator.size() != 6 ? QStringLiteral("Attention 6 caracteres pour le locator")
                                    : QStringLiteral("Erreur dans la saisie du locator"));
        Locator_A->setEnabled(true);
        Locator_A->setFocus();
        return false;
    }
    Locator_A->setText(locator);
    afficherAzimutDistance();
    return true;
}

void Carnet::remiseAZeroSaisie()
{
    auto& p = Prog();
    NB_Debug->setText(QStringLiteral("13"));
    remettreBandeSaisie();
    choisirItem(Mode_A, Lit_Station_Entier(Cles_Registre::Mode_Utilise, 0, -1, Mode_A->count() - 1));

    Indicatif_A->clear();
    Depart_A->clear();
    Locator_A->clear();
    Mode_A->setEnabled(false);
    if (Mnu_Auto_Oui->isChecked())
        Date_A->clear();  // a date typed by hand stays for the next QSO

    choisirItem(Activ_A, Lit_Station_Entier(Cles_Registre::Activite, 0, -1, Activ_A->count() - 1));
    Activ_A->setEnabled(false);

    Debut_A->clear();
    Fin_A->clear();
    RSTR_A->setText(QStringLiteral("59"));
    RSTE_A->setText(QStringLiteral("59"));
    RSTR_A->setEnabled(false);
    RSTE_A->setEnabled(false);
    Prenom_A->clear();
    QTH_A->clear();
    Distance_A->clear();
    Azimut_A->clear();
    Remarques_A->clear();
    Label5->setText(QStringLiteral("Indicatif"));
    // The number the next QSO gets, after an edit as after a new QSO.
    Frame4->setTitle(QStringLiteral("QSO numéro ") + QString::number(p.Nombre_QSO + 1));

    p.Oublier_QSO_En_Cours();

    Couleurs_Etat::colorer(Bande_A, Couleurs_Etat::rempli());
    Couleurs_Etat::colorer(Depart_A, Couleurs_Etat::rempli());
    Indicatif_A->setEnabled(true);
    Indicatif_A->setFocus();
    Couleurs_Etat::colorer(Indicatif_A, Couleurs_Etat::aRemplir());
}

void Carnet::Exporter_QSO_Apres_Ajout()
{
    // The save waits until the window closes.
    Exporter_QSO::afficher(true);
}
