// The activity add window and the prefix add window, through their controls: what reaches the
// settings, the main window's activity list, the activity file and the prefix file.
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Cles_Registre;

namespace {

const QString Station = QStringLiteral("F1ABC");

QString reglage(const QString& cle)
{
    return test::reglageStation(Station, cle);
}

void ecrireReglage(const QString& cle, const QString& valeur)
{
    test::ecrireReglageStation(Station, cle, valeur);
}

// The station F1ABC with the activities of a new station.
void stationParDefaut()
{
    Prog().Indicatif_Station = QStringLiteral("F1ABC");
    const QStringList& a = station::Activites_Defaut();
    for (int i = 0; i < a.size(); ++i)
        ecrireReglage(Activite_N(i), a.at(i));
    ecrireReglage(NB_Activite, QString::number(a.size()));
    ecrireReglage(Activite, QStringLiteral("0"));
}

} // namespace

class TestAjouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Activities ----------------------------------------------------------------------------

    void ajoutActivite()
    {
        test::Environnement env;
        Carnet& c = Carnet::instance();
        stationParDefaut();
        ecrireReglage(Activite, QStringLiteral("2"));
        Ajout_Activite::Afficher(false);
        QWidget* f = test::fenetre("Ajout_Activite");
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("Ajout d'une activité"));
        // Index 0, the plain QSO, is not listed.
        QCOMPARE(test::elements(test::controle<QListWidget>("Ajout_Activite", "Activ_Exist")),
                 QStringList({"DFCF", "DMF", "DIFI", "DIFM"}));
        auto* nom = test::controle<QLineEdit>("Ajout_Activite", "Nom_Activ");
        test::taper(nom, "dplf");
        QCOMPARE(nom->text(), QStringLiteral("DPLF"));
        test::controle<QPushButton>("Ajout_Activite", "Command1")->click();

        QCOMPARE(env.textes(), QStringList());
        QVERIFY(!f->isVisible());
        QCOMPARE(reglage(Activite_N(5)), QStringLiteral("DPLF"));
        QCOMPARE(reglage(NB_Activite), QStringLiteral("6"));
        QCOMPARE(test::elements(c.Activ_A), QStringList({"QSO", "DFCF", "DMF", "DIFI", "DIFM", "DPLF"}));
        QCOMPARE(c.Activ_A->currentIndex(), 2);
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Activite.txt")),
                 test::enAnsi({"QSO", "DFCF", "DMF", "DIFI", "DIFM", "DPLF"}));

        // Opened again, it is loaded again: the new activity listed, the box empty.
        Ajout_Activite::Afficher(false);
        QCOMPARE(test::elements(test::controle<QListWidget>("Ajout_Activite", "Activ_Exist")).size(), 5);
        QVERIFY(nom->text().isEmpty());
    }

    void fermerSansAjouterReecritLeFichier()
    {
        test::Environnement env;
        Carnet::instance();
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        // Three activities announced, the third name missing.
        ecrireReglage(NB_Activite, QStringLiteral("3"));
        ecrireReglage(Activite_N(0), QStringLiteral("QSO"));
        ecrireReglage(Activite_N(1), QStringLiteral("Châteaux"));
        test::ecrireOctets(env.chemin("F1ABC_Activite.txt"), "ancien\r\n");
        Ajout_Activite::Afficher(false);
        QCOMPARE(test::elements(test::controle<QListWidget>("Ajout_Activite", "Activ_Exist")),
                 QStringList({"Châteaux", "Err4"}));
        test::fenetre("Ajout_Activite")->close();
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Activite.txt")), test::enAnsi({"QSO", "Châteaux", "XXX"}));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Activite.txt")).at(7), char(0xE2));
        QCOMPARE(reglage(NB_Activite), QStringLiteral("3"));
    }

    void sansListeEnregistree()
    {
        // "NB Activite" absent: two entries, "Err4" in the window and "XXX" in the file.
        test::Environnement env;
        Carnet::instance();
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        Ajout_Activite::Afficher(false);
        QCOMPARE(test::elements(test::controle<QListWidget>("Ajout_Activite", "Activ_Exist")), QStringList({"Err4"}));
        test::fenetre("Ajout_Activite")->close();
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Activite.txt")), test::enAnsi({"XXX", "XXX"}));
        // Writing the file alone leaves the settings untouched.
        QCOMPARE(reglage(NB_Activite), test::Absent);
    }

    void nomVideEnregistreVide()
    {
        test::Environnement env;
        Carnet& c = Carnet::instance();
        stationParDefaut();
        Ajout_Activite::Afficher(false);
        test::controle<QPushButton>("Ajout_Activite", "Command1")->click();
        QCOMPARE(reglage(Activite_N(5)), QString(""));
        QCOMPARE(reglage(NB_Activite), QStringLiteral("6"));
        QCOMPARE(c.Activ_A->count(), 6);
        QCOMPARE(c.Activ_A->itemText(5), QString());
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Activite.txt")),
                 test::enAnsi({"QSO", "DFCF", "DMF", "DIFI", "DIFM", ""}));
    }

    // --- Prefixes ------------------------------------------------------------------------------

    void ajoutPrefixe_data()
    {
        QTest::addColumn<QString>("prefixe");
        QTest::addColumn<QString>("pays");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("HB0") << "HB0" << "Liechtenstein" << "HB0    00000000000000000  Liechtenstein";
        QTest::newRow("six caracteres") << "3D2ABC" << "Rotuma" << "3D2ABC 00000000000000000  Rotuma";
        QTest::newRow("tel que tape") << "fr/g" << "Île Glorieuse" << "fr/g   00000000000000000  Île Glorieuse";
    }

    void ajoutPrefixe()
    {
        QFETCH(QString, prefixe);
        QFETCH(QString, pays);
        QFETCH(QString, ligne);
        test::Environnement env;
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        const QByteArray avant = test::enAnsi({"F      00000000000000000  France"});
        test::ecrireOctets(env.chemin("F1ABC_Prefixe.txt"), avant);

        Ajout_Prefixe::Afficher(false);
        QWidget* f = test::fenetre("Ajout_Prefixe");
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("Ajout Prefixe"));
        auto* p = test::controle<QLineEdit>("Ajout_Prefixe", "N_Prefixe");
        auto* n = test::controle<QLineEdit>("Ajout_Prefixe", "N_Pays");
        test::taper(p, prefixe);
        test::taper(n, pays);
        test::controle<QPushButton>("Ajout_Prefixe", "Ajouter")->click();

        QCOMPARE(env.textes(), QStringList());
        QCOMPARE(ligne.mid(7, 19), QStringLiteral("00000000000000000  "));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Prefixe.txt")), avant + test::enAnsi({ligne}));
        // Hidden, not unloaded: shown again, the fields keep their text.
        QVERIFY(!f->isVisible());
        Ajout_Prefixe::Afficher(false);
        QCOMPARE(p->text(), prefixe);
        QCOMPARE(n->text(), pays);
    }

    void refusPrefixe_data()
    {
        QTest::addColumn<QString>("prefixe");
        QTest::addColumn<QString>("pays");
        QTest::addColumn<QString>("message");
        QTest::newRow("sans prefixe") << "" << "Liechtenstein" << "Entrez un prefixe";
        QTest::newRow("sept caracteres") << "HB0ABCD" << "Liechtenstein" << "6 caracteres maximum pour le prefixe";
        QTest::newRow("sans pays") << "HB0" << "" << "Entrez un Pays";
        QTest::newRow("rien") << "" << "" << "Entrez un prefixe";
    }

    void refusPrefixe()
    {
        QFETCH(QString, prefixe);
        QFETCH(QString, pays);
        QFETCH(QString, message);
        test::Environnement env;
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        const QByteArray avant = test::enAnsi({"F      00000000000000000  France"});
        test::ecrireOctets(env.chemin("F1ABC_Prefixe.txt"), avant);
        Ajout_Prefixe::Afficher(false);
        test::taper(test::controle<QLineEdit>("Ajout_Prefixe", "N_Prefixe"), prefixe);
        test::taper(test::controle<QLineEdit>("Ajout_Prefixe", "N_Pays"), pays);
        test::controle<QPushButton>("Ajout_Prefixe", "Ajouter")->click();
        QCOMPARE(env.textes(), QStringList({message}));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Prefixe.txt")), avant);
        QVERIFY(test::fenetre("Ajout_Prefixe")->isVisible());
    }

    void fermeturePrefixeVideLesChamps()
    {
        test::Environnement env;
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        Ajout_Prefixe::Afficher(false);
        test::taper(test::controle<QLineEdit>("Ajout_Prefixe", "N_Prefixe"), "HB0");
        test::fenetre("Ajout_Prefixe")->close();
        Ajout_Prefixe::Afficher(false);
        QVERIFY(test::controle<QLineEdit>("Ajout_Prefixe", "N_Prefixe")->text().isEmpty());
    }
};

QTEST_MAIN(TestAjouts)
#include "tst_ajouts.moc"
