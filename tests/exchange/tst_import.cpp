// The merge shared by the imports, the own-format import and the log bound.
#include "exchange/Import.h"
#include "commun/Outils_Test.h"
#include "platform/Fichiers.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace echange;

class TestImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placeDuBloc_data();
    void placeDuBloc();
    void sentinellesEtLignesIllisibles();
    void formatPropre();
    void limiteDuLog();
    void arretBrutalPendantLImport();
};

namespace {

QString qso(const QString& date, const QString& heure, const QString& indicatif)
{
    return test::ligneQSO(date, indicatif, heure);
}

QStringList indicatifs(const QStringList& lignes)
{
    QStringList r;
    for (const QString& l : lignes) r.append(station::lireChamp(l, station::Champ::Indicatif_QSO));
    return r;
}

} // namespace

void TestImport::placeDuBloc_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<qint64>("cle");
    QTest::addColumn<QStringList>("attendu");

    const QStringList log = {qso("01/01/24", "10:00", "A1"), qso("05/01/24", "10:00", "A2"),
                             qso("10/01/24", "10:00", "A3")};
    QTest::newRow("avant tout") << log << cleFusion(2023, 12, 31, 23, 59) << QStringList{"B1", "B2", "A1", "A2", "A3"};
    QTest::newRow("egal: avant") << log << cleFusion(2024, 1, 5, 10, 0) << QStringList{"A1", "B1", "B2", "A2", "A3"};
    QTest::newRow("apres tout") << log << cleFusion(2024, 2, 1, 0, 0) << QStringList{"A1", "A2", "A3", "B1", "B2"};
    QTest::newRow("log vide") << QStringList() << cleFusion(2024, 2, 1, 0, 0) << QStringList{"B1", "B2"};
    // The log is out of order: the block goes before the first line not earlier than it.
    const QStringList desordre = {qso("10/01/24", "10:00", "A1"), qso("01/01/24", "10:00", "A2")};
    QTest::newRow("log en desordre") << desordre << cleFusion(2024, 1, 5, 0, 0) << QStringList{"B1", "B2", "A1", "A2"};
    // Year 50 of the log is 2050; year 99 is 1999.
    const QStringList siecle = {qso("31/12/99", "10:00", "A1"), qso("01/01/50", "10:00", "A2")};
    QTest::newRow("annees 99 et 50") << siecle << cleFusion(2024, 1, 1, 0, 0) << QStringList{"A1", "B1", "B2", "A2"};
}

void TestImport::placeDuBloc()
{
    QFETCH(QStringList, journal);
    QFETCH(qint64, cle);
    QFETCH(QStringList, attendu);
    // The block keeps its own order even when its second QSO is older than the first.
    const QStringList bloc = {qso("20/01/24", "10:00", "B1"), qso("01/01/20", "10:00", "B2")};
    QCOMPARE(indicatifs(fusionner(journal, bloc, cle)), attendu);
}

void TestImport::sentinellesEtLignesIllisibles()
{
    const QString sentinelle = Ligne_Sentinelle();
    QCOMPARE(sentinelle.size(), station::LongueurLigneQSO);
    QVERIFY(sentinelle.startsWith(QStringLiteral("01/01/50  XXXXXX      12:00  12:05 ")));
    QVERIFY(Ligne_Sentinelle(true).startsWith(QStringLiteral("01/01/50  XXXXXX      00:00  00:05 ")));
    // An older run left an end record in the log; the block held one too: both go. An empty
    // line keeps the key of the line before it.
    const QStringList log = {qso("01/01/24", "10:00", "A1"), QString(), qso("05/01/24", "10:00", "A2"), sentinelle};
    const QStringList r = fusionner(log, {qso("03/01/24", "10:00", "B1"), Ligne_Sentinelle(true)},
                                    cleFusion(2024, 1, 3, 10, 0));
    QCOMPARE(indicatifs(r), (QStringList{"A1", "", "B1", "A2"}));
}

