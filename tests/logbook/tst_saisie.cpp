// The QSO entry chain: its rules on their own, and field by field through the real window,
// keys typed as an operator types them.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "logbook/Regles_Saisie.h"
#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QString Station = test::StationTest{}.indicatif;

QString reglage(const QString& cle)
{
    return test::reglageStation(Station, cle);
}

// Station F5XYZ in JN03TJ on that band, started as at launch.
test::StationTest surBande(int bande, bool dateAuto = true)
{
    test::StationTest s;
    s.bande = bande;
    s.dateAuto = dateAuto;
    return s;
}

QColor bgr(quint32 v)
{
    return Couleurs_Etat::depuisBGR(v);
}

} // namespace

class TestSaisie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Rules without a window
    void referenceDiplome_data();
    void referenceDiplome();
    void preRemplissage();
    void historique();
    void routageEtCorse();
    void questionNomenclature();

    // The chain through the window
    void bande();
    void indicatif();
    void routage();
    void departementCorse();
    void locator();
    void modeEtActivite();
    void datesEtHeures();
    void qthEtRemarques();
    void pendantUneEdition();
};

void TestSaisie::referenceDiplome_data()
{
    QTest::addColumn<QString>("activite");
    QTest::addColumn<QString>("qth");
    QTest::addColumn<QString>("departement");
    QTest::addColumn<QString>("attendu");

    const QString rien;
    QTest::newRow("DFCF ok") << "DFCF" << "DFCF 89125" << "89" << rien;
    QTest::newRow("DFCF autre dpt") << "DFCF" << "DFCF 75125" << "89"
                                    << "Le n° du DFCF ne correspond pas au n° du departement";
    QTest::newRow("DFCF court") << "DFCF" << "DFCF 8912" << "89"
                                << "Attention 10 caracteres pour le DFCF ex 'DFCF 89125'";
    QTest::newRow("DMF colonnes 5-6") << "DMF" << "DMF 59025" << "59" << rien;
    QTest::newRow("DMF autre dpt") << "DMF" << "DMF 59025" << "62"
                                   << "Le n° du DMF ne correspond pas au n° du departement";
    QTest::newRow("DIFI") << "DIFI" << "DIFI 55012" << "55"
                          << "Attention 11 caracteres pour le DIFI ex 'DIFI 55012R'";
    QTest::newRow("DIFI autre dpt") << "DIFI" << "DIFI 55012R" << "54"
                                    << "Le n° du DIFI ne correspond pas au n° du departement";
    QTest::newRow("DCI sans dpt") << "DCI" << "DCI IM122" << "75" << rien;
    QTest::newRow("DCI long") << "DCI" << "DCI IM1222" << "75" << "Attention 9 caracteres pour le DCI ex 'DCI IM122'";
    QTest::newRow("DAI") << "DAI" << "DAI PM057" << "" << "Attention 10 caracteres pour le DAI ex 'DAI PM0571'";
    QTest::newRow("DPLF") << "DPLF" << "DPLF PB14" << "" << "Attention 10 caracteres pour le DPLF ex 'DPLF PB141'";
    QTest::newRow("ARLH") << "ARLH" << "ARLH FRA37" << "" << "Attention 11 caracteres pour le ARLH ex 'ARLH FRA373'";
    QTest::newRow("IOTA") << "IOTA" << "IOTA EU64" << "" << "Attention 10 caracteres pour le IOTA ex 'IOTA EU064'";
    QTest::newRow("BCA") << "BCA" << "BCA LG06" << "" << "Attention 9 caracteres pour le BCA ex 'BCA LG060'";
    QTest::newRow("activite libre") << "QSO" << "TOULOUSE" << "31" << rien;
    QTest::newRow("casse de l'activite") << "dfcf" << "DFCF 8" << "89" << rien;
    // Corsica: the field holds "2a" while the reference is typed in capitals.
    QTest::newRow("DFCF Corse") << "DFCF" << "DFCF 2A001" << "2a" << rien;
}

