// The imports, the backup and the restore from the main window's menus.
#include "commun/Outils_Test.h"
#include "exchange/Fenetres_Sauvegarde.h"
#include "exchange/Import.h"
#include "exchange/Sauvegarde.h"
#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Couleurs_Etat.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using plateforme::Reponse;

class TestImportCarnet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void importFormatPropre();
    void annulationsEtRefus();
    void importAdifAvecResume();
    void importEdi();
    void sauvegardeEnEchec();
    void restauration();
    void restaurationRepeintLaGrille();
    void sauvegardesParStation();
    void restaurationDesActivites();
    void parametresDeSauvegarde();
};

namespace {

const QString Station = QStringLiteral("F5XYZ");

void repondreFichier(const QString& chemin)
{
    plateforme::installerRepondeurFichier([chemin](bool, const QString&, const QString&) { return chemin; });
}

QStringList logInitial()
{
    return {test::ligneQSO(QStringLiteral("01/01/24"), QStringLiteral("G0AAA"), QStringLiteral("10:00")),
            test::ligneQSO(QStringLiteral("10/01/24"), QStringLiteral("G0BBB"), QStringLiteral("10:00"))};
}

QString ligneDepartement(const test::Environnement& env, const QString& cle)
{
    for (const QString& l : plateforme::lireLignes(env.chemin(Station + QStringLiteral("_Departement.txt"))))
        if (l.startsWith(cle)) return l;
    return QString();
}

} // namespace

void TestImportCarnet::cleanup()
{
    plateforme::retirerRepondeurFichier();
    Fenetres_Sauvegarde::Detruire();
}

void TestImportCarnet::importFormatPropre()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    Carnet& c = test::demarrerStation(env, s);
    QString a = test::ligneQSO(QStringLiteral("05/01/24"), QStringLiteral("F6ABC"), QStringLiteral("12:00"));
    a.replace(36, 2, QStringLiteral("75"));
    const QString b = test::ligneQSO(QStringLiteral("02/01/24"), QStringLiteral("F6DEF"), QStringLiteral("12:00"));
    test::ecrireOctets(env.chemin(QStringLiteral("bloc.vlm")), test::enAnsi({a, b}));
    repondreFichier(env.chemin(QStringLiteral("bloc.vlm")));

    c.Mnu_Import_VLM->trigger();
    QCOMPARE(test::lignesJournal(env, Station), (QStringList{logInitial()[0], a, b, logInitial()[1]}));
    QCOMPARE(c.Liste_QSO->count(), 4);
    QCOMPARE(c.Liste_QSO->currentRow(), 3);
    QCOMPARE(Prog().Nombre_QSO, 4);
    // The award files were rebuilt from the new log: department 75 worked on 144 Mhz.
    QCOMPARE(ligneDepartement(env, QStringLiteral("75")).mid(13, 1), QStringLiteral("1"));
    QVERIFY(env.textes().contains(QStringLiteral("Le fichier Departement va etre mis a jour a partir du fichier log")));
}

void TestImportCarnet::annulationsEtRefus()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    Carnet& c = test::demarrerStation(env, s);
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    const QByteArray avant = test::lireOctets(log);

    // Cancelled dialog, for each import.
    repondreFichier(QString());
    for (QAction* menu : {c.Mnu_Import_VLM, c.Mnu_Import_ADIF, c.Mnu_Import_EDI}) {
        env.oublierMessages();
        menu->trigger();
        QCOMPARE(env.textes(), QStringList{QStringLiteral("selectionnez un fichier ou quitter")});
        QCOMPARE(test::lireOctets(log), avant);
    }
    // A file that is not what it claims, a missing file.
    test::ecrireOctets(env.chemin(QStringLiteral("faux.vlm")), QByteArray("ceci n'est pas un log\r\n"));
    repondreFichier(env.chemin(QStringLiteral("faux.vlm")));
    env.oublierMessages();
    c.Mnu_Import_VLM->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.textes().at(0).startsWith(QStringLiteral("La ligne 1 n'est pas un QSO Velmarin")));
    repondreFichier(env.chemin(QStringLiteral("absent.adi")));
    env.oublierMessages();
    c.Mnu_Import_ADIF->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    QCOMPARE(test::lireOctets(log), avant);
    QCOMPARE(c.Liste_QSO->count(), 2);
}

