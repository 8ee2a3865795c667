// The ADIF field reader and the band table.
#include "exchange/Adif.h"
#include "exchange/Import.h"
#include "platform/Ansi.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"

#include <QtTest>

using namespace echange;

class TestLecteurAdif : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entetesEtEnregistrements_data();
    void entetesEtEnregistrements();
    void longueurExacteEtChevronDansLaValeur();
    void longueursEnCaracteres();
    void enregistrementsSansFin();
    void enteteCommencantParChevron();
    void nomsExactsEtPremierChamp();
    void codageDesValeurs();
    void entreesMalFormees();
    void tableDesBandes();

    // Conversion of ADIF records to log records
    void enregistrementComplet();
    void bandes_data();
    void bandes();
    void champsParDefaut();
    void departementsEtQSL();
    void bandesAbsentesDuLog();
    void majusculesDeLargeurFixe();
    void modesAdif();
    void fichiersReels();
};

namespace {

station::Ligne_QSO premier(const Conversion& c)
{
    return station::Ligne_QSO::depuis(c.lignes.value(0));
}

int compte(const Conversion& c, const QString& debut)
{
    for (const auto& m : c.messages)
        if (m.first.startsWith(debut)) return m.second;
    return 0;
}

} // namespace

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
        "<EOH>\n<COMMENT:21>vu <EOR> et <CALL:3> \r\n<CALL:5>F6ABC<NAME:3:S>Jo <EOR>"));
    QCOMPARE(f.enregistrements.size(), 1);
    const auto& e = f.enregistrements.first();
    QVERIFY(!e.sansEOR);
    QCOMPARE(e.valeur(QStringLiteral("COMMENT")), QStringLiteral("vu <EOR> et <CALL:3> "));
    QCOMPARE(e.valeur(QStringLiteral("CALL")), QStringLiteral("F6ABC"));
    QCOMPARE(e.valeur(QStringLiteral("NAME")), QStringLiteral("Jo "));
}

void TestLecteurAdif::longueursEnCaracteres()
{
    // Lengths counted in characters, as some digital-mode programs write them: the counted
    // bytes stop inside or before the last UTF-8 characters; the value runs to the next tag.
    const FichierAdif f = lireAdif(QByteArray(
        "<EOH>\n<call:5>EA3XY <name:5>Jos\xC3\xA9p <qth:4>Ren\xC3\xA9 <comment:12>Ferenc Tank\xC3\xB3 "
        "<rst_sent:3>-10 <eor>\n"
        "<CALL:5>F6ABCxyz<COMMENT:5>a <b c <NAME:3>Jo \x1A<EOR>"));
    QCOMPARE(f.enregistrements.size(), 2);
    const auto& e = f.enregistrements.first();
    QCOMPARE(e.valeur(QStringLiteral("NAME")), QString::fromUtf8("Josép"));
    QCOMPARE(e.valeur(QStringLiteral("QTH")), QString::fromUtf8("René"));
    QCOMPARE(e.valeur(QStringLiteral("COMMENT")), QString::fromUtf8("Ferenc Tankó"));
    QCOMPARE(e.valeur(QStringLiteral("RST_SENT")), QStringLiteral("-10"));
    // Text after the counted bytes is more of the value; a "<" inside the counted bytes stays.
    const auto& g = f.enregistrements.last();
    QCOMPARE(g.valeur(QStringLiteral("CALL")), QStringLiteral("F6ABCxyz"));
    QCOMPARE(g.valeur(QStringLiteral("COMMENT")), QStringLiteral("a <b c"));
    QCOMPARE(g.valeur(QStringLiteral("NAME")), QStringLiteral("Jo "));

    // Through the import: the whole names, in upper case.
    const Conversion c = convertirAdif(QByteArray(
        "<EOH>\n<call:5>HA5XY <name:12>Ferenc Tank\xC3\xB3 <qth:4>Ren\xC3\xA9 <qso_date:8>20240301 "
        "<time_on:4>1015 <band:3>20m <eor>\n"));
    QCOMPARE(premier(c).Prenom_QSO, QString::fromUtf8("FERENC TANKÓ"));
    QCOMPARE(premier(c).QTH_QSO, QString::fromUtf8("RENÉ"));
    QCOMPARE(c.lignes.first().size(), station::LongueurLigneQSO);
}

