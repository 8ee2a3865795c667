// The department QSO list: a double click on a grid cell lists its QSOs, a double click on one
// of them selects it back in the main list.
#include "commun/Outils_Test.h"

#include "logbook/Affiche_Dpt.h"
#include "logbook/Carnet.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <memory>

class TestAfficheDpt : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;
    Carnet* c = nullptr;

    QStringList indicatifs(const QListWidget* l) const
    {
        QStringList r;
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text().mid(16, 12).trimmed();
        return r;
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<test::Environnement>();
        test::StationTest s;
        s.journal = {test::ligneEtat("F6AAA", "144 Mhz", "2a", "", "1"), test::ligneEtat("F6BBB", "144 Mhz", "2A", "", "1"),
                     test::ligneEtat("F6CCC", "144 Mhz", "05", "", "1"), test::ligneEtat("F6DDD", "14 Mhz", "", "", "1"),
                     test::ligneEtat("F6EEE", "14 Mhz", "05", "", "4"), test::ligneEtat("F6FFF", "14 Mhz", "75", "", "1")};
        c = &test::demarrerStation(*env, s);
    }
    void cleanup() { env.reset(); }

    void listeEtRetourAuJournal()
    {
        QTest::mouseDClick(c->Dpt[96], Qt::LeftButton);
        Fenetre_Affiche_Dpt& f = Fenetre_Affiche_Dpt::instance();
        QVERIFY(f.isVisible());
        QCOMPARE(f.Nudep->text(), QStringLiteral("2a"));
        QCOMPARE(indicatifs(f.QSO_DU_Dep), QStringList{"F6AAA"});  // "2A" is not "2a"
        QCOMPARE(f.Label1->text(), affiche_dpt::entete());
        // A second cell while the window is open: its QSOs come below.
        QTest::mouseDClick(c->Dpt[5], Qt::LeftButton);
        QCOMPARE(f.Nudep->text(), QStringLiteral("05"));
        QCOMPARE(indicatifs(f.QSO_DU_Dep), QStringList({"F6AAA", "F6CCC", "F6EEE"}));
        // The header stands over the columns: "Indicatif" over the callsign, "Dpt" over the department.
        const QFontMetricsF entete(f.Label1->font()), liste(f.QSO_DU_Dep->font());
        const QString item = f.QSO_DU_Dep->item(0)->text();
        // Each title starts over its field (item column and width).
        for (const auto& [titre, colonne, largeur] :
             {std::tuple{"Indicatif", 16, 12}, {"Dpt", 42, 5}, {"Bande", 55, 8}, {"QTH", 94, 20}}) {
            const qreal x = entete.horizontalAdvance(affiche_dpt::entete().left(affiche_dpt::entete().indexOf(titre)));
            const qreal debut = liste.horizontalAdvance(item.left(colonne));
            QVERIFY2(x > debut - 2 * liste.averageCharWidth() && x < debut + largeur * liste.averageCharWidth(), titre);
        }

        f.QSO_DU_Dep->setCurrentRow(2);
        Q_EMIT f.QSO_DU_Dep->itemDoubleClicked(f.QSO_DU_Dep->item(2));
        QCOMPARE(c->Liste_QSO->currentRow(), 4);
        QCOMPARE(Prog().Ligne_Selectionnee, c->Modele_QSO->item(4));
        QVERIFY(!f.isVisible());
        QCOMPARE(f.QSO_DU_Dep->count(), 0);

        // Empty cells still open the window.
        QTest::mouseDClick(c->Dpt[98], Qt::LeftButton);
        QVERIFY(f.isVisible());
        QCOMPARE(f.Nudep->text(), QStringLiteral("98"));
        QCOMPARE(f.QSO_DU_Dep->count(), 0);
    }

    void unQSOEffaceNestPlusTrouve()
    {
        Modele_Liste_QSO& liste = *c->Modele_QSO;
        const QString cle = liste.item(2).left(134);
        QCOMPARE(affiche_dpt::ligneDeCle(liste, cle), 2);
        QString change = liste.item(2);
        change[140] = QLatin1Char('4');  // the QSL status lies beyond the key
        liste.remplacer(2, station::ligneDeItem(change), [](const QList<QByteArrayView>&) {});
        QCOMPARE(affiche_dpt::ligneDeCle(liste, cle), 2);
        liste.supprimer(0, [](const QList<QByteArrayView>&) {});  // renumbered: no match
        QCOMPARE(affiche_dpt::ligneDeCle(liste, cle), -1);
    }
};

QTEST_MAIN(TestAfficheDpt)
#include "tst_affiche_dpt.moc"
