// The printer: jobs written as PDF files and read back as text, page breaks, abandoned jobs.
#include "commun/Outils_Test.h"
#include "platform/Fichiers.h"
#include "platform/Imprimante.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace plateforme;

namespace {

QString sortie(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.start(programme, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestImprimante : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void travailLuEnRetour()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontSize(10);
        imp.setFontBold(true);
        imp.Print(QStringLiteral("    1 15/03/24  F5ABC"));
        imp.Print(QStringLiteral("\r\n   12 16/03/24  HB9/DL1ABC/P  Hélène\r\n"));
        QVERIFY(imp.travailEnCours());
        QCOMPARE(env.travauxImprimes(), 0);
        QVERIFY(imp.EndDoc());
        QVERIFY(!imp.travailEnCours());
        QCOMPARE(env.travauxImprimes(), 1);

        const QStringList lignes = env.texteImprime(1).split(QLatin1Char('\n'));
        QVERIFY(lignes.size() >= 3);
        // Fixed pitch: the columns stand one above the other, the empty line is kept.
        QCOMPARE(lignes[0].simplified(), QStringLiteral("1 15/03/24 F5ABC"));
        QVERIFY(lignes[1].trimmed().isEmpty());
        QCOMPARE(lignes[2].simplified(), QStringLiteral("12 16/03/24 HB9/DL1ABC/P Hélène"));
        QCOMPARE(lignes[0].indexOf(QLatin1Char('1')), lignes[2].indexOf(QLatin1String("2 ")));
        QCOMPARE(test::lignesNonVides(env.texteImprime(1)).size(), 2);
        QCOMPARE(lignes[0].indexOf(QLatin1String("15/03")), lignes[2].indexOf(QLatin1String("16/03")));
        QCOMPARE(lignes[0].indexOf(QLatin1String("F5ABC")), lignes[2].indexOf(QLatin1String("HB9")));

        // "Courier New" is printed in its metric-compatible face, bold as asked.
        const QString polices = sortie(QStringLiteral("pdffonts"), {QDir(env.dossierImpression()).filePath("job-1.pdf")});
        QVERIFY2(polices.contains(QLatin1String("LiberationMono-Bold")), qPrintable(polices));
        QCOMPARE(imp.FontName(), QStringLiteral("Courier New"));
    }

    void pagesSuivantes()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontSize(10);
        imp.setFontBold(false);
        const int n = 150;
        for (int i = 1; i <= n; ++i)
            imp.Print(QStringLiteral("Ligne %1").arg(i, 3, 10, QLatin1Char('0')));
        QVERIFY(imp.EndDoc());

        const QString texte = env.texteImprime(1);
        const QStringList pages = texte.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        // About 69 lines of 10 points fit on an A4 page: three pages, every line once and in order.
        QCOMPARE(test::lignesNonVides(texte.split(QLatin1Char('\f')).join(QLatin1Char('\n'))).size(), n);
        QStringList toutes;
        int pleines = 0;
        for (const QString& page : pages) {
            const QStringList l = test::lignesNonVides(page);
            if (l.isEmpty())
                continue;
            ++pleines;
            toutes << l;
        }
        QCOMPARE(pleines, 3);
        for (int i = 1; i <= n; ++i)
            QCOMPARE(toutes.at(i - 1), QStringLiteral("Ligne %1").arg(i, 3, 10, QLatin1Char('0')));
        // A page holds as many lines as fit, the first page being full.
        QVERIFY(test::lignesNonVides(pages.at(0)).size() > 60);
    }

    void rienNeSortSansLigneOuAbandonne()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        // Nothing printed: ending the job sends nothing.
        QVERIFY(imp.EndDoc());
        QCOMPARE(env.travauxImprimes(), 0);
        // An abandoned job leaves nothing, and the next job is the first.
        imp.Print(QStringLiteral("abandonné"));
        imp.KillDoc();
        QVERIFY(!imp.travailEnCours());
        QVERIFY(imp.EndDoc());
        QCOMPARE(QDir(env.dossierImpression()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
        imp.Print(QStringLiteral("premier"));
        QVERIFY(imp.EndDoc());
        imp.Print(QStringLiteral("second"));
        QVERIFY(imp.EndDoc());
        QCOMPARE(QDir(env.dossierImpression()).entryList(QDir::Files), QStringList({"job-1.pdf", "job-2.pdf"}));
        QCOMPARE(env.texteImprime(1).trimmed(), QStringLiteral("premier"));
        QCOMPARE(env.texteImprime(2).trimmed(), QStringLiteral("second"));
        // Setting the folder again restarts the numbering.
        definirDossierImpression(env.dossierImpression());
        imp.Print(QStringLiteral("troisième"));
        QVERIFY(imp.EndDoc());
        QCOMPARE(env.texteImprime(1).trimmed(), QStringLiteral("troisième"));
    }

    void ecritureImpossible()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        const QString absent = QDir(env.dossierImpression()).filePath(QStringLiteral("absent"));
        definirDossierImpression(absent);
        imp.Print(QStringLiteral("perdu"));
        QVERIFY(!imp.EndDoc());
        QVERIFY(!imp.travailEnCours());
        QVERIFY(!QDir(absent).exists());
        QCOMPARE(QDir(env.dossierImpression()).entryList(QDir::Files), QStringList());
    }