void TestSaisie::referenceDiplome()
{
    QFETCH(QString, activite);
    QFETCH(QString, qth);
    QFETCH(QString, departement);
    QFETCH(QString, attendu);
    QCOMPARE(saisie::controleReference(activite, qth, departement), attendu);
}

void TestSaisie::preRemplissage()
{
    auto p = saisie::preRemplissage(QStringLiteral("DFCF"));
    QCOMPARE(p.qth, QStringLiteral("DFCF "));
    QCOMPARE(p.curseurQth, 5);
    QVERIFY(p.remarques);
    QCOMPARE(p.texteRemarques, QStringLiteral("C. "));
    QCOMPARE(p.curseurRemarques, 3);

    p = saisie::preRemplissage(QStringLiteral("CASHOTA"));
    QCOMPARE(p.qth, QStringLiteral("CASHOTA "));
    QCOMPARE(p.curseurQth, 8);

    // ARP and WAB fill the QTH and leave the remarks alone.
    for (const char* a : {"ARP", "WAB"}) {
        p = saisie::preRemplissage(QString::fromLatin1(a));
        QCOMPARE(p.qth, QString::fromLatin1(a) + QLatin1Char(' '));
        QVERIFY(!p.remarques);
    }
    QCOMPARE(saisie::preRemplissage(QStringLiteral("DAI")).texteRemarques, QStringLiteral("A. "));
    QCOMPARE(saisie::preRemplissage(QStringLiteral("WASL")).texteRemarques, QStringLiteral("L. "));

    // Any other text empties the QTH.
    p = saisie::preRemplissage(QStringLiteral("QSO"));
    QCOMPARE(p.qth, QString());
    QVERIFY(!p.remarques);
    QVERIFY(!saisie::preRemplissage(QStringLiteral("dfcf")).remarques);
}

void TestSaisie::historique()
{
    const QStringList items = {
        station::itemListe(1, test::ligneQSO("01/02/24", "F1ABCD", "10:00", "144 Mhz", "Marc")),
        station::itemListe(2, test::ligneQSO("02/02/24", "F1ABC", "10:00", "144 Mhz", "Jean")),
        station::itemListe(3, test::ligneQSO("03/02/24", "F1ABC", "11:00", "144 Mhz", "Paul")),
    };
    // The oldest QSO of the callsign, matched on the whole trimmed callsign.
    auto h = saisie::chercheHistorique(items, QStringLiteral("F1ABC"));
    QCOMPARE(h.libelle, saisie::Historique::Contacte);
    QCOMPARE(h.index, 1);
    QCOMPARE(h.date, QStringLiteral("02/02/24"));
    QCOMPARE(h.prenom, QStringLiteral("Jean"));

    QCOMPARE(saisie::chercheHistorique(items, QStringLiteral("F1AB")).libelle, saisie::Historique::NouvelIndicatif);
    QCOMPARE(saisie::chercheHistorique(items, QStringLiteral("f1abc")).libelle, saisie::Historique::NouvelIndicatif);
    QCOMPARE(saisie::chercheHistorique(QStringList{}, QStringLiteral("F1ABC")).libelle, saisie::Historique::Inchange);
    // A short item (a line cut before the callsign) is read without failure.
    QCOMPARE(saisie::chercheHistorique(QStringList{QStringLiteral("    1 01/02/24")}, QStringLiteral("F1ABC")).libelle,
             saisie::Historique::NouvelIndicatif);
}

