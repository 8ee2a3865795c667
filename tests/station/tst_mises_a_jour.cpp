// Rebuilds of the award status files from the log: the in-memory rebuild against the per-line
// reference, the rules of each rebuild, the refusals and the held actions.
#include "commun/Outils_Test.h"
#include "commun/Reference_Mises_A_Jour.h"

#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "station/Fenetre_Progression.h"
#include "station/Fenetres_Station.h"
#include "station/Mises_A_Jour.h"
#include "station/Retenue_Actions.h"
#include "station/Variables_Programme.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString Indicatif = QStringLiteral("F5XYZ");

QString ligneCle(const QString& cle, int largeur, int etats, const QString& nom = QString())
{
    return cle.leftJustified(largeur, QLatin1Char(' ')) + QString(etats, QLatin1Char('0')) + nom;
}

// Small templates with the traps of the matching rules.
QStringList modelePrefixes(bool cleVide)
{
    QStringList l{ligneCle(QStringLiteral("EA"), 7, 17, QStringLiteral("  Espagne")),
                  ligneCle(QStringLiteral("EA8"), 7, 17, QStringLiteral("  Canaries")),
                  ligneCle(QStringLiteral("F"), 7, 17, QStringLiteral("  France")),
                  ligneCle(QStringLiteral("TK"), 7, 17, QStringLiteral("  Corse")),
                  QStringLiteral("HB9"),  // too short for any band column
                  ligneCle(QStringLiteral("DL"), 7, 17, QStringLiteral("  Allemagne"))};
    if (cleVide)
        l.insert(5, ligneCle(QString(), 7, 17, QStringLiteral("  Divers")));
    return l;
}

QStringList modeleDepartements()
{
    return {ligneCle(QStringLiteral("13"), 3, 17, QStringLiteral(" Bouches-du-Rhone")),
            QString(),
            QStringLiteral("05"),
            ligneCle(QStringLiteral("75"), 3, 17, QStringLiteral(" Paris")),
            ligneCle(QStringLiteral("96"), 3, 17, QStringLiteral(" Corse du Sud")),
            ligneCle(QStringLiteral("97"), 3, 17, QStringLiteral(" Haute Corse")),
            ligneCle(QStringLiteral("75"), 3, 17, QStringLiteral(" Paris bis"))};
}

QStringList modeleLocators()
{
    return {ligneCle(QStringLiteral("JN23"), 5, 8), QString(), ligneCle(QStringLiteral("IN97"), 5, 8),
            QStringLiteral("JO10 000"), ligneCle(QStringLiteral("JN23"), 5, 8), QStringLiteral("     00000000")};
}

// A log drawn at random among the values that exercise the rules.
QStringList journalAuHasard(quint32 graine, int n)
{
    QRandomGenerator g(graine);
    const QStringList indicatifs{"EA8AB", "EA3XY", "F5ABC", "TK5EP", "DL1AA", "QQ1AA", "HB9XX", "F", "EA", "", "ea8zz"};
    const QStringList bandes{"144 Mhz", "144 MHz", "14 Mhz", "24 Ghz", "50 MHZ", "432 Mhz", "2 Mhz", "1.3 Ghz", ""};
    const QStringList departements{"75", "13", "2A", "2a", "2b", "2B", "", "05", "96", "99"};
    const QStringList locators{"JN23AB", "IN97", "JO10XX", "", "JN23", "KN00AA", "jn23aa"};
    const QStringList etats{"1", "2", "3", "4", "", "X", "0", "7"};
    auto pris = [&g](const QStringList& l) { return l.at(int(g.bounded(l.size()))); };
    QStringList journal;
    for (int i = 0; i < n; ++i) {
        QString l = test::ligneEtat(pris(indicatifs), pris(bandes), pris(departements), pris(locators), pris(etats));
        if (g.bounded(12) == 0)
            l = l.left(int(g.bounded(200)));  // a short line
        journal << l;
    }
    return journal;
}

} // namespace

