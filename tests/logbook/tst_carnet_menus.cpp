// Options, clock, help and the menu bar of the main window.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString Station = QStringLiteral("F6ABC");

// Station F6ABC in JN23AB, its award files from the templates and an empty log, no option
// written, started as at launch.
void demarrer(test::Environnement& env)
{
    test::StationTest s;
    s.indicatif = Station;
    s.locator = QStringLiteral("JN23AB");
    s.activites.clear();
    s.bande = s.mode = std::nullopt;
    s.dateAuto = s.utc = s.separateurs = std::nullopt;
    s.fichiers = {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"), QStringLiteral("_Prefixe.txt")};
    s.nomenclature = std::nullopt;
    s.horloge = std::nullopt;
    test::demarrerStation(env, s);
}

QAction* action(const QString& nom)
{
    auto* a = Carnet::instance().findChild<QAction*>(nom);
    if (!a)
        qFatal("menu item %s not found", qPrintable(nom));
    return a;
}

QString reglage(const QString& cle)
{
    return test::reglageStation(Station, cle);
}

} // namespace

class TestCarnetMenus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paireOption_data();
    void paireOption();
    void dateAutomatiqueVideLesChamps();
    void exporterSuitLOption();
    void horlogeUTC();
    void horlogeLocale();
    void historiqueEtAPropos();
    void modeEmploi();
    void modeEmploiIntrouvable();
    void intitulesDesMenus();
    void quitter();
};

void TestCarnetMenus::paireOption_data()
{
    QTest::addColumn<QString>("oui");
    QTest::addColumn<QString>("non");
    QTest::addColumn<QString>("cle");
    QTest::newRow("date") << "Mnu_Auto_Oui" << "Mnu_Auto_Non" << "Date Automatique";
    QTest::newRow("utc") << "Mnu_UTC_Oui" << "Mnu_UTC_Non" << "Heure UTC";
    QTest::newRow("separateur") << "Mnu_Sep_Oui" << "Mnu_Sep_Non" << "Separateur";
    QTest::newRow("export") << "Mnu_Exp_Oui" << "Mnu_Exp_Non" << "Exporter QSO";
}

void TestCarnetMenus::paireOption()
{
    QFETCH(QString, oui);
    QFETCH(QString, non);
    QFETCH(QString, cle);
    test::Environnement env;
    demarrer(env);

    action(non)->trigger();
    QVERIFY(!action(oui)->isChecked());
    QVERIFY(action(non)->isChecked());
    QCOMPARE(reglage(cle), QStringLiteral("False"));

    action(oui)->trigger();
    QVERIFY(action(oui)->isChecked());
    QVERIFY(!action(non)->isChecked());
    QCOMPARE(reglage(cle), QStringLiteral("True"));

    // The item already ticked stays ticked and saves its value again.
    test::ecrireReglageStation(Station, cle, QStringLiteral("autre"));
    action(oui)->trigger();
    QVERIFY(action(oui)->isChecked());
    QVERIFY(!action(non)->isChecked());
    QCOMPARE(reglage(cle), QStringLiteral("True"));

    action(non)->trigger();
    action(non)->trigger();
    QVERIFY(action(non)->isChecked());
    QVERIFY(!action(oui)->isChecked());
    QCOMPARE(reglage(cle), QStringLiteral("False"));
    QVERIFY(env.messages.empty());
}

void TestCarnetMenus::dateAutomatiqueVideLesChamps()
{
    test::Environnement env;
    demarrer(env);
    Carnet& c = Carnet::instance();

    c.Date_A->setText(QStringLiteral("12/09/07"));
    c.Remarques_A->setText(QStringLiteral("C. 89125"));
    c.Prenom_A->setText(QStringLiteral("Jean"));
    action(QStringLiteral("Mnu_Auto_Non"))->trigger();
    QCOMPARE(c.Label15->text(), QStringLiteral("Date manuelle"));
    QCOMPARE(c.Date_A->text(), QStringLiteral("12/09/07"));
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. 89125"));

    action(QStringLiteral("Mnu_Auto_Oui"))->trigger();
    QCOMPARE(c.Label15->text(), QStringLiteral("Date automatique"));
    QCOMPARE(c.Date_A->text(), QString());
    QCOMPARE(c.Remarques_A->text(), QString());
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));

    // Already ticked: the two boxes are emptied again.
    c.Date_A->setText(QStringLiteral("13/09/07"));
    c.Remarques_A->setText(QStringLiteral("X"));
    action(QStringLiteral("Mnu_Auto_Oui"))->trigger();
    QCOMPARE(c.Date_A->text(), QString());
    QCOMPARE(c.Remarques_A->text(), QString());
}

