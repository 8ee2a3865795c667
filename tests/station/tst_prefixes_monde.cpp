// The shipped prefix template against a list of real callsigns and their entities.
#include "commun/Outils_Test.h"
#include "platform/Fichiers.h"
#include "station/Fichiers_Etat.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QFile>
#include <QTest>
#include <memory>

class TestPrefixesMonde : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;

    static QStringList clesDuModele()
    {
        QStringList cles;
        const QStringList lignes = plateforme::lireLignes(test::dossierModeles() + QStringLiteral("/FXXXX_Prefixe.txt"));
        for (const QString& l : lignes)
            cles << station::clePrefixe(l);
        return cles;
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<test::Environnement>();
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        plateforme::copier(QStringLiteral("FXXXX_Prefixe.txt"), QStringLiteral("F5ABC_Prefixe.txt"));
    }
    void cleanup() { env.reset(); }

    void pays_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("pays");
        QFile f(test::dossierDonnees() + QStringLiteral("/station/data/indicatifs_pays.txt"));
        QVERIFY2(f.open(QIODevice::ReadOnly), "tests/station/data/indicatifs_pays.txt");
        int n = 0;
        const QStringList lignes = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (QString l : lignes) {
            l.remove(QLatin1Char('\r'));
            if (l.trimmed().isEmpty())
                continue;
            const QStringList champs = l.split(QLatin1Char('\t'));
            QVERIFY2(champs.size() == 2, qPrintable(l));
            QTest::newRow(qPrintable(champs[0] + QLatin1Char('#') + QString::number(++n)))
                << champs[0].trimmed() << champs[1].trimmed();
        }
        QVERIFY(n > 0);
    }
    void pays()
    {
        QFETCH(QString, indicatif);
        QFETCH(QString, pays);
        QString etat, trouve, prefixe;
        QVERIFY(Cherche_Prefixe(indicatif, QStringLiteral("14 Mhz"), etat, trouve, prefixe));
        QVERIFY2(!prefixe.isEmpty(), "no prefix line begins this callsign");
        QCOMPARE(trouve.trimmed(), pays);
        QCOMPARE(etat, QStringLiteral("0"));
    }

    // A longer key must stand before a shorter one that begins it, or it is never reached.
    void plusLonguesDAbord()
    {
        const QStringList cles = clesDuModele();
        QVERIFY(cles.size() > 300);
        QStringList fautes;
        for (qsizetype i = 0; i < cles.size(); ++i) {
            QVERIFY2(!cles[i].isEmpty(), qPrintable(QStringLiteral("empty key at line %1").arg(i + 1)));
            for (qsizetype j = i + 1; j < cles.size(); ++j) {
                if (cles[j].startsWith(cles[i]))
                    fautes << QStringLiteral("%1 (line %2) hides %3 (line %4)").arg(cles[i]).arg(i + 1).arg(cles[j]).arg(j + 1);
            }
        }
        QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral("; "))));
    }

    void prefixesFrancaisPresents()
    {
        const QStringList cles = clesDuModele();
        for (const QString& p : station::Prefixes_Francais())
            QVERIFY2(cles.contains(p), qPrintable(p));
    }
};

QTEST_MAIN(TestPrefixesMonde)
#include "tst_prefixes_monde.moc"
