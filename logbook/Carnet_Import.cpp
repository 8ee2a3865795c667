// The main window's imports (own format, ADIF, EDI), automatic backup, restore and the two
// backup windows. The rules live in exchange/; these handlers only ask, call and report.
#include "logbook/Carnet.h"

#include "exchange/Fenetres_Sauvegarde.h"
#include "exchange/Import.h"
#include "exchange/Sauvegarde.h"
#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Mises_A_Jour.h"
#include "station/Retenue_Actions.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>

namespace {

const QString MessageSansFichier = QStringLiteral("selectionnez un fichier ou quitter");

// An import or a restore may start: no rebuild or load under way, and a real station (the
// placeholder's files are the blank templates).
bool peutEcrireStation()
{
    if (!station::Action_Permise())
        return false;
    if (station::Station_Modele()) {
        plateforme::MsgBox(station::Message_Station_Modele());
        return false;
    }
    return true;
}

} // namespace

void Carnet::brancherEchanges()
{
    connect(Mnu_Import_VLM, &QAction::triggered, this, [this] { Mnu_Import_VLM_Click(); });
    connect(Mnu_Import_ADIF, &QAction::triggered, this, [this] { Mnu_Import_ADIF_Click(); });
    connect(Mnu_Import_EDI, &QAction::triggered, this, [this] { Mnu_Import_EDI_Click(); });
    connect(Mnu_Restauration, &QAction::triggered, this, [this] { Mnu_Restauration_Click(); });
    connect(Mnu_Val_Sauve, &QAction::triggered, this, [this] { Mnu_Val_Sauve_Click(); });
    connect(Mnu_Restau_Activite, &QAction::triggered, this, [this] { Mnu_Restau_Activite_Click(); });
    for (QAction* a : {Mnu_Import_VLM, Mnu_Import_ADIF, Mnu_Import_EDI, Mnu_Restauration, Mnu_Val_Sauve,
                       Mnu_Restau_Activite})
        a->setEnabled(true);
}

// Common end of the three imports: nothing is written before the file has been read and
// converted whole and the operator has seen the defaults used.
void Carnet::terminerImport(const echange::Conversion& c, bool reconstruire)
{
    if (!c.refus.isEmpty()) {
        plateforme::MsgBox(c.refus);
        return;
    }
    if (c.aSignaler() &&
        plateforme::MsgBox(echange::resumeMessages(c), plateforme::Boutons::OkAnnuler) != plateforme::Reponse::Ok)
        return;
    Variables_Programme& p = Prog();
    const station::Retenue_Actions retenue;
    try {
        // The log or an award file the import would write that may not be written stops it
        // before any change.
        plateforme::verifierEcriture(station::nomJournal(p.Indicatif_Station));
        if (reconstruire) {
            for (const QString& f : {station::fichierPrefixe(), station::fichierDepartement(), station::fichierLocator()})
                plateforme::verifierEcriture(f);
        }
        echange::importerDansJournal(p.Indicatif_Station, c);
    } catch (const echange::ImportRefuse& e) {
        plateforme::MsgBox(e.message);
        return;
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Import")));
        return;
    }
    // The list first: an edit made while the award files are rebuilt must not write the log
    // back from the list as it was before the import.
    try {
        Charge_Liste_QSO(p.Indicatif_Station);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Chargement du log")));
        return;
    }
    selectionnerLigne(Liste_QSO->count() - 1);
    if (reconstruire)
        Reconstruire_Apres_Import();
}

// The file the operator picks with the filter, read whole; an empty result (after saying
// why) when there is none.
std::optional<QByteArray> Carnet::lireFichierImport(const QString& filtre)
{
    if (!peutEcrireStation())
        return std::nullopt;
    const QString fichier = plateforme::DialogueOuvrir(filtre);
    if (fichier.isEmpty()) {
        plateforme::MsgBox(MessageSansFichier);
        return std::nullopt;
    }
    try {
        return plateforme::lireOctetsFichier(fichier);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Import")));
        return std::nullopt;
    }
}

namespace {

QStringList lignesAnsi(const QByteArray& octets)
{
    return plateforme::decouperLignes(plateforme::depuisAnsi(octets));
}

} // namespace

void Carnet::Mnu_Import_VLM_Click()
{
    if (const auto octets = lireFichierImport(QStringLiteral(".vlm (vlm)|*.vlm")))
        terminerImport(echange::convertirVLM(lignesAnsi(*octets)), true);
}

void Carnet::Mnu_Import_ADIF_Click()
{
    if (const auto octets = lireFichierImport(QStringLiteral(".adi (adi)|*.adi")))
        terminerImport(echange::convertirAdif(*octets), true);
}

