// Clocks and the shape checks of dates, times and locators.
#include "commun/Outils_Test.h"
#include "station/Dates.h"

#include <QTest>

class TestDates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void horlogesAutourDeMinuit()
    {
        test::Environnement env(false);
        // 00:20:05 UTC on 1 March 2026; the local clock, five hours behind, is still on 28 February.
        env.fixerHorloge(QDateTime(QDate(2026, 3, 1), QTime(0, 20, 5), Qt::UTC), -5 * 3600);
        QCOMPARE(Lit_Date_UTC(), QStringLiteral("01/03/26"));
        QCOMPARE(Lit_Date_Locale(), QStringLiteral("28/02/26"));
        QCOMPARE(Lit_Heure_UTC(), QStringLiteral("00:20:05"));
        QCOMPARE(Lit_Heure_Locale(), QStringLiteral("19:20:05"));
    }

    void anneeDeuxMille()
    {
        test::Environnement env(false);
        env.fixerHorloge(QDateTime(QDate(2000, 1, 9), QTime(9, 5, 3), Qt::UTC), 0);
        QCOMPARE(Lit_Date_UTC(), QStringLiteral("09/01/00"));
        QCOMPARE(Lit_Heure_UTC(), QStringLiteral("09:05:03"));
    }

    void verifDate_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("attendu");
        QTest::newRow("bonne") << QStringLiteral("12/09/07") << 0;
        QTest::newRow("31 fevrier passe") << QStringLiteral("31/02/07") << 0;
        QTest::newRow("lettre dans le jour") << QStringLiteral("1a/09/07") << 1;
        QTest::newRow("tirets") << QStringLiteral("12-09-07") << 1;
        QTest::newRow("court") << QStringLiteral("12/09") << 1;
    }

    void verifDate()
    {
        QFETCH(QString, texte);
        QFETCH(int, attendu);
        int erreur = 1;
        Verif_Date(texte, erreur);
        QCOMPARE(erreur, attendu);
    }

    void verifHeure_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("attendu");
        QTest::newRow("bonne") << QStringLiteral("14:35") << 0;
        QTest::newRow("25:61 passe") << QStringLiteral("25:61") << 0;
        QTest::newRow("h au lieu de :") << QStringLiteral("14h35") << 1;
        QTest::newRow("vide") << QString() << 1;
    }

    void verifHeure()
    {
        QFETCH(QString, texte);
        QFETCH(int, attendu);
        int erreur = 1;
        Verif_Heure(texte, erreur);
        QCOMPARE(erreur, attendu);
    }

    void verifLocatorNeRemetJamaisAZero()
    {
        int erreur = 0;
        Verif_Locator(QStringLiteral("jn03tj"), erreur);
        QCOMPARE(erreur, 1);  // lower case fails
        Verif_Locator(QStringLiteral("JN03TJ"), erreur);
        QCOMPARE(erreur, 1);  // not cleared by a good one
        erreur = 0;
        Verif_Locator(QStringLiteral("JN03TJ"), erreur);
        QCOMPARE(erreur, 0);
        Verif_Locator(QStringLiteral("J403TJ"), erreur);
        QCOMPARE(erreur, 1);
    }
};

QTEST_MAIN(TestDates)
#include "tst_dates.moc"
