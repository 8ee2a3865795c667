#pragma once
// A record of the logs the search tests look through: on 144 MHz, with a first name and remarks.
#include "station/Ligne_QSO.h"

inline QString qsoRecherche(const QString& date, const QString& indicatif, const QString& departement,
                            const QString& locator, const QString& qth, const QString& etat,
                            const QString& remarques = QStringLiteral("Portable"))
{
    station::Ligne_QSO l;
    l.Date_QSO = date;
    l.Indicatif_QSO = indicatif;
    l.Heure_Debut = QStringLiteral("10:05");
    l.Heure_Fin = QStringLiteral("10:10");
    l.Departement_QSO = departement;
    l.Locator_QSO = locator;
    l.Bande_QSO = QStringLiteral("144 Mhz");
    l.Mode_QSO = QStringLiteral("SSB");
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("57");
    l.QTH_QSO = qth;
    l.Prenom_QSO = QStringLiteral("Paul");
    l.Etat_QSL = etat;
    l.Remarques_QSO = remarques;
    l.Distance_QSO = QStringLiteral("?");
    l.Azimut_QSO = QStringLiteral("?");
    return l.texte();
}
