// Distance and bearing between locators, with the program's own constants.
#include "commun/Outils_Test.h"
#include "station/Geometrie.h"
#include "station/Variables_Programme.h"

#include <QTest>
#include <cmath>

class TestGeometrie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Prog() = Variables_Programme{}; }

    void coordonnees_data()
    {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("latitude");
        QTest::newRow("JN03TJ") << "JN03TJ" << 1.625 << 43.3958333333;
        QTest::newRow("IO91WM") << "IO91WM" << -0.125 << 51.5208333333;
        QTest::newRow("minuscules") << "jn03tj" << 1.625 << 43.3958333333;
        QTest::newRow("AA00AA") << "AA00AA" << -180 + 1.0 / 24 << -90 + 1.0 / 48;
        QTest::newRow("RR99XX") << "RR99XX" << 180 - 1.0 / 24 << 90 - 1.0 / 48;
    }
    void coordonnees()
    {
        QFETCH(QString, locator);
        QFETCH(double, longitude);
        QFETCH(double, latitude);
        const double versDegres = 180 / 3.141592654;
        QVERIFY(std::abs(Longitude_Locator(locator) * versDegres - longitude) < 1e-7);
        QVERIFY(std::abs(Latitude_Locator(locator) * versDegres - latitude) < 1e-7);
    }

    // The whole degrees are summed first, then the subsquare fraction as one term: the last
    // bit of the result depends on it (AA00CA, AA00AC are such cases), and with it a rounded
    // distance or bearing near a half.
    void ordreDesSommes()
    {
        const double versRadians = 3.141592654 / 180;
        // Exact comparisons: QCOMPARE would forgive the last bits.
        QVERIFY(Longitude_Locator(QStringLiteral("AA00CA")) == (-180 + (2 / 12.0 + 1 / 24.0)) * versRadians);
        QVERIFY(Latitude_Locator(QStringLiteral("AA00AC")) == (-90 + (2 / 24.0 + 1 / 48.0)) * versRadians);
        QVERIFY(Longitude_Locator(QStringLiteral("AA00CA")) != ((-180 + 2 / 12.0) + 1 / 24.0) * versRadians);
    }

    void distanceEtAzimut_data()
    {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("contacte");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<float>("azimut");
        QTest::newRow("vers le nord-ouest") << "JN03TJ" << "IO91WM" << "914" << 352.0f;
        QTest::newRow("retour") << "IO91WM" << "JN03TJ" << "914" << 171.0f;
        QTest::newRow("sous-carre est") << "JN03TJ" << "JN03UJ" << "7" << 90.0f;
        QTest::newRow("sous-carre ouest") << "JN03TJ" << "JN03SJ" << "7" << 270.0f;
        QTest::newRow("sous-carre nord") << "JN03TJ" << "JN03TK" << "5" << 0.0f;
        QTest::newRow("presque plein nord, a l'ouest") << "JN03TJ" << "JO03SJ" << "1113" << 360.0f;
        QTest::newRow("minuscules") << "jn03tj" << "io91wm" << "914" << 352.0f;
        QTest::newRow("sous-carre en minuscules") << "JN03TJ" << "JN03uj" << "7" << 90.0f;
    }
    void distanceEtAzimut()
    {
        QFETCH(QString, station);
        QFETCH(QString, contacte);
        QFETCH(QString, distance);
        QFETCH(float, azimut);
        Calcul_Distance(station, contacte);
        Calcul_Azimut(station, contacte);
        QCOMPARE(Prog().Distance_Calculee, distance);
        QCOMPARE(Prog().Azimut_Calcule, azimut);
    }

    void demiTourDuMonde()
    {
        Calcul_Distance(QStringLiteral("AA00AA"), QStringLiteral("RR99XX"));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("20034"));
    }

    // The worked locator is trimmed and cut to six characters; fewer than six compute nothing.
    void locatorContacteCoupe()
    {
        Calcul_Distance(QStringLiteral("JN03TJ"), QStringLiteral("  IO91WM  "));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("914"));
        Calcul_Distance(QStringLiteral("JN03TJ"), QStringLiteral("JN03UJXX"));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("7"));
        Calcul_Distance(QStringLiteral("JN03TJ"), QStringLiteral("JN03T"));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("7"));
        Calcul_Distance(QStringLiteral("JN03TJ"), QStringLiteral("  JN03T "));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("7"));
    }

    // Same subsquare: no division by zero shows through, distance 0 and bearing 0.
    void memeSousCarre()
    {
        Prog().Azimut_Calcule = 123;
        Calcul_Distance(QStringLiteral("JN03TJ"), QStringLiteral("JN03TJ"));
        Calcul_Azimut(QStringLiteral("JN03TJ"), QStringLiteral("JN03TJ"));
        QCOMPARE(Prog().Distance_Calculee, QStringLiteral("0"));
        QCOMPARE(Prog().Azimut_Calcule, 0.0f);
    }
};

QTEST_MAIN(TestGeometrie)
#include "tst_geometrie.moc"