void TestLecteurAdif::enregistrementsSansFin()
{
    // A missing or zero-length end: the next CALL or QSO_DATE starts a new record.
    const FichierAdif f = lireAdif(QByteArray(
        "<EOH>\n<CALL:5>F1AAA<QSO_DATE:8>20240101<TIME_ON:4>1000\n"
        "<QSO_DATE:8>20240102<CALL:5>F2BBB<TIME_ON:4>1100<eor:0>\n"
        "<CALL:5>F3CCC<QSO_DATE:8>20240103<EOR>\n"
        "<CALL:5>F4DDD<QSO_DATE:8>20240104\n"));
    QCOMPARE(f.enregistrements.size(), 4);
    const QStringList attendus = {"F1AAA", "F2BBB", "F3CCC", "F4DDD"};
    const QList<bool> sansFin = {true, false, false, true};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(f.enregistrements[i].valeur(QStringLiteral("CALL")), attendus[i]);
        QCOMPARE(f.enregistrements[i].sansEOR, sansFin[i]);
    }
    QCOMPARE(f.enregistrements[1].valeur(QStringLiteral("QSO_DATE")), QStringLiteral("20240102"));
    QCOMPARE(f.enregistrements[1].valeur(QStringLiteral("TIME_ON")), QStringLiteral("1100"));

    // The import keeps each QSO and says how many had no end.
    QByteArray adif("<EOH>\n");
    adif += "<CALL:5>F1AAA<QSO_DATE:8>20240101<TIME_ON:4>1000<BAND:3>40m<EOR>\n";
    adif += "<CALL:5>F2BBB<QSO_DATE:8>20240102<TIME_ON:4>1100<BAND:3>40m\n";
    adif += "<CALL:5>F3CCC<QSO_DATE:8>20240103<TIME_ON:4>1200<BAND:3>40m\n";
    const Conversion c = convertirAdif(adif);
    QCOMPARE(c.lignes.size(), 3);
    QCOMPARE(c.sansFin, 2);
    QVERIFY(c.aSignaler());
    QVERIFY(resumeMessages(c).contains(QStringLiteral("2 enregistrement(s) sans <EOR>")));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[2]).Date_QSO, QStringLiteral("03/01/24"));
}

