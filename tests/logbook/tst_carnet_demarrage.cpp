// Start-up and shutdown of the main window, through the real window and real files.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Couleurs_Etat.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// A station already set up: its settings and its files made from the templates, its log.
void preparerStation(test::Environnement& env, const QString& indicatif, const QStringList& log)
{
    test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Indicatif_Station, indicatif);
    test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Locator_Station, QStringLiteral("JN23AB"));
    for (const char* suffixe : {"_Departement.txt", "_Locator.txt", "_Prefixe.txt"}) {
        const QString s = QString::fromLatin1(suffixe);
        QVERIFY(QFile::copy(env.chemin(QStringLiteral("FXXXX") + s), env.chemin(indicatif + s)));
    }
    test::ecrireOctets(env.chemin(indicatif + QStringLiteral(".log")), test::enAnsi(log));
}

QStringList journal(int n)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << test::ligneQSO(QStringLiteral("%1/03/24").arg(i + 1, 2, 10, QLatin1Char('0')),
                            QStringLiteral("F%1XYZ").arg(i), QStringLiteral("10:00"));
    return l;
}

// Any modal window that comes up during the start-up is closed as the operator would,
// without validating it.
class FermeModales {
public:
    FermeModales()
    {
        QObject::connect(&minuterie_, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        minuterie_.start(20);
    }

private:
    QTimer minuterie_;
};

template <class T>
T* ctrl(const char* nom)
{
    T* w = Carnet::instance().findChild<T*>(QString::fromLatin1(nom));
    if (!w)
        qFatal("control %s not found", nom);
    return w;
}

QAction* action(const char* nom)
{
    return ctrl<QAction>(nom);
}

} // namespace

class TestCarnetDemarrage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void premiereInstallation();
    void stationAvecJournal();
    void listesFixesEtHistorique();
    void optionsParDefaut();
    void optionsEnregistrees();
    void indicatifAvecBarre();
    void bandeModeEtActivite();
    void activitesAbsentes();
    void journalIntrouvable();
    void fichierDepartementIntrouvable();
    void controlesNommes();
    void fermeture();
};

void TestCarnetDemarrage::premiereInstallation()
{
    test::Environnement env;
    // The empty log of the placeholder station, as shipped.
    test::ecrireOctets(env.chemin(QStringLiteral("FXXXX.log")), QByteArray());
    {
        FermeModales fermeur;
        Carnet::instance().Form_Load();
    }

    QCOMPARE(env.textes(),
             QStringList{QStringLiteral("Premiere installation, vous devez entrer votre Indicatif et votre Locator")});
    QCOMPARE(env.messages.front().boutons, plateforme::Boutons::Ok);
    QCOMPARE(Prog().Indicatif_Station, QStringLiteral("FXXXX"));
    QCOMPARE(ctrl<QLabel>("I_Station")->text(), QStringLiteral("FXXXX"));
    QCOMPARE(ctrl<QLabel>("L_Station")->text(), QStringLiteral("------"));
    QCOMPARE(Carnet::instance().windowTitle(), QStringLiteral("Velmarin Revision  5.6.9d"));
    QCOMPARE(ctrl<QGroupBox>("Frame4")->title(), QStringLiteral("QSO numéro 1"));
    QVERIFY(Carnet::instance().isVisible());
    // The start-up went to its end on the placeholder station.
    QCOMPARE(test::reglage(QStringLiteral("Setup FXXXX"), QStringLiteral("Revision")), QStringLiteral(" 5.6.9d"));
    QCOMPARE(test::reglage(QStringLiteral("Setup"), QStringLiteral("Chemin Repertoire")), plateforme::dossierProgramme());
    QCOMPARE(Prog().Chemin_Sauvegarde, plateforme::dossierProgramme() + QStringLiteral("/FXXXX/FXXXX"));
    QCOMPARE(Prog().Numero_Sauvegarde, 1.0);
    QCOMPARE(Prog().Delta_Sauvegarde, QStringLiteral("10"));
    QCOMPARE(Prog().Valeur_Pi, 3.141592654);
}

