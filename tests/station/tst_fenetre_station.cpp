// The station window through its real controls: first registration, refusals, switching to a
// registered station, recreation of a lost file set, and the missing-file window.
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Cles_Registre;

namespace {

QStringList fichiersStation(const QString& indicatif)
{
    return {indicatif + ".log", indicatif + "_Departement.txt", indicatif + "_Locator.txt", indicatif + "_Prefixe.txt",
            indicatif + "_Absent.txt", indicatif + "_Activite.txt"};
}

// Opens the window, takes "Nouvel Indicatif" or the item given, and types the station as an
// operator does, ending each field with Enter.
void saisir(const QString& indicatif, const QString& locator, int item = -1)
{
    Station::Afficher(false);
    auto* liste = test::controle<QComboBox>("Station", "Liste_Indicatifs");
    QVERIFY(liste);
    liste->setCurrentIndex(item < 0 ? liste->count() - 1 : item);
    test::entree(liste);
    if (item >= 0)
        return;
    auto* ind = test::controle<QLineEdit>("Station", "New_Indicatif");
    auto* loc = test::controle<QLineEdit>("Station", "New_Locator");
    test::taper(ind, indicatif);
    test::entree(ind);
    test::taper(loc, locator);
    test::entree(loc);
}

void valider()
{
    auto* b = test::controle<QPushButton>("Station", "Validation");
    QVERIFY(b && b->isEnabled());
    b->click();
}

void enregistrer(const QString& indicatif, const QString& locator)
{
    saisir(indicatif, locator);
    valider();
}

} // namespace

