// The award-programme export: each companion's line byte for byte, the duplicate searches,
// the refusals (companion missing, file or folder missing, award word misplaced) and the
// two ways in from the main window.
#include "commun/Outils_Test.h"

#include "exchange/Export_Programmes.h"
#include "exchange/Fenetre_Exporter_QSO.h"
#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace echange;

namespace {

QString blancs(int n)
{
    return QString(n, QLatin1Char(' '));
}

// A castle activation of F5ABC, first name typed in lower case.
QString record(const QString& qth, const QString& departement = QStringLiteral("89"))
{
    station::Ligne_QSO l = station::Ligne_QSO::depuis(test::ligneQSO(
        QStringLiteral("15/03/24"), QStringLiteral("F5ABC"), QStringLiteral("14:35"), QStringLiteral("144 Mhz"),
        QStringLiteral("rené")));
    l.Departement_QSO = departement;
    l.Locator_QSO = QStringLiteral("JN18DQ");
    l.RST_Recu = QStringLiteral("57");
    l.QTH_QSO = qth;
    return l.texte();
}

// A companion programme set up in its own settings, its folder under the program folder.
QString installer(const test::Environnement& env, const QString& application, const QString& indicatif,
                  const QString& annee = QString())
{
    const QString dossier = env.dossier() + QStringLiteral("/") + application;
    QDir().mkpath(dossier);
    plateforme::SaveSetting(application, QStringLiteral("Setup "), QStringLiteral("Indicatif Station"), indicatif);
    plateforme::SaveSetting(application, QStringLiteral("Setup "), QStringLiteral("Chemin Repertoire"), dossier);
    if (!annee.isEmpty())
        plateforme::SaveSetting(application, QStringLiteral("Setup ") + indicatif, QStringLiteral("Annee Bravik"), annee);
    return dossier;
}

// Selects the QSO as a click on the list does.
void selectionner(const QString& ligne)
{
    Prog().Ligne_Selectionnee = station::itemListe(1, ligne);
}

// Opens the window for the selected QSO, lets `action` run in it, and waits for it to close.
void ouvrir(const std::function<void(Exporter_QSO&)>& action)
{
    QTimer::singleShot(0, [action] {
        Exporter_QSO& f = Exporter_QSO::instance();
        action(f);
        if (f.isVisible())
            f.C_Non->click();
    });
    Exporter_QSO::afficher(true);
}

} // namespace

class TestExportProgrammes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void lignesDesProgrammes_data();
    void lignesDesProgrammes();
    void doublonRefuse();
    void nouvelleProvince();
    void prenomsQuiChangentALaMajuscule();
    void fichierOuDossierAbsent();
    void reglagesDuProgrammeCompagnon();
    void fenetreSelonLeQTH();
    void ligneAjouteeEntiere();
    void boutonExporter();
    void apresLEnregistrement();
};

void TestExportProgrammes::cleanup()
{
    Exporter_QSO::detruireInstance();
}

void TestExportProgrammes::lignesDesProgrammes_data()
{
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("qth");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("ligne");
    const QString suite = QStringLiteral(" 15/03/24 14:35 SSB 144 Mhz 57  59  ");
    QTest::newRow("DFCF") << "Bravik_DFCF" << "DFCF 89125" << "F6KDF_Bravik_DFCF_2024.txt"
                          << "15/03/24  89125  Chateau Contacte        F5ABC       ";
    QTest::newRow("DMF") << "Bravik_DMF" << "DMF 89025" << "F6KDF_Bravik_DMF_2024.txt"
                         << "15/03/24  89025  Moulin Contacte         F5ABC       ";
    QTest::newRow("DCI") << "DCI" << "DCI IM122" << "F6KDF_DCI.log"
                         << "F5ABC             RENÉ            IM122" + suite + blancs(67);
    QTest::newRow("DAI") << "DAI" << "DAI PM0571" << "F6KDF_DAI.log"
                         << "F5ABC             RENÉ            PM0571" + suite + blancs(62);
    QTest::newRow("DPLF") << "DPLF" << "DPLF PB141" << "F6KDF_DPLF.log"
                          << "F5ABC        89   RENÉ            PB141" + suite + blancs(32);
}

