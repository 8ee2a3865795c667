// A file the operator has made read-only is never replaced nor added to, nor is anything in a
// folder without write rights: every writer of the main window refuses it with the same French
// message naming the file or the folder, before it writes anything else (no backup, no
// settings). The tests also run as root, whom the system would let write both.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Reglages.h"
#include "qsl/Marques_QSL.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

namespace {

const QString Station = test::StationTest{}.indicatif;

// F6AAA on 144 MHz in department 75, square JN18; G4ABC on HF.
QStringList journalType()
{
    return {test::ligneEtat(QStringLiteral("F6AAA"), QStringLiteral("144 Mhz"), QStringLiteral("75"),
                            QStringLiteral("JN18EU"), QStringLiteral("1")),
            test::ligneEtat(QStringLiteral("G4ABC"), QStringLiteral("14 Mhz"), QString(), QString(), QStringLiteral("1"))};
}

enum class Ecrivain {
    EnregistrementAuto,
    EnregistrementManuel,
    Modification,
    Effacement,
    MarqueQSL,
    Import,
    Restauration,
    RemiseAZero,
    MiseAJourCarres,
};

} // namespace

class TestLectureSeule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { plateforme::retirerRepondeurFichier(); }

    void chaqueEcrivainRefuse_data()
    {
        QTest::addColumn<Ecrivain>("ecrivain");
        QTest::addColumn<QString>("fichier");  // empty: the program and settings folders are read-only
        const QString log = Station + QStringLiteral(".log");
        // The tenth QSO of the interval, the backup folder writable.
        QTest::newRow("dossier, QSO, date automatique") << Ecrivain::EnregistrementAuto << QString();
        QTest::newRow("dossier, QSO, date saisie") << Ecrivain::EnregistrementManuel << QString();
        QTest::newRow("dossier, modification") << Ecrivain::Modification << QString();
        QTest::newRow("dossier, effacement") << Ecrivain::Effacement << QString();
        QTest::newRow("dossier, QSL") << Ecrivain::MarqueQSL << QString();
        QTest::newRow("dossier, import") << Ecrivain::Import << QString();
        QTest::newRow("dossier, restauration") << Ecrivain::Restauration << QString();
        QTest::newRow("dossier, remise à zéro") << Ecrivain::RemiseAZero << QString();
        QTest::newRow("dossier, mise à jour des carrés") << Ecrivain::MiseAJourCarres << QString();
        QTest::newRow("QSO, date automatique") << Ecrivain::EnregistrementAuto << log;
        QTest::newRow("QSO, date saisie") << Ecrivain::EnregistrementManuel << log;
        QTest::newRow("QSO, fichier des préfixes") << Ecrivain::EnregistrementAuto << Station + QStringLiteral("_Prefixe.txt");
        QTest::newRow("QSO, fichier des départements")
            << Ecrivain::EnregistrementManuel << Station + QStringLiteral("_Departement.txt");
        QTest::newRow("QSO, nomenclature") << Ecrivain::EnregistrementAuto << QStringLiteral("Nomenclature.txt");
        QTest::newRow("modification") << Ecrivain::Modification << log;
        QTest::newRow("effacement") << Ecrivain::Effacement << log;
        QTest::newRow("QSL") << Ecrivain::MarqueQSL << log;
        QTest::newRow("QSL, fichier des carrés") << Ecrivain::MarqueQSL << Station + QStringLiteral("_Locator.txt");
        QTest::newRow("import") << Ecrivain::Import << log;
        QTest::newRow("import, fichier des départements") << Ecrivain::Import << Station + QStringLiteral("_Departement.txt");
        QTest::newRow("restauration") << Ecrivain::Restauration << Station + QStringLiteral("_Locator.txt");
        QTest::newRow("remise à zéro") << Ecrivain::RemiseAZero << log;
        QTest::newRow("mise à jour des carrés") << Ecrivain::MiseAJourCarres << Station + QStringLiteral("_Locator.txt");
    }
    void chaqueEcrivainRefuse()
    {
        QFETCH(Ecrivain, ecrivain);
        QFETCH(QString, fichier);
        test::Environnement env;
        test::StationTest s;
        s.journal = journalType();
        s.dateAuto = ecrivain != Ecrivain::EnregistrementManuel;
        const bool dossier = fichier.isEmpty();
        QVERIFY(QDir().mkpath(env.chemin(QStringLiteral("sauve"))));
        const QString sauvegarde = env.chemin(QStringLiteral("sauve/")) + Station;
        test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"), sauvegarde);
        if (dossier) {
            test::ecrireReglageStation(Station, QStringLiteral("Numero Sauvegarde"), QStringLiteral("0"));
            test::ecrireReglageStation(Station, QStringLiteral("Delta Sauvegarde"), QStringLiteral("3"));
        }
        Carnet& c = test::demarrerStation(env, s);
        test::ecrireOctets(env.chemin(QStringLiteral("import.adi")),
                           "<CALL:5>F1XYZ<QSO_DATE:8>20240301<TIME_ON:4>1200<BAND:2>2m<MODE:3>SSB<EOR>\r\n");
        for (const char* suffixe : {".bak", "_Departement.bak", "_Locator.bak", "_Prefixe.bak"})
            test::ecrireOctets(sauvegarde + QLatin1String(suffixe), "sauvegarde\r\n");

        if (ecrivain == Ecrivain::EnregistrementAuto || ecrivain == Ecrivain::EnregistrementManuel) {
            // A new prefix, department, square and directory entry: every file of the save.
            test::taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("IN93AA"), 0,
                               QStringLiteral("150324"), QStringLiteral("1200"), QStringLiteral("1210"), {}, {}, {}});
        }
        const QString reglages = QFileInfo(plateforme::fichierReglages(QStringLiteral("Velmarin"))).absolutePath();
        const auto lecture = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto parcours = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        const auto remettre = qScopeGuard([&] {
            QFile::setPermissions(env.dossier(), lecture | parcours | QFile::WriteOwner);
            QFile::setPermissions(reglages, lecture | parcours | QFile::WriteOwner);
        });
        if (dossier) {
            QVERIFY(QFile::setPermissions(env.dossier(), lecture | parcours));
            QVERIFY(QFile::setPermissions(reglages, lecture | parcours));
        } else {
            QVERIFY(QFile::setPermissions(env.chemin(fichier), lecture));
        }
        const auto avant = test::instantane(env.dossier());
        const auto reglagesAvant = test::instantane(reglages);
        const auto sauvegardesAvant = test::instantane(env.chemin(QStringLiteral("sauve")));
        env.oublierMessages();

        switch (ecrivain) {
        case Ecrivain::EnregistrementAuto:
        case Ecrivain::EnregistrementManuel:
            c.Enregistrer->click();
            QCOMPARE(c.Liste_QSO->count(), 2);
            QVERIFY(c.Enregistrer->isEnabled());
            break;
        case Ecrivain::Modification:
            c.Liste_QSO->setCurrentRow(0);
            c.Liste_QSO_DblClick();
            c.Editer->click();
            c.Remarques_A->setText(QStringLiteral("CORRIGE"));
            c.Enregistrer->click();
            break;
        case Ecrivain::Effacement:
            c.Liste_QSO->setCurrentRow(0);
            c.Effacer_Click();
            QCOMPARE(c.Liste_QSO->count(), 2);
            break;
        case Ecrivain::MarqueQSL:
            Prog().Ligne_Selectionnee = station::itemListe(1, journalType().at(0));
            Prog().Code_QSL = 1;
            QVERIFY(!Enregistre_QSL_Recue());
            break;
        case Ecrivain::Import:
            plateforme::installerRepondeurFichier(
                [&env](bool, const QString&, const QString&) { return env.chemin(QStringLiteral("import.adi")); });
            c.Mnu_Import_ADIF->trigger();
            QCOMPARE(c.Liste_QSO->count(), 2);
            break;
        case Ecrivain::Restauration:
            c.Mnu_Restauration->trigger();
            break;
        case Ecrivain::RemiseAZero:
            c.Mnu_RAZ_All_Click();
            QCOMPARE(c.Liste_QSO->count(), 2);
            break;
        case Ecrivain::MiseAJourCarres:
            c.Mnu_MAJ_Locator_Click();
            break;
        }

        // One message says it, naming the file; nothing at all was written.
        QStringList refus;
        for (const test::Message& m : env.messages) {
            if (m.texte.contains(QStringLiteral("lecture seule")))
                refus << m.texte;
        }
        QVERIFY2(refus.size() == 1, qPrintable(env.textes().join(QLatin1Char('|'))));
        const QString raison = dossier ? QStringLiteral(" : dossier « %1 » en lecture seule").arg(env.dossier())
                                       : QStringLiteral("« %1 » : fichier en lecture seule").arg(fichier);
        QVERIFY2(refus.at(0).contains(raison), qPrintable(refus.at(0)));
        if (ecrivain == Ecrivain::Restauration || ecrivain == Ecrivain::RemiseAZero)
            QVERIFY2(refus.at(0).endsWith(QStringLiteral("Aucun fichier n'a été modifié.")), qPrintable(refus.at(0)));
        // A QSO refused is one message, no backup said done.
        if (dossier && (ecrivain == Ecrivain::EnregistrementAuto || ecrivain == Ecrivain::EnregistrementManuel)) {
            QCOMPARE(env.textes().size(), 1);
            QVERIFY(refus.at(0).startsWith(QStringLiteral("Le QSO avec F1ABC n'a PAS été enregistré.")));
        }
        QVERIFY(test::instantane(env.dossier()) == avant);
        QVERIFY(test::instantane(reglages) == reglagesAvant);
        QVERIFY(test::instantane(env.chemin(QStringLiteral("sauve"))) == sauvegardesAvant);
        QVERIFY(!env.finDemandee());
    }
};

QTEST_MAIN(TestLectureSeule)
#include "tst_lecture_seule.moc"
