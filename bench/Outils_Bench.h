#pragma once
// What the benchmarks share: a temporary program folder and settings, message boxes answered
// OK, and the timing of one operation.
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Ligne_QSO.h"

#include <QDate>

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

struct Banc {
    QTemporaryDir dossier;
    QTemporaryDir reglages;
    Banc()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages.path());
        plateforme::definirDossierProgramme(dossier.path());
        plateforme::installerRepondeur([](const QString&, plateforme::Boutons, plateforme::Icone) {
            return plateforme::Reponse::Ok;
        });
    }
};

// Seconds taken by `f`.
inline double mesure(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e9;
}

// Record i of a realistic log: 40 QSOs a day from 1 January 2000, half-hour apart.
// The median of a set of runs (the upper one of an even count).
inline double mediane(std::vector<double> mesures)
{
    std::sort(mesures.begin(), mesures.end());
    return mesures[mesures.size() / 2];
}

inline QString ligneJournal(int i)
{
    station::Ligne_QSO l;
    const QDate d = QDate(2000, 1, 1).addDays(i / 40);
    l.Date_QSO = d.toString(QStringLiteral("dd/MM/yy"));
    l.Indicatif_QSO = QStringLiteral("F%1ABC").arg(i % 10);
    const int minutes = (i % 40) * 30;
    l.Heure_Debut = QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    l.Heure_Fin = l.Heure_Debut;
    l.Departement_QSO = QStringLiteral("%1").arg(1 + i % 95, 2, 10, QLatin1Char('0'));
    l.Locator_QSO = QStringLiteral("JN18AA");
    l.Bande_QSO = QStringLiteral("144 Mhz");
    l.Mode_QSO = QStringLiteral("SSB");
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("59");
    l.Prenom_QSO = QStringLiteral("Hélène");
    l.Distance_QSO = QStringLiteral("123");
    l.Azimut_QSO = QStringLiteral("45");
    return l.texte();
}

} // namespace bench