void TestCarnetDemarrage::stationAvecJournal()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), journal(7));
    Carnet::instance().Form_Load();

    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    auto* liste = ctrl<Vue_Liste_QSO>("Liste_QSO");
    QCOMPARE(liste->count(), 7);
    QCOMPARE(liste->currentRow(), 6);
    QVERIFY(liste->rangSelectionne() == liste->currentRow());
    QVERIFY(liste->modele()->item(liste->currentRow()).startsWith(QStringLiteral("    7 07/03/24")));
    QCOMPARE(Prog().Nombre_QSO, 7);
    QCOMPARE(ctrl<QGroupBox>("Frame4")->title(), QStringLiteral("QSO numéro 8"));
    // The last QSO is selected, but nothing counts as clicked yet.
    QCOMPARE(Prog().Ligne_Selectionnee, QString());
    QVERIFY(Carnet::instance().isVisible());
    QVERIFY(!Carnet::instance().findChild<QWidget*>(QStringLiteral("Liste_QSO_Bis")));
    QCOMPARE(ctrl<QGroupBox>("Frame5")->title(), QStringLiteral("Velmarin de F6ABC"));
    QCOMPARE(ctrl<QLabel>("L_Station")->text(), QStringLiteral("JN23AB"));

    // The entry waits at the callsign, the band already chosen.
    auto* indicatif = ctrl<QLineEdit>("Indicatif_A");
    QVERIFY(indicatif->isEnabled());
    QCOMPARE(Couleurs_Etat::fond(indicatif), Couleurs_Etat::depuisBGR(0xC0FFC0));
    QVERIFY(ctrl<QComboBox>("Bande_A")->isEnabled());
    QCOMPARE(Couleurs_Etat::fond(ctrl<QComboBox>("Bande_A")), Couleurs_Etat::depuisBGR(0xC0FFFF));
    for (const char* ferme : {"Depart_A", "Locator_A", "Date_A", "Debut_A", "Fin_A", "RSTE_A", "RSTR_A", "Prenom_A",
                              "QTH_A", "Remarques_A", "QSLE_A", "QSLR_A"})
        QVERIFY2(!ctrl<QWidget>(ferme)->isEnabled(), ferme);
    QVERIFY(!ctrl<QWidget>("Mode_A")->isEnabled());
    QVERIFY(!ctrl<QWidget>("Activ_A")->isEnabled());
    QVERIFY(!ctrl<QPushButton>("Enregistrer")->isEnabled());
    QCOMPARE(ctrl<QPushButton>("Enregistrer")->text(), QStringLiteral("QSO Suivant"));
    QVERIFY(!ctrl<QPushButton>("Editer")->isEnabled());
    QVERIFY(!ctrl<QPushButton>("Effacer")->isEnabled());
    QVERIFY(!Prog().Edition_En_Cours);

    // The focus came back to the callsign after the log load.
    QVERIFY(test::aLeFocus(Carnet::instance(), indicatif));

    // The grid shows the department view of the entry band.
    QVERIFY(ctrl<QRadioButton>("Option1_1")->isChecked());
    QVERIFY(!ctrl<QComboBox>("Carre_Grille")->isEnabled());
    QCOMPARE(ctrl<QComboBox>("Bande_Grille")->currentText(), QStringLiteral("1.8 Mhz"));
    QCOMPARE(ctrl<QGroupBox>("Frame3")->title(), QStringLiteral(" 0 Départements sur 1.8 Mhz"));
}