class TestFenetreStation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void premierDemarrage()
    {
        test::Environnement env;
        Carnet& c = Carnet::instance();
        Station::Afficher(false);
        QWidget* f = test::fenetre("Station");
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("Identification de la station"));
        auto* liste = test::controle<QComboBox>("Station", "Liste_Indicatifs");
        auto* ind = test::controle<QLineEdit>("Station", "New_Indicatif");
        auto* loc = test::controle<QLineEdit>("Station", "New_Locator");
        auto* validation = test::controle<QPushButton>("Station", "Validation");
        // No station set up: the register is not listed.
        QCOMPARE(test::elements(liste), QStringList({"Nouvel Indicatif"}));
        QVERIFY(!ind->isEnabled() && !loc->isEnabled() && !validation->isEnabled());

        test::entree(liste);
        QVERIFY(ind->isEnabled() && loc->isEnabled());
        QVERIFY(!validation->isEnabled());
        test::taper(ind, "f1abc/p");
        QCOMPARE(ind->text(), QStringLiteral("F1ABC_P"));
        test::entree(ind);
        QCOMPARE(ind->text(), QStringLiteral("F1ABC_P"));  // Enter does not reach the box
        test::taper(loc, "jn23ab");
        QCOMPARE(loc->text(), QStringLiteral("JN23AB"));
        test::entree(loc);
        QVERIFY(validation->isEnabled());
        validation->click();

        QCOMPARE(env.textes(), QStringList());
        QVERIFY(!f->isVisible());
        // Register and current station.
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), QStringLiteral("1"));
        QCOMPARE(test::reglageSetup(Indicatif(1)), QStringLiteral("F1ABC_P      JN23AB"));
        QCOMPARE(test::reglageSetup(Indicatif(1)).size(), 19);
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("F1ABC_P"));
        QCOMPARE(test::reglageSetup(Locator_Station), QStringLiteral("JN23AB"));
        QCOMPARE(Prog().Indicatif_Station, QStringLiteral("F1ABC_P"));
        QCOMPARE(Prog().Locator_Station, QStringLiteral("JN23AB"));
        // The file set, copies of the templates.
        for (const QString& nom : fichiersStation("F1ABC_P"))
            QVERIFY2(QFile::exists(env.chemin(nom)), qPrintable(nom));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_P_Locator.txt")), test::lireOctets(env.chemin("FXXXX_Locator.txt")));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_P_Absent.txt")), test::lireOctets(env.chemin("FXXXX.log")));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_P_Activite.txt")),
                 test::enAnsi({"QSO", "DFCF", "DMF", "DIFI", "DIFM"}));
        // Settings of a new station.
        QCOMPARE(test::reglageStation("F1ABC_P", Date_Automatique), QStringLiteral("True"));
        QCOMPARE(test::reglageStation("F1ABC_P", Heure_UTC), QStringLiteral("True"));
        QCOMPARE(test::reglageStation("F1ABC_P", NB_Activite), QStringLiteral("5"));
        QCOMPARE(test::reglageStation("F1ABC_P", Activite_N(4)), QStringLiteral("DIFM"));
        QCOMPARE(test::reglageStation("F1ABC_P", Activite), QStringLiteral("0"));
        QCOMPARE(test::reglageStation("F1ABC_P", Delta_Sauvegarde), QStringLiteral("10"));
        // The backups go to a folder of the station's own, named with "/".
        QCOMPARE(test::reglageStation("F1ABC_P", Chemin_Sauvegarde), env.dossier() + QStringLiteral("/F1ABC_P/F1ABC_P"));
        QCOMPARE(Prog().Nombre_Activites, 5.0);
        // The main window shows the station with "/".
        QCOMPARE(c.I_Station->text(), QStringLiteral("F1ABC/P"));
        QCOMPARE(c.L_Station->text(), QStringLiteral("JN23AB"));
        QCOMPARE(c.Frame5->title(), QStringLiteral("Velmarin de F1ABC/P"));
        QCOMPARE(test::elements(c.Activ_A), QStringList({"QSO", "DFCF", "DMF", "DIFI", "DIFM"}));
        QCOMPARE(c.Activ_A->currentIndex(), 0);
        QCOMPARE(c.Label15->text(), QStringLiteral("Date automatique"));
        QVERIFY(c.Mnu_UTC_Oui->isChecked() && !c.Mnu_UTC_Non->isChecked());
        QVERIFY(c.Frame3->title().startsWith(QStringLiteral(" 0 Départements sur ")));
        QCOMPARE(c.Liste_QSO->count(), 0);
        QVERIFY(c.Sauvegarde_Auto());
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_P/F1ABC_P.bak")), test::lireOctets(env.chemin("F1ABC_P.log")));
    }

    void refus_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("resteIndicatif");
        QTest::newRow("13 caracteres") << "F1ABCDEFGHIJK" << "JN23AB" << "12 caracteres maximum pour l'indicatif"
                                       << "F1ABCDEFGHIJK";
        QTest::newRow("tiret") << "F1-ABC" << "JN23AB"
                               << "L'indicatif ne doit comporter que des lettres des chiffres ou le signe _ " << "";
        QTest::newRow("accent") << "F1ÉA" << "JN23AB"
                                << "L'indicatif ne doit comporter que des lettres des chiffres ou le signe _ " << "";
        QTest::newRow("vide") << "" << "JN23AB" << "Vous devez entrer un indicatif" << "";
        QTest::newRow("locator vide") << "F1ABC" << "" << "Vous devez entrer un locator" << "F1ABC";
        QTest::newRow("locator de 5") << "F1ABC" << "JN23A" << "Le locator doit comporter 6 caracteres" << "F1ABC";
        QTest::newRow("locator de 7") << "F1ABC" << "JN23ABC" << "Le locator doit comporter 6 caracteres" << "F1ABC";
        QTest::newRow("forme du locator") << "F1ABC" << "J123AB" << "Erreur dans la saisie du locator" << "F1ABC";
    }

    void refus()
    {
        QFETCH(QString, indicatif);
        QFETCH(QString, locator);
        QFETCH(QString, message);
        QFETCH(QString, resteIndicatif);
        test::Environnement env;
        Carnet::instance();
        const QStringList avant = QDir(env.dossier()).entryList(QDir::Files);
        saisir(indicatif, locator);
        valider();
        QCOMPARE(env.textes(), QStringList({message}));
        QVERIFY(env.messages.front().boutons == plateforme::Boutons::Ok);
        // Nothing written, the window open with what was typed.
        QCOMPARE(QDir(env.dossier()).entryList(QDir::Files), avant);
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), test::Absent);
        QCOMPARE(test::reglageSetup(Indicatif_Station), test::Absent);
        QVERIFY(Prog().Indicatif_Station.isEmpty());
        QVERIFY(test::fenetre("Station")->isVisible());
        QCOMPARE(test::controle<QLineEdit>("Station", "New_Indicatif")->text(), resteIndicatif);
    }

    void douzeCaracteresAcceptes()
    {
        test::Environnement env;
        Carnet::instance();
        enregistrer("F1ABCDEFGHIJ", "io91wm");
        QCOMPARE(env.textes(), QStringList());
        QCOMPARE(test::reglageSetup(Indicatif(1)), QStringLiteral("F1ABCDEFGHIJ IO91WM"));
        QVERIFY(QFile::exists(env.chemin("F1ABCDEFGHIJ.log")));
    }

    void basculeVersUneStationEnregistree()
    {
        test::Environnement env;
        Carnet& c = Carnet::instance();
        enregistrer("F1AAA", "JN23AB");
        enregistrer("F2BBB", "JN18EU");
        QCOMPARE(Prog().Indicatif_Station, QStringLiteral("F2BBB"));
        // F1AAA has worked meanwhile and has its own options.
        const QByteArray log = test::enAnsi({test::ligneQSO("01/02/24", "DL1XX", "10:00")});
        test::ecrireOctets(env.chemin("F1AAA.log"), log);
        const QByteArray locator = "modifie\r\n";
        test::ecrireOctets(env.chemin("F1AAA_Locator.txt"), locator);
        plateforme::SaveSetting(Application, Section_Station("F1AAA"), NB_Activite, "6");
        plateforme::SaveSetting(Application, Section_Station("F1AAA"), Activite_N(5), "DPLF");
        plateforme::SaveSetting(Application, Section_Station("F1AAA"), Activite, "2");
        plateforme::SaveSetting(Application, Section_Station("F1AAA"), Date_Automatique, "False");
        plateforme::SaveSetting(Application, Section_Station("F1AAA"), Heure_UTC, "False");

        Station::Afficher(false);
        auto* liste = test::controle<QComboBox>("Station", "Liste_Indicatifs");
        QCOMPARE(test::elements(liste),
                 QStringList({"F1AAA        JN23AB", "F2BBB        JN18EU", "Nouvel Indicatif"}));
        QCOMPARE(liste->currentIndex(), 0);
        test::entree(liste);
        QCOMPARE(test::controle<QLineEdit>("Station", "New_Indicatif")->text(), QStringLiteral("F1AAA"));
        QCOMPARE(test::controle<QLineEdit>("Station", "New_Locator")->text(), QStringLiteral("JN23AB"));
        valider();

        QCOMPARE(env.textes(), QStringList());
        // Switched to, nothing recreated, nothing registered again.
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("F1AAA"));
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), QStringLiteral("2"));
        QCOMPARE(test::lireOctets(env.chemin("F1AAA.log")), log);
        QCOMPARE(test::lireOctets(env.chemin("F1AAA_Locator.txt")), locator);
        QCOMPARE(test::reglageStation("F1AAA", NB_Activite), QStringLiteral("6"));
        QCOMPARE(c.I_Station->text(), QStringLiteral("F1AAA"));
        QCOMPARE(test::elements(c.Activ_A), QStringList({"QSO", "DFCF", "DMF", "DIFI", "DIFM", "DPLF"}));
        QCOMPARE(c.Activ_A->currentIndex(), 2);
        QCOMPARE(c.Label15->text(), QStringLiteral("Date manuelle"));
        QVERIFY(!c.Mnu_Auto_Oui->isChecked() && c.Mnu_Auto_Non->isChecked());
        QVERIFY(!c.Mnu_UTC_Oui->isChecked() && c.Mnu_UTC_Non->isChecked());
        QCOMPARE(c.Liste_QSO->count(), 1);
        QCOMPARE(c.Liste_QSO->currentRow(), 0);
    }

    // The station chosen brings its band: the next QSO's lookups use the band the field shows.
    void bandeDeLaStationChoisie()
    {
        test::Environnement env;
        test::StationTest s;
        s.bande = 10;
        Carnet& c = test::demarrerStation(env, s);
        QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 Mhz"));
        enregistrer("F1AAA", "JN23AB");
        QCOMPARE(Prog().Indicatif_Station, QStringLiteral("F1AAA"));
        QCOMPARE(c.Bande_A->currentText(), QStringLiteral("1.8 Mhz"));
        QCOMPARE(Prog().Bande_Courante, QStringLiteral("1.8 Mhz"));
    }

    void journalPerduRecreeLesFichiers()
    {
        test::Environnement env;
        Carnet::instance();
        enregistrer("F1ABC", "JN23AB");
        QFile::remove(env.chemin("F1ABC.log"));
        test::ecrireOctets(env.chemin("F1ABC_Departement.txt"), "reste\r\n");
        plateforme::SaveSetting(Application, Section_Station("F1ABC"), NB_Activite, "7");

        saisir(QString(), QString(), 0);
        QCOMPARE(test::controle<QLineEdit>("Station", "New_Indicatif")->text(), QStringLiteral("F1ABC"));
        valider();
        QCOMPARE(env.textes(), QStringList());
        for (const QString& nom : fichiersStation("F1ABC"))
            QVERIFY2(QFile::exists(env.chemin(nom)), qPrintable(nom));
        QCOMPARE(test::lireOctets(env.chemin("F1ABC_Departement.txt")),
                 test::lireOctets(env.chemin("FXXXX_Departement.txt")));
        QCOMPARE(test::reglageStation("F1ABC", NB_Activite), QStringLiteral("5"));
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), QStringLiteral("1"));
    }

    void enregistrerDeuxFois()
    {
        test::Environnement env;
        Carnet::instance();
        enregistrer("F1ABC", "JN23AB");
        enregistrer("f1abc", "jn23ab");
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), QStringLiteral("2"));
        QCOMPARE(test::reglageSetup(Indicatif(1)), QStringLiteral("F1ABC        JN23AB"));
        QCOMPARE(test::reglageSetup(Indicatif(2)), test::reglageSetup(Indicatif(1)));
        Station::Afficher(false);
        QCOMPARE(test::controle<QComboBox>("Station", "Liste_Indicatifs")->count(), 3);
    }

    void creationToutOuRien()
    {
        // A template that cannot be read: no file of the station is made, nothing of it is
        // registered, the operator is told and the window stays for another try.
        test::Environnement env;
        Carnet& c = Carnet::instance();
        enregistrer("F1AAA", "JN23AB");
        test::ecrireOctets(env.chemin("F1AAA.log"), test::enAnsi({test::ligneQSO("01/02/24", "DL1XX", "10:00")}));
        saisir(QString(), QString(), 0);
        valider();
        QCOMPARE(c.Liste_QSO->count(), 1);
        const QStringList avant = QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden);

        QFile::remove(env.chemin("FXXXX_Prefixe.txt"));
        env.oublierMessages();
        enregistrer("F2BBB", "JN18EU");
        QCOMPARE(env.messages.size(), size_t(1));
        const QString texte = env.textes().at(0);
        QVERIFY2(texte.startsWith(QStringLiteral("La station F2BBB n'a pas été créée.")) &&
                     texte.contains(QStringLiteral("FXXXX_Prefixe.txt")) &&
                     texte.contains(QStringLiteral("fichier introuvable")),
                 qPrintable(texte));
        QStringList apres = avant;
        apres.removeOne(QStringLiteral("FXXXX_Prefixe.txt"));
        QCOMPARE(QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden), apres);
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("F1AAA"));
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), QStringLiteral("1"));
        QCOMPARE(Prog().Indicatif_Station, QStringLiteral("F1AAA"));
        QCOMPARE(c.Liste_QSO->count(), 1);
        QVERIFY(test::fenetre("Station")->isVisible());
    }

    void fermerSansValiderEnModal()
    {
        test::Environnement env;
        Carnet::instance();
        const QStringList avant = QDir(env.dossier()).entryList(QDir::Files);
        bool vue = false;
        QTimer minuterie;
        QObject::connect(&minuterie, &QTimer::timeout, [&] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m || m->objectName() != QStringLiteral("Station"))
                return;
            vue = true;
            m->findChild<QPushButton*>("Quitter")->click();
        });
        minuterie.start(10);
        Station::Afficher(true);
        minuterie.stop();
        QVERIFY(vue);
        QCOMPARE(test::reglageSetup(Indicatif_Station), test::Absent);
        QCOMPARE(test::reglageSetup(Nombre_Indicatif), test::Absent);
        QCOMPARE(QDir(env.dossier()).entryList(QDir::Files), avant);
        QVERIFY(!test::fenetre("Station")->isVisible());
    }

    void fenetreErreurPourLocatorManquant()
    {
        test::Environnement env;
        Carnet::instance();
        plateforme::SaveSetting(Application, Section_Setup, Indicatif_Station, "F1ABC");
        plateforme::SaveSetting(Application, Section_Setup, Locator_Station, "JN23AB");
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        QString nomStation, fichier, titre;
        QTimer minuterie;
        QObject::connect(&minuterie, &QTimer::timeout, [&] {
            QWidget* f = test::fenetre("Gestion_Erreur");
            if (!f || !f->isVisible())
                return;
            minuterie.stop();
            titre = f->windowTitle();
            nomStation = f->findChild<QLabel*>("Ind_Station")->text();
            fichier = f->findChild<QLabel*>("Ind_Station1")->text() + f->findChild<QLabel*>("Err_Departement")->text();
            f->findChild<QPushButton*>("Initialisation")->click();
        });
        minuterie.start(10);
        QString etat, ligne;
        const bool lu = Lit_Etat_Locator(QStringLiteral("JN23AB"), etat, QStringLiteral("144 Mhz"), ligne);
        QVERIFY(!lu);
        QCOMPARE(titre, QStringLiteral("Erreur"));
        QCOMPARE(nomStation, QStringLiteral("F1ABC"));
        QCOMPARE(fichier, QStringLiteral("F1ABC_Locator.txt"));
        QVERIFY(env.finDemandee());
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("FXXXX"));
        QCOMPARE(test::reglageSetup(Locator_Station), QStringLiteral("------"));
    }

    void fenetreErreurAuDessusDeLaFenetreModale()
    {
        // First installation, modal station window, a station whose log is there but not its
        // department file: the error
        // window raised by the grid painting must be the one that takes the clicks.
        test::Environnement env;
        Carnet::instance();
        test::ecrireOctets(env.chemin("F1ABC.log"), QByteArray());
        QTimer saisie, erreur;
        saisie.setSingleShot(true);
        QObject::connect(&saisie, &QTimer::timeout, [&] {
            QWidget* m = QApplication::activeModalWidget();
            QVERIFY(m && m->objectName() == QStringLiteral("Station"));
            enregistrer("F1ABC", "JN23AB");
        });
        QString modale;
        QObject::connect(&erreur, &QTimer::timeout, [&] {
            QWidget* f = test::fenetre("Gestion_Erreur");
            if (!f || !f->isVisible())
                return;
            erreur.stop();
            modale = QApplication::activeModalWidget() ? QApplication::activeModalWidget()->objectName() : QString();
            f->findChild<QPushButton*>("Initialisation")->click();
        });
        saisie.start(0);
        erreur.start(10);
        Station::Afficher(true);
        QCOMPARE(modale, QStringLiteral("Gestion_Erreur"));
        QVERIFY(env.finDemandee());
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("FXXXX"));
    }

    void fenetreErreurQuitter()
    {
        test::Environnement env;
        plateforme::SaveSetting(Application, Section_Setup, Indicatif_Station, "F1ABC");
        Prog().Indicatif_Station = QStringLiteral("F1ABC");
        Gestion_Erreur::Afficher("_Prefixe.txt");
        QWidget* f = test::fenetre("Gestion_Erreur");
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->findChild<QLabel*>("Label6")->text() + f->findChild<QLabel*>("Ind_Station1")->text() +
                     f->findChild<QLabel*>("Err_Departement")->text(),
                 QStringLiteral("Il n'a par contre pas trouvé dans son repertoire le fichier F1ABC_Prefixe.txt"));
        f->findChild<QPushButton*>("Quitter")->click();
        QVERIFY(env.finDemandee());
        QCOMPARE(test::reglageSetup(Indicatif_Station), QStringLiteral("F1ABC"));
    }
};

QTEST_MAIN(TestFenetreStation)
#include "tst_fenetre_station.moc"
