// The ADIF export: read back by the project's own ADIF reader, the fields' byte lengths, the
// century, the band names, the range rules and the window.
#include "commun/Outils_Test.h"

#include "exchange/Adif.h"
#include "exchange/Export_Adif.h"
#include "exchange/Fenetre_Export_Adif.h"
#include "exchange/Import.h"
#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QtTest>

using namespace echange;

namespace {

const QString Indicatif = QStringLiteral("F5XYZ_P");

station::Ligne_QSO qso(const QString& date, const QString& indicatif)
{
    station::Ligne_QSO l = station::Ligne_QSO::depuis(test::ligneQSO(date, indicatif, QStringLiteral("14:32")));
    l.Heure_Fin = QStringLiteral("14:35");
    l.RST_Recu = QStringLiteral("57");
    return l;
}

// A log of `n` QSOs, callsigns F1AA1, F1AA2 ...
QStringList journal(int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << qso(QStringLiteral("01/02/24"), QStringLiteral("F1AA%1").arg(i)).texte();
    return l;
}

void ecrireJournal(const test::Environnement& env, const QStringList& lignes)
{
    test::ecrireOctets(env.chemin(Indicatif + QStringLiteral(".log")), test::enAnsi(lignes));
}

QByteArray lireExport(const test::Environnement& env)
{
    return test::lireOctets(env.chemin(Indicatif + QStringLiteral(".adi")));
}

QStringList indicatifsExportes(const test::Environnement& env)
{
    QStringList l;
    for (const EnregistrementAdif& e : lireAdif(lireExport(env)).enregistrements)
        l << e.valeur(QStringLiteral("CALL"));
    return l;
}

DemandeExportAdif intervalle(const QString& debut, const QString& fin)
{
    DemandeExportAdif d;
    d.partiel = true;
    d.debut = debut;
    d.fin = fin;
    return d;
}

} // namespace

class TestExportAdif : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void allerRetourParLeLecteur();
    void fichierAuxConventionsAdif();
    void luParUnLecteurStrictEtParLImport();
    void bandes_data();
    void bandes();
    void siecle_data();
    void siecle();
    void champsFacultatifsEtCommentaire();
    void intervalles();
    void logCompletSansControleDIntervalle();
    void echecSansFichierAbime();
    void lignesVidesOuAbimees();
    void fenetreDepuisLeMenu();
};

// Every field the export and the reader share comes back as it was logged.
void TestExportAdif::allerRetourParLeLecteur()
{
    test::Environnement env;
    station::Ligne_QSO a = qso(QStringLiteral("14/03/98"), QStringLiteral("F6ÉTÉ/P"));
    a.Prenom_QSO = QStringLiteral("José-Œdipe €");
    a.Locator_QSO = QStringLiteral("JN18DQ");
    a.Bande_QSO = QStringLiteral("24 Ghz");
    a.Mode_QSO = QStringLiteral("PSK31");
    a.RST_Envoye = QStringLiteral("599001");
    a.RST_Recu = QStringLiteral("579012");
    a.Departement_QSO = QStringLiteral("2a");
    a.QTH_QSO = QStringLiteral("DFCF 2A001");
    a.Remarques_QSO = QStringLiteral("Château d'Ajaccio");
    station::Ligne_QSO b = qso(QStringLiteral("31/12/07"), QStringLiteral("DL1ABC"));
    b.Bande_QSO = QStringLiteral("1.8 Mhz");
    b.Heure_Fin.clear();
    ecrireJournal(env, {a.texte(), b.texte()});

    QCOMPARE(exporterAdif(Indicatif, QStringLiteral("F5XYZ/P"), {}), QString());
    const FichierAdif f = lireAdif(lireExport(env));
    QVERIFY(f.avecEntete);
    QCOMPARE(f.enregistrements.size(), 2);

    const EnregistrementAdif& e = f.enregistrements.at(0);
    QCOMPARE(e.valeur("CALL"), a.Indicatif_QSO);
    QCOMPARE(e.valeur("NAME"), a.Prenom_QSO);
    QCOMPARE(e.valeur("GRIDSQUARE"), a.Locator_QSO);
    QCOMPARE(bandeDepuisAdif(e.valeur("BAND")), a.Bande_QSO);
    QCOMPARE(e.valeur("MODE"), QStringLiteral("PSK"));
    QCOMPARE(e.valeur("SUBMODE"), a.Mode_QSO);
    QCOMPARE(e.valeur("QSO_DATE"), QStringLiteral("19980314"));
    QCOMPARE(e.valeur("TIME_ON"), QStringLiteral("1432"));
    QCOMPARE(e.valeur("TIME_OFF"), QStringLiteral("1435"));
    QCOMPARE(e.valeur("RST_SENT"), a.RST_Envoye);
    QCOMPARE(e.valeur("RST_RCVD"), a.RST_Recu);
    QCOMPARE(e.valeur("COMMENT"), QStringLiteral("Dpt:2a  DFCF 2A001 Château d'Ajaccio"));

    const EnregistrementAdif& g = f.enregistrements.at(1);
    QCOMPARE(g.valeur("CALL"), QStringLiteral("DL1ABC"));
    QVERIFY(!g.contient("NAME"));
    QVERIFY(!g.contient("GRIDSQUARE"));
    QCOMPARE(g.valeur("BAND"), QStringLiteral("160m"));
    QCOMPARE(g.valeur("QSO_DATE"), QStringLiteral("20071231"));
    QVERIFY(g.contient("TIME_OFF"));
    QCOMPARE(g.valeur("TIME_OFF"), QString());
}