void Carnet::Mnu_Import_EDI_Click()
{
    // The award files are not rebuilt after an EDI import: the tools menu does it on demand.
    if (const auto octets = lireFichierImport(QStringLiteral(".edi (edi)|*.edi")))
        terminerImport(echange::convertirEdi(lignesAnsi(*octets)), false);
}

bool Carnet::Sauvegarde_Auto(QStringList* echecs)
{
    Variables_Programme& p = Prog();
    p.Chemin_Sauvegarde = echange::prefixeSauvegarde(p.Indicatif_Station);
    const QStringList manques = echange::sauvegarder(p.Indicatif_Station, p.Chemin_Sauvegarde);
    if (manques.isEmpty()) {
        if (!echecs)
            plateforme::MsgBox(Sauvegarde_Effectuee);
        return true;
    }
    if (echecs)
        *echecs = manques;
    else
        plateforme::MsgBox(QStringLiteral("La sauvegarde automatique a échoué :\r\n") + manques.join(QStringLiteral("\r\n")) +
                           QStringLiteral("\r\n\r\nElle sera tentée de nouveau au prochain QSO."));
    return false;
}

void Carnet::Mnu_Restauration_Click()
{
    if (!peutEcrireStation())
        return;
    const auto r = plateforme::MsgBox(QStringLiteral("   !!! ATTENTION !!! Tout les fichiers vont etre effacé\r\n"
                                                     "et remplacé par ceux de la derniere sauvegarde, Continuer ?"),
                                      plateforme::Boutons::OkAnnuler, plateforme::Icone::Critique);
    if (r != plateforme::Reponse::Ok)
        return;
    Variables_Programme& p = Prog();
    bool commun = false;
    p.Chemin_Sauvegarde = echange::prefixeRestauration(p.Indicatif_Station, commun);
    const QStringList manquants = echange::sauvegardesManquantes(p.Chemin_Sauvegarde);
    if (!manquants.isEmpty()) {
        plateforme::MsgBox(QStringLiteral("Restauration impossible, fichier(s) de sauvegarde absent(s) :\r\n") +
                           manquants.join(QStringLiteral("\r\n")) +
                           QStringLiteral("\r\n\r\nAucun fichier n'a été modifié."));
        return;
    }
    // The former shared set may hold the files of another station: the operator decides.
    if (commun &&
        plateforme::MsgBox(QStringLiteral("Aucune sauvegarde de %1 dans son dossier :\r\n%2\r\n\r\n"
                                          "La seule sauvegarde trouvée est celle de l'ancien emplacement, commun à "
                                          "toutes les stations :\r\n%3\r\nElle peut venir d'une autre station. "
                                          "La restaurer quand même ?")
                               .arg(p.Indicatif_Station,
                                    QFileInfo(plateforme::chemin(echange::prefixeSauvegardeDefaut(p.Indicatif_Station)))
                                        .absolutePath(),
                                    plateforme::chemin(p.Chemin_Sauvegarde + echange::Jeu_Sauvegarde().first().suffixeSauvegarde)),
                           plateforme::Boutons::OkAnnuler, plateforme::Icone::Critique) != plateforme::Reponse::Ok)
        return;
    const station::Retenue_Actions retenue;
    try {
        echange::restaurer(p.Indicatif_Station, p.Chemin_Sauvegarde);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageEtBilan(QStringLiteral("Restauration")));
        return;
    }
    // The grid shows the restored award files, as the save shows them.
    if (Affiche_Departements(p.Bande_Affichee, p.Compteur_Carte)) {
        Frame3->setTitle(Titre_Departements(p.Compteur_Carte, p.Bande_Affichee));
        Option1[1]->setChecked(true);
    }
    plateforme::MsgBox(QStringLiteral("Les fichiers :\r\n\r\nIndicatif.log\r\nDepartement.txt\r\nLocator.txt\r\n"
                                      "Prefixe.txt\r\nSont restaurés"));
    try {
        Charge_Liste_QSO(p.Indicatif_Station);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Chargement du log")));
    }
}

void Carnet::Mnu_Val_Sauve_Click()
{
    Fenetres_Sauvegarde::Afficher_Delta_QSO(true);
}

void Carnet::Mnu_Restau_Activite_Click()
{
    Fenetres_Sauvegarde::Afficher_Restoration_Activite(true);
}

void Carnet::Reconstruire_Apres_Import()
{
    // The three award-file rebuilds, other actions held meanwhile.
    MAJ_Fichiers_Etat();
}