// Through the window: the line appended to the companion's own file, byte for byte.
void TestExportProgrammes::lignesDesProgrammes()
{
    QFETCH(QString, application);
    QFETCH(QString, qth);
    QFETCH(QString, fichier);
    QFETCH(QString, ligne);
    test::Environnement env;
    const QString dossier = installer(env, application, QStringLiteral("F6KDF"), QStringLiteral("2024"));
    const QByteArray avant = test::enAnsi({QStringLiteral("ligne existante")});
    test::ecrireOctets(dossier + QLatin1Char('/') + fichier, avant);
    selectionner(record(qth));

    ouvrir([&](Exporter_QSO& f) {
        QCOMPARE(f.Label3->text(), QStringLiteral("F5ABC"));
        QCOMPARE(f.Label5->text(), qth);
        QVERIFY(f.C_Oui->isEnabled());
        f.C_Oui->click();
    });
    QCOMPARE(test::lireOctets(dossier + QLatin1Char('/') + fichier), avant + test::enAnsi({ligne}));
    QVERIFY(!Exporter_QSO::instance().isVisible());
    // DCI and DAI also announce the first activation of a province or region.
    if (application == "DCI")
        QCOMPARE(env.textes(), QStringList{"IM Nouvelle Province"});
    else if (application == "DAI")
        QCOMPARE(env.textes(), QStringList{"PM Nouvelle Region"});
    else
        QCOMPARE(env.textes(), QStringList());
}

void TestExportProgrammes::doublonRefuse()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("Bravik_DFCF"), QStringLiteral("F6KDF"), QStringLiteral("2023"));
    const QString fichier = dossier + QStringLiteral("/F6KDF_Bravik_DFCF_2023.txt");
    const QByteArray contenu = test::enAnsi({
        QStringLiteral("01/05/23  89125  Chateau Contacte        F1AAA       "),
        QStringLiteral("03/06/23  89126  Chateau Contacte        F1BBB       "),
        QStringLiteral("12/08/23  89125  Chateau Contacte        F1CCC       "),
    });
    test::ecrireOctets(fichier, contenu);
    const QStringList messages = Cherche_Double(Code_DFCF, QStringLiteral("89125"), QStringLiteral("nouvelle"));
    QCOMPARE(messages, QStringList{"Activation DFCF 89125 deja contactée le 12/08/23"});
    QCOMPARE(test::lireOctets(fichier), contenu);
}

void TestExportProgrammes::nouvelleProvince()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("DCI"), QStringLiteral("F6KDF"));
    const QString fichier = dossier + QStringLiteral("/F6KDF_DCI.log");
    const QString existante = QStringLiteral("I1AAA             MARIO           IM100 02/02/24 10:00 CW  14 Mhz 599 599 ");
    test::ecrireOctets(fichier, test::enAnsi({existante}));

    // Same province, new castle: appended, no announce.
    QCOMPARE(Cherche_Double(Code_DCI, QStringLiteral("IM122"), QStringLiteral("a")), QStringList());
    // A castle already worked: refused with its date; the province is known.
    QCOMPARE(Cherche_Double(Code_DCI, QStringLiteral("IM100"), QStringLiteral("b")),
             QStringList{"Activation DCI IM100 deja contactée le 02/02/24"});
    // A new province: appended, then announced.
    QCOMPARE(Cherche_Double(Code_DCI, QStringLiteral("LO001"), QStringLiteral("c")), QStringList{"LO Nouvelle Province"});
    QCOMPARE(test::lireOctets(fichier), test::enAnsi({existante, "a", "c"}));
}

// First names whose capitals are longer ("ß") or outside Windows-1252 ("µ", "ƒ"): every column
// after the name stays in place, so the same activation is found again in each programme.
void TestExportProgrammes::prenomsQuiChangentALaMajuscule()
{
    const QStringList qths = {"DFCF 89125", "DMF 89025", "DCI IM122", "DAI PM0571", "DPLF PB141"};
    for (int code = Code_DFCF; code <= Code_DPLF; ++code) {
        station::Ligne_QSO l = station::Ligne_QSO::depuis(record(qths[code - 1]));
        const QString temoin = ligneCompagnon(l.texte(), code, referenceAward(l.texte(), code));
        l.Prenom_QSO = QString::fromUtf8("Weiß µ ƒ");
        const QString r = l.texte();
        const QString reference = referenceAward(r, code);
        const QString ligne = ligneCompagnon(r, code, reference);
        QCOMPARE(ligne.size(), temoin.size());
        if (code >= Code_DCI)
            QVERIFY(ligne.contains(QString::fromUtf8("WEIß µ ƒ ")));
        QVERIFY(!plateforme::versAnsi(ligne).contains('?'));
        const Recherche_Double d = chercherDouble({ligne}, code, reference);
        QVERIFY2(d.dejaContacte, qPrintable(ligne));
        QCOMPARE(d.date, QStringLiteral("15/03/24"));
        QVERIFY(!d.nouvelleZone);
    }
}