// UTF-8 bytes, lengths in bytes, the header and the record ends.
void TestExportAdif::fichierAuxConventionsAdif()
{
    test::Environnement env;
    station::Ligne_QSO a = qso(QStringLiteral("05/06/24"), QStringLiteral("F1ABC"));
    a.Prenom_QSO = QStringLiteral("André");
    ecrireJournal(env, {a.texte()});
    exporterAdif(Indicatif, QStringLiteral("F5XYZ/P"), {});
    const QByteArray octets = lireExport(env);

    QVERIFY(octets.contains(QByteArray("<name:6>Andr\xc3\xa9<band:2>2m")));
    const QList<QByteArray> lignes = octets.split('\n');
    QCOMPARE(lignes.size(), 8);  // six header lines, one QSO, nothing after the last CR LF
    QCOMPARE(lignes.at(0), QByteArray("Exportation du log Velmarin de F5XYZ/P au format ADIF\r"));
    QCOMPARE(lignes.at(1), QByteArray("\r"));
    QCOMPARE(lignes.at(5), QByteArray("<eoh>\r"));
    QVERIFY(lignes.at(6).startsWith("<call:5>F1ABC<name:6>"));
    QVERIFY(lignes.at(6).endsWith("<eor>\r"));
    QCOMPARE(lignes.at(7), QByteArray());
    for (const QByteArray& l : lignes.mid(0, 7))
        QVERIFY(l.endsWith('\r'));

    // Every character takes its UTF-8 bytes, and the length says so.
    QCOMPARE(champAdif("name", QStringLiteral("Łukasz")), QStringLiteral("<name:7>Łukasz"));
    QCOMPARE(champAdif("qth", QStringLiteral("€")), QStringLiteral("<qth:3>€"));
}

namespace {

// A reader that takes the ADIF grammar at its word: the file valid UTF-8, a header ended by
// <eoh>, then only fields "<name:length>" whose length is the exact number of bytes before the
// next "<", each record ended by <eor>, MODE, SUBMODE and BAND from the ADIF enumerations.
// The modes outside the enumeration are listed in `horsEnumeration`; any other fault throws.
struct LecteurStrict {
    QVector<QHash<QString, QString>> enregistrements;
    QStringList horsEnumeration;

    static bool utf8Valide(const QByteArray& b)
    {
        QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString t = d.decode(b);
        return !d.hasError() && !t.contains(QChar::ReplacementCharacter);
    }