void TestSaisie::routageEtCorse()
{
    using saisie::Suite;
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("F"), QStringLiteral("14 Mhz")), Suite::Departement);
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("TK"), QStringLiteral("144 Mhz")), Suite::Departement);
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("FG"), QStringLiteral("144 Mhz")), Suite::Locator);
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("DL"), QStringLiteral("28 Mhz")), Suite::Mode);
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("DL"), QStringLiteral("50 Mhz")), Suite::Locator);
    QCOMPARE(saisie::suiteApresIndicatif(QStringLiteral("DL"), QStringLiteral("24 Ghz")), Suite::Locator);
    // A band text outside the list counts as HF.
    QCOMPARE(saisie::suiteApresDepartement(QStringLiteral("144 MHz")), Suite::Mode);
    QCOMPARE(saisie::suiteApresDepartement(QStringLiteral("1.3 Ghz")), Suite::Locator);

    QCOMPARE(saisie::departementCle(QStringLiteral("2A")), QStringLiteral("96"));
    QCOMPARE(saisie::departementCle(QStringLiteral("2b")), QStringLiteral("97"));
    QCOMPARE(saisie::departementCle(QStringLiteral("75")), QStringLiteral("75"));
    QCOMPARE(saisie::departementAffiche(QStringLiteral("96")), QStringLiteral("2a"));
    QCOMPARE(saisie::departementAffiche(QStringLiteral("97")), QStringLiteral("2b"));
    QCOMPARE(saisie::departementAffiche(QStringLiteral("09")), QStringLiteral("09"));
    QCOMPARE(saisie::departementAffiche(QStringLiteral("2A")), QStringLiteral("2A"));
    QCOMPARE(saisie::majuscule('q'), int('Q'));
    QCOMPARE(saisie::majuscule(0xE9), 0xE9);  // é passes as typed
}

void TestSaisie::questionNomenclature()
{
    QCOMPARE(saisie::questionNomenclature(QStringLiteral("F1ABC"), QString(), QString(), QStringLiteral("75"),
                                          QStringLiteral("JN18EU")),
             QStringLiteral("Remplacer F1ABC Département XX Locator XXXXXX\r\n\r\n"
                            "      par F1ABC département 75 Locator JN18EU ?"));
    QCOMPARE(saisie::questionNomenclature(QStringLiteral("TK5AB"), QStringLiteral("97"), QStringLiteral("JN42AA"),
                                          QStringLiteral("96"), QStringLiteral("JN41AA")),
             QStringLiteral("Remplacer TK5AB Département 2b Locator JN42AA\r\n\r\n"
                            "      par TK5AB département 2a Locator JN41AA ?"));
    // A department kept by hand as "2A" in the directory is shown as it is kept there; an
    // empty new locator stays empty.
    QCOMPARE(saisie::questionNomenclature(QStringLiteral("TK5AB"), QStringLiteral("2A"), QStringLiteral("JN41AA"),
                                          QStringLiteral("96"), QString()),
             QStringLiteral("Remplacer TK5AB Département 2A Locator JN41AA\r\n\r\n"
                            "      par TK5AB département 2a Locator  ?"));
}

void TestSaisie::bande()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env, surBande(4));

    // A text that is not one of the 17 bands: refused, the text replaced by "144 MHz".
    c.Bande_A->setEditText(QStringLiteral("144 MHz"));
    test::entree(c.Bande_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention vous ne pouver selectionner que les bandes proposées")});
    QCOMPARE(c.Bande_A->currentText(), QStringLiteral("144 MHz"));
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 MHz"));
    test::entree(c.Bande_A);
    QCOMPARE(env.messages.size(), size_t(2));  // still refused

    // Picking a band with the mouse closes the callsign until Enter.
    env.oublierMessages();
    c.Bande_A->setCurrentIndex(11);
    QVERIFY(!c.Indicatif_A->isEnabled());
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 MHz"));
    test::entree(c.Bande_A);
    QVERIFY(env.messages.empty());
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("432 Mhz"));
    QVERIFY(c.Indicatif_A->isEnabled());
    QVERIFY(test::aLeFocus(c, c.Indicatif_A));
    QCOMPARE(Couleurs_Etat::fond(c.Indicatif_A), bgr(0xC0FFC0));
    QCOMPARE(Couleurs_Etat::fond(c.Bande_A), bgr(0xC0FFFF));
    QCOMPARE(reglage(QStringLiteral("bande Utilisee")), QStringLiteral("11"));
    // The grid follows the entry band.
    QCOMPARE(c.Bande_Grille->currentText(), QStringLiteral("432 Mhz"));
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 0 Départements sur 432 Mhz"));
}

