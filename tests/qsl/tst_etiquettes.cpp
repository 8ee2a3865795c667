// QSL labels: the lines of a label pair, the sheets of the four formats with and without the
// pause, and the whole path from the selection window to the printed PDF.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Imprimante.h"
#include "qsl/Etiquettes.h"
#include "qsl/Etiquettes_Regles.h"
#include "qsl/Select_QSO.h"
#include "reports/Qso_Test.h"
#include "station/Chargement.h"
#include "station/Ligne_QSO.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace etiquettes;

namespace {

QString item(int numero, const QString& indicatif, const QString& qth = QStringLiteral("DFCF34005"))
{
    test::Qso q;
    q.indicatif = indicatif;
    q.qth = qth;
    q.mode = QStringLiteral("CW");
    return station::itemListe(numero, test::ligne(q));
}

QStringList items(int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << item(i, QStringLiteral("F%1AB").arg(i));
    return l;
}

// Records what the label printing sends: each job as its lines with size and boldness.
class Enregistreur : public Sortie {
public:
    struct Ligne {
        QString texte;
        double points;
        bool gras;
    };
    void ligne(const QString& t, double p, bool g, double, double) override { courant.push_back({t, p, g}); }
    bool finTravail() override
    {
        if (!courant.empty())
            travaux.push_back(courant);
        courant.clear();
        return true;
    }
    void abandon() override
    {
        ++abandons;
        courant.clear();
    }
    bool pageSuivante(const QString& q) override
    {
        questions << q;
        const bool r = reponses.empty() ? true : reponses.front();
        if (!reponses.empty())
            reponses.erase(reponses.begin());
        return r;
    }
    std::vector<std::vector<Ligne>> travaux;
    std::vector<Ligne> courant;
    int abandons = 0;
    QStringList questions;
    std::vector<bool> reponses;
};

// Sizes of a job's lines, as a compact text: "15b" for bold 15 points.
QStringList tailles(const std::vector<Enregistreur::Ligne>& travail)
{
    QStringList l;
    for (const auto& x : travail)
        l << QString::number(x.points) + (x.gras ? QStringLiteral("b") : QString());
    return l;
}

int rangees(const std::vector<Enregistreur::Ligne>& travail)
{
    int n = 0;
    for (const auto& x : travail)
        n += x.gras && !x.texte.isEmpty();
    return n;
}

Contexte contexte(Format f, Libelle l = Libelle::Type_2)
{
    Contexte c;
    c.station = QStringLiteral("F5XYZ");
    c.transceiver = QStringLiteral("FT847");
    c.antenne = QStringLiteral("9 el");
    c.format = f;
    c.libelle = l;
    return c;
}

// The station's log filled with `n` QSOs with DL1ABC, DL2ABC..., the station started and
// the label selection opened from the menu.
Select_QSO& ouvrirSelection(test::Environnement& env, test::StationTest& s, int n)
{
    for (int i = 1; i <= n; ++i) {
        test::Qso q;
        q.indicatif = QStringLiteral("DL%1ABC").arg(i);
        q.mode = QStringLiteral("CW");
        s.journal << test::ligne(q);
    }
    Carnet& c = test::demarrerStation(env, s);
    c.findChild<QAction*>(QStringLiteral("Mnu_Print_QSL"))->trigger();
    return Select_QSO::instance();
}

// Where the labels of a sheet lie (millimetres from the sheet's top-left corner): 8 rows
// `hauteur` high from `haut`, two columns; and how far below its label's top edge the first
// line of a label is meant to start (the five lines stand in the middle of the label).
struct Planche {
    double haut, hauteur, retrait;
    double gauche, largeur, pas;
};

Planche planche(int format)
{
    switch (format) {
    case 1:
        return {12.9, 33.9, 1.36, 4.65, 99.1, 101.6};  // AVERY L7162
    case 2:
        return {12.5, 34.0, 1.41, 4.65, 99.1, 101.6};  // DECADRY OLW 4732
    case 3:
        return {0.5, 37.0, 4.71, 0, 105, 105};         // AVERY DP 167
    default:
        return {8.5, 35.0, 1.91, 0, 105, 105};         // DECADRY DLW 1799
    }
}

// A printed sheet read back from page `page` of the PDF: label k (from 0) of the sheet holds
// QSO premier + k, its first line within 1 mm of its place and all its words inside the label.
void verifierFeuille(const QString& pdf, int page, const Planche& f, int premier, int etiquettes)
{
    const auto mots = test::motsImprimes(pdf);
    QVERIFY(!mots.isEmpty());
    QList<int> parEtiquette(16, 0);
    for (const auto& m : mots) {
        if (m.page != page)
            continue;
        const int rangee = int((m.y0 - f.haut) / f.hauteur);
        const int colonne = m.x0 < f.gauche + f.pas ? 0 : 1;
        QVERIFY2(rangee >= 0 && rangee < 8, qPrintable(m.texte));
        const double haut = f.haut + rangee * f.hauteur;
        const double gauche = f.gauche + colonne * f.pas;
        QVERIFY2(m.y1 <= haut + f.hauteur && m.x0 >= gauche && m.x1 <= gauche + f.largeur,
                 qPrintable(QStringLiteral("%1 at %2,%3").arg(m.texte).arg(m.x0).arg(m.y0)));
        ++parEtiquette[rangee * 2 + colonne];
        if (m.texte == QLatin1String("De")) {
            QVERIFY2(qAbs(m.y0 - (haut + f.retrait)) <= 1.0,
                     qPrintable(QStringLiteral("row %1: %2 mm, label at %3 mm").arg(rangee).arg(m.y0).arg(haut)));
        } else if (m.texte.startsWith(QLatin1String("DL"))) {
            QCOMPARE(m.texte, QStringLiteral("DL%1ABC").arg(premier + rangee * 2 + colonne));
        }
    }
    for (int k = 0; k < 16; ++k)
        QVERIFY2((parEtiquette[k] > 0) == (k < etiquettes), qPrintable(QString::number(k)));
}

} // namespace

