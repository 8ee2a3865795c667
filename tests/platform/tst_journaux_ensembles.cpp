// What a start does with the journal of a set of files replaced together: it touches only the
// files it can prove the set wrote, and leaves alone (and tells, once) a journal that names
// anything else. A failure that lasts (renames failing from one on) never half-applies a set:
// everything is kept for the next start, and the error says so. The start removes the scratch
// files of killed sets in every folder sets are written into, and nothing else there.
#include "commun/Outils_Test.h"
#include "platform/Appels_Systeme.h"
#include "platform/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cerrno>
#include <optional>


using namespace plateforme;

namespace {

using Instantane = std::map<QString, QByteArray>;

const QVector<NouveauContenu>& jeu()
{
    static const QVector<NouveauContenu> j = {{"F5ABC.log", "nouveau log\r\n"},
                                              {"F5ABC_Departement.txt", "nouveau département\r\n"},
                                              {"F5ABC_Absent.txt", "nouveau\r\n"}};
    return j;
}

void planterAnciens(const QString& dossier)
{
    test::ecrireOctets(dossier + "/F5ABC.log", "ancien log\r\n");
    test::ecrireOctets(dossier + "/F5ABC_Departement.txt", "ancien département\r\n");
}

Instantane apres(const Instantane& avant, const QVector<NouveauContenu>& fichiers)
{
    Instantane a = avant;
    for (const NouveauContenu& f : fichiers)
        a[QFileInfo(f.nom).fileName()] = f.octets;
    return a;
}

// `fichiers` written by a child killed at the `tue`-th rename, before it is made.
void tuerAuRenommage(const QVector<NouveauContenu>& fichiers, int tue)
{
    QVERIFY2(test::tuerAvantAppel(test::Appel::Rename, tue, [&] { ecrireEnsemble(fichiers); }), "the set was not killed");
}

// The journals of the program folder (set aside ones too), by name.
QStringList journaux(const QString& dossier)
{
    QStringList j;
    for (const QString& n : QDir(dossier).entryList(QDir::Files | QDir::Hidden))
        if (n.startsWith(".Velmarin~") || n.startsWith("Velmarin journal"))
            j.append(n);
    return j;
}

QStringList demarrer(const QStringList& autres = {})
{
    QStringList avis;
    nettoyerRestes({}, autres, &avis);
    return avis;
}

// The set's own renames failing from the second on, those of its journal working: a fault of
// the files' own blocks, while the journal's stay sound.
int g_renommages = 0;
int (*g_renommerSysteme)(const char*, const char*) = nullptr;

int renommerSaufJournal(const char* de, const char* vers)
{
    if (++g_renommages >= 2 && !QFileInfo(QFile::decodeName(vers)).fileName().startsWith(".Velmarin~")) {
        errno = EIO;
        return -1;
    }
    return g_renommerSysteme(de, vers);
}

struct JournalEpargne {
    JournalEpargne()
    {
        g_renommages = 0;
        g_renommerSysteme = appelsSysteme().rename;
        appelsSysteme().rename = renommerSaufJournal;
    }
    ~JournalEpargne() { appelsSysteme().rename = g_renommerSysteme; }
};

bool contientQuelquePart(const Instantane& dossier, const QByteArray& octets)
{
    for (const auto& [nom, contenu] : dossier)
        if (contenu == octets)
            return true;
    return false;
}

} // namespace