void TestCarnetDemarrage::listesFixesEtHistorique()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    Carnet::instance().Form_Load();

    const QStringList bandes = test::elements(ctrl<QComboBox>("Bande_A"));
    QCOMPARE(bandes.size(), 17);
    QCOMPARE(bandes.first(), QStringLiteral("1.8 Mhz"));
    QCOMPARE(bandes.at(9), QStringLiteral("50 Mhz"));
    QCOMPARE(bandes.last(), QStringLiteral("24 Ghz"));
    QCOMPARE(test::elements(ctrl<QComboBox>("Bande_Grille")), bandes);
    const QStringList modes = test::elements(ctrl<QComboBox>("Mode_A"));
    QCOMPARE(modes.size(), 16);
    QCOMPARE(modes.first(), QStringLiteral("SSB"));
    QCOMPARE(modes.last(), QStringLiteral("AUTRE"));
    // The fields in the grid's order; none is chosen until the operator picks one.
    auto* champs = ctrl<QComboBox>("Carre_Grille");
    QCOMPARE(test::elements(champs), QStringList({"IO", "IN", "IM", "JO", "JN", "JM", "KO", "KN", "KM"}));
    QCOMPARE(champs->currentIndex(), -1);
    QCOMPARE(champs->currentText(), QString());

    // The version history: ten lines, each ended by CR LF, the last with its trailing blank.
    const QString h = Prog().Historique_Versions;
    QVERIFY(h.endsWith(QStringLiteral("\r\n")));
    const QStringList lignes = h.left(h.size() - 2).split(QStringLiteral("\r\n"));
    QCOMPARE(lignes.size(), 10);
    QCOMPARE(lignes.first(), QStringLiteral("V1.0.0   le 18/11/2003 creation"));
    QCOMPARE(lignes.at(5), QStringLiteral("V5.6.5   le 06/11/2007 Ajout option séparateur '/' et ':' en automatique"));
    QCOMPARE(lignes.at(6), QStringLiteral("V5.6.6   le 23/11/2007 Ajout affichage des QSO effectués par département"));
    QCOMPARE(lignes.last(), QStringLiteral("V5.6.9   le 22/03/2009 Correction erreur 62 suite a modif de DX Cluster "));
    QCOMPARE(Prog().Revision_Programme, QStringLiteral(" 5.6.9d"));
    // The geometry constants take pi as 3.141592654.
    QCOMPARE(Prog().Rayon_Terre, 40076.59 / 3.141592654 / 2);
    QCOMPARE(Prog().Radians_Degres, 180 / 3.141592654);
}

void TestCarnetDemarrage::optionsParDefaut()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    Carnet::instance().Form_Load();

    QVERIFY(action("Mnu_UTC_Oui")->isChecked());
    QVERIFY(!action("Mnu_UTC_Non")->isChecked());
    QVERIFY(!action("Mnu_Sep_Oui")->isChecked());
    QVERIFY(action("Mnu_Sep_Non")->isChecked());
    QVERIFY(action("Mnu_Auto_Oui")->isChecked());
    QVERIFY(!action("Mnu_Auto_Non")->isChecked());
    QCOMPARE(ctrl<QLabel>("Label15")->text(), QStringLiteral("Date automatique"));
    QVERIFY(!action("Mnu_Exp_Oui")->isChecked());
    QVERIFY(action("Mnu_Exp_Non")->isChecked());
    QVERIFY(!ctrl<QPushButton>("Exporter")->isEnabled());
    QCOMPARE(ctrl<QComboBox>("Bande_A")->currentText(), QStringLiteral("1.8 Mhz"));
    QCOMPARE(ctrl<QComboBox>("Mode_A")->currentText(), QStringLiteral("SSB"));
    // An empty log: nothing selected, the next QSO is number 1.
    QCOMPARE(ctrl<Vue_Liste_QSO>("Liste_QSO")->count(), 0);
    QCOMPARE(ctrl<Vue_Liste_QSO>("Liste_QSO")->currentRow(), -1);
    QCOMPARE(ctrl<QGroupBox>("Frame4")->title(), QStringLiteral("QSO numéro 1"));
}

void TestCarnetDemarrage::optionsEnregistrees()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    const QString s = QStringLiteral("Setup F6ABC");
    test::ecrireReglage(s, QStringLiteral("Heure UTC"), QStringLiteral("False"));
    test::ecrireReglage(s, QStringLiteral("Separateur"), QStringLiteral("True"));
    test::ecrireReglage(s, QStringLiteral("Date Automatique"), QStringLiteral("False"));
    test::ecrireReglage(s, QStringLiteral("Exporter QSO"), QStringLiteral("True"));
    test::ecrireReglage(s, QStringLiteral("Chemin Sauvegarde"), QStringLiteral("/sauve/F6ABC"));
    test::ecrireReglage(s, QStringLiteral("Numero Sauvegarde"), QStringLiteral("40"));
    test::ecrireReglage(s, QStringLiteral("Delta Sauvegarde"), QStringLiteral("25"));
    Carnet::instance().Form_Load();

    QVERIFY(!action("Mnu_UTC_Oui")->isChecked());
    QVERIFY(action("Mnu_UTC_Non")->isChecked());
    QVERIFY(action("Mnu_Sep_Oui")->isChecked());
    QVERIFY(!action("Mnu_Sep_Non")->isChecked());
    QVERIFY(!action("Mnu_Auto_Oui")->isChecked());
    QVERIFY(action("Mnu_Auto_Non")->isChecked());
    QCOMPARE(ctrl<QLabel>("Label15")->text(), QStringLiteral("Date manuelle"));
    QVERIFY(action("Mnu_Exp_Oui")->isChecked());
    QVERIFY(ctrl<QPushButton>("Exporter")->isEnabled());
    QCOMPARE(Prog().Chemin_Sauvegarde, QStringLiteral("/sauve/F6ABC"));
    QCOMPARE(Prog().Numero_Sauvegarde, 40.0);
    QCOMPARE(Prog().Delta_Sauvegarde, QStringLiteral("25"));
    // Only the exact text "True" switches an option on.
    test::ecrireReglage(s, QStringLiteral("Heure UTC"), QStringLiteral("true"));
    Carnet::detruireInstance();
    Carnet::instance().Form_Load();
    QVERIFY(action("Mnu_UTC_Non")->isChecked());
}

