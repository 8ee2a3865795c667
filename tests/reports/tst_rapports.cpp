// The printed reports, printed to PDF and read back as text, and the text copy of the log.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Imprimante.h"
#include "reports/Fenetres_Impression.h"
#include "reports/Qso_Test.h"
#include "reports/Rapports.h"
#include "station/Mention_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using test::ligne;
using test::Qso;

namespace {

// QSO n of the generated log: every column the reports print filled, the widest values.
Qso qsoNumero(int n)
{
    Qso q;
    q.date = QStringLiteral("%1/03/24").arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    q.indicatif = QStringLiteral("HB9/F%1ABC/P").arg(n % 10);
    q.debut = QStringLiteral("%1:%2").arg(n % 24, 2, 10, QLatin1Char('0')).arg(n % 60, 2, 10, QLatin1Char('0'));
    q.departement = QStringLiteral("34");
    q.locator = QStringLiteral("JN13AB");
    q.bande = n % 3 ? QStringLiteral("144 Mhz") : QStringLiteral("7.0 Mhz");
    q.qth = QStringLiteral("DFCF34%1 Pézenas").arg(n, 3, 10, QLatin1Char('0'));
    q.remarques = QStringLiteral("Château n° %1 de l'Hérault fin").arg(n).left(30);
    q.activite = n % 2 ? QStringLiteral("1") : QStringLiteral("0");
    q.etat = QString::number(1 + n % 4);
    return q;
}

QStringList journal(int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << ligne(qsoNumero(i));
    return l;
}

// The lines of a printed text, blanks folded, empty lines and page breaks dropped.
QStringList lignesImprimees(const QString& texte)
{
    QStringList l;
    for (const QString& x : QString(texte).replace(QLatin1Char('\f'), QLatin1Char('\n')).split(QLatin1Char('\n')))
        if (!x.trimmed().isEmpty())
            l << x.simplified();
    return l;
}

// Width and height of the first page, in points.
QSizeF taillePage(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// A station whose log holds `n` generated QSOs, started in the main window, and a printer
// whose font is not the reports' one.
Carnet& demarrer(test::Environnement& env, test::StationTest& s, int n)
{
    s.journal = journal(n);
    Carnet& c = test::demarrerStation(env, s);
    auto& imp = plateforme::Imprimante::instance();
    imp.setFontName(QStringLiteral("Arial"));
    imp.setFontSize(12);
    return c;
}

void declencher(Carnet& c, const QString& nom)
{
    auto* a = c.findChild<QAction*>(nom);
    QVERIFY2(a && a->isEnabled(), qPrintable(nom));
    a->trigger();
}

} // namespace

class TestRapports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Detruire_Fenetres_Impression(); }

    // The whole log: every line once and whole, in order, numbered by its place in the log,
    // over as many pages as the printer needs; the printer's font is given back.
    void logComplet()
    {
        test::Environnement env;
        test::StationTest s;
        Carnet& c = demarrer(env, s, 150);
        auto& imp = plateforme::Imprimante::instance();

        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        auto& f = Print_Log::instance();
        QVERIFY(f.isVisible());
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        QCOMPARE(env.dialoguesImpression, 1);
        QCOMPARE(env.travauxImprimes(), 1);
        QVERIFY(f.isVisible());  // stays open for another report

        const QString texte = env.texteImprime(1);
        QVERIFY(texte.count(QLatin1Char('\f')) >= 2);  // more than one page
        QStringList attendu{QStringLiteral("Log de F5XYZ au 15/03/2024"), rapports::EnteteLog.simplified()};
        for (int i = 1; i <= 150; ++i)
            attendu << (station::numeroListe(i) + s.journal.at(i - 1).left(110)).simplified();
        attendu << Ligne_Auteur().simplified();
        QCOMPARE(lignesImprimees(texte), attendu);
        // Line 37 carries its number right-aligned in the first five columns.
        const QStringList brutes = QString(texte).replace(QLatin1Char('\f'), QLatin1Char('\n')).split(QLatin1Char('\n'));
        const auto l37 = std::find_if(brutes.begin(), brutes.end(),
                                      [](const QString& x) { return x.contains(QLatin1String("HB9/F7ABC/P")) && x.contains(QLatin1String("DFCF34037")); });
        QVERIFY(l37 != brutes.end());
        const auto l9 = std::find_if(brutes.begin(), brutes.end(),
                                     [](const QString& x) { return x.contains(QLatin1String("DFCF34009")); });
        QCOMPARE(l37->indexOf(QLatin1String("37 ")) + 1, l9->indexOf(QLatin1String("9 ")));

        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QCOMPARE(imp.FontSize(), 12.0);
        QVERIFY(!imp.FontBold());
    }

    // The printed lines are wider than a portrait page at 8 points: the report turns the page
    // rather than lose its right-hand columns.
    void ligneLaPlusLongueTientSurLaPage()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal(3);
        test::demarrerStation(env, s);
        auto& imp = plateforme::Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontSize(8);
        imp.setFontBold(true);
        imp.setPaysage(false);
        const QString large = rapports::EnteteActivations + QStringLiteral(" Confirmée");
        const bool tropLarge = imp.largeurTexte(large) > imp.largeurPage();

        Imprime_Activations(1, QStringLiteral("DFCF"), QStringLiteral("144 Mhz"));
        QCOMPARE(env.travauxImprimes(), 1);
        const QSizeF page = taillePage(QDir(env.dossierImpression()).filePath(QStringLiteral("job-1.pdf")));
        QVERIFY(page.isValid());
        QCOMPARE(page.width() > page.height(), tropLarge);
        // Every line ends with its status word: nothing cut at the right edge.
        const QStringList l = lignesImprimees(env.texteImprime(1));
        QVERIFY(l.size() >= 4);
        QVERIFY2(l.at(1).endsWith(QLatin1String("QSL")), qPrintable(l.at(1)));
        QVERIFY2(l.at(2).endsWith(QStringLiteral("Envoyée")), qPrintable(l.at(2)));
        // Orientation is given back for the next report.
        QVERIFY(!imp.paysage());
    }

    // An extreme line that even a landscape page cannot hold at 8 points is printed smaller.
    void lignesTropLonguesPourLePaysage()
    {
        test::Environnement env(false);
        const QString longue = QString(220, QLatin1Char('x')) + QStringLiteral("FIN");
        QVERIFY(Imprime_Texte({QStringLiteral("debut"), longue}));
        const QStringList l = lignesImprimees(env.texteImprime(1));
        QCOMPARE(l, QStringList({QStringLiteral("debut"), longue}));
    }

    void annulerNImprimeRien()
    {
        test::Environnement env;
        test::StationTest s;
        Carnet& c = demarrer(env, s, 5);
        auto& imp = plateforme::Imprimante::instance();
        env.reponsesImpression = {false, false, false};
        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        auto& f = Print_Log::instance();
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        f.Debut_Ligne->setText(QStringLiteral("1"));
        f.Fin_Ligne->setText(QStringLiteral("2"));
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        Imprime_Activations(1, QStringLiteral("DFCF"), QStringLiteral("144 Mhz"));
        QCOMPARE(env.dialoguesImpression, 3);
        QCOMPARE(env.travauxImprimes(), 0);
        QVERIFY(!imp.travailEnCours());
        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QCOMPARE(imp.FontSize(), 12.0);
        QVERIFY(!imp.FontBold());
    }

    void controlesDeLaPlage_data()
    {
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("message");
        const QString vide = QStringLiteral("Entrez le N° de la première et de la dernière ligne a imprimer");
        const QString chiffres = QStringLiteral("Que des chiffres pour le N° de ligne");
        QTest::newRow("debut vide") << "" << "3" << vide;
        QTest::newRow("fin vide") << "3" << "" << vide;
        QTest::newRow("blanc") << "1 2" << "3" << chiffres;
        QTest::newRow("moins") << "1" << "-3" << chiffres;
        QTest::newRow("zero") << "0" << "3" << QStringLiteral("Le N° de la ligne de debut d'impression doit etre superieur a 1");
        QTest::newRow("au-dela") << "1" << "13" << QStringLiteral("Le N° de la ligne de fin d'impression n'existe pas");
        QTest::newRow("tres long") << "1" << "99999999999999999999999" << QStringLiteral("Le N° de la ligne de fin d'impression n'existe pas");
        QTest::newRow("inverse") << "10" << "9" << QStringLiteral(" Le N° de début doit etre anterieur au N° de fin");
    }
    void controlesDeLaPlage()
    {
        QFETCH(QString, debut);
        QFETCH(QString, fin);
        QFETCH(QString, message);
        test::Environnement env;
        test::StationTest s;
        Carnet& c = demarrer(env, s, 12);
        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        auto& f = Print_Log::instance();
        QVERIFY(f.Debut_Ligne->text().isEmpty() && f.Fin_Ligne->text().isEmpty());
        f.Debut_Ligne->setText(debut);
        f.Fin_Ligne->setText(fin);
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        QCOMPARE(env.textes(), QStringList{message});
        QCOMPARE(env.dialoguesImpression, 0);
        QVERIFY(f.isVisible());
    }

    // Lines 9 and 10 of 12, then the whole range: the range title, the numbers of the log.
    void plageDeLignes()
    {
        test::Environnement env;
        test::StationTest s;
        Carnet& c = demarrer(env, s, 12);
        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        auto& f = Print_Log::instance();
        f.Debut_Ligne->setText(QStringLiteral("9"));
        f.Fin_Ligne->setText(QStringLiteral("10"));
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        QVERIFY(env.textes().isEmpty());
        QVERIFY(!f.isVisible());  // closes after a range print
        QCOMPARE(lignesImprimees(env.texteImprime(1)),
                 QStringList({QStringLiteral("Log de F5XYZ de la ligne N° 9 a la ligne N° 10"),
                              rapports::EnteteLog.simplified(),
                              (station::numeroListe(9) + s.journal.at(8).left(110)).simplified(),
                              (station::numeroListe(10) + s.journal.at(9).left(110)).simplified(),
                              Ligne_Auteur().simplified()}));

        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        f.Debut_Ligne->setText(QStringLiteral("1"));
        f.Fin_Ligne->setText(QStringLiteral("12"));
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        const QStringList l = lignesImprimees(env.texteImprime(2));
        QCOMPARE(l.size(), 12 + 3);
        QCOMPARE(l.first(), QStringLiteral("Log de F5XYZ de la ligne N° 1 a la ligne N° 12"));
    }

    // The activity report: activity and band both match; numbered from 1 over printed lines.
    void activations()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal(12);
        Qso autre = qsoNumero(13);
        autre.activite = QStringLiteral("-1");
        s.journal << ligne(autre);
        Carnet& c = test::demarrerStation(env, s);
        declencher(c, QStringLiteral("Mnu_Print_Activite"));
        auto& f = Print_Activite::instance();
        QCOMPARE(f.Imp_Activite->currentIndex(), -1);
        QCOMPARE(f.Bande_Z->currentIndex(), -1);
        QCOMPARE(f.Bande_Z->count(), 17);
        f.Imp_Activite->setCurrentIndex(0);
        f.Bande_Z->setCurrentText(QStringLiteral("144 Mhz"));
        QTest::mouseClick(f.Impression, Qt::LeftButton);
        QVERIFY(!f.isVisible());

        // Odd QSOs are DFCF; of these, 3 and 9 are on 7.0 MHz.
        QStringList attendu{QStringLiteral("F5XYZ Liste des activations DFCF contactées sur la bande 144 Mhz au 15/03/2024"),
                            rapports::EnteteActivations.simplified()};
        int n = 1;
        for (int i : {1, 5, 7, 11}) {
            const Qso q = qsoNumero(i);
            static const char* const mots[] = {"Sans", "Envoyée", "Reçue", "Confirmée"};
            attendu << QStringLiteral("%1 %2 %3 %4 10:05 %5 57 59 %6%7%8")
                           .arg(n++)
                           .arg(q.date, q.indicatif, q.debut, q.departement, q.qth.left(15), q.remarques.leftJustified(30))
                           .arg(QString::fromUtf8(mots[q.etat.toInt() - 1]))
                           .simplified();
        }
        attendu << Ligne_Auteur().simplified();
        QCOMPARE(lignesImprimees(env.texteImprime(1)), attendu);

        // No band chosen: the title, the heading and the footer only.
        declencher(c, QStringLiteral("Mnu_Print_Activite"));
        f.Imp_Activite->setCurrentIndex(1);
        QTest::mouseClick(f.Impression, Qt::LeftButton);
        QCOMPARE(lignesImprimees(env.texteImprime(2)),
                 QStringList({QStringLiteral("F5XYZ Liste des activations DMF contactées sur la bande au 15/03/2024"),
                              rapports::EnteteActivations.simplified(), Ligne_Auteur().simplified()}));
    }

    // The text copy, byte for byte; written beside and renamed; a failed write says so and
    // leaves the old copy.
    void copieTexte()
    {
        test::Environnement env;
        test::StationTest s;
        Qso a;
        a.indicatif = QStringLiteral("F6ABC");
        a.departement = QStringLiteral("2a");
        a.qth = QStringLiteral("DFCF2A001 Ajaccio xx");
        a.remarques = QStringLiteral("Château de la Punta");
        a.etat = QStringLiteral("4");
        a.activite = QStringLiteral("1");
        Qso b;
        b.indicatif = QStringLiteral("DL1ABC");
        b.etat = QStringLiteral("2");
        s.journal << ligne(a) << ligne(b);
        Carnet& c = test::demarrerStation(env, s);
        test::ecrireOctets(env.chemin(QStringLiteral("Log_F5XYZ.txt")), "ancienne copie plus longue\r\n");
        declencher(c, QStringLiteral("Mnu_Imprime_Tout"));
        auto& f = Print_Log::instance();
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        QVERIFY(env.textes().isEmpty());
        QCOMPARE(env.dialoguesImpression, 0);
        const QStringList attendu{
            QStringLiteral("              Log de F5XYZ au 15/03/2024"),
            QString(),
            QStringLiteral("  N°      Date    Indicatf    Debut  FIN    Dpt  RST R   RST E  QTH/N° Activite  Remarques/Nom Activité       QSL"),
            QString(),
            QStringLiteral("    1   01/02/24  F6ABC       10:00  10:05  2a   57      59      DFCF2A001 AjaccChâteau de la Punta           Confirmée"),
            QStringLiteral("    2   01/02/24  DL1ABC      10:00  10:05       57      59                                                   Envoyée"),
        };
        QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("Log_F5XYZ.txt"))), test::enAnsi(attendu));
        QVERIFY(f.isVisible());

        // The copy's name taken by a folder: the write fails, is reported, nothing is left beside.
        QFile::remove(env.chemin(QStringLiteral("Log_F5XYZ.txt")));
        QVERIFY(QDir().mkpath(env.chemin(QStringLiteral("Log_F5XYZ.txt/x"))));
        const QStringList avant = QDir(env.dossier()).entryList(QDir::Files);
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        QCOMPARE(env.messages.size(), size_t(1));
        QCOMPARE(QDir(env.dossier()).entryList(QDir::Files), avant);
    }
};

QTEST_MAIN(TestRapports)
#include "tst_rapports.moc"