// The companion's file or folder missing: named to the operator, nothing written, window closed.
void TestExportProgrammes::fichierOuDossierAbsent()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("DPLF"), QStringLiteral("F6KDF"));
    selectionner(record(QStringLiteral("DPLF PB141")));
    ouvrir([](Exporter_QSO& f) { f.C_Oui->click(); });
    QCOMPARE(env.messages.size(), std::size_t(1));
    QVERIFY2(env.textes().at(0).startsWith(QStringLiteral("Le fichier ") + dossier + QStringLiteral("\\F6KDF_DPLF.log")),
             qPrintable(env.textes().at(0)));
    QVERIFY(env.textes().at(0).endsWith(QStringLiteral("Le QSO n'a pas été exporté.")));
    QVERIFY(!Exporter_QSO::instance().isVisible());
    QCOMPARE(QDir(dossier).entryList(QDir::Files), QStringList());

    env.oublierMessages();
    QDir(dossier).removeRecursively();
    QCOMPARE(Cherche_Double(Code_DPLF, QStringLiteral("PB141"), QStringLiteral("x")),
             QStringList{QStringLiteral("Le répertoire ") + dossier +
                         QStringLiteral(" du programme DPLF est introuvable.\r\nLe QSO n'a pas été exporté.")});
    QVERIFY(!QDir(dossier).exists());
}

// Callsign, folder and year come from the companion's application, not from this program's.
void TestExportProgrammes::reglagesDuProgrammeCompagnon()
{
    test::Environnement env;
    QCOMPARE(reglagesCompagnon(Code_DMF).indicatif, QStringLiteral("FXXXX"));
    QCOMPARE(reglagesCompagnon(Code_DMF).dossier, QStringLiteral("X:\\XXXXXXX"));
    QCOMPARE(reglagesCompagnon(Code_DMF).annee, QStringLiteral("XXXX"));
    test::ecrireReglage(QStringLiteral("Setup "), QStringLiteral("Indicatif Station"), QStringLiteral("F0OWN"));
    QVERIFY(!compagnonInstalle(Code_DMF));

    installer(env, QStringLiteral("Bravik_DMF"), QStringLiteral("F6KDF"), QStringLiteral("2025"));
    plateforme::SaveSetting(QStringLiteral("Bravik_DMF"), QStringLiteral("Setup F0OWN"), QStringLiteral("Annee Bravik"),
                            QStringLiteral("1999"));
    const Reglages_Compagnon r = reglagesCompagnon(Code_DMF);
    QCOMPARE(r.indicatif, QStringLiteral("F6KDF"));
    QCOMPARE(r.annee, QStringLiteral("2025"));
    QCOMPARE(fichierCompagnon(Code_DMF, r), r.dossier + QStringLiteral("\\F6KDF_Bravik_DMF_2025.txt"));
    QVERIFY(!compagnonInstalle(Code_DFCF));
    // This program's own station is untouched.
    QCOMPARE(test::reglage(QStringLiteral("Setup "), QStringLiteral("Indicatif Station")), QStringLiteral("F0OWN"));
}

void TestExportProgrammes::fenetreSelonLeQTH()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("Bravik_DFCF"), QStringLiteral("F6KDF"), QStringLiteral("2024"));
    test::ecrireOctets(dossier + QStringLiteral("/F6KDF_Bravik_DFCF_2024.txt"), QByteArray());

    selectionner(record(QStringLiteral("PARIS")));
    ouvrir([](Exporter_QSO& f) {
        QCOMPARE(f.Label9->text(), QStringLiteral("Type de QSO "));
        QCOMPARE(f.Label10->text(), QStringLiteral(" non gere sur ce PC"));
        QVERIFY(!f.C_Oui->isEnabled());
    });

    // A companion that is not installed.
    selectionner(record(QStringLiteral("DMF 89025")));
    ouvrir([](Exporter_QSO& f) {
        QCOMPARE(f.Label7->text(), QStringLiteral("Bravik DMF"));
        QCOMPARE(f.Label9->text(), QStringLiteral("Bravik DMF"));
        QCOMPARE(f.Label10->text(), QStringLiteral(" n'existe pas sur ce PC"));
        QVERIFY(!f.C_Oui->isEnabled());
    });

    // The award word elsewhere than at the start: no reference can be cut from it.
    selectionner(record(QStringLiteral("CHATEAU DFCF 89125")));
    ouvrir([](Exporter_QSO& f) {
        QCOMPARE(f.Label7->text(), QStringLiteral("Bravik DFCF"));
        QVERIFY(!f.C_Oui->isEnabled());
        QVERIFY(!f.Label10->text().isEmpty());
        f.C_Oui_Click();  // even when forced, nothing is exported
    });
    QCOMPARE(test::lireOctets(dossier + QStringLiteral("/F6KDF_Bravik_DFCF_2024.txt")), QByteArray());
    QCOMPARE(reconnaitreAward(QStringLiteral("DFCF 89125 DMF")).code, int(Code_DFCF));
    QCOMPARE(reconnaitreAward(QStringLiteral("DFCF 89125 DMF")).trouve, int(Code_DMF));
    QCOMPARE(referenceAward(record(QStringLiteral("DAI PM0571")), Code_DAI), QStringLiteral("PM0571"));
    QCOMPARE(env.textes(), QStringList());
}