void TestSaisie::indicatif()
{
    test::Environnement env;
    test::StationTest o;
    o.journal = {test::ligneQSO("01/02/24", "F1ABC", "10:00", "144 Mhz", "Jean"),
                 test::ligneQSO("02/02/24", "DL1XX", "10:00", "144 Mhz"),
                 test::ligneQSO("03/02/24", "F1ABC", "11:00", "144 Mhz", "Paul")};
    Carnet& c = test::demarrerStation(env, o);
    test::entree(c.Bande_A);

    // Empty, then 13 characters: refused, the focus stays.
    test::entree(c.Indicatif_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention vous devez entrer un indicatif")});
    env.oublierMessages();
    test::saisir(c.Indicatif_A, QStringLiteral("f1abcdefghijk"));
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABCDEFGHIJK"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 12 caracteres maxi pour l'indicatif")});
    QVERIFY(!c.Depart_A->isEnabled());

    // Typed in lower case, shown in capitals; worked twice: the oldest QSO answers.
    c.Indicatif_A->clear();
    env.oublierMessages();
    test::saisir(c.Indicatif_A, QStringLiteral("f1abc"));
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    QCOMPARE(Prog().Indicatif_Saisi, QStringLiteral("F1ABC"));
    QCOMPARE(c.Label5->text(), QStringLiteral("Contacté le 01/02/24"));
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));
    QCOMPARE(Prog().Prefixe_Trouve, QStringLiteral("F"));
    QCOMPARE(Prog().Prefixe_Nouveau, QStringLiteral("O"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Nouveau prefixe : F   Pays : France   sur Bande : 144 Mhz")});

    // Twelve characters pass; unknown to the log: "Nouvel indicatif", first name kept.
    c.Indicatif_A->clear();
    test::saisir(c.Indicatif_A, QStringLiteral("F1ABCDEFGHIJ"));
    QCOMPARE(c.Label5->text(), QStringLiteral("Nouvel indicatif"));
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));
    QCOMPARE(Prog().Indicatif_Saisi, QStringLiteral("F1ABCDEFGHIJ"));
}

void TestSaisie::routage()
{
    test::Environnement env;
    test::StationTest o;
    o.bande = 4;  // 14 Mhz
    o.nomenclature = {QStringLiteral("DL1ABC        JO62QM"), QStringLiteral("F6XYZ      75 JN18EU")};
    Carnet& c = test::demarrerStation(env, o);

    // A foreign station on HF: straight to the mode, the directory's values in the fields.
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("dl1abc"));
    QVERIFY(test::aLeFocus(c, c.Mode_A));
    QVERIFY(c.Mode_A->isEnabled());
    QVERIFY(!c.Depart_A->isEnabled());
    QVERIFY(!c.Locator_A->isEnabled());
    QCOMPARE(c.Locator_A->text(), QStringLiteral("JO62QM"));
    QCOMPARE(Couleurs_Etat::fond(c.Mode_A), bgr(0xC0FFC0));
    QCOMPARE(Couleurs_Etat::fond(c.Indicatif_A), bgr(0xC0FFFF));
    QCOMPARE(Couleurs_Etat::fond(c.Depart_A), bgr(0xC0FFFF));
    QCOMPARE(Prog().Locator_Lu, QStringLiteral("JO62QM"));
    QCOMPARE(Prog().Departement_Lu, QString());
    // The log being empty, the caption above the callsign is not changed.
    QCOMPARE(c.Label5->text(), QStringLiteral("Indicatif"));

    // The same station on 144 MHz: to the locator.
    c.Annuler_Click();
    c.Bande_A->setCurrentIndex(10);
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("DL1ABC"));
    QVERIFY(test::aLeFocus(c, c.Locator_A));
    QVERIFY(c.Locator_A->isEnabled());
    QVERIFY(!c.Depart_A->isEnabled());

    // A French station on 144 MHz: the department, then the locator the directory gave.
    c.Annuler_Click();
    test::saisir(c.Indicatif_A, QStringLiteral("F6XYZ"));
    QVERIFY(test::aLeFocus(c, c.Depart_A));
    QCOMPARE(c.Depart_A->text(), QStringLiteral("75"));
    QCOMPARE(Couleurs_Etat::fond(c.Depart_A), bgr(0xC0FFC0));
    c.Locator_A->clear();
    test::entree(c.Depart_A);
    QVERIFY(test::aLeFocus(c, c.Locator_A));
    QCOMPARE(c.Locator_A->text(), QStringLiteral("JN18EU"));

    // On HF the department hands over to the mode.
    c.Annuler_Click();
    c.Bande_A->setCurrentIndex(4);
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("F6XYZ"));
    test::entree(c.Depart_A);
    QVERIFY(test::aLeFocus(c, c.Mode_A));
    QVERIFY(!c.Locator_A->isEnabled());
}

