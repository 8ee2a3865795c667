#pragma once
// Log records for the report and statistics tests, every field that they read filled in.
#include "station/Ligne_QSO.h"

#include <QString>

namespace test {

struct Qso {
    QString date = QStringLiteral("01/02/24");
    QString indicatif = QStringLiteral("F1AAA");
    QString debut = QStringLiteral("10:00");
    QString departement;
    QString locator;
    QString bande = QStringLiteral("144 Mhz");
    QString mode = QStringLiteral("SSB");
    QString distance = QStringLiteral("150");
    QString activite = QStringLiteral("0");
    QString etat = QStringLiteral("1");
    QString qth;
    QString remarques;
};

inline QString ligne(const Qso& q)
{
    station::Ligne_QSO l;
    l.Date_QSO = q.date;
    l.Indicatif_QSO = q.indicatif;
    l.Heure_Debut = q.debut;
    l.Heure_Fin = QStringLiteral("10:05");
    l.Departement_QSO = q.departement;
    l.Locator_QSO = q.locator;
    l.Bande_QSO = q.bande;
    l.Mode_QSO = q.mode;
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("57");
    l.QTH_QSO = q.qth;
    l.Distance_QSO = q.distance;
    l.Numero_Activite = q.activite;
    l.Etat_QSL = q.etat;
    l.Remarques_QSO = q.remarques;
    return l.texte();
}

} // namespace test