    explicit LecteurStrict(const QByteArray& f)
    {
        static const QSet<QString> modes = {
            "AM",  "ARDOP", "ATV",  "CHIP", "CLO",   "CONTESTI", "CW",  "DIGITALVOICE", "DOMINO", "DYNAMIC",
            "FAX", "FM",    "FSK441", "FT8", "HELL", "ISCAT",    "JT4", "JT9",  "JT44",   "JT65",   "MFSK",
            "MSK144", "MT63", "OLIVIA", "OPERA", "PAC", "PAX",   "PKT", "PSK",  "PSK2K",  "Q15",    "QRA64",
            "ROS", "RTTY",  "RTTYM", "SSB", "SSTV",  "T10",      "THOR", "THRB", "TOR",   "V4",     "VOI",
            "WINMOR", "WSPR"};
        static const QHash<QString, QString> sousModes = {
            {"PSK31", "PSK"}, {"PSK63", "PSK"}, {"PSK125", "PSK"}, {"QPSK31", "PSK"}, {"THRBX", "THRB"},
            {"FMHELL", "HELL"}, {"MFSK16", "MFSK"}, {"FT4", "MFSK"}, {"USB", "SSB"},  {"LSB", "SSB"}};
        static const QSet<QString> bandes = {
            "2190m", "630m", "560m", "160m", "80m", "60m", "40m", "30m", "20m",  "17m", "15m",
            "12m",   "10m",  "8m",   "6m",   "5m",  "4m",  "2m",  "1.25m", "70cm", "33cm", "23cm",
            "13cm",  "9cm",  "6cm",  "3cm",  "1.25cm", "6mm", "4mm", "2.5mm", "2mm", "1mm"};
        if (!utf8Valide(f)) throw std::runtime_error("fichier en UTF-8 invalide");
        if (f.startsWith('<')) throw std::runtime_error("pas d'en-tete");
        const qsizetype eoh = f.indexOf("<eoh>");
        if (eoh < 0) throw std::runtime_error("pas de <eoh>");
        qsizetype i = eoh + 5;
        QHash<QString, QString> courant;
        const auto faute = [&](const QByteArray& quoi) {
            throw std::runtime_error((quoi + " a l'octet " + QByteArray::number(i)).toStdString());
        };
        while (true) {
            while (i < f.size() && (f[i] == '\r' || f[i] == '\n')) ++i;
            if (i == f.size()) break;
            if (f[i] != '<') faute("texte hors champ");
            const qsizetype ferme = f.indexOf('>', i);
            if (ferme < 0) faute("balise ouverte");
            const QByteArray balise = f.mid(i + 1, ferme - i - 1);
            i = ferme + 1;
            if (balise == "eor") {
                for (const char* n : {"CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE"})
                    if (!courant.contains(QLatin1String(n))) faute(QByteArray("champ absent ") + n);
                const QString mode = courant.value("MODE");
                if (!modes.contains(mode)) horsEnumeration << mode;
                if (courant.contains("SUBMODE") && sousModes.value(courant.value("SUBMODE")) != mode)
                    faute("sous-mode hors enumeration");
                if (!bandes.contains(courant.value("BAND"))) faute("bande hors enumeration");
                enregistrements << courant;
                courant.clear();
                continue;
            }
            const QList<QByteArray> parts = balise.split(':');
            bool ok = false;
            const int longueur = parts.size() == 2 ? parts[1].toInt(&ok) : -1;
            if (!ok || longueur < 0 || parts[0].isEmpty()) faute("balise mal formee");
            const QByteArray valeur = f.mid(i, longueur);
            i += longueur;
            // A length in characters, or one too long, shows here.
            if (valeur.size() != longueur || valeur.contains('<') || i >= f.size() || f[i] != '<')
                faute("longueur fausse");
            if (!utf8Valide(valeur)) faute("valeur coupee dans un caractere");
            const QString nom = QString::fromLatin1(parts[0]).toUpper();
            if (courant.contains(nom)) faute("champ en double");
            courant.insert(nom, QString::fromUtf8(valeur));
        }
        if (!courant.isEmpty()) faute("enregistrement sans <eor>");
    }
};

} // namespace