void TestCarnetDemarrage::indicatifAvecBarre()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC_P"), journal(2));
    Carnet::instance().Form_Load();

    QCOMPARE(Prog().Indicatif_Station, QStringLiteral("F6ABC_P"));
    QCOMPARE(ctrl<QLabel>("I_Station")->text(), QStringLiteral("F6ABC/P"));
    QCOMPARE(ctrl<QGroupBox>("Frame5")->title(), QStringLiteral("Velmarin de F6ABC/P"));
    // Files and settings keep the "_" form.
    QCOMPARE(ctrl<Vue_Liste_QSO>("Liste_QSO")->count(), 2);
    QCOMPARE(test::reglage(QStringLiteral("Setup F6ABC_P"), QStringLiteral("Revision")), QStringLiteral(" 5.6.9d"));
    QVERIFY(QFile::exists(env.chemin(QStringLiteral("F6ABC_P_Activite.txt"))));
}

void TestCarnetDemarrage::bandeModeEtActivite()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    const QString s = QStringLiteral("Setup F6ABC");
    test::ecrireReglage(s, QStringLiteral("bande Utilisee"), QStringLiteral("10"));
    test::ecrireReglage(s, QStringLiteral("Mode Utilise"), QStringLiteral("1"));
    test::ecrireReglage(s, QStringLiteral("NB Activite"), QStringLiteral("3"));
    test::ecrireReglage(s, QStringLiteral("Activite0"), QStringLiteral("QSO"));
    test::ecrireReglage(s, QStringLiteral("Activite1"), QStringLiteral("DFCF"));
    test::ecrireReglage(s, QStringLiteral("Activite2"), QStringLiteral("DMF"));
    test::ecrireReglage(s, QStringLiteral("Activite"), QStringLiteral("2"));
    Carnet::instance().Form_Load();

    QCOMPARE(ctrl<QComboBox>("Bande_A")->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 Mhz"));
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("144 Mhz"));
    QCOMPARE(ctrl<QComboBox>("Bande_Grille")->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(ctrl<QGroupBox>("Frame3")->title(), QStringLiteral(" 0 Départements sur 144 Mhz"));
    QCOMPARE(ctrl<QComboBox>("Mode_A")->currentText(), QStringLiteral("CW"));
    auto* activ = ctrl<QComboBox>("Activ_A");
    QCOMPARE(activ->count(), 3);
    QCOMPARE(activ->currentIndex(), 2);
    QCOMPARE(activ->currentText(), QStringLiteral("DMF"));
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F6ABC_Activite.txt"))), QByteArray("QSO\r\nDFCF\r\nDMF\r\n"));

    // "-1" (an activity typed outside the list) leaves nothing selected.
    test::ecrireReglage(s, QStringLiteral("Activite"), QStringLiteral("-1"));
    Carnet::detruireInstance();
    Carnet::instance().Form_Load();
    QCOMPARE(ctrl<QComboBox>("Activ_A")->currentIndex(), -1);
}