class TestJournauxEnsembles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Journals the start cannot prove it wrote, or whose files changed since: nothing they name
    // is touched, the operator is told once, the journal is kept under a name that says so.
    void journalNonReconnu_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::newRow("ensemble d'un dossier non déclaré") << "ailleurs";
        QTest::newRow("dossier non déclaré derrière un lien") << "lien";
        QTest::newRow("nouveau contenu sous un autre nom") << "falsifie";
        QTest::newRow("ancien contenu sous un autre nom") << "falsifie-ancien";
        QTest::newRow("fichier modifié sur place depuis, même longueur") << "modifie";
        QTest::newRow("journal ancien revenu, fichiers changés depuis") << "perime";
        QTest::newRow("annulation d'une création revenue") << "perime-annulation";
    }
    void journalNonReconnu()
    {
        QFETCH(QString, cas);
        test::Environnement env(false);
        QTemporaryDir autre;
        const bool ailleurs = cas == "ailleurs" || cas == "lien";
        const QString dossierJeu = ailleurs ? autre.path() : env.dossier();
        // A folder of the program folder that is a link to one elsewhere is not one of its own.
        if (cas == "lien")
            QVERIFY(QFile::link(autre.path(), env.chemin("Liens")));
        const QString dossierNoms = cas == "lien" ? env.chemin("Liens") : dossierJeu;
        // The undo journal is one of a new station's files (none existed before).
        if (cas != "perime-annulation")
            planterAnciens(dossierJeu);
        const Instantane avantJeu = test::instantane(dossierJeu);
        // An operator's file that holds the very bytes the journal expects of the name it puts there.
        const QByteArray autreTexte = cas == "falsifie"          ? jeu().last().octets
                                      : cas == "falsifie-ancien" ? QByteArray("ancien log\r\n")
                                                                 : QByteArray("fichier de l'opérateur\r\n");
        test::ecrireOctets(env.chemin("Autre.txt"), autreTexte);
        QVector<NouveauContenu> fichiers = jeu();
        for (NouveauContenu& f : fichiers)
            f.nom = dossierNoms + '/' + f.nom;
        if (cas == "falsifie-ancien") {
            // A folder that makes no links: the old contents are copies, known by their bytes.
            QVERIFY(test::tuerAvantAppel(test::Appel::Rename, 1, [&] {
                const test::Panne sansLiens(test::Appel::Link, 1, test::Effet::Echec, EPERM, true);
                ecrireEnsemble(fichiers);
            }));
        } else {
            tuerAuRenommage(fichiers, 1);
        }
        QCOMPARE(journaux(env.dossier()).size(), 1);
        const QString journal = env.chemin(journaux(env.dossier()).first());
        QByteArray texte = test::lireOctets(journal);
        if (cas.startsWith("falsifie")) {
            // The name of a new content (of the file that had none) or of an old one (the log's)
            // replaced by the operator's file.
            QList<QByteArray> lignes = texte.split('\n');
            const int ligne = cas == "falsifie" ? 3 : 1;
            QList<QByteArray> champs = lignes[ligne].split(' ');
            champs[cas == "falsifie" ? 1 : 2] = QFile::encodeName(env.chemin("Autre.txt")).toHex();
            lignes[ligne] = champs.join(' ');
            texte = lignes.join('\n');
            test::ecrireOctets(journal, texte);
        }
        if (cas == "modifie") {
            // Later than the clock step of the file times, as an editor saving in place would.
            QThread::msleep(30);
            QFile f(env.chemin("F5ABC.log"));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.write("ANCIEN LOG\r\n") == 12);
            f.close();
        }
        if (cas.startsWith("perime")) {
            // The set is finished, the station goes on; then a copy of the folder brings the
            // journal back.
            QVERIFY(demarrer().isEmpty());
            test::ecrireOctets(env.chemin("F5ABC.log"), "nouveau log\r\nQSO de plus\r\n");
            test::ecrireOctets(env.chemin(cas == "perime" ? journaux(env.dossier()).value(0, ".Velmarin~ensemble~Ab12Cd")
                                                          : ".Velmarin~annulation~Ab12Cd"),
                               texte);
        }
        const Instantane avantDemarrage = test::instantane(dossierJeu);
        const Instantane programme = test::instantane(env.dossier());
        const QStringList avis = demarrer();
        QCOMPARE(avis.size(), 1);
        QVERIFY2(avis.first().contains("n'a pas été repris") && avis.first().contains("Velmarin journal non repris "),
                 qPrintable(avis.first()));
        // Nothing the journal names was touched: the journal only is renamed, and the scratch
        // files it names stay (one it does not name goes with the leftovers).
        if (ailleurs)
            QVERIFY(test::instantane(dossierJeu) == avantDemarrage);
        const Instantane maintenant = test::instantane(env.dossier());
        const QStringList j = journaux(env.dossier());
        QCOMPARE(j.size(), 1);
        QVERIFY2(j.first().startsWith("Velmarin journal non repris ") && j.first().endsWith(".txt"), qPrintable(j.first()));
        QCOMPARE(maintenant.at(j.first()), texte);
        for (const auto& [nom, octets] : programme) {
            if (nom.startsWith(".Velmarin~") || (cas.startsWith("falsifie") && nom.startsWith(".F5ABC")))
                continue;
            QVERIFY2(maintenant.count(nom) && maintenant.at(nom) == octets, qPrintable(nom));
        }
        QCOMPARE(test::lireOctets(env.chemin("Autre.txt")), autreTexte);
        // Told once; the next start leaves the files it names alone too.
        QVERIFY(demarrer().isEmpty());
        QVERIFY(test::instantane(env.dossier()) == maintenant);
        if (ailleurs) {
            QVERIFY(test::instantane(dossierJeu) == avantDemarrage);
            // Declared, the folder's set is finished by a start that finds its journal.
            QVERIFY(QFile::rename(env.chemin(j.first()), env.chemin(".Velmarin~ensemble~" + j.first().mid(28, 6))));
            QVERIFY(demarrer({autre.path()}).isEmpty());
            QVERIFY(test::instantane(dossierJeu) == apres(avantJeu, jeu()));
        }
    }

    // A journal without its end mark was cut while it was written: nothing was renamed yet, and
    // the start renames nothing.
    void journalSansMarqueDeFin()
    {
        test::Environnement env(false);
        planterAnciens(env.dossier());
        const Instantane avant = test::instantane(env.dossier());
        tuerAuRenommage(jeu(), 1);
        const QString journal = env.chemin(journaux(env.dossier()).value(0));
        const QByteArray texte = test::lireOctets(journal);
        QVERIFY(texte.endsWith("\nfin\n"));
        test::ecrireOctets(journal, texte.chopped(4));
        QVERIFY(demarrer().isEmpty());
        QVERIFY(test::instantane(env.dossier()) == avant);
    }

    // A journal that cannot be read (here a link to a share gone away): its set is neither
    // finished nor undone, and the start removes none of the scratch files, since it cannot
    // know which hold the only copy of an old content. The journal back, the next start
    // finishes the set.
    void journalIllisible()
    {
        test::Environnement env(false);
        planterAnciens(env.dossier());
        const Instantane avant = test::instantane(env.dossier());
        tuerAuRenommage(jeu(), 2);
        const QString journal = env.chemin(journaux(env.dossier()).value(0));
        QTemporaryDir partage;
        QVERIFY(QFile::rename(journal, partage.filePath("journal")));
        QVERIFY(QFile::link(partage.filePath("absent"), journal));
        const Instantane interrompu = test::instantane(env.dossier());
        QVERIFY(!interrompu.count("F5ABC.log") || interrompu.at("F5ABC.log") != "ancien log\r\n");
        const QStringList avis = demarrer();
        QCOMPARE(avis.size(), 1);
        QVERIFY2(avis.first().contains("au prochain démarrage"), qPrintable(avis.first()));
        QVERIFY(test::instantane(env.dossier()) == interrompu);
        QVERIFY(QFile::remove(journal));
        QVERIFY(QFile::rename(partage.filePath("journal"), journal));
        QVERIFY(demarrer().isEmpty());
        QVERIFY(test::instantane(env.dossier()) == apres(avant, jeu()));
    }

    // Renames failing from one on, as a disk or a network share going bad during the set: the
    // set is neither finished nor undone now, no old content is lost, the error says so (never
    // "nothing was changed"), and the next start (renames working again) finishes or undoes it
    // whole. A start while renames still fail keeps everything and says so.
    void renommagesEnPanneDurable_data()
    {
        QTest::addColumn<int>("premier");     // the first rename that fails
        QTest::addColumn<int>("reprise");     // the first that fails again (0: none)
        QTest::addColumn<bool>("nouveau");    // the start finishes the set (else undoes it)
        QTest::addColumn<bool>("journalEpargne");  // every rename from the 2nd fails but the journal's
        // The undo cannot rename its journal: the start finishes the set.
        QTest::newRow("du 2e renommage au dernier") << 2 << 3 << true << false;
        // The journal is renamed for the undo, the put-back fails: the start undoes the set.
        QTest::newRow("le 2e, puis dès le 4e") << 2 << 4 << false << false;
        // The journal gets its undo name, no old content can be put back: the set failed and
        // is undone, never finished, though every new content is at hand.
        QTest::newRow("dès le 2e, sauf celui du journal") << 2 << 0 << false << true;
    }
    void renommagesEnPanneDurable()
    {
        QFETCH(int, premier);
        QFETCH(int, reprise);
        QFETCH(bool, nouveau);
        QFETCH(bool, journalEpargne);
        test::Environnement env(false);
        planterAnciens(env.dossier());
        const Instantane avant = test::instantane(env.dossier());
        const auto regle = [=](int n) { return n == premier || n >= reprise ? test::Effet::Echec : test::Effet::Normal; };
        try {
            std::optional<test::Panne> panne;
            std::optional<JournalEpargne> epargne;
            if (journalEpargne)
                epargne.emplace();
            else
                panne.emplace(test::Appel::Rename, regle, EIO);
            ecrireEnsemble(jeu());
            QFAIL("the set went through");
        } catch (const ErreurFichier& e) {
            QVERIFY(e.enSuspens);
            QCOMPARE(e.numero, ErreurAcces);
            const QString m = e.messageEtBilan("Restauration");
            QVERIFY2(!m.contains("Aucun fichier n'a été modifié") && m.contains("prochain démarrage"), qPrintable(m));
        }
        // Every old content is still there, under its name or a second one.
        const Instantane suspendu = test::instantane(env.dossier());
        for (const auto& [nom, octets] : avant)
            QVERIFY2(contientQuelquePart(suspendu, octets), qPrintable(nom));
        {
            const test::Panne panne(test::Appel::Rename, 1, test::Effet::Echec, EIO, true);
            const QStringList avis = demarrer();
            QCOMPARE(avis.size(), 1);
            QVERIFY2(avis.first().contains("au prochain démarrage"), qPrintable(avis.first()));
        }
        // Kept again by that start, the set's files stay out of this run's writes.
        for (const NouveauContenu& f : jeu())
            QVERIFY_THROWS_EXCEPTION(ErreurFichier, ajouterLigne(f.nom, "QSO de plus"));
        QVERIFY(test::instantane(env.dossier()) == suspendu);
        QVERIFY(demarrer().isEmpty());
        QVERIFY(test::instantane(env.dossier()) == (nouveau ? apres(avant, jeu()) : avant));
    }

    // A close that fails (a late write error of a network share): the replacement or the
    // append fails, the file stays as it was (a file the append made is gone).
    void fermetureVerifiee()
    {
        const std::vector<std::function<void()>> ecritures = {
            [] { ecrireOctets("F5ABC.log", "nouveau\r\n"); },
            [] { ajouterLigne("F5ABC.log", "QSO de plus"); },
            [] { ajouterLigneDUnTrait("F5ABC.log", "QSO de plus"); },
            [] { ajouterLigne("F5ABC_Nouveau.txt", "premier"); },
        };
        for (const auto& ecrire : ecritures) {
            test::Environnement env(false);
            test::ecrireOctets(env.chemin("F5ABC.log"), "ancien\r\n");
            const Instantane avant = test::instantane(env.dossier());
            int numero = 0;
            try {
                const test::Panne panne(test::Appel::Close, 1, test::Effet::Echec, EIO);
                ecrire();
            } catch (const ErreurFichier& e) {
                numero = e.numero;
            }
            QCOMPARE(numero, ErreurAcces);
            QVERIFY(test::instantane(env.dossier()) == avant);
        }
    }

    // A set killed before its journal leaves whole copies under scratch names in its folder:
    // the start removes them there as in the program folder, in every folder sets are
    // written into, and nothing else.
    void restesDesDossiersDEnsembles()
    {
        test::Environnement env(false);
        QTemporaryDir choisi;
        QVERIFY(QDir(env.dossier()).mkdir("F5ABC"));
        const QStringList dossiers = {env.chemin("F5ABC"), choisi.path()};
        for (const QString& d : dossiers)
            test::ecrireOctets(d + "/F5ABC.bak", "sauvegarde\r\n");
        // Operator files whose names come near the scratch names.
        const QStringList autres = {".F5ABC.bak~velmarin~v1.txt", ".F5ABC.bak~velmarin~Ab3", "F5ABC.bak~velmarin~Ab3xY9",
                                    ".F5ABC.bak~velmarin~Ab3xY9.old"};
        for (const QString& d : dossiers)
            for (const QString& n : autres)
                test::ecrireOctets(d + '/' + n, "à garder\r\n");
        const auto avecAutres = [&] {
            std::map<QString, Instantane> g;
            for (const QString& d : dossiers)
                g[d] = test::instantane(d);
            return g;
        }();
        // Killed while its new contents are written.
        for (const QString& d : dossiers) {
            QVERIFY(test::tuerAvantAppel(test::Appel::Write, 2, [&] {
                ecrireEnsemble({{d + "/F5ABC.bak", "un\r\n"}, {d + "/F5ABC_Departement.bak", "deux\r\n"}});
            }));
            QVERIFY(test::instantane(d) != avecAutres.at(d));
        }
        // An undeclared folder is not the program's: left as it is.
        demarrer();
        QVERIFY(test::instantane(env.chemin("F5ABC")) == avecAutres.at(env.chemin("F5ABC")));
        QVERIFY(test::instantane(choisi.path()) != avecAutres.at(choisi.path()));
        demarrer({choisi.path()});
        QVERIFY(test::instantane(choisi.path()) == avecAutres.at(choisi.path()));
    }
};

QTEST_MAIN(TestJournauxEnsembles)
#include "tst_journaux_ensembles.moc"