// A log with accented names, 12-character callsigns, every band and every entry mode: a strict
// ADIF reader takes the export whole, and the program's own import gives the same records back.
void TestExportAdif::luParUnLecteurStrictEtParLImport()
{
    test::Environnement env;
    const QStringList& bandes = station::Liste_Bandes();
    const QStringList& modes = station::Liste_Modes();
    QCOMPARE(modes.size(), 16);
    // What each entry mode is written as: MODE, then SUBMODE when there is one.
    const QHash<QString, QStringList> formes = {
        {"SSB", {"SSB"}},   {"CW", {"CW"}},       {"FM", {"FM"}},     {"AM", {"AM"}},
        {"RELAIS", {"FM"}}, {"SSTV", {"SSTV"}},   {"PSK31", {"PSK", "PSK31"}}, {"HELL", {"HELL"}},
        {"MFSK", {"MFSK"}}, {"RTTY", {"RTTY"}},   {"THROB", {"THRB"}}, {"MT63", {"MT63"}},
        {"JT44", {"JT44"}}, {"PACKET", {"PKT"}},  {"SAT", {"SAT"}},   {"AUTRE", {"AUTRE"}}};
    const QStringList noms = {"Hélène", "François", "Œdipe €", "Straße", "José-Cœur", "Cécile Müß", ""};
    const QStringList dates = {"14/03/98", "31/12/07", "01/02/24", "29/02/00"};

    QVector<station::Ligne_QSO> journal;
    for (int i = 0; i < 32; ++i) {
        station::Ligne_QSO q = qso(dates.at(i % dates.size()),
                                   i % 2 ? QStringLiteral("F%1AB").arg(i) : QStringLiteral("TM%1ABCDE/PP").arg(i, 2, 10, QLatin1Char('0')));
        q.Heure_Debut = QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i, 2, 10, QLatin1Char('0'));
        q.Heure_Fin = QStringLiteral("23:%1").arg(59 - i, 2, 10, QLatin1Char('0'));
        q.Bande_QSO = bandes.at(i % bandes.size());
        q.Mode_QSO = modes.at(i % modes.size());
        q.Prenom_QSO = noms.at(i % noms.size());
        q.Locator_QSO = i % 3 ? QStringLiteral("JN%1DQ").arg(10 + i % 9) : QString();
        q.RST_Envoye = i % 2 ? QStringLiteral("599%1").arg(i, 3, 10, QLatin1Char('0')) : QStringLiteral("59");
        q.RST_Recu = QStringLiteral("5%1").arg(i % 10);
        q.QTH_QSO = QStringLiteral("GENÈVE ÇA");
        q.Remarques_QSO = QStringLiteral("Château ß œ €");
        journal << q;
    }
    QStringList lignes;
    for (const station::Ligne_QSO& q : journal) lignes << q.texte();
    ecrireJournal(env, lignes);
    QCOMPARE(exporterAdif(Indicatif, QStringLiteral("F5XYZ/P"), {}), QString());
    const QByteArray octets = lireExport(env);

    QVector<QHash<QString, QString>> lus;
    QStringList horsEnumeration;
    try {
        const LecteurStrict strict(octets);
        lus = strict.enregistrements;
        horsEnumeration = strict.horsEnumeration;
    } catch (const std::exception& e) {
        QFAIL(e.what());
    }
    QCOMPARE(lus.size(), journal.size());
    // Only the two modes ADIF has no form for are written as they stand.
    horsEnumeration.removeDuplicates();
    QCOMPARE(horsEnumeration, (QStringList{"SAT", "AUTRE"}));
    for (int i = 0; i < journal.size(); ++i) {
        const station::Ligne_QSO& q = journal.at(i);
        const QHash<QString, QString>& e = lus.at(i);
        QCOMPARE(e.value("CALL"), q.Indicatif_QSO);
        QCOMPARE(e.value("NAME"), q.Prenom_QSO);
        QCOMPARE(e.contains("NAME"), !q.Prenom_QSO.isEmpty());
        QCOMPARE(e.value("GRIDSQUARE"), q.Locator_QSO);
        QCOMPARE(e.value("BAND"), bandeVersAdif(q.Bande_QSO));
        const QStringList forme = formes.value(q.Mode_QSO);
        QCOMPARE(e.value("MODE"), forme.value(0));
        QCOMPARE(e.value("SUBMODE"), forme.value(1));
        QCOMPARE(e.contains("SUBMODE"), forme.size() == 2);
        QCOMPARE(e.value("QSO_DATE"), dateAdif(q.Date_QSO));
        QCOMPARE(e.value("TIME_ON"), QString(q.Heure_Debut).remove(QLatin1Char(':')));
        QCOMPARE(e.value("TIME_OFF"), QString(q.Heure_Fin).remove(QLatin1Char(':')));
        QCOMPARE(e.value("RST_SENT"), q.RST_Envoye);
        QCOMPARE(e.value("RST_RCVD"), q.RST_Recu);
        QCOMPARE(e.value("COMMENT"), QStringLiteral("Dpt:  GENÈVE ÇA Château ß œ €"));
    }

    // One line in full: the accents in UTF-8, the lengths in bytes.
    QVERIFY2(octets.contains(QByteArray("\r\n<call:12>TM22ABCDE/PP<name:9>Fran\xc3\xa7ois<gridsquare:6>JN14DQ"
                                        "<band:3>17m<mode:3>PSK<submode:5>PSK31<qso_date:8>20240201<time_on:4>2222"
                                        "<time_off:4>2337<rst_sent:2>59<rst_rcvd:2>52<comment:36>Dpt:  GEN\xc3\x88" "VE "
                                        "\xc3\x87" "A Ch\xc3\xa2" "teau \xc3\x9f \xc5\x93 \xe2\x82\xac<eor>\r\n")),
             octets.constData());

    // The program's own import, into the log of another station: the same records, upper-cased
    // as the import writes every value, the repeater QSO as FM.
    const Conversion c = convertirAdif(octets);
    QVERIFY(c.refus.isEmpty());
    QVERIFY(!c.aSignaler());
    test::ecrireOctets(env.chemin(QStringLiteral("F6AAA.log")), QByteArray());
    QCOMPARE(importerDansJournal(QStringLiteral("F6AAA"), c), journal.size());
    const QStringList relues = plateforme::lireLignes(QStringLiteral("F6AAA.log"));
    QCOMPARE(relues.size(), journal.size());
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F6AAA.log"))).size(), journal.size() * 201);
    for (int i = 0; i < journal.size(); ++i) {
        const station::Ligne_QSO& q = journal.at(i);
        const station::Ligne_QSO r = station::Ligne_QSO::depuis(relues.at(i));
        QCOMPARE(r.Indicatif_QSO, q.Indicatif_QSO);
        QCOMPARE(r.Date_QSO, q.Date_QSO);
        QCOMPARE(r.Heure_Debut, q.Heure_Debut);
        QCOMPARE(r.Heure_Fin, q.Heure_Fin);
        QCOMPARE(r.Bande_QSO, q.Bande_QSO);
        QCOMPARE(r.Mode_QSO, q.Mode_QSO == QLatin1String("RELAIS") ? QStringLiteral("FM") : q.Mode_QSO);
        QCOMPARE(r.RST_Envoye, q.RST_Envoye);
        QCOMPARE(r.RST_Recu, q.RST_Recu);
        QCOMPARE(r.Prenom_QSO, plateforme::majusculesAnsi(q.Prenom_QSO));
        QCOMPARE(r.Locator_QSO, q.Locator_QSO);
    }
}