void TestCarnetDemarrage::activitesAbsentes()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    Carnet::instance().Form_Load();

    auto* activ = ctrl<QComboBox>("Activ_A");
    QCOMPARE(activ->count(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(activ->itemText(i), QStringLiteral("err1"));
    QCOMPARE(activ->currentIndex(), 0);
    // The mirror file reads the same settings with its own defaults.
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F6ABC_Activite.txt"))), QByteArray("XXX\r\nXXX\r\n"));
    QCOMPARE(Prog().Nombre_Activites, 2.0);
}

void TestCarnetDemarrage::journalIntrouvable()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), {});
    QFile::remove(env.chemin(QStringLiteral("F6ABC.log")));
    Carnet::instance().Form_Load();

    // The operator is told which file is missing; the logbook opens empty and goes on.
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY2(env.textes().front().contains(QStringLiteral("F6ABC.log")), qPrintable(env.textes().front()));
    QVERIFY(!env.finDemandee());
    QVERIFY(Carnet::instance().isVisible());
    QCOMPARE(ctrl<Vue_Liste_QSO>("Liste_QSO")->count(), 0);
    QCOMPARE(Prog().Nombre_QSO, 0);
    QCOMPARE(ctrl<QGroupBox>("Frame4")->title(), QStringLiteral("QSO numéro 1"));
    QCOMPARE(test::reglage(QStringLiteral("Setup F6ABC"), QStringLiteral("Revision")), QStringLiteral(" 5.6.9d"));
    QVERIFY(QFile::exists(env.chemin(QStringLiteral("F6ABC_Activite.txt"))));
    QVERIFY(ctrl<QLineEdit>("Indicatif_A")->isEnabled());
}

void TestCarnetDemarrage::fichierDepartementIntrouvable()
{
    test::Environnement env;
    preparerStation(env, QStringLiteral("F6ABC"), journal(1));
    QFile::remove(env.chemin(QStringLiteral("F6ABC_Departement.txt")));
    // The error window waits for the operator, who quits.
    QTimer::singleShot(50, [] { plateforme::terminerProgramme(); });
    Carnet::instance().Form_Load();

    QVERIFY(env.finDemandee());
    // The start-up stopped at the grid: no log loaded, nothing written back.
    QCOMPARE(ctrl<Vue_Liste_QSO>("Liste_QSO")->count(), 0);
    QCOMPARE(test::reglage(QStringLiteral("Setup F6ABC"), QStringLiteral("Revision")), QStringLiteral("<absent>"));
}

void TestCarnetDemarrage::controlesNommes()
{
    test::Environnement env;
    Carnet& c = Carnet::instance();
    QCOMPARE(c.findChild<QLineEdit*>(QStringLiteral("Dpt_0")), c.Dpt[0]);
    QCOMPARE(c.findChild<QLineEdit*>(QStringLiteral("Dpt_99")), c.Dpt[99]);
    QCOMPARE(c.Dpt[96]->text(), QStringLiteral("2a"));
    QVERIFY(c.Dpt[42]->isReadOnly());
    QCOMPARE(c.findChild<QRadioButton*>(QStringLiteral("Option1_2"))->text(), QStringLiteral("Carré locator"));
    QVERIFY(c.Option1[0] == nullptr);
    QCOMPARE(c.Editer->text(), QStringLiteral(" Editer  QSO"));
    QCOMPARE(c.Annuler->toolTip(), QStringLiteral("Efface les données en cours de saisie"));
    QCOMPARE(c.Liste_QSO->toolTip(), QStringLiteral("Double click sur une ligne pour l'afficher, l'editer ou la supprimer"));
    QVERIFY(c.Timer1->isActive());
    QCOMPARE(c.Timer1->interval(), 1000);
    QCOMPARE(carnet(), static_cast<Controles_Carnet*>(&c));
}

void TestCarnetDemarrage::fermeture()
{
    {
        test::Environnement env;
        preparerStation(env, QStringLiteral("F6ABC"), {});
        Carnet::instance().Form_Load();
        Carnet::instance().close();
        QVERIFY(env.finDemandee());
        QVERIFY(env.messages.empty());
    }
    {
        test::Environnement env;
        preparerStation(env, QStringLiteral("F6ABC"), {});
        Carnet::instance().Form_Load();
        action("Mnu_Quitter")->trigger();
        QVERIFY(env.finDemandee());
        QVERIFY(!Carnet::instance().isVisible());
    }
    QCOMPARE(carnet(), nullptr);
}

QTEST_MAIN(TestCarnetDemarrage)
#include "tst_carnet_demarrage.moc"
