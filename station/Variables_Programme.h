#pragma once
// The program-wide variables: one instance per run, shared by every window and procedure.
#include <QString>

struct Variables_Programme {
    // Station
    QString Indicatif_Station;   // file form: upper case, "_" for "/"
    QString Locator_Station;

    // Bands and the grid
    QString Bande_Courante;      // band of the QSO being entered
    QString Bande_Affichee;      // band shown by the grid and the maps
    double Index_Bande = 0;      // last entry band index (0 to 16)
    double Compteur_Carte = 0;   // count of the last grid or map painting

    // QSO being entered (entry chain)
    QString Indicatif_Saisi;
    QString Prefixe_Trouve;
    QString Prefixe_Nouveau;     // "O" new on the band, "N" otherwise
    QString Departement_Saisi;
    QString Etat_Departement_Saisi;
    QString Departement_Lu;
    QString Locator_Lu;
    QString Locator_Correspondant;
    QString Nouveau_Carre;
    // Clears the values above of the QSO being entered, once it is saved, cancelled or deleted,
    // so that none reaches the next QSO. `Prefixe_Trouve` stays: the callsign check keeps it
    // for a prefix it does not find.
    void Oublier_QSO_En_Cours();
    float Azimut_Calcule = 0;
    QString Distance_Calculee;

    // Log and list
    int Nombre_QSO = 0;
    QString Ligne_En_Cours;
    QString Ligne_Selectionnee;
    int Numero_QSO_Modifie = 0;
    bool Edition_En_Cours = false;
    double Code_QSL = 0;
    QString Cle_QSO_Choisi;

    // Criteria of the last completed callsign search (the print uses them)
    QString Indicatif_Recherche;
    QString Date_Recherche;
    QString Departement_Recherche;
    QString Locator_Recherche;

    // Activities and backup
    double Nombre_Activites = 0;
    QString Chemin_Sauvegarde;
    double Numero_Sauvegarde = 0;
    QString Delta_Sauvegarde;

    // Texts
    QString Historique_Versions;
    QString Revision_Programme;
    QString Ligne_Spot;
    QString Modele_Transceiver;  // model chosen in the cluster window
    bool Cluster_Pret = false;   // the cluster window may start a fetch on a layout or filter change

    // Geometry constants (set by the start-up)
    double Valeur_Pi = 3.141592654;
    double Circonference_Terre = 40076.59;
    double Rayon_Terre = 40076.59 / 3.141592654 / 2;
    double Radians_Degres = 180 / 3.141592654;
    double Pi_Sur_2 = 3.141592654 / 2;
};

// The one instance of the run. Tests replace it with a fresh one: `Prog() = {};`
Variables_Programme& Prog();
