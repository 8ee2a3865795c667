// Writes the logbook refuses, through the real window: the blank templates of a first start,
// a log that did not load, a log too long to number; and a failed prefix mark that still
// lets the QSO be saved.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Indicatif = test::StationTest{}.indicatif;

QStringList journal(int n)
{
    return test::journalEssai(n);
}

// Byte contents of the station's files and the directory.
QList<QByteArray> contenus(const test::Environnement& env, const QString& indicatif)
{
    QList<QByteArray> c;
    for (const QString& suffixe : {QStringLiteral(".log"), QStringLiteral("_Departement.txt"),
                                   QStringLiteral("_Locator.txt"), QStringLiteral("_Prefixe.txt")})
        c << test::lireOctets(env.chemin(indicatif + suffixe));
    c << test::lireOctets(env.chemin(QStringLiteral("Nomenclature.txt")));
    return c;
}

const test::QSO Francais{QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0, {}, {}, {},
                         QStringLiteral("Jean"), QString(), QString()};

} // namespace

class TestGardesJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void premierDemarrageSansStation()
    {
        test::Environnement env;
        const QList<QByteArray> modeles = contenus(env, QStringLiteral("FXXXX"));
        {
            // The station window of the first start is closed without validating.
            QTimer fermeur;
            QObject::connect(&fermeur, &QTimer::timeout, [] {
                if (QWidget* w = QApplication::activeModalWidget())
                    w->close();
            });
            fermeur.start(20);
            Carnet::instance().Form_Load();
        }
        Carnet& c = Carnet::instance();
        QCOMPARE(Prog().Indicatif_Station, QStringLiteral("FXXXX"));
        env.oublierMessages();
        test::taperQSO(c, Francais);
        env.oublierMessages();
        c.Enregistrer->click();
        QCOMPARE(env.messages.size(), size_t(1));
        QVERIFY2(env.textes().at(0).contains(QStringLiteral("n'est pas encore configurée")), qPrintable(env.textes().at(0)));
        QCOMPARE(c.Liste_QSO->count(), 0);
        QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
        // The templates every new station copies are untouched, and no file of the
        // placeholder was made.
        QCOMPARE(contenus(env, QStringLiteral("FXXXX")), modeles);
        QVERIFY(!QFile::exists(env.chemin(QStringLiteral("FXXXX_Activite.txt"))));
        // Every other way in meets the same refusal.
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Ajoute_QSO_Log(journal(1).at(0)));
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier,
                                 plateforme::ecrireLignes(QStringLiteral("fxxxx_departement.txt"), {}));
        // The station window does not take the placeholder as a callsign.
        bool effacer = false;
        QVERIFY(Station::Controle_Indicatif(QStringLiteral("FXXXX"), &effacer).contains(QStringLiteral("réservé")));
        QVERIFY(effacer);
        QVERIFY(Station::Controle_Indicatif(QStringLiteral("FXXXX1"), nullptr).isEmpty());
    }

    void journalNonCharge()
    {
        test::Environnement env;
        test::StationTest s;
        s.journal = journal(200);
        // The log cannot be read at the start (here: it is away), then is back.
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Indicatif_Station, Indicatif);
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Locator_Station, s.locator);
        for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                       QStringLiteral("_Prefixe.txt")})
            QVERIFY(QFile::copy(env.chemin(QStringLiteral("FXXXX") + suffixe), env.chemin(Indicatif + suffixe)));
        test::ecrireReglageStation(Indicatif, Cles_Registre::Date_Automatique, Cles_Registre::Faux);
        test::ecrireReglageStation(Indicatif, Cles_Registre::Separateur, Cles_Registre::Vrai);
        env.fixerHorloge(*s.horloge, 3600);
        Carnet& c = Carnet::instance();
        c.Form_Load();
        QCOMPARE(c.Liste_QSO->count(), 0);
        const QByteArray complet = test::enAnsi(s.journal);
        test::ecrireOctets(env.chemin(Indicatif + QStringLiteral(".log")), complet);
        const QList<QByteArray> avant = contenus(env, Indicatif);

        // A save (inserted by date: a rewrite from the empty list) is refused, naming the log;
        // nothing else is written either.
        test::taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0,
                           QStringLiteral("150324"), QStringLiteral("1200"), {}, {}, {}, {}});
        env.oublierMessages();
        c.Enregistrer->click();
        QCOMPARE(env.messages.size(), size_t(1));
        const QString refus = env.textes().at(0);
        QVERIFY2(refus.contains(QStringLiteral("n'a PAS été enregistré")) && refus.contains(Indicatif + QStringLiteral(".log")),
                 qPrintable(refus));
        QCOMPARE(contenus(env, Indicatif), avant);
        // The store refuses a rewrite and an append as well.
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Insere_QSO_Date(journal(1).at(0)));
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Ajoute_QSO_Log(journal(1).at(0)));
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, plateforme::ecrireOctets(station::nomJournal(Indicatif), {}));
        QCOMPARE(test::lireOctets(env.chemin(Indicatif + QStringLiteral(".log"))), complet);

        // Once the log loads, writing is allowed again.
        Charge_Liste_QSO(Indicatif);
        QCOMPARE(c.Liste_QSO->count(), 200);
        c.Enregistrer->setEnabled(true);
        env.oublierMessages();
        c.Enregistrer->click();
        QCOMPARE(test::lignesJournal(env, Indicatif).size(), 201);
    }

    void journalTropLong()
    {
        test::Environnement env;
        test::StationTest s;
        Carnet& c = test::demarrerStation(env, s);
        // More lines than five columns can number (short lines keep the file small).
        QStringList lignes(station::NombreMaxQSO + 2, QStringLiteral("x"));
        lignes.last() = QStringLiteral("derniere");
        const QByteArray octets = test::enAnsi(lignes);
        test::ecrireOctets(env.chemin(Indicatif + QStringLiteral(".log")), octets);
        env.oublierMessages();
        Charge_Liste_QSO(Indicatif);
        QCOMPARE(c.Liste_QSO->count(), station::NombreMaxQSO);
        QVERIFY(c.Modele_QSO->item(station::NombreMaxQSO - 1).startsWith(QStringLiteral("99999 x")));
        QCOMPARE(env.messages.size(), size_t(1));
        QVERIFY2(env.textes().at(0).contains(QStringLiteral("lecture seule")), qPrintable(env.textes().at(0)));
        // Nothing can shift or drop the lines past the limit.
        c.Liste_QSO->setCurrentRow(10);
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Supprime_QSO());
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Ajoute_QSO_Log(journal(1).at(0)));
        QCOMPARE(test::lireOctets(env.chemin(Indicatif + QStringLiteral(".log"))), octets);
    }

    void marquePrefixeImpossible()
    {
        test::Environnement env;
        Carnet& c = test::demarrerStation(env, {});
        // The prefix file cannot be written: its scratch file's place is taken by a folder.
        QVERIFY(QDir().mkdir(env.chemin(QStringLiteral("Temporaire1.txt"))));
        const QByteArray prefixes = test::lireOctets(env.chemin(Indicatif + QStringLiteral("_Prefixe.txt")));
        test::taperQSO(c, {QStringLiteral("DL1ABC"), {}, {}, 0, {}, {}, {}, QStringLiteral("Hans"), {}, {}});
        env.oublierMessages();
        c.Enregistrer->click();
        // Told once, in French, which file was not updated (the one the operator knows, not the
        // scratch file); the QSO is saved and the program goes on.
        QVERIFY(!env.finDemandee());
        QCOMPARE(env.messages.size(), size_t(1));
        QVERIFY2(env.textes().at(0).startsWith(QStringLiteral("Le QSO avec DL1ABC est enregistré dans le log")) &&
                     env.textes().at(0).contains(QStringLiteral("« ") + Indicatif + QStringLiteral("_Prefixe.txt »")) &&
                     !env.textes().at(0).contains(QStringLiteral("Temporaire")),
                 qPrintable(env.textes().join(QLatin1Char('|'))));
        QCOMPARE(test::lireOctets(env.chemin(Indicatif + QStringLiteral("_Prefixe.txt"))), prefixes);
        QCOMPARE(test::lignesJournal(env, Indicatif).size(), 1);
        QCOMPARE(c.Liste_QSO->count(), 1);
    }
};

QTEST_MAIN(TestGardesJournal)
#include "tst_gardes_journal.moc"