void TestSaisie::departementCorse()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("F1ABC"));
    env.oublierMessages();

    test::saisir(c.Depart_A, QStringLiteral("2A7"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 2 caracteres pour le departement")});
    QVERIFY(test::aLeFocus(c, c.Depart_A));

    env.oublierMessages();
    c.Depart_A->clear();
    test::saisir(c.Depart_A, QStringLiteral("2A"));
    QCOMPARE(c.Depart_A->text(), QStringLiteral("2a"));
    QCOMPARE(Prog().Departement_Saisi, QStringLiteral("96"));
    QCOMPARE(Prog().Etat_Departement_Saisi, QStringLiteral("0"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention nouveau département le 2a Corse-du-Sud")});
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[96]), bgr(0xC0C0FF));
    QVERIFY(test::aLeFocus(c, c.Locator_A));

    // A department already worked on the band: no announcement.
    QVERIFY(QFile::remove(env.chemin(Station + QStringLiteral("_Departement.txt"))));
    QByteArray dep = test::lireOctets(env.chemin(QStringLiteral("FXXXX_Departement.txt")));
    dep.replace("31 00000000000000000", "31 00000000002000000");
    test::ecrireOctets(env.chemin(Station + QStringLiteral("_Departement.txt")), dep);
    c.Annuler_Click();
    test::saisir(c.Indicatif_A, QStringLiteral("F1ABC"));
    env.oublierMessages();
    test::saisir(c.Depart_A, QStringLiteral("31"));
    QVERIFY(env.messages.empty());
    QCOMPARE(Prog().Etat_Departement_Saisi, QStringLiteral("2"));
}

void TestSaisie::locator()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("F1ABC"));
    test::saisir(c.Depart_A, QStringLiteral("31"));
    env.oublierMessages();

    test::saisir(c.Locator_A, QStringLiteral("jn03t"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 6 caracteres pour le locator")});
    QVERIFY(test::aLeFocus(c, c.Locator_A));
    env.oublierMessages();
    c.Locator_A->clear();
    test::saisir(c.Locator_A, QStringLiteral("jn0xtj"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Erreur dans la saisie du locator")});
    QVERIFY(!c.Mode_A->isEnabled());

    // A square new on the band: announced and remembered; bearing and distance shown.
    env.oublierMessages();
    c.Locator_A->clear();
    test::saisir(c.Locator_A, QStringLiteral("io91wm"));
    QCOMPARE(c.Locator_A->text(), QStringLiteral("IO91WM"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention nouveau moyen carré le IO91")});
    QCOMPARE(Prog().Nouveau_Carre, QStringLiteral("IO91"));
    QCOMPARE(c.Distance_A->text(), QStringLiteral("914"));
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("352"));
    QVERIFY(test::aLeFocus(c, c.Mode_A));
    QCOMPARE(Couleurs_Etat::fond(c.Locator_A), bgr(0xC0FFFF));
    QCOMPARE(Couleurs_Etat::fond(c.Mode_A), bgr(0xC0FFC0));

    // Empty: accepted, no square, "?" for both; the square of a previous try is forgotten.
    env.oublierMessages();
    c.Locator_A->clear();
    test::entree(c.Locator_A);
    QVERIFY(env.messages.empty());
    QCOMPARE(Prog().Nouveau_Carre, QString());
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("?"));
    QCOMPARE(c.Distance_A->text(), QStringLiteral("?"));

    // The station's own locator: no bearing, distance 0.
    test::saisir(c.Locator_A, QStringLiteral("JN03TJ"));
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("?"));
    QCOMPARE(c.Distance_A->text(), QStringLiteral("0"));

    // Double click empties the field.
    QTest::mouseDClick(c.Locator_A, Qt::LeftButton);
    QCOMPARE(c.Locator_A->text(), QString());
}

void TestSaisie::modeEtActivite()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env, surBande(4));
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("DL1ABC"));
    env.oublierMessages();

    // Seven characters pass, eight are refused with the message that says 6.
    c.Mode_A->setEditText(QStringLiteral("OLIVIA16"));
    test::entree(c.Mode_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 6 caracteres maxi pour le mode de trafic")});
    QVERIFY(!c.Activ_A->isEnabled());
    c.Mode_A->setEditText(QStringLiteral("OLIVIA8"));
    test::entree(c.Mode_A);
    QVERIFY(test::aLeFocus(c, c.Activ_A));
    QCOMPARE(reglage(QStringLiteral("Mode Utilise")), QStringLiteral("-1"));
    c.Mode_A->setCurrentIndex(1);
    test::entree(c.Mode_A);
    QCOMPARE(reglage(QStringLiteral("Mode Utilise")), QStringLiteral("1"));

    // Automatic date, UTC clock: date and start from the UTC clock, on to the report sent.
    c.Activ_A->setCurrentIndex(1);  // DFCF
    test::entree(c.Activ_A);
    QCOMPARE(c.Date_A->text(), QStringLiteral("15/03/24"));
    QCOMPARE(c.Debut_A->text(), QStringLiteral("14:35"));
    QVERIFY(!c.Date_A->isEnabled());
    QVERIFY(test::aLeFocus(c, c.RSTE_A));
    QCOMPARE(c.RSTE_A->cursorPosition(), 2);
    QCOMPARE(c.QTH_A->text(), QStringLiteral("DFCF "));
    QCOMPARE(c.QTH_A->cursorPosition(), 5);
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. "));
    QCOMPARE(reglage(QStringLiteral("Activite")), QStringLiteral("1"));

    // Local clock, an hour ahead; "QSO" empties the QTH and keeps the remarks.
    c.Mnu_UTC_Non_Click();
    env.fixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(23, 10, 0), Qt::UTC), 3600);
    c.Activ_A->setCurrentIndex(0);
    test::entree(c.Activ_A);
    QCOMPARE(c.Date_A->text(), QStringLiteral("16/03/24"));
    QCOMPARE(c.Debut_A->text(), QStringLiteral("00:10"));
    QCOMPARE(c.QTH_A->text(), QString());
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. "));

    // A typed activity that is not in the list is accepted and stored as -1.
    c.Activ_A->setEditText(QStringLiteral("SOTA"));
    test::entree(c.Activ_A);
    QCOMPARE(reglage(QStringLiteral("Activite")), QStringLiteral("-1"));

    // Manual date: the activity hands over to the date.
    c.Mnu_Auto_Non_Click();
    c.Date_A->clear();
    test::entree(c.Activ_A);
    QVERIFY(c.Date_A->isEnabled());
    QVERIFY(test::aLeFocus(c, c.Date_A));
    QCOMPARE(c.Date_A->text(), QString());
}

