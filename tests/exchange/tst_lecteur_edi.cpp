// Contest logs in the EDI (REG1TEST) layout.
#include "exchange/Import.h"
#include "station/Ligne_QSO.h"

#include <QtTest>

using namespace echange;

class TestLecteurEdi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fichierComplet();
    void lignesBlanches();
    void bandesPBand_data();
    void bandesPBand();
    void refus_data();
    void refus();
};

namespace {

QStringList fichier(const QString& pband, const QStringList& qso)
{
    QStringList l = {QStringLiteral("[REG1TEST;1]"), QStringLiteral("TName=Contest VHF"),
                     QStringLiteral("TDate=20051015;20051016"), QStringLiteral("PCall=F5XYZ"),
                     QStringLiteral("PWWLo=JN03TJ")};
    if (!pband.isNull()) l.append(QStringLiteral("PBand=") + pband);
    l.append(QStringLiteral("[Remarks]"));
    l.append(QStringLiteral("[QSORecords;%1]").arg(qso.size()));
    l += qso;
    return l;
}

} // namespace

void TestLecteurEdi::fichierComplet()
{
    const Conversion c = convertirEdi(fichier(QStringLiteral("1,3 GHz"), {
        QStringLiteral("051015;1432;G4ABC;1;59;001;59;012;;io91wm;245;;N;N;"),
        QStringLiteral("051015;1440;ON4XYZ/P;3;599;002;599;003;;JO20AA;300;;;;"),
        QStringLiteral("051016;0005;DL1AA;X;59;003;59;004;;jo31;;;;;"),
        QString(),
        QStringLiteral("051016;0100;PA0AAA;1;59;004;59;005;;JO22AA;;;;;")}));
    QVERIFY2(c.refus.isEmpty(), qPrintable(c.refus));
    QCOMPARE(c.lignes.size(), 3);  // records after an empty line are not read
    QCOMPARE(c.lignes[0], QStringLiteral("15/10/05  G4ABC       14:32  14:32       IO91WM  1.3 Ghz   SSB      59001     "
                                         "59012                                                   1                             "
                                         "0                                 *"));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[1]).Mode_QSO, QStringLiteral("CW"));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[2]).Mode_QSO, QStringLiteral("X"));
    QCOMPARE(c.clePremier, cleFusion(2005, 10, 15, 14, 32));
    for (const QString& l : c.lignes) QCOMPARE(l.size(), station::LongueurLigneQSO);
}

void TestLecteurEdi::lignesBlanches()
{
    // A record line of blanks and separators is skipped; the records around it are kept, and
    // a line that holds data but cannot be read still refuses the file.
    const Conversion c = convertirEdi(fichier(QStringLiteral("144 MHz"), {
        QStringLiteral("051015;1432;G4ABC;1;59;001;59;012;;IO91WM;;;;;"),
        QStringLiteral(" ;;;;;;;;;;;;;;"),
        QStringLiteral(";;;;"),
        QStringLiteral("051015;1440;ON4XYZ;1;59;002;59;003;;JO20AA;;;;;")}));
    QVERIFY2(c.refus.isEmpty(), qPrintable(c.refus));
    QCOMPARE(c.lignes.size(), 2);
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[1]).Indicatif_QSO, QStringLiteral("ON4XYZ"));

    const Conversion blanches = convertirEdi(fichier(QStringLiteral("144 MHz"), {QStringLiteral(" ;;;;;;;;;;;;;;")}));
    QVERIFY(blanches.refus.startsWith(QStringLiteral("Le fichier EDI ne contient aucun QSO")));
    const Conversion illisible = convertirEdi(fichier(QStringLiteral("144 MHz"), {QStringLiteral(" ;;;G4ABC;;;;;;;;")}));
    QVERIFY(illisible.refus.startsWith(QStringLiteral("La ligne 9 ")));
}

void TestLecteurEdi::bandesPBand_data()
{
    QTest::addColumn<QString>("pband");
    QTest::addColumn<QString>("bande");
    QTest::newRow("145 MHz") << "145 MHz" << "144 Mhz";
    QTest::newRow("144 MHz") << "144 MHz" << "144 Mhz";
    QTest::newRow("435 MHz") << "435 MHz" << "432 Mhz";
    QTest::newRow("1,3 GHz") << "1,3 GHz" << "1.3 Ghz";
    QTest::newRow("2,3 GHz") << "2,3 GHz" << "2.3 Ghz";
    QTest::newRow("5,7 GHz") << "5,7 GHz" << "5.7 Ghz";
    QTest::newRow("10 GHz") << "10 GHz" << "10 Ghz";
    QTest::newRow("24 GHz") << "24 GHz" << "24 Ghz";
    QTest::newRow("50 MHz") << "50 MHz" << "50 Mhz";
    QTest::newRow("70 MHz") << "70 MHz" << QString();
    QTest::newRow("76 GHz") << "76 GHz" << QString();
    QTest::newRow("texte") << "deux metres" << QString();
}

void TestLecteurEdi::bandesPBand()
{
    QFETCH(QString, pband);
    QFETCH(QString, bande);
    QCOMPARE(bandeDepuisPBand(pband), bande);
}

void TestLecteurEdi::refus_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QString>("debut");
    const QString qso = QStringLiteral("051015;1432;G4ABC;1;59;001;59;012;;IO91WM;;;;;");
    QTest::newRow("sans PBand") << fichier(QString(), {qso}) << "Le fichier EDI n'indique pas sa bande";
    QTest::newRow("PBand inconnue") << fichier(QStringLiteral("3,4 GHz"), {qso}) << "La bande \"3,4 GHz\"";
    QTest::newRow("sans section") << QStringList{QStringLiteral("PBand=144 MHz"), qso} << "Le fichier ne contient pas";
    QTest::newRow("sans QSO") << fichier(QStringLiteral("144 MHz"), {}) << "Le fichier EDI ne contient aucun QSO";
    QTest::newRow("date illisible")
        << fichier(QStringLiteral("144 MHz"), {qso, QStringLiteral("05-10-15;1432;G4ABC;1")}) << "La ligne 10 ";
    QTest::newRow("heure illisible")
        << fichier(QStringLiteral("144 MHz"), {QStringLiteral("051015;2599;G4ABC;1")}) << "La ligne 9 ";
    QTest::newRow("champs manquants") << fichier(QStringLiteral("144 MHz"), {QStringLiteral("051015")}) << "La ligne 9 ";
}

void TestLecteurEdi::refus()
{
    QFETCH(QStringList, lignes);
    QFETCH(QString, debut);
    const Conversion c = convertirEdi(lignes);
    QVERIFY2(c.refus.startsWith(debut), qPrintable(c.refus));
    QVERIFY(c.lignes.isEmpty());
}

QTEST_GUILESS_MAIN(TestLecteurEdi)
#include "tst_lecteur_edi.moc"