class TestEtiquettes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Detruire_Fenetres_Etiquettes(); }

    void valeursDUnItem()
    {
        const Valeurs v = valeursDe(item(7, QStringLiteral("HB9/DL1ABC/P"), QStringLiteral("DFCF34005-LONGUE")));
        QCOMPARE(v.date, QStringLiteral("01/02/24"));
        QCOMPARE(v.heure, QStringLiteral("10:00"));
        QCOMPARE(v.indicatif, QStringLiteral("HB9/DL1ABC/P"));
        QCOMPARE(v.rst, QStringLiteral("57"));
        QCOMPARE(v.mode, QStringLiteral("CW"));
        QCOMPARE(v.bande, QStringLiteral("144 Mhz"));
        QCOMPARE(v.reference, QStringLiteral("DFCF34005-LO"));  // cut to 12
        QVERIFY(valeursDe(QString()).vide);
    }

    // Each label centred in its width, the right one after the gap of the line.
    void lignesDUneRangee()
    {
        const Valeurs g = valeursDe(item(3, QStringLiteral("F1AB")));
        const Valeurs d = valeursDe(item(12, QStringLiteral("ON4ABC")));
        const auto l = lignesRangee(g, d, contexte(Format::Etiqu_1, Libelle::Type_1));
        // Line 1: 11 + 5 + 4 = 20 of 31 -> 5 blanks; right: 22 -> 4 blanks; gap 1.
        QCOMPARE(l[0], QString(5, QLatin1Char(' ')) + QStringLiteral("De F5XYZ   pour F1AB") + QString(5 + 1 + 4, QLatin1Char(' ')) +
                           QStringLiteral("De F5XYZ   pour ON4ABC"));
        // Line 2: 24 of 42 -> 9 blanks each side, gap 2.
        QCOMPARE(l[1], QString(9, QLatin1Char(' ')) + QStringLiteral("Date 01/02/24  QTR 10:00") + QString(9 + 2 + 9, QLatin1Char(' ')) +
                           QStringLiteral("Date 01/02/24  QTR 10:00"));
        QCOMPARE(l[2].simplified(), QStringLiteral("QRG 144 Mhz RST 57 Mode CW QRG 144 Mhz RST 57 Mode CW"));
        QCOMPARE(l[3].simplified(), QStringLiteral("TX FT847 Ant 9 el TX FT847 Ant 9 el"));
        // Line 5 of the activation wording: 20 + 9 of 42 -> 6 blanks.
        QCOMPARE(l[4], QString(6, QLatin1Char(' ')) + QStringLiteral("Merci Pour le DFCF34005 73's") + QString(6 + 2 + 6, QLatin1Char(' ')) +
                           QStringLiteral("Merci Pour le DFCF34005  73's"));
        const auto q = lignesRangee(g, d, contexte(Format::Etiqu_4, Libelle::Type_2));
        // DLW 1799: width 30, the right label counted with 9 fixed characters; gap 2.
        QCOMPARE(q[0], QString(5, QLatin1Char(' ')) + QStringLiteral("De F5XYZ   pour F1AB") + QString(5 + 2 + 5, QLatin1Char(' ')) +
                           QStringLiteral("De F5XYZ   pour ON4ABC"));
        QCOMPARE(q[4], QString(4, QLatin1Char(' ')) + QStringLiteral("Merci Pour le QSO   73's de F5XYZ") + QString(4 + 3 + 4, QLatin1Char(' ')) +
                           QStringLiteral("Merci Pour le QSO   73's de F5XYZ"));
    }

    // Texts wider than the label: no negative padding, the right label right after the gap.
    void margeBorneeAZero()
    {
        QCOMPARE(marge(31, 40), 0);
        QCOMPARE(marge(31, 31), 0);
        QCOMPARE(marge(31, 30), 0);
        QCOMPARE(marge(31, 28), 1);
        Contexte c = contexte(Format::Etiqu_3);
        c.station = QStringLiteral("HB9/F5XYZ/P");
        c.transceiver = QStringLiteral("ICOM IC-9700 XX");
        c.antenne = QStringLiteral("2x 17 el DK7Z");
        const Valeurs v = valeursDe(item(1, QStringLiteral("HB9/DL1ABC/P")));
        const auto l = lignesRangee(v, v, c);
        QCOMPARE(l[0], QStringLiteral("De HB9/F5XYZ/P   pour HB9/DL1ABC/P  De HB9/F5XYZ/P   pour HB9/DL1ABC/P"));
        c.format = Format::Etiqu_4;
        const auto q = lignesRangee(v, v, c);
        QCOMPARE(q[0], QStringLiteral("De HB9/F5XYZ/P   pour HB9/DL1ABC/P  De HB9/F5XYZ/P   pour HB9/DL1ABC/P"));
    }

    // An odd count: the last row's right label stays blank.
    void etiquetteDeDroiteVide()
    {
        Enregistreur e;
        double compteur = 0;
        imprimer(items(3), contexte(Format::Etiqu_3), false, e, compteur);
        QCOMPARE(e.travaux.size(), size_t(1));
        const auto& t = e.travaux.front();
        QVERIFY(t[0].texte.contains(QLatin1String("F1AB")) && t[0].texte.contains(QLatin1String("F2AB")));
        // Second row, line 1: the left label only.
        const auto l1 = std::find_if(t.begin() + 1, t.end(), [](const auto& x) { return x.gras && !x.texte.isEmpty(); });
        QVERIFY(l1 != t.end());
        QVERIFY(l1->texte.contains(QLatin1String("F3AB")));
        QCOMPARE(l1->texte.trimmed(), QStringLiteral("De F5XYZ   pour F3AB"));
    }

    // 17 QSOs (9 rows), no pause: a full sheet, then a job with one row.
    void dixSeptQSO()
    {
        Enregistreur e;
        double compteur = -1;
        imprimer(items(17), contexte(Format::Etiqu_4), false, e, compteur);
        QCOMPARE(e.travaux.size(), size_t(2));
        const QStringList rangee = {"15b", "11", "11", "11", "11"};
        QStringList feuille;
        for (int r = 0; r < 8; ++r)
            feuille << rangee;
        QCOMPARE(tailles(e.travaux[0]), feuille);
        QCOMPARE(tailles(e.travaux[1]), rangee);
        QVERIFY(e.travaux[1][0].texte.contains(QLatin1String("F17AB")));
        QCOMPARE(compteur, 1.0);
        QVERIFY(e.questions.isEmpty());
    }

    // 16 QSOs on DP 167: one full sheet and no empty job after it.
    void uneFeuillePleine()
    {
        Enregistreur e;
        double compteur = 0;
        imprimer(items(16), contexte(Format::Etiqu_3), false, e, compteur);
        QCOMPARE(e.travaux.size(), size_t(1));
        QCOMPARE(rangees(e.travaux[0]), 8);
        QVERIFY(e.courant.empty());
    }

    // The pause after each sheet: Yes goes on, No stops after the sheet that was printed. On
    // every format the next sheet is laid out as the first.
    void pauseEntreLesFeuilles_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("question");
        QTest::newRow("L7162") << 1 << "Page suivante ?";
        QTest::newRow("DP 167") << 3 << "               Page suivante ?";
    }
    void pauseEntreLesFeuilles()
    {
        QFETCH(int, format);
        QFETCH(QString, question);
        Enregistreur e;
        e.reponses = {true, false};
        double compteur = 0;
        imprimer(items(40), contexte(Format(format)), true, e, compteur);
        QCOMPARE(e.questions, QStringList({question, question}));
        QCOMPARE(e.travaux.size(), size_t(2));
        QCOMPARE(tailles(e.travaux[1]), tailles(e.travaux[0]));
        QVERIFY(e.travaux[1][0].texte.contains(QLatin1String("F17AB")));

        Enregistreur oui;
        imprimer(items(17), contexte(Format(format)), true, oui, compteur);
        QCOMPARE(oui.travaux.size(), size_t(2));
        QCOMPARE(rangees(oui.travaux[1]), 1);
        QCOMPARE(oui.questions.size(), 1);
    }

    // From the menu: the log listed, QSOs picked in any order, labels printed in log order
    // and read back from the PDF in the right cells; a portable station's callsign printed
    // with its "/".
    void selectionEtImpression()
    {
        test::Environnement env;
        test::StationTest s;
        s.indicatif = QStringLiteral("F5XYZ_P");
        for (int i = 1; i <= 20; ++i) {
            test::Qso q;
            q.indicatif = QStringLiteral("DL%1ABC").arg(i);
            q.mode = QStringLiteral("CW");
            s.journal << test::ligne(q);
        }
        Carnet& c = test::demarrerStation(env, s);
        test::ecrireReglageStation(s.indicatif, QStringLiteral("Transceiver"), QStringLiteral("FT847"));
        auto* menu = c.findChild<QAction*>(QStringLiteral("Mnu_Print_QSL"));
        QVERIFY(menu && menu->isEnabled());
        menu->trigger();
        auto& sel = Select_QSO::instance();
        QVERIFY(sel.isVisible());
        QVERIFY(!Chargement::instance().isVisible());
        QCOMPARE(sel.Liste_QSO->count(), 20);
        QCOMPARE(sel.Liste_QSO->item(9)->text(), station::itemListe(10, s.journal.at(9)));

        // 12 then 3 chosen: 3 prints on the left, 12 on the right; one moved back.
        sel.Liste_QSO->setCurrentRow(11);
        sel.Liste_QSO->setCurrentRow(2);
        sel.Liste_QSO->setCurrentRow(4);  // QSO 6
        QCOMPARE(sel.Liste_QSO->count(), 17);
        QCOMPARE(test::elements(sel.Liste_Imprime),
                 QStringList({station::itemListe(3, s.journal.at(2)), station::itemListe(6, s.journal.at(5)),
                              station::itemListe(12, s.journal.at(11))}));
        sel.Liste_Imprime->setCurrentRow(1);
        QCOMPARE(sel.Liste_Imprime->count(), 2);
        QCOMPARE(sel.Liste_QSO->item(4)->text(), station::itemListe(6, s.journal.at(5)));

        QTest::mouseClick(sel.Impression, Qt::LeftButton);
        auto& et = Etiquettes::instance();
        QVERIFY(et.isVisible());
        QCOMPARE(et.RxTx->text(), QStringLiteral("FT847"));
        et.Etiqu_3->setChecked(true);
        et.Antenne->setText(QStringLiteral("9 el"));
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(test::reglageStation(s.indicatif, QStringLiteral("Antenne")), QStringLiteral("9 el"));
        QCOMPARE(env.travauxImprimes(), 1);
        QStringList lignes;
        for (const QString& l : env.texteImprime(1).split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                lignes << l;
        QCOMPARE(lignes.size(), 5);
        const QString& l1 = lignes.at(0);
        QVERIFY2(l1.indexOf(QLatin1String("DL3ABC")) >= 0 && l1.indexOf(QLatin1String("DL3ABC")) < l1.indexOf(QLatin1String("DL12ABC")),
                 qPrintable(l1));
        // Each label in its half of the sheet: both "De" words and both "Merci" stand apart.
        const int milieu = l1.indexOf(QLatin1String("De "), l1.indexOf(QLatin1String("DL3ABC")));
        QVERIFY(milieu > 0);
        QCOMPARE(lignes.at(3).simplified(), QStringLiteral("TX FT847 Ant 9 el TX FT847 Ant 9 el"));
        QCOMPARE(lignes.at(4).simplified(),
                 QStringLiteral("Merci Pour le QSO 73's de F5XYZ/P Merci Pour le QSO 73's de F5XYZ/P"));
        QCOMPARE(l1.simplified(), QStringLiteral("De F5XYZ/P pour DL3ABC De F5XYZ/P pour DL12ABC"));

        // Closing the label window closes the selection too.
        et.close();
        QVERIFY(!sel.isVisible());
        QVERIFY(!sel.estChargee());
    }

    // 17 labels from the window on each sheet format: a full sheet of 16 on one page with each
    // label's lines on their label, then the 17th on a sheet of its own. To the test printer,
    // with the pause after the sheet answered Yes, and through the printer dialog's printer
    // printing to a file, which holds both sheets.
    void feuillesSurLeursEtiquettes_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("sortie");
        const char* noms[] = {"L7162", "OLW 4732", "DP 167", "DLW 1799"};
        for (int f = 1; f <= 4; ++f)
            for (const char* sortie : {"suite", "pause", "fichier"})
                QTest::addRow("%s %s", noms[f - 1], sortie) << f << QString::fromLatin1(sortie);
    }
    void feuillesSurLeursEtiquettes()
    {
        QFETCH(int, format);
        QFETCH(QString, sortie);
        test::Environnement env;
        test::StationTest s;
        auto& sel = ouvrirSelection(env, s, 17);
        for (int i = 0; i < 17; ++i)
            sel.Liste_QSO->setCurrentRow(0);
        QTest::mouseClick(sel.Impression, Qt::LeftButton);
        auto& et = Etiquettes::instance();
        et.findChild<QRadioButton*>(QStringLiteral("Etiqu_%1").arg(format))->setChecked(true);
        et.Arret_Imp->setChecked(sortie == QLatin1String("pause"));
        const QDir dossier(env.dossierImpression());
        const bool fichier = sortie == QLatin1String("fichier");
        if (fichier) {
            plateforme::definirDossierImpression(QString());
            plateforme::installerRepondeurImpression([&](QPrinter& p) {
                p.setOutputFormat(QPrinter::PdfFormat);
                p.setOutputFileName(dossier.filePath(QStringLiteral("etiquettes.pdf")));
                return true;
            });
        }
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.textes(), sortie == QLatin1String("pause") ? QStringList{questionPage(Format(format))} : QStringList());
        const QStringList pdfs = dossier.entryList(QDir::Files);
        if (fichier) {
            QCOMPARE(pdfs, QStringList{"etiquettes.pdf"});
            QCOMPARE(test::pagesImprimees(dossier.filePath(pdfs[0])), 2);
            verifierFeuille(dossier.filePath(pdfs[0]), 1, planche(format), 1, 16);
            verifierFeuille(dossier.filePath(pdfs[0]), 2, planche(format), 17, 1);
        } else {
            QCOMPARE(pdfs, QStringList({"job-1.pdf", "job-2.pdf"}));
            QCOMPARE(test::pagesImprimees(dossier.filePath(pdfs[0])), 1);
            QCOMPARE(test::pagesImprimees(dossier.filePath(pdfs[1])), 1);
            verifierFeuille(dossier.filePath(pdfs[0]), 1, planche(format), 1, 16);
            verifierFeuille(dossier.filePath(pdfs[1]), 1, planche(format), 17, 1);
        }
    }

    // Mouse clicks, press and release delivered together as from a busy event loop: each
    // click moves its entry, which takes its place in log order in the other list.
    void deplacementsALaSouris()
    {
        test::Environnement env;
        test::StationTest s;
        auto& sel = ouvrirSelection(env, s, 30);
        const auto cliquer = [](QListWidget* l, int rang) {
            l->scrollToItem(l->item(rang));
            const QPoint p(10, l->visualItemRect(l->item(rang)).center().y());
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
        };
        const auto numeros = [](QListWidget* l) {
            QList<int> n;
            for (int i = 0; i < l->count(); ++i)
                n << l->item(i)->text().left(5).toInt();
            return n;
        };
        cliquer(sel.Liste_QSO, 11);
        cliquer(sel.Liste_QSO, 2);
        cliquer(sel.Liste_QSO, 25);  // QSO 28
        cliquer(sel.Liste_QSO, 0);
        QCOMPARE(numeros(sel.Liste_Imprime), QList<int>({1, 3, 12, 28}));
        QCOMPARE(sel.Liste_QSO->count(), 26);
        QVERIFY(sel.Liste_QSO->selectedItems().isEmpty());
        cliquer(sel.Liste_Imprime, 2);
        cliquer(sel.Liste_Imprime, 0);
        QCOMPARE(numeros(sel.Liste_Imprime), QList<int>({3, 28}));
        QList<int> reste;
        for (int i = 1; i <= 30; ++i)
            if (i != 3 && i != 28)
                reste << i;
        QCOMPARE(numeros(sel.Liste_QSO), reste);
        // The keyboard moves the entry it lands on.
        sel.Liste_QSO->setFocus();
        sel.Liste_QSO->setCurrentRow(-1);
        QTest::keyClick(sel.Liste_QSO, Qt::Key_Down);
        QCOMPARE(numeros(sel.Liste_Imprime), QList<int>({1, 3, 28}));
    }

    // Texts too long, the printer dialog cancelled, nothing chosen: nothing printed.
    void refusEtAnnulation()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal << test::ligne(test::Qso{});
        Carnet& c = test::demarrerStation(env, s);
        c.findChild<QAction*>(QStringLiteral("Mnu_Print_QSL"))->trigger();
        auto& sel = Select_QSO::instance();
        QTest::mouseClick(sel.Impression, Qt::LeftButton);
        auto& et = Etiquettes::instance();

        et.RxTx->setText(QString(16, QLatin1Char('x')));
        et.Antenne->setText(QString(14, QLatin1Char('y')));
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        et.RxTx->setText(QString(15, QLatin1Char('x')));
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.textes(), QStringList({QStringLiteral("15 caracteres maxi"), QStringLiteral("13 caracteres maxi")}));
        QCOMPARE(env.dialoguesImpression, 0);
        QCOMPARE(test::reglageStation(s.indicatif, QStringLiteral("Transceiver")), test::Absent);

        // Nothing chosen: the dialog, then nothing.
        et.Antenne->setText(QStringLiteral("Yagi"));
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.dialoguesImpression, 1);
        QCOMPARE(env.travauxImprimes(), 0);
        QVERIFY(!plateforme::Imprimante::instance().travailEnCours());

        // Cancelled: nothing printed, the printer's font untouched.
        sel.Liste_QSO->setCurrentRow(0);
        QCOMPARE(sel.Liste_Imprime->count(), 1);
        auto& imp = plateforme::Imprimante::instance();
        imp.setFontName(QStringLiteral("Arial"));
        imp.setFontSize(12);
        imp.setPaysage(true);
        env.reponsesImpression = {false};
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.dialoguesImpression, 2);
        QCOMPARE(env.travauxImprimes(), 0);
        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QCOMPARE(imp.FontSize(), 12.0);

        // And printed upright: the font and the orientation given back.
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.travauxImprimes(), 1);
        QVERIFY(imp.paysage());
        QCOMPARE(test::pagesImprimees(QDir(env.dossierImpression()).filePath(QStringLiteral("job-1.pdf"))), 1);
        QVERIFY(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("pdfinfo '%1' | grep -q 'size: *595'")
                                                          .arg(QDir(env.dossierImpression()).filePath(QStringLiteral("job-1.pdf")))}) == 0);
        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QCOMPARE(imp.FontSize(), 12.0);
        QVERIFY(!imp.FontBold());
    }

    // The pause question answered through the window: No after the first of three sheets.
    void pauseDansLaFenetre()
    {
        test::Environnement env;
        test::StationTest s;
        for (int i = 0; i < 40; ++i)
            s.journal << test::ligne(test::Qso{});
        Carnet& c = test::demarrerStation(env, s);
        c.findChild<QAction*>(QStringLiteral("Mnu_Print_QSL"))->trigger();
        auto& sel = Select_QSO::instance();
        for (int i = 0; i < 40; ++i)
            sel.Liste_QSO->setCurrentRow(0);
        QCOMPARE(sel.Liste_Imprime->count(), 40);
        QTest::mouseClick(sel.Impression, Qt::LeftButton);
        auto& et = Etiquettes::instance();
        et.Arret_Imp->setChecked(true);
        env.reponses = {plateforme::Reponse::Non};
        QTest::mouseClick(et.Imprime, Qt::LeftButton);
        QCOMPARE(env.textes(), QStringList{QStringLiteral("Page suivante ?")});
        QCOMPARE(env.travauxImprimes(), 1);
        QVERIFY(!plateforme::Imprimante::instance().travailEnCours());
    }
};

QTEST_MAIN(TestEtiquettes)
#include "tst_etiquettes.moc"
