// The operations that replace several files as one (restore, reset, backup, new station) cut
// short by a disk that fails for good or by a kill, then the next start: it finishes or undoes
// what they left, whole, removes what they left behind, and touches nothing else.
#include "commun/Outils_Test.h"

#include "exchange/Sauvegarde.h"
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Variables_Programme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>


namespace {

using Instantane = std::map<QString, QByteArray>;
const QString Indicatif = QStringLiteral("F5XYZ");

// The files of the station in the program folder.
Instantane fichiersStation(const test::Environnement& env)
{
    Instantane s;
    for (const auto& [nom, octets] : test::instantane(env.dossier()))
        if (nom.startsWith(Indicatif))
            s[nom] = octets;
    return s;
}

// The next start of the program.
Carnet& redemarrer(test::Environnement& env)
{
    env.oublierMessages();
    Carnet::detruireInstance();
    Carnet& c = Carnet::instance();
    c.Form_Load();
    return c;
}

} // namespace

class TestEnsemblesInterrompus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Renames failing from the second on during a restore or a reset: the operator is told the
    // set will be taken up at the next start (never that nothing changed), and the next start
    // leaves every file of the station old or every one new.
    void disqueEnPanneDurable_data()
    {
        QTest::addColumn<bool>("restauration");
        QTest::addColumn<int>("reprise");  // the first rename that fails again after the 2nd
        QTest::addColumn<bool>("nouveau");
        QTest::newRow("restauration, du 2e au dernier") << true << 3 << true;
        QTest::newRow("restauration, le 2e puis dès le 4e") << true << 4 << false;
        QTest::newRow("remise à zéro, du 2e au dernier") << false << 3 << true;
        QTest::newRow("remise à zéro, le 2e puis dès le 4e") << false << 4 << false;
    }
    void disqueEnPanneDurable()
    {
        QFETCH(bool, restauration);
        QFETCH(int, reprise);
        QFETCH(bool, nouveau);
        test::Environnement env;
        test::StationTest s;
        s.journal = test::journalEssai(3);
        Carnet& c = test::demarrerStation(env, s);
        QVERIFY(echange::sauvegarder(Indicatif, echange::prefixeSauvegarde(Indicatif)).isEmpty());
        Ajoute_QSO_Log(test::journalEssai(4).last());
        const Instantane avant = fichiersStation(env);
        {
            const test::Panne panne(test::Appel::Rename, [&](int n) {
                return n == 2 || n >= reprise ? test::Effet::Echec : test::Effet::Normal;
            });
            if (restauration)
                c.Mnu_Restauration_Click();
            else
                c.Mnu_RAZ_All_Click();
        }
        const QString message = env.textes().last();
        QVERIFY2(!message.contains("Aucun fichier n'a été modifié") && message.contains("au prochain démarrage"),
                 qPrintable(message));
        // Until then the program writes none of the set's files: a QSO saved, a mark written to
        // an award file are refused, each told once; what the next start must judge is intact.
        const Instantane suspendu = test::instantane(env.dossier());
        env.oublierMessages();
        test::taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0, {}, {}, {},
                           QStringLiteral("Jean"), {}, {}});
        c.Enregistrer->click();
        QStringList refus = env.textes().filter("redémarrage");
        QVERIFY2(refus.size() == 1 && refus.first().contains(Indicatif), qPrintable(env.textes().join('|')));
        try {
            Ecrit_Etat_Departement(QStringLiteral("31"), QStringLiteral("C"), QStringLiteral("144 Mhz"));
            QFAIL("the award file was written");
        } catch (const plateforme::ErreurFichier& e) {
            QVERIFY2(e.messageFrancais().contains("redémarrage"), qPrintable(e.messageFrancais()));
        }
        QVERIFY(test::instantane(env.dossier()) == suspendu);
        // Nor is a backup made of them: it would be of neither the old files nor the new ones,
        // and would replace a whole backup.
        const QString prefixe = echange::prefixeSauvegarde(Indicatif);
        const QString dossierSauvegarde = QFileInfo(plateforme::chemin(prefixe)).absolutePath();
        const Instantane sauvegarde = test::instantane(dossierSauvegarde);
        const QStringList echecs = echange::sauvegarder(Indicatif, prefixe);
        QVERIFY2(echecs.size() == 1 && echecs.first().contains("redémarrage"), qPrintable(echecs.join('|')));
        QVERIFY(test::instantane(dossierSauvegarde) == sauvegarde);
        redemarrer(env);
        QVERIFY2(env.messages.empty(), qPrintable(env.textes().join('|')));
        const Instantane maintenant = fichiersStation(env);
        if (!nouveau) {
            QVERIFY(maintenant == avant);
            return;
        }
        QCOMPARE(maintenant.at(Indicatif + ".log"), test::enAnsi(restauration ? test::journalEssai(3) : QStringList()));
        for (const QString suffixe : {"_Departement.txt", "_Locator.txt", "_Prefixe.txt"})
            QCOMPARE(maintenant.at(Indicatif + suffixe), restauration ? avant.at(Indicatif + suffixe)
                                                                      : test::lireOctets(env.chemin("FXXXX" + suffixe)));
    }

    // A backup killed while it writes its copies, before its journal: the hidden whole copies
    // of the log it leaves in the station's backup folder (its own, or one the operator chose)
    // go at the next start.
    void sauvegardeTueeAvantSonJournal_data()
    {
        QTest::addColumn<bool>("choisi");
        QTest::newRow("dossier de la station") << false;
        QTest::newRow("dossier choisi") << true;
    }
    void sauvegardeTueeAvantSonJournal()
    {
        QFETCH(bool, choisi);
        test::Environnement env;
        QTemporaryDir ailleurs;
        if (choisi)
            test::ecrireReglageStation(Indicatif, "Chemin Sauvegarde", ailleurs.path() + "/" + Indicatif);
        test::StationTest s;
        s.journal = test::journalEssai(20);
        test::demarrerStation(env, s);
        const QString prefixe = echange::prefixeSauvegarde(Indicatif);
        QCOMPARE(prefixe.startsWith(ailleurs.path()), choisi);
        QVERIFY(echange::sauvegarder(Indicatif, prefixe).isEmpty());
        const QString dossier = QFileInfo(prefixe).absolutePath();
        const Instantane sauvegarde = test::instantane(dossier);
        for (int tue = 2; tue <= 5; ++tue)
            QVERIFY(test::tuerAvantAppel(test::Appel::Write, tue, [&] { echange::sauvegarder(Indicatif, prefixe); }));
        QVERIFY(test::instantane(dossier).size() > sauvegarde.size());
        redemarrer(env);
        QVERIFY(test::instantane(dossier) == sauvegarde);
    }

    // A new station's files written as one, the set finished by a start; the station's log
    // then holds QSOs when a copy of the folder brings back an undo journal of that set. The
    // start deletes nothing: it says so once and keeps the journal aside.
    void journalDeCreationRevenu()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = test::journalEssai(3);
        test::demarrerStation(env, s);
        QVERIFY(test::tuerAvantAppel(test::Appel::Rename, 2, [] { Cree_Fichiers_Indicatif(QStringLiteral("F6NEW")); }));
        QString journal;
        for (const QString& n : QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden))
            if (n.startsWith(".Velmarin~ensemble~"))
                journal = n;
        QVERIFY(!journal.isEmpty());
        const QByteArray texte = test::lireOctets(env.chemin(journal));
        redemarrer(env);
        QVERIFY(env.messages.empty());
        QVERIFY(QFile::exists(env.chemin("F6NEW_Activite.txt")));
        test::ecrireOctets(env.chemin("F6NEW.log"), test::enAnsi(test::journalEssai(5)));
        const Instantane avant = test::instantane(env.dossier());
        test::ecrireOctets(env.chemin(".Velmarin~annulation~" + journal.right(6)), texte);

        redemarrer(env);
        QCOMPARE(env.textes().size(), 1);
        QVERIFY2(env.textes().first().contains("n'a pas été repris"), qPrintable(env.textes().first()));
        Instantane maintenant = test::instantane(env.dossier());
        QCOMPARE(maintenant.at("Velmarin journal non repris " + journal.right(6) + ".txt"), texte);
        maintenant.erase("Velmarin journal non repris " + journal.right(6) + ".txt");
        QVERIFY(maintenant == avant);
        redemarrer(env);
        QVERIFY(env.messages.empty());
    }
};

QTEST_MAIN(TestEnsemblesInterrompus)
#include "tst_ensembles_interrompus.moc"