void TestExportAdif::bandes_data()
{
    QTest::addColumn<QString>("bande");
    QTest::addColumn<QString>("adif");
    const QStringList attendues = {"160m", "80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m",
                                   "6m",   "2m",  "70cm", "23cm", "13cm", "6cm", "3cm", "1.25cm"};
    QCOMPARE(station::Liste_Bandes().size(), attendues.size());
    for (int i = 0; i < attendues.size(); ++i)
        QTest::newRow(qPrintable(station::Liste_Bandes().at(i))) << station::Liste_Bandes().at(i) << attendues.at(i);
    QTest::newRow("casse et blancs") << " 432 MHZ " << "70cm";
    QTest::newRow("inconnue") << "433 Mhz" << "XX.m";
    QTest::newRow("vide") << "" << "XX.m";
}

void TestExportAdif::bandes()
{
    QFETCH(QString, bande);
    QFETCH(QString, adif);
    QCOMPARE(bandeExportAdif(bande), adif);
}

void TestExportAdif::siecle_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("adif");
    QTest::newRow("2007") << "31/12/07" << "20071231";
    QTest::newRow("1998") << "14/03/98" << "19980314";
    QTest::newRow("1950") << "01/01/50" << "19500101";
    QTest::newRow("2049") << "31/12/49" << "20491231";
    QTest::newRow("2000") << "01/01/00" << "20000101";
}

