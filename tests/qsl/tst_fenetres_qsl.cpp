// The QSL window of one QSO and the multiple marking, through their controls.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "qsl/Fenetres_QSL.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

QString etatDe(const QString& ligne)
{
    return ligne.mid(134, 1);
}

} // namespace

class TestFenetresQSL : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;
    Carnet* c = nullptr;

    void demarrer(const QStringList& journal)
    {
        test::StationTest s;
        s.journal = journal;
        c = &test::demarrerStation(*env, s);
    }
    QStringList journal() const { return test::lignesJournal(*env, QStringLiteral("F5XYZ")); }
    void cliquerLigne(int rang) { c->Liste_QSO->setCurrentRow(rang); }
    Fenetre_QSL& qslOuverte(int rang)
    {
        cliquerLigne(rang);
        c->Gestion_QSL->click();
        return Fenetre_QSL::instance();
    }

private Q_SLOTS:
    void init() { env = std::make_unique<test::Environnement>(); }
    void cleanup() { env.reset(); }

    void sansSelection()
    {
        demarrer({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1")});
        c->Liste_QSO->setCurrentRow(-1);
        c->Gestion_QSL->click();
        QCOMPARE(env->textes(), QStringList{"Selectionnez d'abord un QSO"});
        QVERIFY(!Fenetre_QSL::instance().isVisible());
    }

    void etatsAffiches()
    {
        demarrer({test::ligneEtat("F6AAA", "144 Mhz", "2a", "JN23AB", "1"),
                  station::Ligne_QSO::depuis(test::ligneEtat("F6BBB", "14 Mhz", "", "", "2")).texte()
                      .replace(136, 8, "10/03/24"),
                  test::ligneEtat("F6CCC", "14 Mhz", "13", "", "4")});
        Fenetre_QSL& q = qslOuverte(0);
        QVERIFY(q.isVisible());
        QCOMPARE(q.Label4->text(), QStringLiteral("01/02/24"));
        QCOMPARE(q.Label7->text(), QStringLiteral("F6AAA"));
        QCOMPARE(q.Label6->text(), QStringLiteral("Dpt 2a"));
        QCOMPARE(q.Label9->text(), QStringLiteral(" : non"));
        QCOMPARE(q.Label11->text(), QStringLiteral(" : non"));
        QVERIFY(q.Check_Envoye->isEnabled() && q.Check_Recu->isEnabled());

        qslOuverte(1);
        QCOMPARE(q.Label6->text(), QString());
        QCOMPARE(q.Label9->text(), QStringLiteral(" le : 10/03/24"));
        QVERIFY(!q.Check_Envoye->isEnabled() && q.Check_Recu->isEnabled());

        qslOuverte(2);
        QVERIFY(q.Check_Envoye->isChecked() && q.Check_Recu->isChecked());
        QVERIFY(!q.Check_Envoye->isEnabled() && !q.Check_Recu->isEnabled() && !q.Enregistre->isEnabled());
    }

    // A status outside 1 to 4, after a confirmed QSO: nothing of that QSO stays shown, nothing
    // can be ticked, and "Enregistrer" says that it cannot record.
    void etatInconnu()
    {
        const QString confirme = station::Ligne_QSO::depuis(test::ligneEtat("F6CCC", "14 Mhz", "13", "", "4"))
                                     .texte()
                                     .replace(136, 8, "10/03/24")
                                     .replace(145, 8, "12/03/24");
        demarrer({confirme, test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "0"),
                  test::ligneEtat("F6BBB", "144 Mhz", "75", "JN23AB", " ")});
        const QStringList avant = journal();
        Fenetre_QSL& q = qslOuverte(0);
        QCOMPARE(q.Label9->text(), QStringLiteral(" le : 10/03/24"));
        for (int rang : {1, 2}) {
            env->oublierMessages();
            qslOuverte(rang);
            QCOMPARE(q.Label7->text(), rang == 1 ? QStringLiteral("F6AAA") : QStringLiteral("F6BBB"));
            QCOMPARE(q.Label9->text(), QStringLiteral(" : non"));
            QCOMPARE(q.Label11->text(), QStringLiteral(" : non"));
            QVERIFY(!q.Check_Envoye->isChecked() && !q.Check_Recu->isChecked());
            QVERIFY(!q.Check_Envoye->isEnabled() && !q.Check_Recu->isEnabled());
            q.Enregistre->click();
            QCOMPARE(env->textes(), QStringList{qsl::messageEtatInconnu()});
            QVERIFY(q.isVisible());
            QCOMPARE(journal(), avant);
        }
    }

    void lesDeuxCasesEtUnClicAilleurs()
    {
        demarrer({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1"),
                  test::ligneEtat("F6BBB", "144 Mhz", "75", "JN23AB", "1")});
        Fenetre_QSL& q = qslOuverte(0);
        cliquerLigne(1);  // the operator clicks another QSO before recording
        QVERIFY(Prog().Ligne_Selectionnee.contains("F6BBB"));
        q.Check_Envoye->click();
        q.Check_Recu->click();
        q.Enregistre->click();
        const QStringList j = journal();
        QCOMPARE(j.at(0).mid(134, 19), QStringLiteral("4 15/03/24 15/03/24"));
        QCOMPARE(etatDe(j.at(1)), QStringLiteral("1"));
        QVERIFY(!q.isVisible());
        QCOMPARE(c->Liste_QSO->currentRow(), 1);
        QCOMPARE(Prog().Ligne_Selectionnee, c->Modele_QSO->item(1));
        QVERIFY(c->Option1[1]->isChecked());
        QVERIFY(env->textes().isEmpty());
    }

    void rechercheMultiple()
    {
        demarrer({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1"),
                  test::ligneEtat("F6AAA/P", "144 Mhz", "75", "JN23AB", "2"),
                  test::ligneEtat("F6AA", "144 Mhz", "75", "JN23AB", "1"),
                  test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "3"),
                  test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "4"),
                  test::ligneEtat("G4XYZ", "144 Mhz", "", "", "1")});
        qslOuverte(0).Multiple->click();
        Fenetre_Multi_QSL& m = Fenetre_Multi_QSL::instance();
        QVERIFY(m.isVisible());
        QCOMPARE(m.Indicatif->text(), QStringLiteral("F6AAA"));
        QVERIFY(m.Option2->isChecked());
        QVERIFY(!m.Enregistre->isEnabled());
        auto numeros = [&m] {
            QList<int> n;
            for (int i = 0; i < m.Liste_QSO->count(); ++i)
                n << station::numeroDeItem(m.Liste_QSO->item(i)->text());
            return n;
        };
        m.Recherche->click();
        QCOMPARE(numeros(), QList<int>({1, 2}));  // not received yet, longer callsigns too
        m.Option1->click();
        QCOMPARE(m.Liste_QSO->count(), 0);
        QCOMPARE(m.Label4->text(), QStringLiteral("envoyées"));
        m.Indicatif->setText("f6");
        m.Recherche->click();
        QCOMPARE(numeros(), QList<int>({1, 3, 4}));  // not sent yet
        m.Indicatif->clear();
        m.Recherche->click();
        QCOMPARE(numeros(), QList<int>({1, 3, 4, 6}));

        m.Enregistre->click();
        QCOMPARE(env->textes(), QStringList{"Selectionnez un ou plusieurs QSO"});
        QVERIFY(m.isVisible());

        env->oublierMessages();
        m.Liste_QSO->item(0)->setCheckState(Qt::Checked);
        m.Liste_QSO->item(2)->setCheckState(Qt::Checked);
        m.Enregistre->click();
        const QStringList j = journal();
        QCOMPARE(j.at(0).mid(134, 10), QStringLiteral("2 15/03/24"));
        QCOMPARE(j.at(3).mid(134, 10), QStringLiteral("4 15/03/24"));
        QCOMPARE(etatDe(j.at(2)), QStringLiteral("1"));
        QVERIFY(!m.isVisible());
        QVERIFY(!Fenetre_QSL::instance().isVisible());
        QVERIFY(env->textes().isEmpty());
    }

    void unEffacementEntreLaRechercheEtLEnregistrement()
    {
        demarrer({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1"),
                  test::ligneEtat("F6BBB", "144 Mhz", "75", "JN23AB", "1"),
                  test::ligneEtat("F6CCC", "144 Mhz", "75", "JN23AB", "1")});
        qslOuverte(0).Multiple->click();
        Fenetre_Multi_QSL& m = Fenetre_Multi_QSL::instance();
        m.Indicatif->setText("F6");
        m.Recherche->click();
        QCOMPARE(m.Liste_QSO->count(), 3);
        m.Liste_QSO->item(1)->setCheckState(Qt::Checked);  // F6BBB, QSO 2
        m.Liste_QSO->item(2)->setCheckState(Qt::Checked);  // F6CCC, QSO 3
        cliquerLigne(0);
        Supprime_QSO();  // F6AAA deleted: F6BBB is now QSO 1, F6CCC QSO 2
        env->oublierMessages();
        m.Enregistre->click();
        QCOMPARE(env->textes().size(), 1);
        QVERIFY(env->textes().first().endsWith(QStringLiteral("QSO n° 2, 3")));
        for (const QString& l : journal())
            QCOMPARE(etatDe(l), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestFenetresQSL)
#include "tst_fenetres_qsl.moc"
