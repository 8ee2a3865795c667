// The search window driven as the operator does: opened from the main window, criteria typed,
// results double-clicked back to the log, and the printed result read back from the PDF.
#include "commun/Outils_Test.h"
#include "Journal_Recherche.h"

#include "logbook/Carnet.h"
#include "platform/Imprimante.h"
#include "reports/Recherche_Indicatif.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QStringList journal()
{
    return {qsoRecherche("01/03/24", "F1ABC", "31", "JN03TJ", "TOULOUSE", "1"),
            qsoRecherche("02/03/24", "HB9/DL1ABCDE", "", "JN37AB", "DFCF 89125", "4", "Chateau du lac"),
            qsoRecherche("02/03/24", "F5XAB", "2A", "JN41AA", "AJACCIO", "2"),
            qsoRecherche("05/03/24", "F6ZZZ", "2a", "JN42BB", "BASTIA", "3")};
}

Recherche_Indicatif& ouvrir(Carnet& c)
{
    // The main window's button opens the window.
    if (!c.Recherche->isEnabled())
        qFatal("Recherche button disabled");
    c.Recherche->click();
    return Recherche_Indicatif::instance();
}

void chercher(QLineEdit* boite, const QString& texte)
{
    QTest::mouseClick(boite, Qt::LeftButton);
    test::taper(boite, texte);
    test::entree(boite);
}

QStringList resultats(const Recherche_Indicatif& f)
{
    return test::elements(f.QSO_Effectues);
}

QStringList numeros(const Recherche_Indicatif& f)
{
    QStringList n;
    for (const QString& l : resultats(f))
        n << l.left(5).trimmed();
    return n;
}