void TestExportAdif::siecle()
{
    QFETCH(QString, date);
    QFETCH(QString, adif);
    QCOMPARE(dateAdif(date), adif);
    const QString ligne = ligneExportAdif(qso(date, QStringLiteral("F1ABC")).texte());
    QVERIFY2(ligne.contains(QStringLiteral("<qso_date:8>") + adif), qPrintable(ligne));
}

void TestExportAdif::champsFacultatifsEtCommentaire()
{
    station::Ligne_QSO a = qso(QStringLiteral("01/02/24"), QStringLiteral("F1ABC"));
    a.Departement_QSO = QStringLiteral("75");
    a.QTH_QSO = QStringLiteral("DFCF 75001");
    QCOMPARE(ligneExportAdif(a.texte()),
             QStringLiteral("<call:5>F1ABC<band:2>2m<mode:3>SSB<qso_date:8>20240201<time_on:4>1432"
                            "<time_off:4>1435<rst_sent:2>59<rst_rcvd:2>57<comment:19>Dpt:75  DFCF 75001 <eor>"));
}

void TestExportAdif::intervalles()
{
    test::Environnement env;
    ecrireJournal(env, journal(7));

    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("5", "5")), QString());
    QCOMPARE(indicatifsExportes(env), QStringList{"F1AA5"});
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("6", "7")), QString());
    QCOMPARE(indicatifsExportes(env), (QStringList{"F1AA6", "F1AA7"}));

    // Each refusal leaves the last export as it was.
    const QByteArray avant = lireExport(env);
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("2", "8")),
             QStringLiteral("Le N° de fin est superieur au dernier N° de QSO"));
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("", "3")),
             QStringLiteral("Entrez un N° de debut et de fin de QSO"));
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("abc", "xyz")),
             QStringLiteral("Entrez un N° de debut et de fin de QSO"));
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("4", "3")),
             QStringLiteral("Le N° de fin est inferieur au N° de debut"));
    QCOMPARE(lireExport(env), avant);
}

// The boxes hidden by "Log complet" may still hold an old range: the whole log is exported.
void TestExportAdif::logCompletSansControleDIntervalle()
{
    test::Environnement env;
    ecrireJournal(env, journal(3));
    DemandeExportAdif d;
    d.debut = QStringLiteral("9");
    d.fin = QStringLiteral("2");
    QCOMPARE(exporterAdif(Indicatif, Indicatif, d), QString());
    QCOMPARE(indicatifsExportes(env), (QStringList{"F1AA1", "F1AA2", "F1AA3"}));
}

// A missing log: the error number reaches the window, the older export stays whole.
void TestExportAdif::echecSansFichierAbime()
{
    test::Environnement env;
    Prog().Indicatif_Station = Indicatif;
    test::ecrireOctets(env.chemin(Indicatif + QStringLiteral(".adi")), "ancien\r\n");
    Export_Adif::afficher(false);
    Export_Adif& f = Export_Adif::instance();
    f.Exporter->click();
    QCOMPARE(env.messages.size(), std::size_t(1));
    QVERIFY2(env.messages.at(0).texte.startsWith(QStringLiteral("Erreur  53\r\n")), qPrintable(env.messages.at(0).texte));
    QVERIFY(f.isVisible());
    QCOMPARE(lireExport(env), QByteArray("ancien\r\n"));

    // A write refused: error 70 with its words, the older export still whole.
    ecrireJournal(env, journal(2));
    plateforme::definirRegleEcriture(QStringLiteral("essai"), [](const QString& nom) {
        return nom.endsWith(QStringLiteral(".adi")) ? QStringLiteral("protégé") : QString();
    });
    env.oublierMessages();
    f.Exporter->click();
    plateforme::definirRegleEcriture(QStringLiteral("essai"), {});
    QCOMPARE(env.messages.size(), std::size_t(1));
    QVERIFY2(env.messages.at(0).texte.startsWith(QStringLiteral("Erreur  70 Disquette protegée\r\n")),
             qPrintable(env.messages.at(0).texte));
    QVERIFY(f.isVisible());
    QCOMPARE(lireExport(env), QByteArray("ancien\r\n"));
    f.decharger();
    Export_Adif::detruireInstance();
}