void TestImport::formatPropre()
{
    const QString a = qso("15/03/24", "14:35", "F1AAA");
    const QString b = qso("16/03/24", "09:00", "F2BBB");
    Conversion c = convertirVLM({a, QString(), b, Ligne_Sentinelle(), QString()});
    QVERIFY(c.refus.isEmpty());
    QCOMPARE(c.lignes, (QStringList{a, b}));
    QCOMPARE(c.clePremier, cleFusion(2024, 3, 15, 14, 35));
    // Year 50 of the file's first line is 1950.
    QCOMPARE(convertirVLM({qso("01/01/50", "10:00", "F1AAA")}).clePremier, cleFusion(1950, 1, 1, 10, 0));

    const QStringList mauvaises = {a.left(198), a + QLatin1Char(' '), QString(a).replace(198, 1, QLatin1Char(' ')),
                                   QString(a).replace(0, 8, QStringLiteral("15-03-24")),
                                   QString(a).replace(0, 8, QStringLiteral("31/02/24")),
                                   QString(a).replace(22, 5, QStringLiteral("25:00"))};
    for (const QString& m : mauvaises) {
        c = convertirVLM({b, m});
        QVERIFY2(c.refus.startsWith(QStringLiteral("La ligne 2 ")), qPrintable(m));
        QVERIFY(c.lignes.isEmpty());
    }
    QVERIFY(!convertirVLM({}).refus.isEmpty());
}

void TestImport::limiteDuLog()
{
    test::Environnement env;
    const QString log = env.chemin(QStringLiteral("F5XYZ.log"));
    QStringList journal;
    for (int i = 0; i < 99989; ++i) journal.append(qso("01/01/20", "10:00", QStringLiteral("A")));
    plateforme::ecrireLignes(log, journal);
    const QByteArray avant = test::lireOctets(log);

    Conversion c;
    c.clePremier = cleFusion(2021, 1, 1, 0, 0);
    for (int i = 0; i < 10; ++i) c.lignes.append(qso("01/01/21", "10:00", QStringLiteral("B")));
    // 99,989 + 10 = 99,999: accepted. One more: refused, the log untouched.
    c.lignes.append(qso("01/01/21", "10:00", QStringLiteral("C")));
    try {
        importerDansJournal(QStringLiteral("F5XYZ"), c);
        QFAIL("import past the bound accepted");
    } catch (const ImportRefuse& e) {
        QVERIFY(e.message.contains(QStringLiteral("99999")));
    }
    QCOMPARE(test::lireOctets(log), avant);
    c.lignes.removeLast();
    QCOMPARE(importerDansJournal(QStringLiteral("F5XYZ"), c), 99999);
    QCOMPARE(QFileInfo(log).size(), qint64(99999) * 201);
}

void TestImport::arretBrutalPendantLImport()
{
    // A child imports again and again into a log of 20,000 QSOs and is killed with SIGKILL
    // part way: the log is always a whole log, old or new, never cut and never with an end
    // record.
    test::Environnement env;
    const QString log = env.chemin(QStringLiteral("F5XYZ.log"));
    QStringList journal;
    for (int i = 0; i < 20000; ++i) journal.append(qso("01/01/20", "10:00", QStringLiteral("A")));
    plateforme::ecrireLignes(log, journal);
    Conversion c;
    c.clePremier = cleFusion(2019, 1, 1, 0, 0);
    for (int i = 0; i < 500; ++i) c.lignes.append(qso("01/01/19", "10:00", QStringLiteral("B")));

    for (int essai = 0; essai < 3; ++essai) {
        const pid_t enfant = fork();
        QVERIFY(enfant >= 0);
        if (enfant == 0) {
            for (;;) {
                try {
                    importerDansJournal(QStringLiteral("F5XYZ"), c);
                } catch (...) {
                    _exit(1);
                }
            }
        }
        usleep(150000 + essai * 70000);
        kill(enfant, SIGKILL);
        int etat = 0;
        waitpid(enfant, &etat, 0);
        QVERIFY(WIFSIGNALED(etat));
        const QByteArray octets = test::lireOctets(log);
        QVERIFY(octets.size() >= 20000 * 201);
        QCOMPARE(octets.size() % 201, 0);
        QVERIFY(!octets.contains("XXXXXX"));
        QVERIFY(octets.endsWith("*\r\n"));
    }
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
