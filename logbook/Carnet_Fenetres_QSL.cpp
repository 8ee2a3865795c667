// The QSL window of the selected QSO, and the department QSO list of a grid cell.
#include "logbook/Carnet.h"

#include "logbook/Affiche_Dpt.h"
#include "logbook/Carnet_Grille.h"
#include "platform/Dialogues.h"
#include "qsl/Fenetres_QSL.h"
#include "station/Variables_Programme.h"

void Carnet::Gestion_QSL_Click()
{
    const QString selection = Modele_QSO->item(Liste_QSO->rangSelectionne());
    if (selection.isEmpty()) {
        plateforme::MsgBox(QStringLiteral("Selectionnez d'abord un QSO"));
        return;
    }
    // Right after start-up nothing was clicked yet: the QSO is the line the list shows selected.
    const QString& choisi = Prog().Ligne_Selectionnee;
    Fenetre_QSL::instance().Ouvrir(choisi.isEmpty() ? selection : choisi);
}

void Carnet::Dpt_DblClick(int Index)
{
    Fenetre_Affiche_Dpt::instance().Ajouter_Departement(grille::codeCellule(Index));
}