void TestLecteurAdif::enteteCommencantParChevron()
{
    // Headers made of tags only, as several programs write them.
    const QByteArray entete("<ADIF_VER:5>3.1.4 <PROGRAMID:6>WSJT-X <CREATED_TIMESTAMP:15>20240301 101500 <EOH>\n");
    const Conversion vide = convertirAdif(entete);
    QVERIFY(vide.lignes.isEmpty());
    QVERIFY(vide.refus.contains(QStringLiteral("aucun QSO")));
    QVERIFY(lireAdif(entete).avecEntete);

    const Conversion c = convertirAdif(entete + "<call:5>EA3XY <qso_date:8>20240301 <time_on:4>1015 <band:3>20m <eor>\n");
    QCOMPARE(c.lignes.size(), 1);
    QVERIFY(!c.aSignaler());
    QCOMPARE(premier(c).Indicatif_QSO, QStringLiteral("EA3XY"));
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

void TestLecteurAdif::enregistrementComplet()
{
    const Conversion c = convertirAdif(QByteArray(
        "<EOH>\n<QSO_DATE:8>20240105<TIME_ON:6>143205<TIME_OFF:4>1440<CALL:7>f6abc/p<STATE:2>75"
        "<GRIDSQUARE:8>jn18eu12<BAND:3>40m<MODE:3>SSB<RST_SENT:2>59<STX:3>001<RST_RCVD:2>57<SRX:3>012"
        "<QTH:5>Paris<NAME:4>Jean<QSL_SENT:1>Y<QSL_RCVD:1>N<COMMENT:12>merci pour 1<EOR>\n"));
    QVERIFY(c.refus.isEmpty());
    QVERIFY(c.messages.isEmpty());
    QCOMPARE(c.lignes.size(), 1);
    const QString& l = c.lignes.first();
    QCOMPARE(l.size(), station::LongueurLigneQSO);
    QCOMPARE(l, QStringLiteral("05/01/24  F6ABC/P     14:32  14:40  75   JN18EU  7.0 Mhz   SSB      59001     57012     "
                               "PARIS                 JEAN                    2                             0   "
                               "MERCI POUR 1                  *"));
    QCOMPARE(c.clePremier, cleFusion(2024, 1, 5, 14, 32));
}

void TestLecteurAdif::bandes_data()
{
    QTest::addColumn<QByteArray>("champs");
    QTest::addColumn<QString>("bande");
    QTest::addColumn<bool>("message");
    QTest::newRow("FREQ gagne sur BAND") << QByteArray("<FREQ:5>7.074<BAND:3>20m") << "7.0 Mhz" << false;
    QTest::newRow("BAND en minuscules") << QByteArray("<BAND:3>40m") << "7.0 Mhz" << false;
    QTest::newRow("144.300") << QByteArray("<FREQ:7>144.300") << "144 Mhz" << false;
    QTest::newRow("1296.2 et 23cm") << QByteArray("<FREQ:6>1296.2<BAND:4>23cm") << "1.3 Ghz" << false;
    QTest::newRow("2320") << QByteArray("<FREQ:8>2320.200") << "2.3 Ghz" << false;
    QTest::newRow("10368") << QByteArray("<FREQ:9>10368.200") << "10 Ghz" << false;
    QTest::newRow("435") << QByteArray("<FREQ:7>435.100") << "432 Mhz" << false;
    QTest::newRow("29.6") << QByteArray("<FREQ:4>29.6") << "28 Mhz" << false;
    QTest::newRow("51") << QByteArray("<FREQ:6>51.510") << "50 Mhz" << false;
    QTest::newRow("146") << QByteArray("<FREQ:7>146.520") << "144 Mhz" << false;
    QTest::newRow("1.84") << QByteArray("<FREQ:5>1.840") << "1.8 Mhz" << false;
    QTest::newRow("FREQ illisible, BAND") << QByteArray("<FREQ:3>abc<BAND:2>6M") << "50 Mhz" << false;
}

void TestLecteurAdif::bandes()
{
    QFETCH(QByteArray, champs);
    QFETCH(QString, bande);
    QFETCH(bool, message);
    const Conversion c = convertirAdif("<CALL:4>G4XX<QSO_DATE:8>20240105<TIME_ON:4>1200" + champs + "<EOR>");
    QCOMPARE(premier(c).Bande_QSO, bande);
    QCOMPARE(c.aSignaler(), message);
}

void TestLecteurAdif::champsParDefaut()
{
    // Three records: no date/time/call at all, an ISO date, an impossible time.
    const Conversion c = convertirAdif(QByteArray(
        "<EOH><MODE:2>CW<BAND:3>20m<EOR>"
        "<CALL:4>G4XX<QSO_DATE:10>2024-01-05<TIME_ON:4>1432<TIME_OFF:0><BAND:2>2m<EOR>"
        "<CALL:4>G4YY<QSO_DATE:8>20240230<TIME_ON:4>2561<STX:0><BAND:2>2m<RST_SENT:2>59<EOR>"));
    QCOMPARE(c.lignes.size(), 3);
    QCOMPARE(compte(c, QStringLiteral("Date absente, remplacée par 01/01/2000")), 3);
    QCOMPARE(compte(c, QStringLiteral("Heure absente, remplacée par 00:00")), 2);
    QCOMPARE(compte(c, QStringLiteral("Indicatif absent, remplacé par FXXXX")), 1);
    const auto a = premier(c);
    QCOMPARE(a.Date_QSO, QStringLiteral("01/01/00"));
    QCOMPARE(a.Indicatif_QSO, QStringLiteral("FXXXX"));
    QCOMPARE(a.Heure_Debut, QStringLiteral("00:00"));
    QCOMPARE(a.Heure_Fin, QStringLiteral("00:00"));
    QCOMPARE(a.RST_Envoye, QStringLiteral("XX"));
    QCOMPARE(a.Etat_QSL, QStringLiteral("1"));
    const auto b = station::Ligne_QSO::depuis(c.lignes[1]);
    QCOMPARE(b.Heure_Debut, QStringLiteral("14:32"));
    QCOMPARE(b.Heure_Fin, QStringLiteral("00:00"));  // TIME_OFF present but empty
    QCOMPARE(b.Mode_QSO, QStringLiteral("XXX"));
    QCOMPARE(a.Mode_QSO, QStringLiteral("CW"));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[2]).RST_Envoye, QStringLiteral("59XX"));
    // Every record still has a readable key for the date-order insert.
    for (const QString& l : c.lignes) QVERIFY(cleLigneJournal(l) >= 0);
    const QString resume = resumeMessages(c);
    QVERIFY(resume.contains(QStringLiteral("Date absente, remplacée par 01/01/2000 : 3 QSO")));

    // Overlong values are cut to their columns, never a broken record.
    const Conversion d = convertirAdif(QByteArray(
        "<CALL:15>VERYLONGCALL123<MODE:10>OLIVIA8-25<RST_SENT:3>599<STX:9>123456789<NAME:20>ABCDEFGHIJKLMNOPQRST"
        "<QSO_DATE:8>20240105<TIME_ON:4>1200<BAND:2>2m<EOR>"));
    QCOMPARE(d.lignes.first().size(), station::LongueurLigneQSO);
    QCOMPARE(premier(d).Indicatif_QSO, QStringLiteral("VERYLONGCALL"));
    QCOMPARE(premier(d).RST_Envoye, QStringLiteral("59912345"));
    QVERIFY(convertirAdif(QByteArray("header only <EOH>")).refus.size() > 0);
}