void TestSaisie::datesEtHeures()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env, surBande(4, false));
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("DL1ABC"));
    test::entree(c.Mode_A);
    test::entree(c.Activ_A);
    env.oublierMessages();

    test::entree(c.Date_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention vous devez entrer une date (pour le classement) ")});

    // Separators on: six digits give the date.
    test::taper(c.Date_A, QStringLiteral("120907"));
    QCOMPARE(c.Date_A->text(), QStringLiteral("12/09/07"));
    c.Mnu_Sep_Non_Click();
    c.Date_A->clear();
    env.oublierMessages();
    test::saisir(c.Date_A, QStringLiteral("12/0907"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral(
                               "Attention 8 caracteres pour la date (format jj/mm/aa). Les '/' sont automatiques")});
    QCOMPARE(c.Date_A->text(), QString());
    env.oublierMessages();
    test::saisir(c.Date_A, QStringLiteral("12-09-07"));
    QCOMPARE(env.textes(),
             QStringList{QStringLiteral("Attention le format date doit etre jj/mm/aa. Les '/' sont automatiques")});
    QCOMPARE(c.Date_A->text(), QString());
    QVERIFY(!c.Debut_A->isEnabled());
    test::saisir(c.Date_A, QStringLiteral("12/09/07"));
    QVERIFY(test::aLeFocus(c, c.Debut_A));

    // Start time: empty, wrong length, wrong shape; the text stays.
    c.Mnu_Sep_Oui_Click();
    env.oublierMessages();
    test::entree(c.Debut_A);
    test::saisir(c.Debut_A, QStringLiteral("1435"));
    QCOMPARE(c.Debut_A->text(), QStringLiteral("14:35"));
    QCOMPARE(env.textes(),
             QStringList{QStringLiteral("Attention vous devez entrer l'heure de debut (pour le classement) ")});
    QVERIFY(test::aLeFocus(c, c.Fin_A));

    c.Mnu_Sep_Non_Click();
    c.Debut_A->clear();
    env.oublierMessages();
    test::saisir(c.Debut_A, QStringLiteral("143"));
    c.Debut_A->clear();
    test::saisir(c.Debut_A, QStringLiteral("14h35"));
    QCOMPARE(env.textes(),
             (QStringList{QStringLiteral("Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont automatique)"),
                          QStringLiteral("Attention le format date doit etre hh:mm")}));
    QCOMPARE(c.Debut_A->text(), QStringLiteral("14h35"));

    // End time: checked on Enter, or "+" copies the start and skips the report sent.
    env.oublierMessages();
    test::entree(c.Fin_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral(
                               "Attention 5 caracteres pour l'heure (format hh:mm. Les ':' sont automatique)")});
    test::saisir(c.Fin_A, QStringLiteral("14:40"));
    QVERIFY(test::aLeFocus(c, c.RSTE_A));
    QCOMPARE(c.RSTE_A->cursorPosition(), 2);

    c.Debut_A->clear();
    test::taper(c.Fin_A, QStringLiteral("+"));
    QCOMPARE(c.Fin_A->text(), QString());
    QVERIFY(test::aLeFocus(c, c.RSTR_A));
    QCOMPARE(c.RSTE_A->text(), QStringLiteral("59"));
    QCOMPARE(Couleurs_Etat::fond(c.Fin_A), bgr(0xC0FFFF));
    QCOMPARE(Couleurs_Etat::fond(c.RSTR_A), bgr(0xC0FFC0));
}