void doubleCliquer(Recherche_Indicatif& f, int rang)
{
    f.QSO_Effectues->setCurrentRow(rang);
    const QRect r = f.QSO_Effectues->visualItemRect(f.QSO_Effectues->item(rang));
    QTest::mouseDClick(f.QSO_Effectues->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class TestFenetreRecherche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void criteresTapes()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal();
        Carnet& c = test::demarrerStation(env, s);
        Recherche_Indicatif& f = ouvrir(c);
        QVERIFY(f.isVisible());
        QCOMPARE(f.windowTitle(), QStringLiteral("Fenetre de recherche"));
        QVERIFY(f.Option1[1]->isChecked());

        // A 12-character callsign typed in lower case.
        chercher(f.Indica, QStringLiteral("dl1abcde"));
        QCOMPARE(numeros(f), QStringList({"2"}));
        QCOMPARE(resultats(f).at(0).size(), 135);
        QCOMPARE(resultats(f).at(0).right(1), QStringLiteral("C"));
        QCOMPARE(Prog().Indicatif_Recherche, QStringLiteral("DL1ABCDE"));
        QVERIFY(f.Indica->text().isEmpty());

        // A click in a box selects its criterion.
        chercher(f.Data, QStringLiteral("02/03/24"));
        QVERIFY(f.Option1[2]->isChecked());
        QCOMPARE(numeros(f), QStringList({"2", "3"}));

        // Corsica in capitals or not.
        chercher(f.Depa, QStringLiteral("2a"));
        QCOMPARE(numeros(f), QStringList({"3", "4"}));
        QCOMPARE(Prog().Departement_Recherche, QStringLiteral("2a"));
        chercher(f.Depa, QStringLiteral("2A"));
        QCOMPARE(numeros(f), QStringList({"3", "4"}));

        chercher(f.Loca, QStringLiteral("jn03"));
        QCOMPARE(numeros(f), QStringList({"1"}));

        // The reference box keeps its text after the search.
        chercher(f.Refa, QStringLiteral("89125"));
        QCOMPARE(numeros(f), QStringList({"2"}));
        QCOMPARE(f.Refa->text(), QStringLiteral("89125"));
        QVERIFY(env.messages.empty());

        // Refusals: the message, the box kept or emptied, the list not touched.
        chercher(f.Loca, QStringLiteral("jn0"));
        chercher(f.Data, QStringLiteral("2/3/24"));
        QCOMPARE(env.textes(), QStringList({"Attention seulement les 4 premiers caracteres du locator",
                                            "Attention le format date doit etre JJ/MM/AA"}));
        QVERIFY(f.Loca->text().isEmpty());
        QCOMPARE(f.Data->text(), QStringLiteral("2/3/24"));
        QCOMPARE(numeros(f), QStringList({"2"}));

        // Nothing found: said, the list empty.
        env.oublierMessages();
        chercher(f.Indica, QStringLiteral("G4"));
        QCOMPARE(env.textes(), QStringList({"Pas de QSO trouvé"}));
        QCOMPARE(f.QSO_Effectues->count(), 0);
    }

    void journalVide()
    {
        test::Environnement env;
        Carnet& c = test::demarrerStation(env);
        Recherche_Indicatif& f = ouvrir(c);
        chercher(f.Indica, QStringLiteral("F5"));
        chercher(f.Refa, QStringLiteral("DFCF"));
        QCOMPARE(env.textes(), QStringList({"Pas de QSO trouvé", "Pas de QSO trouvé"}));
    }

    void retourAuLog()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal();
        Carnet& c = test::demarrerStation(env, s);
        Recherche_Indicatif& f = ouvrir(c);
        chercher(f.Depa, QStringLiteral("2a"));
        doubleCliquer(f, 0);
        QVERIFY(!f.isVisible());
        QCOMPARE(c.Liste_QSO->currentRow(), 2);
        QCOMPARE(Prog().Ligne_Selectionnee, c.Modele_QSO->item(2));
        QCOMPARE(Prog().Cle_QSO_Choisi, c.Modele_QSO->item(2).left(134));

        // Opened again: a fresh window, the remembered criteria kept.
        f.Afficher();
        QCOMPARE(f.QSO_Effectues->count(), 0);
        QVERIFY(f.Option1[1]->isChecked());
        QCOMPARE(Prog().Departement_Recherche, QStringLiteral("2a"));

        // The QSO found was deleted meanwhile (the list renumbered): said, nothing selected.
        chercher(f.Indica, QStringLiteral("F6ZZZ"));
        QCOMPARE(numeros(f), QStringList({"4"}));
        c.Liste_QSO->setCurrentRow(1);
        c.Effacer_Click();
        QCOMPARE(c.Liste_QSO->count(), 3);
        QVERIFY(c.Modele_QSO->item(2).startsWith(QLatin1String("    3 05/03/24  F6ZZZ")));
        c.Liste_QSO->setCurrentRow(0);
        env.oublierMessages();
        doubleCliquer(f, 0);
        QCOMPARE(env.messages.size(), size_t(1));
        QVERIFY2(env.textes().at(0).contains(QStringLiteral("effacé ou renuméroté")), qPrintable(env.textes().join("|")));
        QVERIFY(f.isVisible());
        QCOMPARE(c.Liste_QSO->currentRow(), 0);
    }

    void impression()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal();
        Carnet& c = test::demarrerStation(env, s);
        Recherche_Indicatif& f = ouvrir(c);
        plateforme::Imprimante& imp = plateforme::Imprimante::instance();
        imp.setFontName(QStringLiteral("Arial"));
        imp.setFontSize(12);

        // Before any search: refused before the printer dialog, nothing printed.
        f.Imprimer->click();
        QCOMPARE(env.textes(), QStringList({"Entrez un indicatif"}));
        QCOMPARE(env.dialoguesImpression, 0);
        QCOMPARE(env.travauxImprimes(), 0);

        // The callsign print: its short lines, then the maker's line.
        env.oublierMessages();
        chercher(f.Indica, QStringLiteral("f"));
        f.Imprimer->click();
        QCOMPARE(env.dialoguesImpression, 1);
        QCOMPARE(env.travauxImprimes(), 1);
        const QStringList lignes = env.lignesImprimees(1);
        QCOMPARE(lignes.size(), 4);
        QCOMPARE(lignes.at(0), QStringLiteral("1 01/03/24 F1ABC 10:05 144 Mhz SSB TOULOUSE Portable S"));
        QCOMPARE(lignes.at(1), QStringLiteral("3 02/03/24 F5XAB 10:05 144 Mhz SSB AJACCIO Portable E"));
        QCOMPARE(lignes.at(2), QStringLiteral("4 05/03/24 F6ZZZ 10:05 144 Mhz SSB BASTIA Portable R"));
        QVERIFY(lignes.at(3).startsWith(QLatin1String("Velmarin")));
        // The printer's font is given back, bold off.
        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QCOMPARE(imp.FontSize(), 12.0);
        QVERIFY(!imp.FontBold());

        // Cancel at the printer dialog: nothing printed.
        env.reponsesImpression = {false};
        f.Imprimer->click();
        QCOMPARE(env.dialoguesImpression, 2);
        QCOMPARE(env.travauxImprimes(), 1);
        QCOMPARE(imp.FontName(), QStringLiteral("Arial"));
        QVERIFY(!imp.travailEnCours());

        // The criterion remembered for the mode selected when printing: the date typed beside the
        // callsign, the whole 135-character line, nothing cut at the edge of the page.
        test::taper(f.Data, QStringLiteral("02/03/24"));
        chercher(f.Indica, QStringLiteral("HB9"));
        f.Option1[2]->click();
        f.Imprimer->click();
        QCOMPARE(env.travauxImprimes(), 2);
        const QStringList parDate = env.lignesImprimees(2);
        QCOMPARE(parDate.size(), 3);
        QVERIFY2(parDate.at(0).startsWith(QLatin1String("2 02/03/24 HB9/DL1ABCDE10:05 10:10 JN37AB 144 Mhz SSB 59 57 DFCF 89125 Paul")), qPrintable(parDate.join("|")));
        QVERIFY(parDate.at(0).endsWith(QLatin1String(" C")));
        QVERIFY(parDate.at(1).startsWith(QLatin1String("3 02/03/24 F5XAB")));
        QVERIFY(parDate.at(1).endsWith(QLatin1String(" E")));

        // The reference mode prints with the text of its box.
        f.Refa->setText(QStringLiteral("AJAC"));
        f.Option1[5]->click();
        f.Imprimer->click();
        QCOMPARE(env.lignesImprimees(3).size(), 2);
        QVERIFY(env.lignesImprimees(3).at(0).startsWith(QLatin1String("3 02/03/24 F5XAB")));
        QVERIFY(env.messages.empty());
    }
};

QTEST_MAIN(TestFenetreRecherche)
#include "tst_fenetre_recherche.moc"