void TestCarnetMenus::exporterSuitLOption()
{
    test::Environnement env;
    demarrer(env);
    QPushButton* exporter = Carnet::instance().Exporter;
    QVERIFY(!exporter->isEnabled());
    action(QStringLiteral("Mnu_Exp_Oui"))->trigger();
    QVERIFY(exporter->isEnabled());
    action(QStringLiteral("Mnu_Exp_Non"))->trigger();
    QVERIFY(!exporter->isEnabled());
}

// Just after midnight UTC, the local clock an hour behind, still on the previous day.
void TestCarnetMenus::horlogeUTC()
{
    test::Environnement env;
    demarrer(env);
    env.fixerHorloge(QDateTime(QDate(2024, 3, 1), QTime(0, 30, 15), Qt::UTC), -3600);
    Carnet& c = Carnet::instance();
    action(QStringLiteral("Mnu_UTC_Oui"))->trigger();
    c.Timer1_Timer();

    QCOMPARE(c.Label37->text(), QStringLiteral("00:30 Utc"));
    QVERIFY(c.Label37->isEnabled());
    QCOMPARE(c.Label34->text(), QStringLiteral("23:30 Loc"));
    QVERIFY(!c.Label34->isEnabled());
    QCOMPARE(c.Label33->text(), QStringLiteral("01/03/24"));
}

void TestCarnetMenus::horlogeLocale()
{
    test::Environnement env;
    demarrer(env);
    env.fixerHorloge(QDateTime(QDate(2024, 3, 1), QTime(0, 30, 15), Qt::UTC), -3600);
    Carnet& c = Carnet::instance();
    action(QStringLiteral("Mnu_UTC_Non"))->trigger();
    // The tick reads the menu, not the setting.
    test::ecrireReglageStation(Station, QStringLiteral("Heure UTC"), QStringLiteral("True"));
    c.Timer1_Timer();

    QCOMPARE(c.Label37->text(), QStringLiteral("00:30 Utc"));
    QVERIFY(!c.Label37->isEnabled());
    QCOMPARE(c.Label34->text(), QStringLiteral("23:30 Loc"));
    QVERIFY(c.Label34->isEnabled());
    QCOMPARE(c.Label33->text(), QStringLiteral("29/02/24"));
}

void TestCarnetMenus::historiqueEtAPropos()
{
    test::Environnement env;
    demarrer(env);

    action(QStringLiteral("Mnu_Historique"))->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    const QString h = env.messages.front().texte;
    QCOMPARE(env.messages.front().boutons, plateforme::Boutons::Ok);
    QVERIFY(h.startsWith(QStringLiteral("V1.0.0   le 18/11/2003 creation\r\nV5.6.1   le 26/04/2007 ")));
    QVERIFY(h.contains(QStringLiteral("\r\nV5.6.5   le 06/11/2007 Ajout option séparateur '/' et ':' en automatique\r\n")));
    QVERIFY(h.endsWith(QStringLiteral("V5.6.9   le 22/03/2009 Correction erreur 62 suite a modif de DX Cluster \r\n")));
    QCOMPARE(h.count(QStringLiteral("\r\n")), 10);

    env.oublierMessages();
    action(QStringLiteral("Mnu_A_Propos"))->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    const QString a = env.messages.front().texte;
    const QString debut = QStringLiteral("Velmarin\r\n   revision  5.6.9d\r\n\r\n");
    QVERIFY2(a.startsWith(debut), qPrintable(a));
    QVERIFY(a.size() > debut.size());
    QVERIFY(!a.mid(debut.size()).contains(QLatin1Char('\n')));
}