void TestSaisie::qthEtRemarques()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("F1ABC"));
    test::saisir(c.Depart_A, QStringLiteral("89"));
    test::saisir(c.Locator_A, QStringLiteral("JN17VV"));
    test::entree(c.Mode_A);
    c.Activ_A->setCurrentIndex(1);  // DFCF
    test::entree(c.Activ_A);
    test::saisir(c.RSTE_A, QStringLiteral("a"));
    QCOMPARE(c.RSTE_A->text(), QStringLiteral("59A"));
    test::saisir(c.RSTR_A, QStringLiteral("1234567"));
    QCOMPARE(env.textes().last(), QStringLiteral("Attention 8 caracteres maxi pour le report reçu"));
    c.RSTR_A->setText(QStringLiteral("57"));
    test::entree(c.RSTR_A);
    test::saisir(c.Prenom_A, QStringLiteral("Jean-Sébastien B"));
    QCOMPARE(env.textes().last(), QStringLiteral("Attention 15 caracteres maxi pour le prenom"));
    c.Prenom_A->setText(QStringLiteral("Jean-Sébastien"));
    test::entree(c.Prenom_A);
    QVERIFY(test::aLeFocus(c, c.QTH_A));
    env.oublierMessages();

    // The reference typed after the prefill, in capitals.
    test::saisir(c.QTH_A, QStringLiteral("7512"));
    QCOMPARE(c.QTH_A->text(), QStringLiteral("DFCF 7512"));
    test::saisir(c.QTH_A, QStringLiteral("5"));
    QCOMPARE(env.textes(), (QStringList{QStringLiteral("Attention 10 caracteres pour le DFCF ex 'DFCF 89125'"),
                                        QStringLiteral("Le n° du DFCF ne correspond pas au n° du departement")}));
    QVERIFY(!c.Remarques_A->isEnabled());
    c.QTH_A->setText(QStringLiteral("DFCF 89125 CHATEAU DE X"));
    env.oublierMessages();
    test::entree(c.QTH_A);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 20 caracteres maxi pour le QTH")});
    c.QTH_A->setText(QStringLiteral("DFCF 89125"));
    test::entree(c.QTH_A);
    QVERIFY(test::aLeFocus(c, c.Remarques_A));
    QVERIFY(c.Annuler->isEnabled());

    env.oublierMessages();
    test::saisir(c.Remarques_A, QStringLiteral("chateau de la belle au bois do"));
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. CHATEAU DE LA BELLE AU BOIS DO"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 30 caracteres maxi pour les remarques")});
    QVERIFY(!c.Enregistrer->isEnabled());
    c.Remarques_A->setText(QStringLiteral("C. CHATEAU DE LA BELLE AU BOI"));
    test::entree(c.Remarques_A);
    QVERIFY(c.Enregistrer->isEnabled());
    QVERIFY(test::aLeFocus(c, c.Enregistrer));
    QCOMPARE(Couleurs_Etat::fond(c.Remarques_A), bgr(0xC0FFFF));
}

void TestSaisie::pendantUneEdition()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    Prog().Edition_En_Cours = true;
    c.Bande_A->setCurrentIndex(4);
    c.Indicatif_A->setEnabled(true);
    c.Depart_A->setEnabled(true);
    c.Locator_A->setEnabled(true);

    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("f1abc"));
    test::saisir(c.Locator_A, QStringLiteral("jn0"));
    test::saisir(c.Depart_A, QStringLiteral("31"));
    // Typing still upper-cases; no check ran, no lookup, no message.
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    QCOMPARE(c.Locator_A->text(), QStringLiteral("JN0"));
    QVERIFY(env.messages.empty());
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 Mhz"));
    QCOMPARE(Prog().Indicatif_Saisi, QString());
    QCOMPARE(Prog().Etat_Departement_Saisi, QString());
    // Only the department's length is checked.
    test::saisir(c.Depart_A, QStringLiteral("5"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 2 caracteres pour le departement")});
}

QTEST_MAIN(TestSaisie)
#include "tst_saisie.moc"
