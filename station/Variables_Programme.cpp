#include "station/Variables_Programme.h"

Variables_Programme& Prog()
{
    static Variables_Programme instance;
    return instance;
}

void Variables_Programme::Oublier_QSO_En_Cours()
{
    for (QString* v : {&Indicatif_Saisi, &Prefixe_Nouveau, &Departement_Saisi, &Etat_Departement_Saisi, &Departement_Lu,
                       &Locator_Lu, &Locator_Correspondant, &Nouveau_Carre})
        v->clear();
}
