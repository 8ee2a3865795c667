// The ADIF field reader and the band table.
#include "exchange/Adif.h"
#include "station/Listes.h"

#include <QtTest>

using namespace echange;

class TestLecteurAdif : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entetesEtEnregistrements_data();
    void entetesEtEnregistrements();
    void longueurExacteEtChevronDansLaValeur();
    void nomsExactsEtPremierChamp();
    void codageDesValeurs();
    void entreesMalFormees();
    void tableDesBandes();
};

void TestLecteurAdif::entetesEtEnregistrements_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<int>("nombre");
    QTest::addColumn<QString>("dernierIndicatif");

    QTest::newRow("une ligne par enregistrement")
        << QByteArray("Export\r\n<ADIF_VER:5>3.1.4\r\n<EOH>\r\n"
                      "<CALL:5>F6ABC <QSO_DATE:8>20240105 <TIME_ON:4>1432 <EOR>\r\n"
                      "<CALL:4>G4XX <QSO_DATE:8>20240106 <TIME_ON:6>010203 <EOR>\r\n")
        << 2 << "G4XX";
    QTest::newRow("un champ par ligne, eor seul")
        << QByteArray("header\n<eoh>\n<call:5>F6ABC\n<qso_date:8>20240105\n<time_on:4>1432\n<eor>\n\n"
                      "<call:5>DL1AA\n<qso_date:8>20240105\n<eor>\n")
        << 2 << "DL1AA";
    QTest::newRow("plusieurs enregistrements sur une ligne")
        << QByteArray("<EOH><CALL:3>K1A<EOR><CALL:3>K2B<EOR><CALL:3>K3C<EOR>") << 3 << "K3C";
    QTest::newRow("en-tete collee au eoh")
        << QByteArray("WSJT-X ADIF Export<eoh>\n<call:6>EA3XYZ <gridsquare:4>JN11 <mode:3>FT8 <eor>\n")
        << 1 << "EA3XYZ";
    QTest::newRow("sans en-tete")
        << QByteArray("<CALL:5>ON4ZZ<QSO_DATE:8>20230101<EOR>\n") << 1 << "ON4ZZ";
    QTest::newRow("BOM et fins LF")
        << QByteArray("\xEF\xBB\xBF<CALL:5>ON4ZZ<EOR>\n<CALL:5>PA3AB<EOR>\n") << 2 << "PA3AB";
    QTest::newRow("chevron dans l'en-tete")
        << QByteArray("Log <created> by hand <CALL:4>FAKE\n<EOH>\n<CALL:5>F1AAA<EOR>\n") << 1 << "F1AAA";
    QTest::newRow("dernier sans eor garde")
        << QByteArray("<EOH><CALL:5>F1AAA<EOR><CALL:5>F2BBB") << 2 << "F2BBB";
    QTest::newRow("en-tete seule") << QByteArray("juste un texte <EOH>\r\n") << 0 << QString();
    QTest::newRow("vide") << QByteArray() << 0 << QString();
}

void TestLecteurAdif::entetesEtEnregistrements()
{
    QFETCH(QByteArray, fichier);
    QFETCH(int, nombre);
    QFETCH(QString, dernierIndicatif);
    const FichierAdif f = lireAdif(fichier);
    QCOMPARE(f.enregistrements.size(), nombre);
    if (nombre > 0) QCOMPARE(f.enregistrements.last().valeur(QStringLiteral("CALL")), dernierIndicatif);
}

void TestLecteurAdif::longueurExacteEtChevronDansLaValeur()
{
    const FichierAdif f = lireAdif(QByteArray(
        "<EOH>\n<COMMENT:21>vu <EOR> et <CALL:3> !<CALL:5>F6ABCxyz<NAME:3:S>Jo <EOR>"));
    QCOMPARE(f.enregistrements.size(), 1);
    const auto& e = f.enregistrements.first();
    QCOMPARE(e.valeur(QStringLiteral("COMMENT")), QStringLiteral("vu <EOR> et <CALL:3> "));
    QCOMPARE(e.valeur(QStringLiteral("CALL")), QStringLiteral("F6ABC"));
    // Text after a value and before the next tag is not part of any field.
    QCOMPARE(e.valeur(QStringLiteral("NAME")), QStringLiteral("Jo "));
}