void TestLecteurAdif::departementsEtQSL()
{
    auto qso = [](const QByteArray& champs) {
        return premier(convertirAdif("<QSO_DATE:8>20240105<TIME_ON:4>1200<BAND:2>2m" + champs + "<EOR>"));
    };
    QCOMPARE(qso("<CALL:5>F6ABC<STATE:2>75").Departement_QSO, QStringLiteral("75"));
    QCOMPARE(qso("<CALL:5>F6ABC<STATE:2>2a").Departement_QSO, QStringLiteral("2A"));
    QCOMPARE(qso("<CALL:5>TM5XX<STATE:2>01").Departement_QSO, QStringLiteral("01"));
    QCOMPARE(qso("<CALL:5>JA1XX<STATE:2>13").Departement_QSO, QString());   // a prefecture
    QCOMPARE(qso("<CALL:5>F6ABC<STATE:2>ON").Departement_QSO, QString());
    QCOMPARE(qso("<CALL:5>F6ABC<STATE:2>96").Departement_QSO, QString());
    QCOMPARE(qso("<CALL:5>F6ABC<STATE:3>750").Departement_QSO, QString());

    QCOMPARE(qso("<CALL:2>K1").Etat_QSL, QStringLiteral("1"));
    QCOMPARE(qso("<CALL:2>K1<QSL_SENT:1>Y<QSL_RCVD:1>X").Etat_QSL, QStringLiteral("1"));
    QCOMPARE(qso("<CALL:2>K1<QSL_SENT:1>Y").Etat_QSL, QStringLiteral("2"));
    QCOMPARE(qso("<CALL:2>K1<QSL_RCVD:1>y").Etat_QSL, QStringLiteral("3"));
    QCOMPARE(qso("<CALL:2>K1<QSL_SENT:1>Y<QSL_RCVD:1>Y").Etat_QSL, QStringLiteral("4"));
    QCOMPARE(qso("<CALL:2>K1<QSL_SENT:1>R<QSL_RCVD:1>V").Etat_QSL, QStringLiteral("3"));
    QCOMPARE(qso("<CALL:2>K1<QSL_SENT:1>Q<QSL_RCVD:1>I").Etat_QSL, QStringLiteral("1"));
}