void TestImportCarnet::importAdifAvecResume()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    Carnet& c = test::demarrerStation(env, s);
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    const QByteArray avant = test::lireOctets(log);
    test::ecrireOctets(env.chemin(QStringLiteral("qso.adi")),
                       QByteArray("<EOH>\n<CALL:5>F1AAA<QSO_DATE:8>20240103<TIME_ON:4>0900<BAND:2>2m<STATE:2>31<EOR>\n"
                                  "<CALL:5>F1BBB<QSO_DATE:8>20240103<TIME_ON:4>0910<EOR>\n"
                                  "<CALL:5>F1CCC<QSO_DATE:8>20240103<TIME_ON:4>0920<BAND:3>60m<EOR>\n"
                                  "<CALL:5>F1DDD<QSO_DATE:8>20240103<TIME_ON:4>0930<FREQ:6>70.200<EOR>\n"
                                  "<CALL:5>F1EEE<QSO_DATE:8>20240103<TIME_ON:4>0940<BAND:3>60m<EOR>\n"
                                  "<CALL:5>F1FFF<QSO_DATE:8>20240103<TIME_ON:4>0950<BAND:3>40m<EOR>\n"));
    repondreFichier(env.chemin(QStringLiteral("qso.adi")));

    // One box for the whole file, with the QSOs left out counted per band; Annuler leaves the
    // log as it was.
    env.reponses = {Reponse::Annuler};
    env.oublierMessages();
    c.Mnu_Import_ADIF->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    const QString resume = env.textes().at(0);
    QVERIFY(resume.startsWith(QStringLiteral("2 QSO à importer.")));
    QVERIFY(resume.contains(QStringLiteral("bande 60m : 2 QSO")));
    QVERIFY(resume.contains(QStringLiteral("bande 4m : 1 QSO")));
    QVERIFY(resume.contains(QStringLiteral("sans bande ni fréquence : 1 QSO")));
    QCOMPARE(env.messages.at(0).boutons, plateforme::Boutons::OkAnnuler);
    QCOMPARE(test::lireOctets(log), avant);

    // OK: only the QSOs on the log's bands, and no award marked on a band never worked.
    env.oublierMessages();
    c.Mnu_Import_ADIF->trigger();
    const QStringList lignes = test::lignesJournal(env, Station);
    QCOMPARE(lignes.size(), 4);
    QVERIFY(lignes[1].startsWith(QStringLiteral("03/01/24  F1AAA       09:00  09:00  31   ")));
    QVERIFY(lignes[2].startsWith(QStringLiteral("03/01/24  F1FFF       09:50  09:50")));
    for (const QString& l : lignes) QVERIFY(!l.contains(QStringLiteral("1.8 Mhz")));
    QCOMPARE(ligneDepartement(env, QStringLiteral("31")).mid(13, 1), QStringLiteral("1"));
    QCOMPARE(c.Liste_QSO->count(), 4);

    // A file with a header and no QSO: nothing written, and said.
    test::ecrireOctets(env.chemin(QStringLiteral("qso.adi")),
                       QByteArray("<ADIF_VER:5>3.1.4 <PROGRAMID:6>WSJT-X <EOH>\n"));
    const QByteArray apres = test::lireOctets(log);
    env.oublierMessages();
    c.Mnu_Import_ADIF->trigger();
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.textes().at(0).contains(QStringLiteral("aucun QSO")));
    QCOMPARE(test::lireOctets(log), apres);
}

