// The log record: columns, padding, refusals, and the list item around it.
#include "commun/Outils_Test.h"
#include "station/Ligne_QSO.h"

#include <QTest>

using namespace station;

class TestLigneQSO : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colonnesDuRecord()
    {
        Ligne_QSO l;
        l.Date_QSO = QStringLiteral("07/03/26");
        l.Indicatif_QSO = QStringLiteral("F5ABC");
        l.Heure_Debut = QStringLiteral("14:35");
        l.Heure_Fin = QStringLiteral("14:40");
        l.Departement_QSO = QStringLiteral("2a");
        l.Locator_QSO = QStringLiteral("JN42AB");
        l.Bande_QSO = QStringLiteral("144 Mhz");
        l.Mode_QSO = QStringLiteral("SSB");
        l.RST_Envoye = QStringLiteral("59");
        l.RST_Recu = QStringLiteral("57");
        l.QTH_QSO = QStringLiteral("DFCF 89125");
        l.Prenom_QSO = QStringLiteral("Hélène");
        l.Distance_QSO = QStringLiteral("?");
        l.Azimut_QSO = QStringLiteral("?");
        l.Numero_Activite = QStringLiteral("-1");
        l.Remarques_QSO = QStringLiteral("C. 123");
        const QString t = l.texte();
        QCOMPARE(t.size(), 199);
        QCOMPARE(t.mid(0, 10), QStringLiteral("07/03/26  "));
        QCOMPARE(t.mid(10, 12), QStringLiteral("F5ABC       "));
        QCOMPARE(t.mid(22, 5), QStringLiteral("14:35"));
        QCOMPARE(t.mid(29, 5), QStringLiteral("14:40"));
        QCOMPARE(t.mid(36, 5), QStringLiteral("2a   "));
        QCOMPARE(t.mid(41, 6), QStringLiteral("JN42AB"));
        QCOMPARE(t.mid(49, 8), QStringLiteral("144 Mhz "));
        QCOMPARE(t.mid(88, 20), QStringLiteral("DFCF 89125          "));
        QCOMPARE(t.mid(110, 15), QStringLiteral("Hélène         "));
        QCOMPARE(t.mid(125, 9), QString(9, QLatin1Char(' ')));
        QCOMPARE(t.at(134), QLatin1Char('1'));
        QCOMPARE(t.mid(135, 19), QString(19, QLatin1Char(' ')));
        QCOMPARE(t.mid(154, 5), QStringLiteral("?    "));
        QCOMPARE(t.mid(160, 3), QStringLiteral("?  "));
        QCOMPARE(t.mid(164, 4), QStringLiteral("-1  "));
        QCOMPARE(t.mid(168, 30).trimmed(), QStringLiteral("C. 123"));
        QCOMPARE(t.at(198), QLatin1Char('*'));

        // Every field reads back as it was written.
        const Ligne_QSO relu = Ligne_QSO::depuis(t);
        QCOMPARE(relu.Prenom_QSO, l.Prenom_QSO);
        QCOMPARE(relu.Numero_Activite, QStringLiteral("-1"));
        QCOMPARE(relu.Distance_QSO, QStringLiteral("?"));
        QCOMPARE(relu.texte(), t);
    }

    void champsPleins()
    {
        Ligne_QSO l;
        l.Indicatif_QSO = QStringLiteral("ABCDEFGHIJKL");  // 12 characters
        l.Heure_Debut = QStringLiteral("09:05");
        l.Remarques_QSO = QString(30, QLatin1Char('R'));
        const QString t = l.texte();
        QCOMPARE(t.mid(10, 17), QStringLiteral("ABCDEFGHIJKL09:05"));
        QCOMPARE(t.mid(168, 31), QString(30, QLatin1Char('R')) + QLatin1Char('*'));
    }

    void valeurTropLongueRefusee_data()
    {
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("valeur");
        QTest::newRow("indicatif 13") << int(Champ::Indicatif_QSO) << QStringLiteral("ABCDEFGHIJKLM");
        QTest::newRow("remarques 31") << int(Champ::Remarques_QSO) << QString(31, QLatin1Char('x'));
        QTest::newRow("mode 8") << int(Champ::Mode_QSO) << QStringLiteral("PACKETXX");
        QTest::newRow("qth 21") << int(Champ::QTH_QSO) << QString(21, QLatin1Char('q'));
        QTest::newRow("prenom 16") << int(Champ::Prenom_QSO) << QString(16, QLatin1Char('p'));
    }

    void valeurTropLongueRefusee()
    {
        QFETCH(int, champ);
        QFETCH(QString, valeur);
        Ligne_QSO l;
        switch (Champ(champ)) {
        case Champ::Indicatif_QSO: l.Indicatif_QSO = valeur; break;
        case Champ::Remarques_QSO: l.Remarques_QSO = valeur; break;
        case Champ::Mode_QSO: l.Mode_QSO = valeur; break;
        case Champ::QTH_QSO: l.QTH_QSO = valeur; break;
        default: l.Prenom_QSO = valeur; break;
        }
        try {
            (void)l.texte();
            QFAIL("a value longer than its field was written");
        } catch (const ChampTropLong& e) {
            QCOMPARE(int(e.champ), champ);
            QCOMPARE(e.valeur, valeur);
            QVERIFY(!nomChamp(e.champ).isEmpty());
        }
    }

    void itemDeListe()
    {
        const QString ligne = test::ligneQSO(QStringLiteral("01/01/26"), QStringLiteral("F6XYZ"), QStringLiteral("10:00"));
        QCOMPARE(numeroListe(7), QStringLiteral("    7 "));
        QCOMPARE(numeroListe(12345), QStringLiteral("12345 "));
        const QString item = itemListe(99, ligne);
        QCOMPARE(item.size(), 205);
        QCOMPARE(item.mid(16, 5), QStringLiteral("F6XYZ"));  // list column 17 = file column 11
        QCOMPARE(numeroDeItem(item), 99);
        QCOMPARE(ligneDeItem(item), ligne);
        // A long line is cut to 199 characters; a short one comes back as it is.
        QCOMPARE(ligneDeItem(itemListe(1, ligne + QStringLiteral("EXTRA"))), ligne);
        QCOMPARE(ligneDeItem(itemListe(1, QStringLiteral("court"))), QStringLiteral("court"));
    }

    void champsHorsDUneLigneCourte()
    {
        QCOMPARE(lireChamp(QStringLiteral("01/01/26"), Champ::Remarques_QSO), QString());
        QCOMPARE(lireChamp(QStringLiteral("01/01/26"), Champ::Date_QSO), QStringLiteral("01/01/26"));
    }
};

QTEST_MAIN(TestLigneQSO)
#include "tst_ligne_qso.moc"