    void policeEtMesures()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontSize(10);
        imp.setFontBold(true);
        // The face keeps the widths of the one it replaces: 0.6 em a character.
        QVERIFY(qAbs(imp.largeurTexte(QStringLiteral("0123456789")) - 60.0) < 0.5);
        imp.setFontSize(8);
        QVERIFY(qAbs(imp.largeurTexte(QString(110, QLatin1Char('X'))) - 528.0) < 3.0);
        imp.setPaysage(false);
        const double portrait = imp.largeurPage();
        imp.setPaysage(true);
        const double paysage = imp.largeurPage();
        imp.setPaysage(false);
        QVERIFY(portrait > 500 && portrait < 595);
        QVERIFY(paysage > portrait + 200);
        // The longest line decides the orientation, then the size.
        imp.setFontSize(10);
        imp.adapterA(QString(80, QLatin1Char('X')));
        QVERIFY(!imp.paysage());
        QCOMPARE(imp.FontSize(), 10.0);
        imp.adapterA(QString(106, QLatin1Char('X')));
        QVERIFY(imp.paysage());
        QCOMPARE(imp.FontSize(), 10.0);
        imp.adapterA(QString(135, QLatin1Char('X')));
        QVERIFY(imp.paysage());
        QVERIFY(imp.FontSize() < 10.0 && imp.FontSize() > 9.0);
        QVERIFY(imp.largeurTexte(QString(135, QLatin1Char('X'))) <= imp.largeurPage());
        imp.setPaysage(false);
        imp.setFontSize(8);
        // The font is kept from one job to the next.
        imp.Print(QStringLiteral("x"));
        QVERIFY(imp.EndDoc());
        QCOMPARE(imp.FontName(), QStringLiteral("Courier New"));
        QCOMPARE(imp.FontSize(), 8.0);
        QVERIFY(imp.FontBold());
        QCOMPARE(familleImprimante(QStringLiteral("courier new")), QStringLiteral("Liberation Mono"));
        QCOMPARE(familleImprimante(QStringLiteral("Terminal")), QStringLiteral("Terminal"));
    }

    void paysageDuTravail()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        imp.setPaysage(true);
        imp.Print(QStringLiteral("large"));
        // Changed while the job runs: the job keeps its orientation.
        imp.setPaysage(false);
        QVERIFY(imp.EndDoc());
        const QString info = sortie(QStringLiteral("pdfinfo"), {QDir(env.dossierImpression()).filePath("job-1.pdf")});
        QVERIFY2(info.contains(QLatin1String("842 x 595")) || info.contains(QLatin1String("841.89 x 595.28")), qPrintable(info));
    }

    // Placed lines stand where they are asked from the paper's corner, whatever the margins
    // of the printer, and leave the flow of the other lines alone.
    void lignesPlacees()
    {
        test::Environnement env(false);
        Imprimante& imp = Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontBold(false);
        imp.setFontSize(11);
        imp.Print(QStringLiteral("Flot1"));
        imp.PrintA(30, 250, QStringLiteral("Placee1"));
        imp.PrintA(120.5, 5, QStringLiteral("Placee2"));
        imp.Print(QStringLiteral("Flot2"));
        QVERIFY(imp.EndDoc());
        const QString pdf = QDir(env.dossierImpression()).filePath(QStringLiteral("job-1.pdf"));
        QCOMPARE(test::pagesImprimees(pdf), 1);
        const auto mots = test::motsImprimes(pdf);
        QCOMPARE(mots.size(), 4);
        const auto mot = [&](const QString& t) {
            for (const auto& m : mots)
                if (m.texte == t)
                    return m;
            return test::MotImprime{};
        };
        QVERIFY(qAbs(mot("Placee1").x0 - 30) < 0.3 && qAbs(mot("Placee1").y0 - 250) < 0.3);
        QVERIFY(qAbs(mot("Placee2").x0 - 120.5) < 0.3 && qAbs(mot("Placee2").y0 - 5) < 0.3);
        // The flowed lines one under the other from the printable area's corner.
        QVERIFY(qAbs(mot("Flot1").x0 - 10) < 0.3 && qAbs(mot("Flot1").y0 - 10) < 0.3);
        QVERIFY(qAbs(mot("Flot2").y0 - mot("Flot1").y1) < 0.3);

        // The same through the system's printer, printed to a file with other margins.
        definirDossierImpression(QString());
        const QString fichier = QDir(env.dossierImpression()).filePath(QStringLiteral("etiquettes.pdf"));
        installerRepondeurImpression([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(fichier);
            p.setPageMargins(QMarginsF(25, 30, 25, 30), QPageLayout::Millimeter);
            return true;
        });
        QVERIFY(DialogueImpression());
        imp.PrintA(30, 250, QStringLiteral("Placee1"));
        QVERIFY(imp.EndDoc());
        const auto systeme = test::motsImprimes(fichier);
        QCOMPARE(systeme.size(), 1);
        QVERIFY(qAbs(systeme[0].x0 - 30) < 0.3 && qAbs(systeme[0].y0 - 250) < 0.3);
    }

    // Printed to a file, every job of a run reaches the file, each from a new page in its own
    // orientation. The next run replaces the file.
    void travauxDUnPassageVersUnFichier()
    {
        test::Environnement env(false);
        definirDossierImpression(QString());
        Imprimante& imp = Imprimante::instance();
        QDir dossier(env.dossierImpression());
        const QString fichier = dossier.filePath(QStringLiteral("feuilles.pdf"));
        installerRepondeurImpression([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(fichier);
            return true;
        });
        const auto pages = [&] {
            QStringList t;
            for (const auto& m : test::motsImprimes(fichier))
                t << QStringLiteral("%1:%2").arg(m.page).arg(m.texte);
            return t;
        };
        QVERIFY(DialogueImpression());
        imp.Print(QStringLiteral("premier"));
        QVERIFY(imp.EndDoc());
        imp.setPaysage(true);
        imp.Print(QStringLiteral("second"));
        QVERIFY(imp.EndDoc());
        imp.setPaysage(false);
        imp.Print(QStringLiteral("troisieme"));
        QVERIFY(imp.EndDoc());
        QCOMPARE(dossier.entryList(QDir::Files), QStringList({"feuilles.pdf"}));
        QCOMPARE(pages(), QStringList({"1:premier", "2:second", "3:troisieme"}));
        const QString info = sortie(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                              QStringLiteral("3"), fichier});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page +1 size: +595[.0-9]* x 84"))) &&
                     info.contains(QRegularExpression(QStringLiteral("Page +2 size: +84[12][.0-9]* x 595"))) &&
                     info.contains(QRegularExpression(QStringLiteral("Page +3 size: +595[.0-9]* x 84"))),
                 qPrintable(info));

        QVERIFY(DialogueImpression());
        imp.Print(QStringLiteral("nouveau"));
        QVERIFY(imp.EndDoc());
        QCOMPARE(pages(), QStringList({"1:nouveau"}));

        // A job whose file cannot be synced or put in place says so and leaves the file it would
        // have replaced byte for byte, with nothing beside it.
        const QByteArray avant = test::lireOctets(fichier);
        synchroniserSurDisque(true);
        for (const test::Appel appel : {test::Appel::Fsync, test::Appel::Rename}) {
            const test::Panne panne(appel, 1, test::Effet::Echec);
            QVERIFY(DialogueImpression());
            imp.Print(QStringLiteral("perdu"));
            QVERIFY(!imp.EndDoc());
            QCOMPARE(test::lireOctets(fichier), avant);
            QCOMPARE(dossier.entryList(QDir::Files), QStringList({"feuilles.pdf"}));
        }
        synchroniserSurDisque(false);

        // A job that cannot be written says so and leaves nothing half-written.
        const QString absent = dossier.filePath(QStringLiteral("absent/f.pdf"));
        installerRepondeurImpression([&](QPrinter& p) {
            p.setOutputFileName(absent);
            return true;
        });
        QVERIFY(DialogueImpression());
        imp.Print(QStringLiteral("perdu"));
        QVERIFY(!imp.EndDoc());
        QVERIFY(!QDir(dossier.filePath(QStringLiteral("absent"))).exists());
    }

    void dialogueRepondu()
    {
        test::Environnement env(false);
        env.reponsesImpression = {false, true};
        QVERIFY(!DialogueImpression());
        QVERIFY(DialogueImpression());
        QCOMPARE(env.dialoguesImpression, 2);
    }
};

QTEST_MAIN(TestImprimante)
#include "tst_imprimante.moc"
