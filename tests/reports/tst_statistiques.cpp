// The statistics windows opened from the main window's menu, read from their controls, and
// the counting rules on the odd records a real log holds.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "reports/Fenetres_Statistiques.h"
#include "reports/Statistiques_Regles.h"
#include "reports/Qso_Test.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace rapports;

namespace {

using test::ligne;
using test::Qso;

Qso distance(const QString& bande, const QString& km)
{
    Qso q;
    q.bande = bande;
    q.distance = km;
    return q;
}

void declencher(Carnet& c, const QString& nom)
{
    auto* a = c.findChild<QAction*>(nom);
    QVERIFY2(a && a->isEnabled(), qPrintable(nom));
    a->trigger();
}

} // namespace

class TestStatistiques : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Detruire_Fenetres_Statistiques(); }

    void classesDeDistance_data()
    {
        QTest::addColumn<int>("km");
        QTest::addColumn<int>("classe");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("100") << 100 << 1;
        QTest::newRow("101") << 101 << 2;
        QTest::newRow("199") << 199 << 2;
        QTest::newRow("200") << 200 << 3;
        QTest::newRow("699") << 699 << 7;
        QTest::newRow("999") << 999 << 10;
        QTest::newRow("1000") << 1000 << 11;
        QTest::newRow("19999") << 19999 << 11;
        QTest::newRow("negatif") << -5 << 1;
    }
    void classesDeDistance()
    {
        QFETCH(int, km);
        QFETCH(int, classe);
        QCOMPARE(classeDistance(km), classe);
    }

    void valeursDesColonnes()
    {
        QCOMPARE(valeurEntiere(u"  150"), 150);
        QCOMPARE(valeurEntiere(u"?    "), 0);
        QCOMPARE(valeurEntiere(u"     "), 0);
        QCOMPARE(valeurEntiere(u"-1"), -1);
        QCOMPARE(valeurEntiere(u"12ab"), 12);
        QCOMPARE(valeurEntiere(u""), 0);
    }

    // The distance grid of a log that holds every class border, "?" and blank distances,
    // HF QSOs and a record with activity "-1".
    void grilleDesDistances()
    {
        test::Environnement env;
        test::StationTest s;
        for (const char* km : {"0", "?", "", "100", "101", "199", "200", "999", "1000", "4321"})
            s.journal << ligne(distance(QStringLiteral("144 Mhz"), QString::fromLatin1(km)));
        s.journal << ligne(distance(QStringLiteral("50 Mhz"), QStringLiteral("150")));
        s.journal << ligne(distance(QStringLiteral("14 Mhz"), QStringLiteral("50")));
        s.journal << ligne(distance(QStringLiteral("28 Mhz"), QStringLiteral("?")));
        Qso bizarre = distance(QStringLiteral("432 Mhz"), QStringLiteral("350"));
        bizarre.activite = QStringLiteral("-1");
        s.journal << ligne(bizarre);
        s.journal << QStringLiteral("01/02/24  F1ZZZ   ligne courte");
        Carnet& c = test::demarrerStation(env, s);
        declencher(c, QStringLiteral("Mnu_Stat_Dist"));

        auto& f = Statistiques::instance();
        QVERIFY(f.isVisible());
        QCOMPARE(f.windowTitle(), QStringLiteral("Statistiques distances"));
        auto boite = [&f](int bande, int classe) { return f.Text11[(bande - 1) * 11 + classe]->text(); };
        // 144 MHz: 0, "?", blank and 100 in the first class; 101 and 199 in the second.
        QCOMPARE(boite(1, 1), QStringLiteral("4"));
        QCOMPARE(boite(1, 2), QStringLiteral("2"));
        QCOMPARE(boite(1, 3), QStringLiteral("1"));
        QCOMPARE(boite(1, 4), QString());
        QCOMPARE(boite(1, 10), QStringLiteral("1"));
        QCOMPARE(boite(1, 11), QStringLiteral("2"));
        QCOMPARE(f.Tot[0]->text(), QStringLiteral("10"));
        QCOMPARE(boite(2, 4), QStringLiteral("1"));
        QCOMPARE(f.Tot[1]->text(), QStringLiteral("1"));
        // 50 MHz is the last column; HF is not counted anywhere.
        QCOMPARE(boite(8, 2), QStringLiteral("1"));
        QCOMPARE(f.Tot[7]->text(), QStringLiteral("1"));
        for (int b = 3; b <= 7; ++b) {
            QCOMPARE(f.Tot[b - 1]->text(), QStringLiteral("0"));
            for (int k = 1; k <= 11; ++k)
                QCOMPARE(boite(b, k), QString());
        }
        QVERIFY(f.findChild<QLineEdit*>(QStringLiteral("Text11_88")));
    }

    void journalVide()
    {
        test::Environnement env;
        Carnet& c = test::demarrerStation(env);
        declencher(c, QStringLiteral("Mnu_Stat_Dist"));
        auto& f = Statistiques::instance();
        for (int i = 1; i <= 88; ++i)
            QCOMPARE(f.Text11[i]->text(), QString());
        for (int b = 0; b < 8; ++b)
            QCOMPARE(f.Tot[b]->text(), QStringLiteral("0"));

        declencher(c, QStringLiteral("Mnu_Stat_QSO"));
        auto& q = Statistique_QSO::instance();
        QCOMPARE(q.NbQSO->text() + q.NbFR->text() + q.NbET->text(), QStringLiteral("000"));
        QCOMPARE(q.StatActivite->count(), 4);
        QCOMPARE(q.StatActivite->item(0)->text(), QStringLiteral("    DFCF                        ( 0%)           ( 0%)"));
    }

    // Percentages in whole numbers: no value one below the true one.
    void pourcentagesEntiers_data()
    {
        QTest::addColumn<int>("compte");
        QTest::addColumn<int>("qso");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("29 sur 50") << 29 << 50 << QStringLiteral("58");
        QTest::newRow("29 sur 100") << 29 << 100 << QStringLiteral("29");
        QTest::newRow("58 sur 100") << 58 << 100 << QStringLiteral("58");
        QTest::newRow("57 sur 100") << 57 << 100 << QStringLiteral("57");
        QTest::newRow("2 sur 3") << 2 << 3 << QStringLiteral("66");
        QTest::newRow("1 sur 12") << 1 << 12 << QStringLiteral(" 8");
        QTest::newRow("tout") << 99999 << 99999 << QStringLiteral("100");
        QTest::newRow("aucun QSO") << 0 << 0 << QStringLiteral(" 0");
    }
    void pourcentagesEntiers()
    {
        QFETCH(int, compte);
        QFETCH(int, qso);
        QFETCH(QString, attendu);
        QCOMPARE(rapports::pourcentage(compte, qso), attendu);
    }

    // The prefix window reads its file once when it opens: a missing file is told once.
    void prefixesSansFichierUnSeulMessage()
    {
        test::Environnement env;
        Carnet& c = test::demarrerStation(env);
        QVERIFY(QFile::remove(env.chemin(QStringLiteral("F5XYZ_Prefixe.txt"))));
        declencher(c, QStringLiteral("Mnu_Stat_Prefixe"));
        QCOMPARE(env.messages.size(), size_t(1));
        QCOMPARE(Statistique_Prefixe::instance().Bande_E->currentText(), QStringLiteral("7.0 Mhz"));
        QCOMPARE(Statistique_Prefixe::instance().Liste_Prefixes->count(), 0);
    }

    // Prefixes of one band: any status from 1 to 4 shows, 0 does not; in alphabetical order.
    void prefixesDUneBande()
    {
        test::Environnement env;
        test::StationTest s;
        Carnet& c = test::demarrerStation(env, s);
        const QString zeros(17, QLatin1Char('0'));
        auto ligneP = [&zeros](const QString& p, int bande, QChar etat, const QString& pays) {
            QString etats = zeros;
            if (bande)
                etats[bande - 1] = etat;
            return p.leftJustified(7, QLatin1Char(' ')) + etats + QStringLiteral("  ") + pays;
        };
        test::ecrireOctets(env.chemin(QStringLiteral("F5XYZ_Prefixe.txt")),
                           test::enAnsi({ligneP(QStringLiteral("ZS"), 3, QLatin1Char('4'), QStringLiteral("Afrique du Sud")),
                                         ligneP(QStringLiteral("DL"), 3, QLatin1Char('1'), QStringLiteral("Allemagne")),
                                         ligneP(QStringLiteral("EA"), 3, QLatin1Char('0'), QStringLiteral("Espagne")),
                                         ligneP(QStringLiteral("F"), 11, QLatin1Char('2'), QStringLiteral("France")),
                                         ligneP(QStringLiteral("ON"), 3, QLatin1Char('3'), QStringLiteral("Belgique  "))}));
        declencher(c, QStringLiteral("Mnu_Stat_Prefixe"));
        auto& f = Statistique_Prefixe::instance();
        QCOMPARE(f.Bande_E->currentText(), QStringLiteral("7.0 Mhz"));
        QCOMPARE(test::elements(f.Liste_Prefixes),
                 QStringList({QStringLiteral("  DL    Allemagne"), QStringLiteral("  ON    Belgique"),
                              QStringLiteral("  ZS    Afrique du Sud")}));
        f.Bande_E->setCurrentIndex(10);
        QCOMPARE(test::elements(f.Liste_Prefixes), QStringList{QStringLiteral("  F     France")});
        f.Bande_E->setCurrentIndex(16);
        QCOMPARE(f.Liste_Prefixes->count(), 0);
    }

    // The castle list per band choice, its count and its file.
    void listeDesChateaux()
    {
        test::Environnement env;
        test::StationTest s;
        auto chateau = [](const QString& bande, const QString& ref, const QString& nom, const QString& etat,
                          const QString& activite = QStringLiteral("1")) {
            Qso q;
            q.bande = bande;
            q.qth = ref;
            q.remarques = nom;
            q.etat = etat;
            q.activite = activite;
            return ligne(q);
        };
        s.journal << chateau(QStringLiteral("7.0 Mhz"), QStringLiteral("DFCF34005"), QStringLiteral("Chateau de Pézenas"),
                             QStringLiteral("4"))
                  << chateau(QStringLiteral("50 Mhz"), QStringLiteral("DFCF12001"), QStringLiteral("Chateau A"),
                             QStringLiteral("2"))
                  << chateau(QStringLiteral("144 Mhz"), QStringLiteral("DFCF12001"), QStringLiteral("Chateau A"),
                             QStringLiteral("3"))
                  << chateau(QStringLiteral("144 Mhz"), QStringLiteral("DFCF12001"), QStringLiteral("Chateau A"),
                             QStringLiteral("1"))
                  << chateau(QStringLiteral("144 Mhz"), QStringLiteral("DMF01001"), QStringLiteral("Moulin"),
                             QStringLiteral("1"), QStringLiteral("2"))
                  << chateau(QStringLiteral("28 Mhz"), QStringLiteral("DFCF01001"), QStringLiteral("Chateau B"),
                             QStringLiteral("7"))
                  << chateau(QStringLiteral("144 Mhz"), QStringLiteral("X"), QStringLiteral("Hors liste"),
                             QStringLiteral("1"), QStringLiteral("-1"));
        Carnet& c = test::demarrerStation(env, s);
        declencher(c, QStringLiteral("Mnu_Stat_DFCF"));
        auto& f = Statistique_DFCF::instance();
        QCOMPARE(f.Bande_E->currentText(), QStringLiteral("Bandes HF"));
        QCOMPARE(test::elements(f.Activite_A),
                 QStringList({QStringLiteral("DFCF"), QStringLiteral("DMF"), QStringLiteral("DPLF"), QStringLiteral("IOTA")}));
        QCOMPARE(f.BandActiv->text(), QStringLiteral("Toutes QRG"));
        QCOMPARE(f.Liste_Chateaux->count(), 0);

        QTest::mouseClick(f.Affiche_Contact, Qt::LeftButton);
        QCOMPARE(f.TotActiv->text(), QStringLiteral("2"));
        QCOMPARE(f.BandActiv->text(), QStringLiteral("Bandes HF"));
        QCOMPARE(f.TypActiv->text(), QStringLiteral("DFCF"));
        const QString premiere = f.Liste_Chateaux->item(0)->text();
        QCOMPARE(premiere.size(), 80);
        QCOMPARE(premiere, QStringLiteral("  DFCF01001      Chateau B                     01/02/24  F1AAA       28 Mhz    ?"));
        QVERIFY(f.Liste_Chateaux->item(1)->text().endsWith(QStringLiteral("7.0 Mhz   C")));

        f.Bande_E->setCurrentIndex(1);  // "Bandes VHF": 50 MHz with the others; the same castle twice
        QTest::mouseClick(f.Affiche_Contact, Qt::LeftButton);
        QCOMPARE(f.TotActiv->text(), QStringLiteral("3"));
        QStringList lettres;
        for (const QString& l : test::elements(f.Liste_Chateaux))
            lettres << l.right(1);
        QCOMPARE(lettres.join(QString()), QStringLiteral("RSE"));  // text order: "144 Mhz" before "50 Mhz"

        env.oublierMessages();
        QTest::mouseClick(f.Enregistrement, Qt::LeftButton);
        QCOMPARE(env.textes(),
                 QStringList{QStringLiteral("Le fichier a été enregistré sous le nom : F5XYZ Bandes VHF Alphanumerique.txt")});
        const QStringList attendu =
            QStringList{QStringLiteral("F5XYZ Liste alphanumerique des Chateaux contactés sur Bandes VHF au 15/03/2024"),
                        QString()} +
            test::elements(f.Liste_Chateaux) + QStringList{QString(), QStringLiteral("Nombre total de Chateaux : 3")};
        const QString fichier = env.chemin(QStringLiteral("F5XYZ Bandes VHF Alphanumerique.txt"));
        QCOMPARE(test::lireOctets(fichier), test::enAnsi(attendu));

        // Saved again after a narrower display: the same file is replaced, nothing left beside it.
        f.Bande_E->setCurrentText(QStringLiteral("144 Mhz"));
        f.Activite_A->setCurrentIndex(1);
        QTest::mouseClick(f.Affiche_Contact, Qt::LeftButton);
        QCOMPARE(f.TotActiv->text(), QStringLiteral("1"));
        QTest::mouseClick(f.Enregistrement, Qt::LeftButton);
        QVERIFY(QFile::exists(env.chemin(QStringLiteral("F5XYZ 144 Mhz Alphanumerique.txt"))));
        QCOMPARE(test::lireOctets(fichier), test::enAnsi(attendu));
        const auto noms = QDir(env.dossier()).entryList(QDir::Files);
        QCOMPARE(noms.filter(QStringLiteral("Alphanumerique")).size(), 2);
    }

    // A save whose file cannot be written says so and reports no success.
    void listeDesChateauxEcritureRefusee()
    {
        test::Environnement env;
        Carnet& c = test::demarrerStation(env);
        declencher(c, QStringLiteral("Mnu_Stat_DFCF"));
        auto& f = Statistique_DFCF::instance();
        // A folder in the file's place: nothing can be renamed over it.
        const QString fichier = env.chemin(QStringLiteral("F5XYZ Bandes HF Alphanumerique.txt"));
        QVERIFY(QDir().mkpath(fichier + QStringLiteral("/garde")));
        env.oublierMessages();
        QTest::mouseClick(f.Enregistrement, Qt::LeftButton);
        QCOMPARE(env.messages.size(), size_t(1));
        QVERIFY(!env.messages.front().texte.startsWith(QStringLiteral("Le fichier a été")));
        QVERIFY(QDir(fichier + QStringLiteral("/garde")).exists());
        QCOMPARE(QDir(env.dossier()).entryList(QDir::Files).filter(QStringLiteral("Alphanumerique")).size(), 0);
    }

    void francaisEtEtrangers_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<bool>("francais");
        QTest::newRow("F") << "F6ABC" << true;
        QTest::newRow("TK") << "TK5XN" << true;
        QTest::newRow("HW") << "HW2A" << true;
        QTest::newRow("TM") << "TM1A" << true;
        QTest::newRow("HB") << "HB9AA" << false;
        QTest::newRow("HZ") << "HZ1AB" << false;
        QTest::newRow("T7") << "T77C" << false;
        QTest::newRow("vide") << "" << false;
    }
    void francaisEtEtrangers()
    {
        QFETCH(QString, indicatif);
        QFETCH(bool, francais);
        QCOMPARE(indicatifFrancais(indicatif), francais);
    }

    // Totals and the activity lines: truncated percentages, blank zero counts, activity "-1"
    // and numbers beyond the list counted in the totals only.
    void totauxParActivite()
    {
        test::Environnement env;
        test::StationTest s;
        auto q = [](const QString& ind, const QString& act, const QString& etat) {
            Qso x;
            x.indicatif = ind;
            x.activite = act;
            x.etat = etat;
            return ligne(x);
        };
        // DFCF (1): three QSOs, two sent (2 and 4), two received (3 and 4) -> 66 %.
        s.journal << q(QStringLiteral("F1AA"), QStringLiteral("1"), QStringLiteral("2"))
                  << q(QStringLiteral("HB9A"), QStringLiteral("1"), QStringLiteral("4"))
                  << q(QStringLiteral("TK5A"), QStringLiteral("1"), QStringLiteral("3"));
        // DMF (2): twelve QSOs, one received -> 8 %, no card sent.
        for (int i = 0; i < 11; ++i)
            s.journal << q(QStringLiteral("DL1AB"), QStringLiteral("2"), QStringLiteral("1"));
        s.journal << q(QStringLiteral("DL1AB"), QStringLiteral("2"), QStringLiteral("3"));
        s.journal << q(QStringLiteral("F5AA"), QStringLiteral("0"), QStringLiteral("4"))
                  << q(QStringLiteral("HW1A"), QStringLiteral("-1"), QStringLiteral("4"))
                  << q(QStringLiteral("HZ1A"), QStringLiteral("45"), QStringLiteral("2"))
                  << q(QStringLiteral("ON4A"), QStringLiteral("4"), QStringLiteral("4"));
        Carnet& c = test::demarrerStation(env, s);
        declencher(c, QStringLiteral("Mnu_Stat_QSO"));
        auto& f = Statistique_QSO::instance();
        QCOMPARE(f.NbQSO->text(), QStringLiteral("19"));
        QCOMPARE(f.NbFR->text(), QStringLiteral("4"));
        QCOMPARE(f.NbET->text(), QStringLiteral("15"));
        QCOMPARE(f.Label19->text(), EnteteActivites);
        QCOMPARE(test::elements(f.StatActivite),
                 QStringList({QStringLiteral("    DFCF            3         2 (66%)         2 (66%)"),
                              QStringLiteral("    DMF            12           ( 0%)         1 ( 8%)"),
                              QStringLiteral("    DPLF                        ( 0%)           ( 0%)"),
                              QStringLiteral("    IOTA            1         1 (100%)         1 (100%)")}));
    }
};

QTEST_MAIN(TestStatistiques)
#include "tst_statistiques.moc"