// Blank and damaged log lines give no record; the closing message counts them.
void TestExportAdif::lignesVidesOuAbimees()
{
    test::Environnement env;
    Prog().Indicatif_Station = Indicatif;
    QStringList lignes = journal(3);
    station::Ligne_QSO sansIndicatif = qso(QStringLiteral("02/02/24"), QString());
    lignes.insert(1, QString(station::LongueurLigneQSO, QLatin1Char(' ')));
    lignes.insert(2, QStringLiteral("20") + QString(6, QLatin1Char(' ')) + QStringLiteral("  XYZ") +
                         QString(150, QLatin1Char('9')));
    lignes.insert(3, sansIndicatif.texte());
    lignes.insert(4, QString());
    lignes.append(QStringLiteral("32/13/24  F1ZZZ       14:32"));
    ecrireJournal(env, lignes);

    int ecartees = -1;
    QCOMPARE(exporterAdif(Indicatif, Indicatif, {}, &ecartees), QString());
    QCOMPARE(ecartees, 5);
    QCOMPARE(indicatifsExportes(env), (QStringList{"F1AA1", "F1AA2", "F1AA3"}));
    QVERIFY(!lireExport(env).contains("<call:0>"));
    QVERIFY(!lireExport(env).contains("XX.m"));
    // Only the lines of the range are counted.
    QCOMPARE(exporterAdif(Indicatif, Indicatif, intervalle("1", "2"), &ecartees), QString());
    QCOMPARE(ecartees, 1);

    Export_Adif::afficher(false);
    Export_Adif& f = Export_Adif::instance();
    f.Option1->click();
    f.Exporter->click();
    QCOMPARE(env.messages.size(), std::size_t(1));
    QVERIFY2(env.messages.at(0).texte.endsWith(QStringLiteral(
                 "\r\n\r\n5 ligne(s) du log vide(s) ou illisible(s) (sans indicatif, date ou heure) non exportée(s).")),
             qPrintable(env.messages.at(0).texte));
    Export_Adif::detruireInstance();
}

void TestExportAdif::fenetreDepuisLeMenu()
{
    test::Environnement env;
    test::StationTest s;
    s.indicatif = Indicatif;
    s.journal = journal(4);
    Carnet& c = test::demarrerStation(env, s);
    QVERIFY(c.Mnu_Export_Adif->isEnabled());
    c.Mnu_Export_Adif->trigger();
    Export_Adif& f = Export_Adif::instance();
    QVERIFY(f.isVisible());
    QCOMPARE(f.windowTitle(), QStringLiteral("Expotation format ADIF"));
    QVERIFY(f.Option1->isChecked());
    QVERIFY(f.Debut_Ligne->isHidden());

    f.Option2->click();
    QVERIFY(!f.Debut_Ligne->isHidden() && !f.Label4->isHidden());
    f.Debut_Ligne->setText(QStringLiteral("2"));
    f.Fin_Ligne->setText(QStringLiteral("9"));
    f.Exporter->click();
    QCOMPARE(env.textes(), QStringList{"Le N° de fin est superieur au dernier N° de QSO"});
    QVERIFY(f.isVisible());

    env.oublierMessages();
    f.Fin_Ligne->setText(QStringLiteral("3"));
    f.Exporter->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("le fichier F5XYZ_P.adi a été sauvegardé dans le répertoire\r\n") +
                                       plateforme::dossierProgramme()});
    QVERIFY(!f.isVisible());
    QCOMPARE(indicatifsExportes(env), (QStringList{"F1AA2", "F1AA3"}));
    QVERIFY(lireExport(env).startsWith("Exportation du log Velmarin de F5XYZ/P au format ADIF\r\n"));
    Export_Adif::detruireInstance();
}

QTEST_MAIN(TestExportAdif)
#include "tst_export_adif.moc"