void TestLecteurAdif::bandesAbsentesDuLog()
{
    // QSOs on bands the log has no text for are left out, counted per band; the rest goes in.
    QByteArray adif("<EOH>\n");
    auto qso = [&](const char* champs) {
        adif += QByteArray("<CALL:5>F1AAA<QSO_DATE:8>20240105<TIME_ON:4>1200") + champs + "<EOR>\n";
    };
    qso("<BAND:3>60m<FREQ:5>5.357");
    qso("<BAND:3>60M");
    qso("<FREQ:6>70.200");
    qso("<FREQ:5>0.475");
    qso("<FREQ:4>12.5");
    qso("<MODE:2>CW");
    qso("<BAND:4>160m");
    qso("<FREQ:5>5.357<BAND:3>40m");  // a known band in BAND is kept
    const Conversion c = convertirAdif(adif);
    QCOMPARE(c.lignes.size(), 2);
    QCOMPARE(premier(c).Bande_QSO, QStringLiteral("1.8 Mhz"));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[1]).Bande_QSO, QStringLiteral("7.0 Mhz"));
    const QVector<QPair<QString, int>> attendus = {{"bande 60m", 2}, {"bande 4m", 1}, {"bande 630m", 1},
                                                  {QString::fromUtf8("fréquence 12.5"), 1},
                                                  {QString::fromUtf8("sans bande ni fréquence"), 1}};
    QCOMPARE(c.omis, attendus);
    QVERIFY(c.messages.isEmpty());
    const QString resume = resumeMessages(c);
    QVERIFY(resume.startsWith(QStringLiteral("2 QSO à importer.")));
    QVERIFY(resume.contains(QStringLiteral("  bande 60m : 2 QSO\r\n")));

    // Nothing left: refused, with the same counts.
    const Conversion rien = convertirAdif("<EOH><CALL:5>F1AAA<QSO_DATE:8>20240105<BAND:2>4m<EOR>");
    QVERIFY(rien.lignes.isEmpty());
    QVERIFY(rien.refus.contains(QStringLiteral("bande 4m : 1 QSO")));
}

void TestLecteurAdif::majusculesDeLargeurFixe()
{
    // Upper case keeps every value's length and writes nothing Windows-1252 cannot hold.
    const Conversion c = convertirAdif(QByteArray(
        "<CALL:5>DL1AA<QSO_DATE:8>20240105<TIME_ON:4>1200<BAND:3>20m<NAME:13>Wei\xC3\x9F M\xC3\xBCller"
        "<QTH:14>\xC2\xB5-town \xC6\x92\xC3\xBF\xC5\x93<EOR>"));
    const station::Ligne_QSO q = premier(c);
    QCOMPARE(q.Prenom_QSO, QString::fromUtf8("WEIß MÜLLER"));
    QCOMPARE(q.QTH_QSO, QString::fromUtf8("µ-TOWN ƒŸŒ"));
    QCOMPARE(c.lignes.first().size(), station::LongueurLigneQSO);

    // From a UTF-8 file: a decomposed "é" is one column, a character Windows-1252 lacks is one
    // "?" (also one outside the 16-bit range, never cut in two), and line ends or tabs inside a
    // value are blanks: the record stays one line of 199 columns.
    const Conversion u = convertirAdif(QByteArray(
        "<CALL:5>SP9XY<QSO_DATE:8>20240105<TIME_ON:4>1200<BAND:3>20m<NAME:15>Jose\xCC\x81 \xC5\x81" "ad\xF0\x9F\x99\x82"
        "<QTH:17>\xC5\x81\xC3\xB3" "d\xC5\xBA\r\nPL\t\xE2\x80\xA8" "1\x01<COMMENT:19>\xF0\x9F\x93\xBB\xF0\x9F\x93\xBB"
        "\xF0\x9F\x93\xBB\xF0\x9F\x93\xBBxyz<RST_SENT:6>5\xE2\x80\x8B" "9\n<EOR>"));
    QVERIFY(!u.aSignaler());
    const station::Ligne_QSO p = premier(u);
    QCOMPARE(p.Prenom_QSO, QString::fromUtf8("JOSÉ ?AD?"));
    QCOMPARE(p.QTH_QSO, QString::fromUtf8("?ÓD?  PL ?1"));
    QCOMPARE(p.Remarques_QSO, QStringLiteral("????XYZ"));
    QCOMPARE(p.RST_Envoye, QStringLiteral("5?9"));
    QCOMPARE(u.lignes.first().size(), station::LongueurLigneQSO);
    const QByteArray octets = plateforme::versAnsi(u.lignes.first());
    QCOMPARE(octets.size(), station::LongueurLigneQSO);
    for (const char o : octets) QVERIFY2(static_cast<unsigned char>(o) >= 0x20, u.lignes.first().toUtf8().constData());
}

