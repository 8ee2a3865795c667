// ADIF import timings: 79,999 QSOs written one record a line (as other loggers write them)
// into a log of 20,000, up to the 99,999 bound, everything included (reading, conversion,
// merge, atomic write, list reload, the three award-file rebuilds). Then a file of one more
// QSO, which must be refused before anything is written. Prints its figures; run by hand.
#include "exchange/Import.h"
#include "bench/Outils_Bench.h"
#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

QByteArray champ(const char* nom, const QByteArray& valeur)
{
    return QByteArray("<") + nom + ':' + QByteArray::number(valeur.size()) + '>' + valeur + ' ';
}

QByteArray fichierAdif(int n)
{
    QByteArray f("Bench ADIF export\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:5>BENCH <EOH>\r\n");
    static const char* const appels[] = {"DL1ABC", "G4XYZ", "F6DEF", "EA3AAA", "ON4BBB", "JA1CCC", "W1AW"};
    static const char* const freqs[] = {"14.074", "7.074", "144.300", "432.200", "1296.200", "50.313", "3.573"};
    for (int i = 0; i < n; ++i) {
        const QDate d = QDate(2030, 1, 1).addDays(i / 100);
        const int minutes = (i % 100) * 10;
        f += champ("CALL", appels[i % 7]);
        f += champ("QSO_DATE", d.toString(QStringLiteral("yyyyMMdd")).toLatin1());
        f += champ("TIME_ON", QStringLiteral("%1%2").arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                  .arg(minutes % 60, 2, 10, QLatin1Char('0')).toLatin1() + "00");
        f += champ("FREQ", freqs[i % 7]);
        f += champ("MODE", "FT8");
        f += champ("RST_SENT", "-10");
        f += champ("RST_RCVD", "-12");
        f += champ("GRIDSQUARE", "JO31");
        f += champ("STATE", QByteArray::number(10 + i % 80));
        f += champ("QSL_SENT", "N");
        f += champ("QSL_RCVD", i % 3 ? "N" : "Y");
        f += champ("COMMENT", "bench import");
        f += "<EOR>\r\n";
    }
    return f;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bench::Banc banc;
    plateforme::installerModeles(QStringLiteral(VELMARIN_MODELES));

    const QString station = QStringLiteral("F5BEN");
    QStringList journal;
    for (int i = 0; i < 20000; ++i) journal << bench::ligneJournal(i);
    plateforme::ecrireLignes(station + QStringLiteral(".log"), journal);
    for (const char* s : {"_Departement.txt", "_Locator.txt", "_Prefixe.txt"})
        plateforme::copier(QStringLiteral("FXXXX") + QLatin1String(s), station + QLatin1String(s));
    plateforme::ecrireLignes(station + QStringLiteral("_Absent.txt"), {});
    Prog().Indicatif_Station = station;

    const QByteArray adif = fichierAdif(79999);
    plateforme::ecrireOctets(QStringLiteral("bench.adi"), adif);
    const QString chemin = plateforme::chemin(QStringLiteral("bench.adi"));

    echange::Conversion c;
    const double conversion = bench::mesure([&] { c = echange::convertirAdif(plateforme::lireOctetsFichier(chemin)); });
    std::printf("lecture et conversion de %lld QSO ADIF : %.3f s, %.0f QSO/s (objectif 50000 QSO/s)\n",
                static_cast<long long>(c.lignes.size()), conversion, c.lignes.size() / conversion);

    Carnet& carnet = Carnet::instance();
    carnet.show();
    Charge_Liste_QSO(station);
    plateforme::installerRepondeurFichier([chemin](bool, const QString&, const QString&) { return chemin; });
    const double total = bench::mesure([&] { carnet.Mnu_Import_ADIF_Click(); });
    std::printf("import complet dans un log de 20000 QSO -> %d QSO : %.3f s (objectif 5 s)\n",
                carnet.Liste_QSO->count(), total);

    // One QSO more than the bound allows: refused, the log untouched.
    plateforme::ecrireLignes(station + QStringLiteral(".log"), journal);
    plateforme::ecrireOctets(QStringLiteral("bench.adi"), fichierAdif(80000));
    const qint64 avant = plateforme::longueur(station + QStringLiteral(".log"));
    const double refus = bench::mesure([&] { carnet.Mnu_Import_ADIF_Click(); });
    const bool intact = plateforme::longueur(station + QStringLiteral(".log")) == avant;
    std::printf("import de 80000 QSO refusé en %.3f s, log %s\n", refus, intact ? "intact" : "MODIFIÉ");
    return intact ? 0 : 1;
}