class TestMisesAJour : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;

    void ecrire(const QString& nom, const QStringList& lignes)
    {
        test::ecrireOctets(env->chemin(nom), test::enAnsi(lignes));
    }
    QByteArray octets(const QString& nom) const { return test::lireOctets(plateforme::chemin(nom)); }
    QStringList lignes(const QString& nom) const { return plateforme::lireLignes(nom); }

    // The station's files from the templates, and its log.
    void station(const QStringList& journal)
    {
        Prog().Indicatif_Station = Indicatif;
        Cree_Fichiers_Indicatif(Indicatif);
        ecrire(Indicatif + QStringLiteral(".log"), journal);
    }

    struct Resultat {
        QByteArray prefixe, departement, locator, absent;
        bool operator==(const Resultat&) const = default;
    };
    Resultat lus() const
    {
        return {octets(station::fichierPrefixe()), octets(station::fichierDepartement()),
                octets(station::fichierLocator()), octets(station::fichierAbsent())};
    }

    // Both rebuilds from the same starting files; the in-memory one first.
    void comparer(const QStringList& prefixesStation)
    {
        ecrire(station::fichierPrefixe(), prefixesStation);
        station::Reconstruit_Fichier_Prefixe();
        station::Reconstruit_Fichier_Departement();
        station::Reconstruit_Fichier_Locator();
        const Resultat rapide = lus();
        ecrire(station::fichierPrefixe(), prefixesStation);
        ecrire(station::fichierAbsent(), {QStringLiteral("ANCIEN")});
        reference::prefixes();
        reference::departements();
        reference::locators();
        const Resultat attendu = lus();
        QCOMPARE(rapide.prefixe, attendu.prefixe);
        QCOMPARE(rapide.departement, attendu.departement);
        QCOMPARE(rapide.locator, attendu.locator);
        QCOMPARE(rapide.absent, attendu.absent);
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<test::Environnement>();
        Prog() = {};
    }
    void cleanup()
    {
        Carnet::detruireInstance();
        Fenetre_Progression::detruireInstance();
        env.reset();
        Prog() = {};
    }

    void identiqueAuParcoursLigneParLigne_data()
    {
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<bool>("cleVide");
        QTest::addColumn<int>("n");
        QTest::newRow("a") << 1u << false << 400;
        QTest::newRow("b") << 2u << true << 400;
        QTest::newRow("c") << 3u << false << 50;
        QTest::newRow("vide") << 4u << false << 0;
    }
    void identiqueAuParcoursLigneParLigne()
    {
        QFETCH(quint32, graine);
        QFETCH(bool, cleVide);
        QFETCH(int, n);
        ecrire(QStringLiteral("FXXXX_Prefixe.txt"), modelePrefixes(cleVide));
        ecrire(QStringLiteral("FXXXX_Departement.txt"), modeleDepartements());
        ecrire(QStringLiteral("FXXXX_Locator.txt"), modeleLocators());
        station(journalAuHasard(graine, n));
        // The station's prefix file has marks and two prefixes of the operator's.
        QStringList prefixes = modelePrefixes(cleVide);
        prefixes[2] = ligneCle(QStringLiteral("F"), 7, 0, QStringLiteral("44444444444444444  France"));
        prefixes << ligneCle(QStringLiteral("QQ1"), 7, 17, QStringLiteral("  Ajouté")) << QStringLiteral("ZZ");
        comparer(prefixes);
        if (n == 0) {
            QCOMPARE(octets(station::fichierDepartement()), octets(QStringLiteral("FXXXX_Departement.txt")));
            QCOMPARE(octets(station::fichierAbsent()), QByteArray());
        }
    }

    // The shipped world templates, a log of every band and department.
    void identiqueAvecLesModelesLivres()
    {
        QStringList journal;
        QRandomGenerator g(7);
        const QStringList indicatifs{"EA8AB", "F6ABC", "DL1AA", "JA1XYZ", "VK2AB", "9A1A", "UA3AA", "QQ0QQ"};
        for (int i = 0; i < 150; ++i) {
            const QString b = station::Liste_Bandes().at(int(g.bounded(17)));
            const QString loc = QStringLiteral("%1%2%3%4").arg(QChar(u'I' + g.bounded(3))).arg(QChar(u'M' + g.bounded(3)))
                                    .arg(g.bounded(10)).arg(g.bounded(10));
            journal << test::ligneEtat(indicatifs.at(int(g.bounded(indicatifs.size()))), b,
                                       QStringLiteral("%1").arg(1 + g.bounded(95), 2, 10, QLatin1Char('0')), loc,
                                       QString::number(1 + g.bounded(4)));
        }
        station(journal);
        comparer(lignes(QStringLiteral("FXXXX_Prefixe.txt")));
    }

    void reglesDesColonnes()
    {
        station({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "2"),
                 test::ligneEtat("F6AAB", "144 Mhz", "75", "JN23AB", "3"),
                 test::ligneEtat("F6AAC", "14 Mhz", "2b", "JN23AB", "4"),
                 test::ligneEtat("F6AAC", "14 Mhz", "2b", "JN23AB", "1"),
                 test::ligneEtat("QQ9ZZ", "24 Ghz", "", "JN23AB", "2"),
                 test::ligneEtat("QQ9ZZ", "24 Ghz", "", "JN23AB", "1")});
        station::Reconstruit_Fichier_Prefixe();
        station::Reconstruit_Fichier_Departement();
        station::Reconstruit_Fichier_Locator();
        QString etat, nom, ligne;
        Lit_Etat_Departement(QStringLiteral("75"), etat, nom, QStringLiteral("144 Mhz"), ligne);
        QCOMPARE(etat, QStringLiteral("3"));
        Lit_Etat_Departement(QStringLiteral("97"), etat, nom, QStringLiteral("14 Mhz"), ligne);
        QCOMPARE(etat, QStringLiteral("4"));  // "1" after "4" leaves "4"
        Lit_Etat_Locator(QStringLiteral("JN23"), etat, QStringLiteral("144 Mhz"), ligne);
        QCOMPARE(ligne.mid(5, 8), QStringLiteral("03000002"));  // 14 Mhz skipped, 24 Ghz counted
        QCOMPARE(lignes(station::fichierAbsent()), QStringList({"QQ9ZZ", "QQ9ZZ"}));
    }

    void unPrefixeAjouteSurvit()
    {
        station({test::ligneEtat("1B1AB", "144 Mhz", "", "", "3"), test::ligneEtat("F6AAA", "144 Mhz", "", "", "1")});
        QStringList prefixes = lignes(station::fichierPrefixe());
        const int taille = int(prefixes.size());
        prefixes << Ajout_Prefixe::Ligne_Prefixe(QStringLiteral("1B"), QStringLiteral("Pays du test"));
        prefixes.last()[7] = QLatin1Char('2');  // a stale mark on 1.8 Mhz
        ecrire(station::fichierPrefixe(), prefixes);
        QVERIFY(MAJ_Prefixe());
        const QStringList apres = lignes(station::fichierPrefixe());
        QCOMPARE(apres.size(), taille + 1);
        QCOMPARE(apres.last(), QStringLiteral("1B     00000000003000000  Pays du test"));
        QVERIFY(lignes(station::fichierAbsent()).isEmpty());
    }

    // A damaged line's status digit outside 0-4 raises nothing; the good lines still count.
    void chiffresDEtatEndommages()
    {
        QString abimee = test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "9");
        abimee.replace(0, 8, QStringLiteral("99999999"));
        station({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "7"), abimee,
                 test::ligneEtat("F6AAB", "144 Mhz", "75", "JN23AB", "2")});
        QVERIFY(MAJ_Fichiers_Etat());
        QString etat, nom, ligne;
        Lit_Etat_Departement(QStringLiteral("75"), etat, nom, QStringLiteral("144 Mhz"), ligne);
        QCOMPARE(etat, QStringLiteral("2"));
        QVERIFY(Lit_Etat_Locator(QStringLiteral("JN23"), etat, QStringLiteral("144 Mhz"), ligne));
        QCOMPARE(etat, QStringLiteral("2"));
        // Band columns: prefixes 8-24, departments 4-20, squares 6-13.
        const QList<std::pair<QString, std::pair<int, int>>> colonnes = {
            {station::fichierPrefixe(), {7, 17}}, {station::fichierDepartement(), {3, 17}},
            {station::fichierLocator(), {5, 8}}};
        const QRegularExpression horsEtat(QStringLiteral("[5-9]"));
        for (const auto& [f, c] : colonnes)
            for (const QString& l : lignes(f))
                QVERIFY2(!l.mid(c.first, c.second).contains(horsEtat), qPrintable(l));
    }

    // The prefix rebuild writes two files: the operator learns exactly which one was written.
    void reconstructionPartielleDesPrefixes()
    {
        station({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "3"), test::ligneEtat("QQ9ZZ", "144 Mhz", "", "", "1")});
        ecrire(station::fichierAbsent(), {QStringLiteral("ANCIEN")});
        const QByteArray prefixesAvant = octets(station::fichierPrefixe());
        const QByteArray absentAvant = octets(station::fichierAbsent());
        auto refuser = [](const QString& suffixe) {
            plateforme::definirRegleEcriture(QStringLiteral("essai"), [suffixe](const QString& nom) {
                return nom.endsWith(suffixe, Qt::CaseInsensitive) ? QStringLiteral("refusé") : QString();
            });
        };

        // The prefix file cannot be written: nothing is, and the rebuild failed.
        refuser(QStringLiteral("_Prefixe.txt"));
        QVERIFY(!MAJ_Prefixe());
        QCOMPARE(octets(station::fichierPrefixe()), prefixesAvant);
        QCOMPARE(octets(station::fichierAbsent()), absentAvant);
        QVERIFY(env->textes().last().startsWith(QStringLiteral("Mise a jour du fichier Prefixe impossible.")));

        // Only the absent list cannot: the prefix file is rebuilt and the message says so.
        refuser(QStringLiteral("_Absent.txt"));
        env->oublierMessages();
        QVERIFY(MAJ_Prefixe());
        plateforme::definirRegleEcriture(QStringLiteral("essai"), {});
        QVERIFY(octets(station::fichierPrefixe()) != prefixesAvant);
        QCOMPARE(octets(station::fichierAbsent()), absentAvant);
        QCOMPARE(env->textes().size(), 2);
        QVERIFY2(env->textes().last().startsWith(QStringLiteral(
                     "Le fichier Prefixe a été mis a jour, mais pas la liste des indicatifs absents F5XYZ_Absent.txt")),
                 qPrintable(env->textes().last()));
        QCOMPARE(Fenetre_Progression::instance().Label3->text(), QStringLiteral("Mise a jour terminée"));
    }

    // Without the square template: named as the program always did, the program goes on.
    void gabaritDesCarresAbsent()
    {
        station({test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "3")});
        const QByteArray avant = octets(station::fichierLocator());
        QVERIFY(QFile::remove(plateforme::chemin(QStringLiteral("FXXXX_Locator.txt"))));
        QVERIFY(!MAJ_Locator());
        QCOMPARE(env->textes().last(), QStringLiteral("Fichier FXXXX_Locator.txt Absent du repertoire"));
        QCOMPARE(octets(station::fichierLocator()), avant);
        // The other rebuilds still run.
        QVERIFY(MAJ_Departement());
    }

    void laStationModeleEstRefusee()
    {
        Prog().Indicatif_Station = QStringLiteral("FXXXX");
        ecrire(QStringLiteral("FXXXX.log"), {test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "4")});
        const QByteArray avant = octets(QStringLiteral("FXXXX_Departement.txt"));
        QVERIFY(!MAJ_Departement());
        QVERIFY(!MAJ_Fichiers_Etat());
        QCOMPARE(octets(QStringLiteral("FXXXX_Departement.txt")), avant);
        QCOMPARE(env->textes().first(), station::Message_Station_Modele());
    }

    // Through the window: announcement, progress, repaint, and nothing else may start meanwhile.
    void laFenetreEtLesActionsRetenues()
    {
        test::StationTest s;
        QStringList journal;
        for (int i = 0; i < 4500; ++i)
            journal << test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", i == 4000 ? "4" : "1");
        s.journal = journal;
        Carnet& c = test::demarrerStation(*env, s);
        int tentatives = 0;
        QString pendant;
        auto* t = new QTimer(&c);
        QObject::connect(t, &QTimer::timeout, &c, [&] {
            if (!station::Actions_Retenues())
                return;
            ++tentatives;
            pendant = Fenetre_Progression::instance().Label3->text();
            QVERIFY(Fenetre_Progression::instance().isModal());
            c.Mnu_RAZ_All_Click();
            c.Mnu_MAJ_Locator_Click();
            c.Enregistrer_Click();
        });
        t->start(0);
        const QByteArray locatorAvant = octets(station::fichierLocator());
        c.Mnu_MAJ_Departement_Click();
        t->stop();
        QVERIFY(tentatives > 0);
        QVERIFY(pendant.startsWith(QStringLiteral("Lecture du log ligne n°  ")));
        QCOMPARE(Fenetre_Progression::instance().Label3->text(), QStringLiteral("Mise a jour terminée"));
        QCOMPARE(env->textes().first(), QStringLiteral("Le fichier Departement va etre mis a jour a partir du fichier log"));
        QVERIFY(env->textes().count(station::Message_Actions_Retenues()) >= 3);
        QCOMPARE(test::lignesJournal(*env, Indicatif).size(), 4500);  // the reset did not run
        QCOMPARE(octets(station::fichierLocator()), locatorAvant);
        QString etat, nom, ligne;
        Lit_Etat_Departement(QStringLiteral("75"), etat, nom, QStringLiteral("144 Mhz"), ligne);
        QCOMPARE(etat, QStringLiteral("4"));
        QVERIFY(!station::Actions_Retenues());
    }

    void remiseAZero()
    {
        test::StationTest s;
        s.journal = {test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "4")};
        Carnet& c = test::demarrerStation(*env, s);
        QVERIFY(MAJ_Fichiers_Etat());
        const QByteArray departements = octets(station::fichierDepartement());
        const QByteArray absent = octets(station::fichierAbsent());

        env->reponses.push_back(plateforme::Reponse::Annuler);
        c.Mnu_RAZ_All_Click();
        QCOMPARE(env->messages.back().icone, plateforme::Icone::Critique);
        QCOMPARE(env->messages.back().texte,
                 QStringLiteral("!!! ATTENTION !!! tout les fichiers F5XYZ vont etre effacé , Continuer ?"));
        QCOMPARE(octets(station::fichierDepartement()), departements);
        QCOMPARE(c.Liste_QSO->count(), 1);

        c.Mnu_RAZ_All_Click();
        QCOMPARE(octets(Indicatif + QStringLiteral(".log")), QByteArray());
        for (const QString suffixe : {"_Departement.txt", "_Prefixe.txt", "_Locator.txt"})
            QCOMPARE(octets(Indicatif + suffixe), octets(station::modele(suffixe)));
        QCOMPARE(octets(station::fichierAbsent()), absent);
        QCOMPARE(c.Liste_QSO->count(), 0);
        QCOMPARE(c.Frame3->title(), QStringLiteral(" 0 Dpts contactée sur  144 Mhz en SSB"));

        Prog().Indicatif_Station = QStringLiteral("FXXXX");
        env->oublierMessages();
        c.Mnu_RAZ_All_Click();
        QCOMPARE(env->textes(), QStringList{station::Message_Station_Modele()});
    }
};

QTEST_MAIN(TestMisesAJour)
#include "tst_mises_a_jour.moc"