void TestImportCarnet::importEdi()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    Carnet& c = test::demarrerStation(env, s);
    const QByteArray departements = test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt")));
    test::ecrireOctets(env.chemin(QStringLiteral("concours.edi")),
                       test::enAnsi({QStringLiteral("[REG1TEST;1]"), QStringLiteral("PBand=1,3 GHz"),
                                     QStringLiteral("[QSORecords;1]"),
                                     QStringLiteral("240105;0830;F6ABC;1;59;001;59;002;;jn18eu;;;;;")}));
    repondreFichier(env.chemin(QStringLiteral("concours.edi")));
    env.oublierMessages();
    c.Mnu_Import_EDI->trigger();
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    const QStringList lignes = test::lignesJournal(env, Station);
    QCOMPARE(lignes.size(), 3);
    QVERIFY(lignes[1].startsWith(QStringLiteral("05/01/24  F6ABC       08:30  08:30       JN18EU  1.3 Ghz   SSB")));
    // No rebuild after an EDI import.
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt"))), departements);
    QCOMPARE(c.Liste_QSO->currentRow(), 2);
}

void TestImportCarnet::sauvegardeEnEchec()
{
    test::Environnement env;
    test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"),
                               env.chemin(QStringLiteral("disque_retire/")) + Station);
    Carnet& c = test::demarrerStation(env);
    env.oublierMessages();
    QVERIFY(!c.Sauvegarde_Auto());
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.textes().at(0).startsWith(QStringLiteral("La sauvegarde automatique a échoué")));

    // A good prefix: the five files are there, each a copy of its source.
    test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"), env.chemin(QStringLiteral("copie")));
    env.oublierMessages();
    QVERIFY(c.Sauvegarde_Auto());
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Sauvegarde automatique effectuée")});
    for (const char* suffixe : {".bak", "_Departement.bak", "_Locator.bak", "_Prefixe.bak", "_Activite.bak"})
        QVERIFY2(QFileInfo::exists(env.chemin(QStringLiteral("copie") + QLatin1String(suffixe))), suffixe);
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("copie_Prefixe.bak"))),
             test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt"))));
}

void TestImportCarnet::restauration()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    const QString prefixe = env.chemin(QStringLiteral("sauve"));
    test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"), prefixe);
    Carnet& c = test::demarrerStation(env, s);
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    const QByteArray avant = test::lireOctets(log);
    const QByteArray activites = test::lireOctets(env.chemin(Station + QStringLiteral("_Activite.txt")));
    const QByteArray ancienLog = test::enAnsi({logInitial()[0]});
    test::ecrireOctets(prefixe + QStringLiteral(".bak"), ancienLog);
    test::ecrireOctets(prefixe + QStringLiteral("_Departement.bak"), "D\r\n");
    test::ecrireOctets(prefixe + QStringLiteral("_Locator.bak"), "L\r\n");
    test::ecrireOctets(prefixe + QStringLiteral("_Activite.bak"), "A\r\n");

    // Cancel, then a set with a missing file: nothing is touched.
    env.reponses = {Reponse::Annuler};
    c.Mnu_Restauration->trigger();
    QCOMPARE(test::lireOctets(log), avant);
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QCOMPARE(env.messages.at(0).icone, plateforme::Icone::Critique);
    QVERIFY(env.textes().at(1).contains(QStringLiteral("sauve_Prefixe.bak")));
    QCOMPARE(test::lireOctets(log), avant);
    QVERIFY(test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt"))) != "D\r\n");

    test::ecrireOctets(prefixe + QStringLiteral("_Prefixe.bak"), "P\r\n");
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.textes().last(), QStringLiteral("Les fichiers :\r\n\r\nIndicatif.log\r\nDepartement.txt\r\n"
                                                 "Locator.txt\r\nPrefixe.txt\r\nSont restaurés"));
    QCOMPARE(test::lireOctets(log), ancienLog);
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt"))), QByteArray("D\r\n"));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt"))), QByteArray("P\r\n"));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Activite.txt"))), activites);
    QCOMPARE(c.Liste_QSO->count(), 1);
}