// The ADIF forms of the log's modes read back as those modes; other values as they stand.
void TestLecteurAdif::modesAdif()
{
    auto mode = [](const QByteArray& champs) {
        return premier(convertirAdif("<CALL:4>G4XX<QSO_DATE:8>20240105<TIME_ON:4>1200<BAND:3>20m" + champs + "<EOR>"))
            .Mode_QSO;
    };
    QCOMPARE(mode("<MODE:3>PSK<SUBMODE:5>PSK31"), QStringLiteral("PSK31"));
    QCOMPARE(mode("<submode:5>psk31<mode:3>psk"), QStringLiteral("PSK31"));
    QCOMPARE(mode("<MODE:3>PSK<SUBMODE:5>PSK63"), QStringLiteral("PSK"));
    QCOMPARE(mode("<MODE:3>PSK"), QStringLiteral("PSK"));
    QCOMPARE(mode("<MODE:3>PKT"), QStringLiteral("PACKET"));
    QCOMPARE(mode("<MODE:4>THRB"), QStringLiteral("THROB"));
    QCOMPARE(mode("<MODE:4>THRB<SUBMODE:5>THRBX"), QStringLiteral("THROB"));
    QCOMPARE(mode("<MODE:2>FM"), QStringLiteral("FM"));
    QCOMPARE(mode("<MODE:4>MFSK<SUBMODE:3>FT4"), QStringLiteral("MFSK"));
    QCOMPARE(mode("<MODE:3>SAT"), QStringLiteral("SAT"));
    // The older exports, written in Windows-1252 with the modes as typed, read as before.
    QCOMPARE(mode("<MODE:5>PSK31"), QStringLiteral("PSK31"));
    QCOMPARE(mode("<MODE:6>RELAIS"), QStringLiteral("RELAIS"));
    const Conversion ancien = convertirAdif(QByteArray(
        "Exportation du log Velmarin de F5XYZ/P au format ADIF\r\n\r\nVelmarin\r\n\r\n\r\n<eoh>\r\n"
        "<call:5>F1ABC<name:6>H\xc9L\xc8NE<band:2>2m<mode:6>PACKET<qso_date:8>20240201<time_on:4>1432"
        "<time_off:4>1435<rst_sent:2>59<rst_rcvd:2>57<comment:15>Dpt:  GEN\xc8VE \x80\x9c<eor>\r\n"));
    QCOMPARE(premier(ancien).Prenom_QSO, QString::fromUtf8("HÉLÈNE"));
    QCOMPARE(premier(ancien).Mode_QSO, QStringLiteral("PACKET"));
    QCOMPARE(premier(ancien).Remarques_QSO, QString::fromUtf8("DPT:  GENÈVE €Œ"));
}