// A companion file whose last line has no line end: the new line still stands on its own.
void TestExportProgrammes::ligneAjouteeEntiere()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("DPLF"), QStringLiteral("F6KDF"));
    const QString fichier = dossier + QStringLiteral("/f6kdf_dplf.LOG");  // names match without regard to case
    test::ecrireOctets(fichier, "F1AAA        29   JEAN            PB001 01/01/24");
    QCOMPARE(Cherche_Double(Code_DPLF, QStringLiteral("PB141"), QStringLiteral("nouvelle ligne")), QStringList());
    QCOMPARE(test::lireOctets(fichier),
             QByteArray("F1AAA        29   JEAN            PB001 01/01/24\r\nnouvelle ligne\r\n"));

    // An append that fails is said and leaves the file as it was.
    plateforme::definirRegleEcriture(QStringLiteral("essai"), [](const QString&) { return QStringLiteral("non"); });
    const QStringList messages = Cherche_Double(Code_DPLF, QStringLiteral("PB142"), QStringLiteral("refusée"));
    plateforme::definirRegleEcriture(QStringLiteral("essai"), {});
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.at(0).startsWith(QStringLiteral("L'exportation du QSO vers DPLF impossible.")),
             qPrintable(messages.at(0)));
    QCOMPARE(test::lireOctets(fichier),
             QByteArray("F1AAA        29   JEAN            PB001 01/01/24\r\nnouvelle ligne\r\n"));
}

// The main window's button exports the QSO clicked in the list.
void TestExportProgrammes::boutonExporter()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("Bravik_DFCF"), QStringLiteral("F6KDF"), QStringLiteral("2024"));
    const QString fichier = dossier + QStringLiteral("/F6KDF_Bravik_DFCF_2024.txt");
    test::ecrireOctets(fichier, QByteArray());
    test::StationTest s;
    s.journal = {record(QStringLiteral("DFCF 89125")), record(QStringLiteral("PARIS"))};
    Carnet& c = test::demarrerStation(env, s);
    c.Mnu_Exp_Oui->trigger();
    QVERIFY(c.Exporter->isEnabled());
    c.Liste_QSO->setCurrentRow(0);
    QTimer::singleShot(0, [] { Exporter_QSO::instance().C_Oui->click(); });
    c.Exporter->click();
    QCOMPARE(test::lireOctets(fichier),
             test::enAnsi({QStringLiteral("15/03/24  89125  Chateau Contacte        F5ABC       ")}));
    QCOMPARE(env.textes(), QStringList());
}

// A QSO appended by the save with the option on and an award activity opens the window.
void TestExportProgrammes::apresLEnregistrement()
{
    test::Environnement env;
    const QString dossier = installer(env, QStringLiteral("DPLF"), QStringLiteral("F6KDF"));
    const QString fichier = dossier + QStringLiteral("/F6KDF_DPLF.log");
    test::ecrireOctets(fichier, QByteArray());
    test::StationTest s;
    s.bande = 4;  // "14 Mhz": a foreign station goes from its callsign to the mode
    Carnet& c = test::demarrerStation(env, s);
    c.Mnu_Exp_Oui->trigger();

    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("G4ABC"));
    QVERIFY(test::aLeFocus(c, c.Mode_A));
    test::entree(c.Mode_A);
    c.Activ_A->setCurrentIndex(3);  // "DPLF"
    test::entree(c.Activ_A);
    test::entree(c.RSTE_A);
    test::entree(c.RSTR_A);
    test::saisir(c.Prenom_A, QStringLiteral("John"));
    QCOMPARE(c.QTH_A->text(), QStringLiteral("DPLF "));  // prefilled by the activity
    test::saisir(c.QTH_A, QStringLiteral("PB141"));
    test::saisir(c.Remarques_A, QString());
    QVERIFY(c.Enregistrer->isEnabled());

    bool ouverte = false;
    QTimer::singleShot(0, [&ouverte] {
        Exporter_QSO& f = Exporter_QSO::instance();
        ouverte = f.isVisible();
        f.C_Oui->click();
    });
    c.Enregistrer->click();
    QVERIFY(ouverte);
    const QString ligne = QString::fromLatin1(test::lireOctets(fichier));
    QVERIFY2(ligne.startsWith(QStringLiteral("G4ABC             JOHN            PB141 15/03/24 ")), qPrintable(ligne));
    QVERIFY(ligne.endsWith(QStringLiteral("\r\n")));
}

QTEST_MAIN(TestExportProgrammes)
#include "tst_export_programmes.moc"