// After a restore the department grid and its caption show the restored file, not the one
// it replaced.
void TestImportCarnet::restaurationRepeintLaGrille()
{
    test::Environnement env;
    test::StationTest s;
    s.journal = logInitial();
    test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"), env.chemin(QStringLiteral("sauve")));
    Carnet& c = test::demarrerStation(env, s);
    QVERIFY(c.Sauvegarde_Auto());  // nothing worked yet

    // Then department 75 worked on 144 MHz, its QSL sent, shown by the grid.
    QStringList departements = plateforme::lireLignes(env.chemin(Station + QStringLiteral("_Departement.txt")));
    for (QString& l : departements)
        if (l.startsWith(QStringLiteral("75 ")))
            l = test::ligneDepartement(QStringLiteral("75"), QStringLiteral("144 Mhz"), QLatin1Char('2'), l.mid(21));
    plateforme::ecrireLignes(Station + QStringLiteral("_Departement.txt"), departements);
    c.Bande_Grille_Click();
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[75]), test::Envoyee);
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 1 Départements sur 144 Mhz"));

    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[75]), Couleurs_Etat::fondFenetre());
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 0 Départements sur 144 Mhz"));
    QCOMPARE(Prog().Compteur_Carte, 0.0);
}

void TestImportCarnet::sauvegardesParStation()
{
    // Two stations without a chosen backup place back up side by side in the program folder,
    // each in a folder named with its callsign, and each restore brings back its own files.
    test::Environnement env;
    test::StationTest s;
    s.indicatif = QStringLiteral("F1AAA");
    s.journal = logInitial();
    Carnet& c = test::demarrerStation(env, s);
    QVERIFY(c.Sauvegarde_Auto());
    QVERIFY(QFileInfo::exists(env.chemin(QStringLiteral("F1AAA/F1AAA.bak"))));
    QVERIFY(QFileInfo::exists(env.chemin(QStringLiteral("F1AAA/F1AAA_Activite.bak"))));

    const auto fichiers = [&env](const QString& indicatif) {
        QList<QByteArray> f;
        for (const char* suffixe : {".log", "_Departement.txt", "_Locator.txt", "_Prefixe.txt", "_Activite.txt"})
            f << test::lireOctets(env.chemin(indicatif + QLatin1String(suffixe)));
        return f;
    };
    Prog().Indicatif_Station = QStringLiteral("F2BBB");
    for (const char* suffixe : {"_Departement.txt", "_Locator.txt", "_Prefixe.txt"})
        QVERIFY(QFile::copy(env.chemin(QStringLiteral("FXXXX") + QLatin1String(suffixe)),
                            env.chemin(QStringLiteral("F2BBB") + QLatin1String(suffixe))));
    test::ecrireOctets(env.chemin(QStringLiteral("F2BBB.log")), test::enAnsi(test::journalEssai(5)));
    test::ecrireOctets(env.chemin(QStringLiteral("F2BBB_Activite.txt")), test::enAnsi({QStringLiteral("SOTA")}));
    QVERIFY(c.Sauvegarde_Auto());
    const QList<QByteArray> f2 = fichiers(QStringLiteral("F2BBB"));

    // F1AAA logs more, then restores: its own two QSOs come back, F2BBB is untouched.
    Prog().Indicatif_Station = QStringLiteral("F1AAA");
    test::ecrireOctets(env.chemin(QStringLiteral("F1AAA.log")), test::enAnsi(test::journalEssai(9)));
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QCOMPARE(test::lignesJournal(env, QStringLiteral("F1AAA")), logInitial());
    QCOMPARE(fichiers(QStringLiteral("F2BBB")), f2);

    // Backups made before, under the names once shared by every station, are still read; the
    // operator is warned that they may be another station's, and may decline.
    Prog().Indicatif_Station = QStringLiteral("F3CCC");
    test::ecrireOctets(env.chemin(QStringLiteral("F3CCC.log")), test::enAnsi(test::journalEssai(7)));
    test::ecrireOctets(env.chemin(QStringLiteral("F3CCC_Activite.txt")), test::enAnsi({QStringLiteral("QSO")}));
    const QString commun = echange::prefixeSauvegardeCommun();
    QCOMPARE(commun, env.dossier());
    for (const char* suffixe : {".bak", "_Departement.bak", "_Locator.bak", "_Prefixe.bak"})
        test::ecrireOctets(commun + QLatin1String(suffixe), test::enAnsi(test::journalEssai(3)));
    env.oublierMessages();
    env.reponses = {Reponse::Ok, Reponse::Annuler};
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QVERIFY2(env.textes().at(1).contains(QStringLiteral("peut venir d'une autre station")) &&
                 env.textes().at(1).contains(commun + QStringLiteral(".bak")),
             qPrintable(env.textes().at(1)));
    QCOMPARE(test::lignesJournal(env, QStringLiteral("F3CCC")).size(), 7);
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(test::lignesJournal(env, QStringLiteral("F3CCC")), test::journalEssai(3));
    QCOMPARE(fichiers(QStringLiteral("F2BBB")), f2);
    // Once the station has a backup of its own, the shared one is no longer asked about.
    QVERIFY(c.Sauvegarde_Auto());
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QVERIFY(env.textes().at(1).startsWith(QStringLiteral("Les fichiers :")));

    // The shared place that earlier versions stored as the setting when the backup settings
    // were confirmed unchanged is no choice: the station keeps a folder of its own.
    test::ecrireReglageStation(QStringLiteral("F3CCC"), QStringLiteral("Chemin Sauvegarde"), commun);
    const QByteArray partage = test::lireOctets(commun + QStringLiteral(".bak"));
    test::ecrireOctets(env.chemin(QStringLiteral("F3CCC.log")), test::enAnsi(test::journalEssai(4)));
    QVERIFY(c.Sauvegarde_Auto());
    QCOMPARE(test::lireOctets(commun + QStringLiteral(".bak")), partage);
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F3CCC/F3CCC.bak"))), test::lireOctets(env.chemin(QStringLiteral("F3CCC.log"))));

    // A station set up by an earlier version stored "<program folder>\<callsign>": its backups
    // now go to its own folder, and until one is made there the restore reads the set it had
    // beside its log, without asking.
    Prog().Indicatif_Station = QStringLiteral("F4DDD");
    test::ecrireReglageStation(QStringLiteral("F4DDD"), QStringLiteral("Chemin Sauvegarde"),
                               env.dossier() + QStringLiteral("\\F4DDD"));
    for (const char* suffixe : {".bak", "_Departement.bak", "_Locator.bak", "_Prefixe.bak"})
        test::ecrireOctets(env.chemin(QStringLiteral("F4DDD") + QLatin1String(suffixe)), test::enAnsi(test::journalEssai(2)));
    test::ecrireOctets(env.chemin(QStringLiteral("F4DDD.log")), test::enAnsi(test::journalEssai(6)));
    test::ecrireOctets(env.chemin(QStringLiteral("F4DDD_Activite.txt")), test::enAnsi({QStringLiteral("IOTA")}));
    env.oublierMessages();
    c.Mnu_Restauration->trigger();
    QCOMPARE(env.messages.size(), size_t(2));
    QCOMPARE(test::lignesJournal(env, QStringLiteral("F4DDD")), test::journalEssai(2));
    test::ecrireOctets(env.chemin(QStringLiteral("F4DDD.log")), test::enAnsi(test::journalEssai(6)));
    QVERIFY(c.Sauvegarde_Auto());
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F4DDD/F4DDD.bak"))), test::lireOctets(env.chemin(QStringLiteral("F4DDD.log"))));
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("F4DDD.bak"))), test::enAnsi(test::journalEssai(2)));

    // The activity list comes back from where the station's backups are.
    Prog().Indicatif_Station = QStringLiteral("F2BBB");
    env.oublierMessages();
    Fenetres_Sauvegarde::Afficher_Restoration_Activite(false);
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    QCOMPARE(test::elements(test::controle<QListWidget>(QStringLiteral("Restoration_Activite"), QStringLiteral("Liste_Fichiers"))),
             QStringList{QStringLiteral("SOTA")});
}

