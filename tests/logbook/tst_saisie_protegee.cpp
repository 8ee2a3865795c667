// Keys that must not change what the operator did not ask for: Backspace in a date or time
// with automatic separators, Enter in the activity of a QSO under edit.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestSaisieProtegee : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void retourArriereSansSeparateur()
    {
        test::Environnement env;
        test::StationTest s;
        s.dateAuto = false;
        Carnet& c = test::demarrerStation(env, s);
        for (QLineEdit* champ : {c.Date_A, c.Debut_A, c.Fin_A}) {
            champ->clear();
            champ->setEnabled(true);
            champ->setFocus();
            test::taper(champ, QStringLiteral("1503"));
            QCOMPARE(champ->text(), champ == c.Date_A ? QStringLiteral("15/03") : QStringLiteral("15:03"));
            // Every character goes, separators too, down to the first digit.
            for (int i = 0; i < 4; ++i)
                QTest::keyClick(champ, Qt::Key_Backspace);
            QCOMPARE(champ->text(), QStringLiteral("1"));
            // Typing again puts the separator back where it belongs.
            test::taper(champ, QStringLiteral("54"));
            QCOMPARE(champ->text(), champ == c.Date_A ? QStringLiteral("15/4") : QStringLiteral("15:4"));
        }
    }

    void entreeDansLActiviteEnEdition()
    {
        test::Environnement env;
        station::Ligne_QSO l;
        l.Date_QSO = QStringLiteral("02/03/24");
        l.Indicatif_QSO = QStringLiteral("F1ABC");
        l.Heure_Debut = QStringLiteral("11:00");
        l.Heure_Fin = QStringLiteral("11:05");
        l.Departement_QSO = QStringLiteral("31");
        l.Locator_QSO = QStringLiteral("IO91WM");
        l.Bande_QSO = QStringLiteral("144 Mhz");
        l.Mode_QSO = QStringLiteral("SSB");
        l.RST_Envoye = QStringLiteral("59");
        l.RST_Recu = QStringLiteral("59");
        l.QTH_QSO = QStringLiteral("TOULOUSE");
        l.Prenom_QSO = QStringLiteral("Jean");
        l.Etat_QSL = QStringLiteral("1");
        l.Distance_QSO = QStringLiteral("914");
        l.Azimut_QSO = QStringLiteral("352");
        l.Numero_Activite = QStringLiteral("1");
        l.Remarques_QSO = QStringLiteral("C. TEST");
        test::StationTest s;
        s.journal = {test::ligneQSO(QStringLiteral("01/03/24"), QStringLiteral("G4ABC"), QStringLiteral("10:00")),
                     l.texte()};
        Carnet& c = test::demarrerStation(env, s);  // automatic dates on, clock on 15/03/24
        // Recalled by a double click, then edited.
        c.Liste_QSO->setCurrentRow(1);
        c.Liste_QSO_DblClick();
        c.Editer->click();
        QVERIFY(Prog().Edition_En_Cours);
        QVERIFY(c.Activ_A->isEnabled());
        c.Activ_A->setFocus();
        test::entree(c.Activ_A);
        // The recalled QSO keeps its date, start time, QTH and remarks; the entry moves on.
        QCOMPARE(c.Date_A->text(), QStringLiteral("02/03/24"));
        QCOMPARE(c.Debut_A->text(), QStringLiteral("11:00"));
        QCOMPARE(c.QTH_A->text(), QStringLiteral("TOULOUSE"));
        QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. TEST"));
        QVERIFY(test::aLeFocus(c, c.RSTE_A));
        // Validated as it stands, the log is as it was.
        const QStringList avant = test::lignesJournal(env, s.indicatif);
        c.Enregistrer->setEnabled(true);
        c.Enregistrer->click();
        QCOMPARE(test::lignesJournal(env, s.indicatif), avant);
    }
};

QTEST_MAIN(TestSaisieProtegee)
#include "tst_saisie_protegee.moc"