void TestLecteurAdif::nomsExactsEtPremierChamp()
{
    const FichierAdif f = lireAdif(QByteArray(
        "<QSO_DATE_OFF:8>20240106<BAND_RX:3>70cm<qso_date:8>20240105<BAND:2>2m<band:3>40m<EOR>"));
    const auto& e = f.enregistrements.first();
    QCOMPARE(e.valeur(QStringLiteral("QSO_DATE")), QStringLiteral("20240105"));
    QCOMPARE(e.valeur(QStringLiteral("BAND")), QStringLiteral("2m"));
    QVERIFY(!e.contient(QStringLiteral("TIME_ON")));
    QVERIFY(e.contient(QStringLiteral("QSO_DATE_OFF")));
}

void TestLecteurAdif::codageDesValeurs()
{
    // "é" as UTF-8 (2 bytes) and as Windows-1252 (1 byte); the length counts bytes.
    const FichierAdif f = lireAdif(QByteArray("<NAME:3>J\xC3\xA9<QTH:5>S\xE8te <COMMENT:2>\x80!<EOR>"));
    const auto& e = f.enregistrements.first();
    QCOMPARE(e.valeur(QStringLiteral("NAME")), QString::fromUtf8("Jé"));
    QCOMPARE(e.valeur(QStringLiteral("QTH")), QString::fromUtf8("Sète "));
    QCOMPARE(e.valeur(QStringLiteral("COMMENT")), QString::fromUtf8("€!"));
}

void TestLecteurAdif::entreesMalFormees()
{
    // Unclosed tags, lengths that are not numbers or run past the end: no crash, what can be
    // read is read.
    const FichierAdif f = lireAdif(QByteArray("<EOH><CALL:x>AB<NAME:abc>D<QTH:99999999999999999999>Paris"));
    QCOMPARE(f.enregistrements.size(), 1);
    QCOMPARE(f.enregistrements.first().valeur(QStringLiteral("QTH")), QStringLiteral("Paris"));
    QCOMPARE(lireAdif(QByteArray("<EOH><CALL:5")).enregistrements.size(), 0);
    QCOMPARE(lireAdif(QByteArray("<<<<>>>><:5>abcde<EOR>")).enregistrements.size(), 0);
}

void TestLecteurAdif::tableDesBandes()
{
    const QStringList& bandes = station::Liste_Bandes();
    QCOMPARE(int(Table_Bandes_Adif().size()), int(bandes.size()));
    for (int i = 0; i < bandes.size(); ++i) {
        QCOMPARE(QString::fromLatin1(Table_Bandes_Adif()[i].bande), bandes[i]);
        const QString adif = bandeVersAdif(bandes[i]);
        QVERIFY(!adif.isEmpty());
        QCOMPARE(bandeDepuisAdif(adif.toUpper()), bandes[i]);
        const auto& e = Table_Bandes_Adif()[i];
        QCOMPARE(bandeDepuisFrequence((e.basMHz + e.hautMHz) / 2), bandes[i]);
    }
    QCOMPARE(bandeVersAdif(QStringLiteral("144 MHZ")), QStringLiteral("2m"));
    QCOMPARE(bandeDepuisFrequence(1296.2), QStringLiteral("1.3 Ghz"));
    QCOMPARE(bandeDepuisFrequence(10368.1), QStringLiteral("10 Ghz"));
    QVERIFY(bandeDepuisFrequence(5.36).isEmpty());
    QVERIFY(bandeDepuisAdif(QStringLiteral("60m")).isEmpty());
}

QTEST_GUILESS_MAIN(TestLecteurAdif)
#include "tst_lecteur_adif.moc"