void TestImportCarnet::restaurationDesActivites()
{
    test::Environnement env;
    const QString prefixe = env.chemin(QStringLiteral("sauve"));
    test::ecrireReglageStation(Station, QStringLiteral("Chemin Sauvegarde"), prefixe);
    Carnet& c = test::demarrerStation(env);

    // No backup: said, the window stays closed, the program goes on.
    env.oublierMessages();
    c.Mnu_Restau_Activite->trigger();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Fichier ") + prefixe + QStringLiteral("_Activite.bak Absent")});
    QVERIFY(!env.finDemandee());

    test::ecrireOctets(prefixe + QStringLiteral("_Activite.bak"),
                       test::enAnsi({QStringLiteral("QSO"), QStringLiteral("Châteaux, moulins"), QStringLiteral("DMF")}));
    Fenetres_Sauvegarde::Afficher_Restoration_Activite(false);
    auto* liste = test::controle<QListWidget>(QStringLiteral("Restoration_Activite"), QStringLiteral("Liste_Fichiers"));
    QVERIFY(liste);
    QCOMPARE(test::elements(liste), (QStringList{"QSO", QString::fromUtf8("Châteaux, moulins"), "DMF"}));
    env.oublierMessages();
    test::controle<QPushButton>(QStringLiteral("Restoration_Activite"), QStringLiteral("Ecriture_BDR"))->click();
    QCOMPARE(env.messages.at(0).boutons, plateforme::Boutons::OkAnnuler);
    QCOMPARE(test::reglageStation(Station, QStringLiteral("NB Activite")), QStringLiteral("3"));
    QCOMPARE(test::reglageStation(Station, QStringLiteral("Activite1")), QString::fromUtf8("Châteaux, moulins"));
}