void TestCarnetMenus::modeEmploi()
{
    test::Environnement env;
    demarrer(env);
    // The shipped page is Windows-1252 with CR LF line ends.
    const QByteArray octets = test::lireOctets(env.chemin(QStringLiteral("Velmarin.hlp")));
    QVERIFY(octets.contains("\r\n"));
    QVERIFY(octets.contains("Pr\xe9nom"));

    action(QStringLiteral("Mnu_Mode_Emploi"))->trigger();
    QVERIFY(env.messages.empty());
    auto* fenetre = Carnet::instance().findChild<QWidget*>(QStringLiteral("Mode_Emploi"));
    QVERIFY(fenetre);
    QVERIFY(fenetre->isVisible());
    QVERIFY(fenetre->isWindow());
    QCOMPARE(fenetre->windowTitle(), QStringLiteral("Velmarin - Mode d'emploi"));
    auto* texte = fenetre->findChild<QTextBrowser*>();
    QVERIFY(texte);
    QVERIFY(texte->toPlainText().contains(QStringLiteral("Prénom")));
    QVERIFY(texte->toPlainText().contains(QStringLiteral("Entrée")));

    // A second request shows the same viewer.
    action(QStringLiteral("Mnu_Mode_Emploi"))->trigger();
    QCOMPARE(Carnet::instance().findChildren<QTextBrowser*>().size(), 1);
}

void TestCarnetMenus::modeEmploiIntrouvable()
{
    test::Environnement env;
    demarrer(env);
    QVERIFY(QFile::remove(env.chemin(QStringLiteral("Velmarin.hlp"))));

    action(QStringLiteral("Mnu_Mode_Emploi"))->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY2(env.textes().front().contains(QStringLiteral("Velmarin.hlp")), qPrintable(env.textes().front()));
    QVERIFY(!Carnet::instance().findChild<QWidget*>(QStringLiteral("Mode_Emploi")));
}

void TestCarnetMenus::intitulesDesMenus()
{
    test::Environnement env;
    Carnet& c = Carnet::instance();

    QCOMPARE(c.Mnu_Separateur->title(), QStringLiteral("Separateur  \":\" et \"/\" automatique"));
    QCOMPARE(c.mnu_Options->title(), QStringLiteral("Options"));
    QCOMPARE(c.Mnu_A_Propos->text(), QStringLiteral("A Propos de "));
    QCOMPARE(c.Mnu_RAZ_All->text(), QStringLiteral("Remise a zéro des fichiers log, Départements et Locators"));
    QCOMPARE(c.Mnu_MAJ_Departement->text(), QStringLiteral("Mise a jour des départements contactés"));
    QCOMPARE(c.Mnu_Stat_DFCF->text(), QStringLiteral("Des activations Contactées"));
    QCOMPARE(c.Mnu_Imprime_Tout->text(), QStringLiteral("le log de la station"));
    QCOMPARE(c.Mnu_Notes->text(), QStringLiteral("Notes"));
    QCOMPARE(c.Mnu_Indicatif->text(), QStringLiteral("Indicatif et locator de la station"));

    for (QAction* a : {c.Mnu_Quitter, c.Mnu_Indicatif, c.Mnu_Nomenclature, c.Mnu_Prefixe, c.Mnu_Ajout_Activite,
                       c.Mnu_Historique, c.Mnu_Mode_Emploi, c.Mnu_A_Propos, c.Mnu_Auto_Oui, c.Mnu_UTC_Non,
                       c.Mnu_Export_Adif, c.Mnu_Notes, c.Mnu_Carte_Dpt, c.Mnu_Carte_Loc, c.Mnu_Carte_Activation,
                       c.Mnu_RAZ_All, c.Mnu_MAJ_Prefixe, c.Mnu_MAJ_Departement, c.Mnu_MAJ_Locator,
                       c.Mnu_Stat_QSO, c.Mnu_Stat_Dist, c.Mnu_Stat_Prefixe, c.Mnu_Stat_DFCF, c.Mnu_Imprime_Tout,
                       c.Mnu_Print_Activite, c.Mnu_Print_QSL, c.Mnu_Restauration, c.Mnu_Import_EDI,
                       c.Mnu_Import_ADIF, c.Mnu_Import_VLM, c.Mnu_Val_Sauve, c.Mnu_Restau_Activite})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(c.Command1->isEnabled());
    QCOMPARE(c.Command1->text(), QStringLiteral("Cluster"));
    QCOMPARE(c.Gestion_QSL->text(), QStringLiteral("Gerer  QSL"));
    QVERIFY(c.Mnu_Sep_Oui->isCheckable());
    QCOMPARE(c.findChild<QMenu*>(QStringLiteral("Mnu_Fichier")), c.Mnu_Fichier);
}

void TestCarnetMenus::quitter()
{
    test::Environnement env;
    demarrer(env);
    action(QStringLiteral("Mnu_Quitter"))->trigger();
    QVERIFY(env.finDemandee());
    QVERIFY(env.messages.empty());
}

QTEST_MAIN(TestCarnetMenus)
#include "tst_carnet_menus.moc"
