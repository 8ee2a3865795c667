// The backup of a full log (99,999 QSOs) and its award and activity files, beside a synced
// rewrite of the log measured in the same run, the two taken in turn. Medians of several runs;
// prints the ratio and its target; run by hand.
#include "bench/Outils_Bench.h"
#include "exchange/Sauvegarde.h"
#include "platform/Fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int N = 99999;
constexpr int Essais = 9;
constexpr double Cible = 2.0;

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const bench::Banc banc;
    const QString indicatif = QStringLiteral("F5BEN");
    QStringList lignes;
    lignes.reserve(N);
    for (int i = 0; i < N; ++i)
        lignes << bench::ligneJournal(i);
    plateforme::ecrireLignes(indicatif + QStringLiteral(".log"), lignes);
    // Award and activity files of a station that has worked a good part of them.
    QStringList departements, locators, prefixes;
    for (int i = 0; i < 100; ++i)
        departements << QStringLiteral("%1 Département %1").arg(i, 2, 10, QLatin1Char('0')).leftJustified(60, QLatin1Char('C'));
    for (int i = 0; i < 3000; ++i)
        locators << QStringLiteral("JN%1").arg(i, 4, 10, QLatin1Char('0')).leftJustified(40, QLatin1Char('C'));
    for (int i = 0; i < 400; ++i)
        prefixes << QStringLiteral("P%1 Pays %1").arg(i).leftJustified(80, QLatin1Char('C'));
    plateforme::ecrireLignes(indicatif + QStringLiteral("_Departement.txt"), departements);
    plateforme::ecrireLignes(indicatif + QStringLiteral("_Locator.txt"), locators);
    plateforme::ecrireLignes(indicatif + QStringLiteral("_Prefixe.txt"), prefixes);
    plateforme::ecrireLignes(indicatif + QStringLiteral("_Activite.txt"), {QStringLiteral("Portable")});
    const QByteArray journal = plateforme::lireOctetsFichier(indicatif + QStringLiteral(".log"));
    const QString prefixe = echange::prefixeSauvegardeDefaut(indicatif);

    // A first backup: each timed one replaces an old backup, as the operator's do.
    if (!echange::sauvegarder(indicatif, prefixe).isEmpty())
        return 1;
    std::vector<double> reecritures, sauvegardes;
    for (int i = 0; i < Essais; ++i) {
        reecritures.push_back(bench::mesure([&] { plateforme::ecrireOctets(QStringLiteral("F5BEN_copie.log"), journal); }));
        sauvegardes.push_back(bench::mesure([&] { echange::sauvegarder(indicatif, prefixe); }));
    }
    const double reecriture = bench::mediane(reecritures);
    const double sauvegarde = bench::mediane(sauvegardes);
    std::printf("log of %d QSOs, %.1f MB\n", N, journal.size() / 1e6);
    std::printf("%-34s %7.1f ms\n", "synced rewrite of the log", reecriture * 1e3);
    std::printf("%-34s %7.1f ms  = %5.2f x rewrite  (target <= %.1f x: %s)\n", "backup of the station", sauvegarde * 1e3,
                sauvegarde / reecriture, Cible, sauvegarde / reecriture <= Cible ? "met" : "MISSED");
    return 0;
}