void TestImportCarnet::parametresDeSauvegarde()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    Fenetres_Sauvegarde::Afficher_Delta_QSO(false);
    auto* val = test::controle<QLineEdit>(QStringLiteral("Delta_QSO"), QStringLiteral("Val_Delta"));
    auto* chemin = test::controle<QLabel>(QStringLiteral("Delta_QSO"), QStringLiteral("Le_Chemin"));
    QVERIFY(val && chemin);
    QCOMPARE(val->text(), QStringLiteral("10"));
    repondreFichier(QString());
    env.oublierMessages();
    test::controle<QPushButton>(QStringLiteral("Delta_QSO"), QStringLiteral("New_Rep"))->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("selectionnez un fichier ou quitter")});
    repondreFichier(env.chemin(QStringLiteral("cle/F5XYZ")));
    test::controle<QPushButton>(QStringLiteral("Delta_QSO"), QStringLiteral("New_Rep"))->click();
    QCOMPARE(chemin->text(), env.chemin(QStringLiteral("cle/F5XYZ")));
    val->setText(QStringLiteral("25"));
    test::controle<QPushButton>(QStringLiteral("Delta_QSO"), QStringLiteral("Command1"))->click();
    QCOMPARE(test::reglageStation(Station, QStringLiteral("Delta Sauvegarde")), QStringLiteral("25"));
    QCOMPARE(test::reglageStation(Station, QStringLiteral("Chemin Sauvegarde")), env.chemin(QStringLiteral("cle/F5XYZ")));
    QCOMPARE(Prog().Delta_Sauvegarde, QStringLiteral("25"));
    QVERIFY(!test::fenetre(QStringLiteral("Delta_QSO"))->isVisible());
    Q_UNUSED(c);
}

QTEST_MAIN(TestImportCarnet)
#include "tst_import_carnet.moc"