void TestLecteurAdif::fichiersReels()
{
    // Shaped as a confirmation-service download: header with its own tags, one field per line,
    // lower-case field names of other programs ignored, QSO_DATE_OFF before QSO_DATE.
    const QByteArray lotw(
        "ARRL Logbook of the World Status Report\n"
        "Generated at 2024-02-01 10:11:12\n"
        "for f5xyz\n"
        "<PROGRAMID:4>LoTW\n<APP_LoTW_LASTQSL:19>2024-01-30 08:00:00\n<eoh>\n\n"
        "<APP_LoTW_OWNCALL:5>F5XYZ\n<STATION_CALLSIGN:5>F5XYZ\n<CALL:5>W1AW\n<BAND:3>20M\n"
        "<FREQ:8>14.07400\n<MODE:3>FT8\n<QSO_DATE_OFF:8>20231231\n<QSO_DATE:8>20231230\n"
        "<TIME_ON:6>235900\n<QSL_RCVD:1>Y\n<QSLRDATE:8>20240115\n<eor>\n\n"
        "<CALL:6>JA1ABC\n<BAND:3>15M\n<MODE:2>CW\n<QSO_DATE:8>20240101\n<TIME_ON:4>0101\n"
        "<STATE:2>13\n<QSL_RCVD:1>Y\n<eor>\n");
    Conversion c = convertirAdif(lotw);
    QCOMPARE(c.lignes.size(), 2);
    QVERIFY(c.messages.isEmpty());
    QCOMPARE(premier(c).Date_QSO, QStringLiteral("30/12/23"));
    QCOMPARE(premier(c).Bande_QSO, QStringLiteral("14 Mhz"));
    QCOMPARE(premier(c).Etat_QSL, QStringLiteral("3"));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[1]).Departement_QSO, QString());

    // A digital-mode program's file, LF endings, a byte order mark, "<" and "é" in a comment.
    const QByteArray wsjt = QByteArray("\xEF\xBB\xBFWSJT-X ADIF Export<eoh>\n") +
        "<call:5>EA3XY <gridsquare:4>JN11 <mode:3>FT8 <rst_sent:3>-10 <rst_rcvd:3>-15 <qso_date:8>20240301 "
        "<time_on:6>101530 <qso_date_off:8>20240301 <time_off:6>101645 <band:3>20m <freq:9>14.075123 "
        "<station_callsign:5>F5XYZ <my_gridsquare:6>JN03TJ <comment:12>" "73 <3 \xC3\xa9t\xC3\xa9 <eor>\n";
    c = convertirAdif(wsjt);
    QCOMPARE(c.lignes.size(), 1);
    const auto q = premier(c);
    QCOMPARE(q.Indicatif_QSO, QStringLiteral("EA3XY"));
    QCOMPARE(q.Locator_QSO, QStringLiteral("JN11"));
    QCOMPARE(q.Heure_Debut, QStringLiteral("10:15"));
    QCOMPARE(q.Heure_Fin, QStringLiteral("10:16"));
    QCOMPARE(q.RST_Envoye, QStringLiteral("-10"));
    QCOMPARE(q.Remarques_QSO, QString::fromUtf8("73 <3 ÉTÉ"));

    // One record a line, the way the simple line reader expects them: the same records.
    const QByteArray ligne(
        "Velmarin test\r\n<EOH>\r\n"
        "<CALL:5>F1AAA <QSO_DATE:8>20220310 <TIME_ON:4>0930 <BAND:3>2M <MODE:2>FM <RST_SENT:2>59 <RST_RCVD:2>58 <EOR>\r\n"
        "\r\n"
        "<CALL:5>F2BBB <QSO_DATE:8>20220311 <TIME_ON:4>1000 <BAND:4>70CM <MODE:3>SSB <EOR>\r\n");
    c = convertirAdif(ligne);
    QCOMPARE(c.lignes.size(), 2);
    QCOMPARE(c.lignes[0].left(88),
             QStringLiteral("10/03/22  F1AAA       09:30  09:30               144 Mhz   FM       59        58        "));
    QCOMPARE(station::Ligne_QSO::depuis(c.lignes[1]).Bande_QSO, QStringLiteral("432 Mhz"));
}

QTEST_GUILESS_MAIN(TestLecteurAdif)
#include "tst_lecteur_adif.moc"
