// The rebuilds of the award status files and the reset of the station's files, from the menus.
#include "logbook/Carnet.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Couleurs_Etat.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Mises_A_Jour.h"
#include "station/Retenue_Actions.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QGroupBox>

bool Carnet::MAJ_Prefixe()
{
    return ::MAJ_Prefixe();
}

bool Carnet::MAJ_Departement()
{
    return ::MAJ_Departement();
}

bool Carnet::MAJ_Locator()
{
    return ::MAJ_Locator();
}

void Carnet::Mnu_MAJ_Prefixe_Click()
{
    if (station::Action_Permise())
        MAJ_Prefixe();
}

void Carnet::Mnu_MAJ_Departement_Click()
{
    if (station::Action_Permise())
        MAJ_Departement();
}

void Carnet::Mnu_MAJ_Locator_Click()
{
    if (station::Action_Permise())
        MAJ_Locator();
}

void Carnet::Mnu_RAZ_All_Click()
{
    if (!station::Action_Permise())
        return;
    if (station::Station_Modele()) {
        plateforme::MsgBox(station::Message_Station_Modele());
        return;
    }
    Variables_Programme& v = Prog();
    const auto reponse = plateforme::MsgBox(QStringLiteral("!!! ATTENTION !!! tout les fichiers ") + v.Indicatif_Station +
                                                QStringLiteral(" vont etre effacé , Continuer ?"),
                                            plateforme::Boutons::OkAnnuler, plateforme::Icone::Critique);
    if (reponse != plateforme::Reponse::Ok)
        return;

    const station::Retenue_Actions retenue;
    try {
        station::Remet_A_Zero_Fichiers();
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageEtBilan(QStringLiteral("Remise a zéro des fichiers")));
        return;
    }

    Bande_A->setEnabled(true);
    Bande_A->setFocus();
    Affiche_Departements(v.Bande_Affichee, v.Compteur_Carte);
    try {
        Charge_Liste_QSO(v.Indicatif_Station);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Chargement du journal")));
    }
    Frame3->setTitle(station::texteNombre(int(v.Compteur_Carte)) + QStringLiteral(" Dpts contactée sur  ") +
                     v.Bande_Affichee + QStringLiteral(" en ") + QStringLiteral("SSB"));
    Couleurs_Etat::colorer(Bande_A, Couleurs_Etat::aRemplir());
    Couleurs_Etat::colorer(Mode_A, Couleurs_Etat::rempli());
    Bande_A->setFocus();
}
