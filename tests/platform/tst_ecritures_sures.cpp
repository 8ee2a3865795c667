// Writes that fail half-way: a whole-file replacement or an append cut short by a file size
// limit (the same short write and error a full disk gives) leaves the file byte for byte, and
// the caller gets the error. Also: appends after an unterminated line, the write rules and
// read-only files and folders, the causes given in French, sets of files replaced together
// (whole across a kill), and every sync made and checked (system calls made to fail).
#include "commun/Outils_Test.h"
#include "platform/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace plateforme;

Q_DECLARE_METATYPE(test::Appel)
Q_DECLARE_METATYPE(test::Effet)

namespace {

// Limits the size of any file this process writes to `octets` while it lives: a write past
// the limit is cut short, then fails (EFBIG) as on a full disk.
class LimiteTaille {
public:
    explicit LimiteTaille(rlim_t octets)
    {
        ::getrlimit(RLIMIT_FSIZE, &avant_);
        ancienSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = avant_;
        r.rlim_cur = octets;
        ::setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteTaille()
    {
        ::setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, ancienSignal_);
    }

private:
    rlimit avant_{};
    void (*ancienSignal_)(int) = nullptr;
};

ino_t inodeDe(const QString& chemin)
{
    struct stat st {};
    return ::stat(QFile::encodeName(chemin).constData(), &st) == 0 ? st.st_ino : 0;
}

QByteArray texte(int octets, char c)
{
    QByteArray t;
    while (t.size() + 2 <= octets) {
        t.append(QByteArray(std::min<qsizetype>(78, octets - t.size() - 2), c));
        t.append("\r\n");
    }
    return t;
}

int numeroDe(const std::function<void()>& ecriture)
{
    try {
        ecriture();
    } catch (const ErreurFichier& e) {
        return e.numero;
    }
    return 0;
}

QStringList contenuDossier(const test::Environnement& env)
{
    return QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestEcrituresSures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remplacementInterrompu_data()
    {
        QTest::addColumn<int>("ancien");
        QTest::addColumn<int>("nouveau");
        QTest::addColumn<int>("limite");
        // Smaller than any write buffer, and larger: both fail alike.
        QTest::newRow("petit fichier") << 120 << 600 << 300;
        QTest::newRow("grand fichier") << 40000 << 90000 << 60000;
        QTest::newRow("rien ne passe") << 500 << 800 << 0;
    }
    void remplacementInterrompu()
    {
        QFETCH(int, ancien);
        QFETCH(int, nouveau);
        QFETCH(int, limite);
        test::Environnement env(false);
        const QByteArray avant = texte(ancien, 'a');
        test::ecrireOctets(env.chemin("F5ABC_Departement.txt"), avant);
        const QStringList fichiers = contenuDossier(env);
        const QByteArray apres = texte(nouveau, 'b');
        int n = 0;
        {
            const LimiteTaille limite_{rlim_t(limite)};
            n = numeroDe([&] { ecrireOctets("F5ABC_Departement.txt", apres); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_Departement.txt")), avant);
        // No scratch file stays beside it.
        QCOMPARE(contenuDossier(env), fichiers);
        {
            const LimiteTaille limite_{rlim_t(limite)};
            n = numeroDe([&] { copier("F5ABC_Departement.txt", "Copie.txt"); });
        }
        QCOMPARE(n, limite >= ancien ? 0 : ErreurDisquePlein);
        // Without a limit the same write goes through.
        ecrireOctets("F5ABC_Departement.txt", apres);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_Departement.txt")), apres);
    }

    void ajoutInterrompu()
    {
        test::Environnement env(false);
        const QByteArray avant = texte(4000, 'a');
        test::ecrireOctets(env.chemin("F5ABC.log"), avant);
        const QString ligne = QString(199, QLatin1Char('x'));
        // Room for part of the record only: nothing of it stays, and the disk is said full.
        int n = 0;
        {
            const LimiteTaille limite(4000 + 193);
            n = numeroDe([&] { ajouterLigne("F5ABC.log", ligne); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant);
        {
            const LimiteTaille limite(4000);
            n = numeroDe([&] { ajouterLignes("F5ABC.log", {ligne, ligne}); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant);
        ajouterLigne("F5ABC.log", ligne);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant + ligne.toLatin1() + "\r\n");
        // A record within one page of the file, cut short: the file is cut back.
        const QByteArray court = texte(100, 'c');
        test::ecrireOctets(env.chemin("Court.log"), court);
        {
            const LimiteTaille limite(100 + 150);
            n = numeroDe([&] { ajouterLigne("Court.log", ligne); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QCOMPARE(test::lireOctets(env.chemin("Court.log")), court);
    }

    // An append killed in the middle of its write (the size limit's signal kills the program
    // there, as a kill between two memory pages would): a record that crosses a page of the
    // file went in by a whole-file replacement, so the file is its old self, without a torn line.
    void ajoutTueEnTraversantUnePage()
    {
        test::Environnement env(false);
        const QByteArray avant = texte(4000, 'a');
        test::ecrireOctets(env.chemin("F5ABC.log"), avant);
        QVERIFY2(test::tuerAuDelaDe(4000 + 100, [] { ajouterLigne("F5ABC.log", QString(199, QLatin1Char('x'))); }),
                 "the append was not killed in its write");
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant);
    }

    void ajoutDUnTrait()
    {
        test::Environnement env(false);
        const QString ligne = QString(199, QLatin1Char('x'));
        const QByteArray record = ligne.toLatin1() + "\r\n";
        // Across a page of the file, in the file itself: the same inode grows, no scratch file.
        const QByteArray avant = texte(4000, 'a');
        test::ecrireOctets(env.chemin("F5ABC.log"), avant);
        const ino_t inode = inodeDe(env.chemin("F5ABC.log"));
        ajouterLigneDUnTrait("F5ABC.log", ligne);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant + record);
        QCOMPARE(inodeDe(env.chemin("F5ABC.log")), inode);
        // No room for the whole record: nothing of it stays, and the disk is said full.
        int n = 0;
        {
            const LimiteTaille limite(4000 + 201 + 150);
            n = numeroDe([&] { ajouterLigneDUnTrait("F5ABC.log", ligne); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avant + record);
        // A record whose CR LF was cut after the CR gets its LF, not a second line end.
        test::ecrireOctets(env.chemin("Coupe.log"), "un\r\ndeux\r");
        ajouterLigneDUnTrait("Coupe.log", "trois");
        QCOMPARE(test::lireOctets(env.chemin("Coupe.log")), QByteArray("un\r\ndeux\r\ntrois\r\n"));
        test::ecrireOctets(env.chemin("Coupe.log"), "un\r\ndeux");
        ajouterLigneDUnTrait("Coupe.log", "trois");
        QCOMPARE(test::lireOctets(env.chemin("Coupe.log")), QByteArray("un\r\ndeux\r\ntrois\r\n"));
    }

    void ligneInachevee_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("debut");
        QTest::newRow("vide") << QByteArray() << -1;
        QTest::newRow("terminee") << QByteArray("abcd\r\nabcd\r\n") << -1;
        QTest::newRow("CR seul") << QByteArray("abcd\r\nabcd\r") << -1;
        QTest::newRow("LF seul") << QByteArray("abcd\nabcd\n") << -1;
        QTest::newRow("debut de ligne") << QByteArray("abcd\r\nab") << 6;
        QTest::newRow("ligne entiere sans fin") << QByteArray("abcd\r\nabcd") << -1;
        QTest::newRow("plus longue sans fin") << QByteArray("abcd\r\nabcdef") << -1;
        QTest::newRow("seule ligne, courte") << QByteArray("abc") << 0;
        QTest::newRow("seule ligne, entiere") << QByteArray("abcd") << -1;
    }
    void ligneInachevee()
    {
        QFETCH(QByteArray, octets);
        QFETCH(int, debut);
        QCOMPARE(debutLigneInachevee(octets, 4), qsizetype(debut));
    }

    void finDeplaceeDansUnFichierAPart()
    {
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("F5ABC.log"), "un\r\ndeux\r\ntr");
        test::ecrireOctets(env.chemin("A_part.txt"), "avant\r\n");
        QVERIFY(deplacerFin("F5ABC.log", 12, 10, "A_part.txt"));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("un\r\ndeux\r\n"));
        QCOMPARE(test::lireOctets(env.chemin("A_part.txt")), QByteArray("avant\r\ntr\r\n"));
        // A file that changed since it was read is left alone.
        QVERIFY(!deplacerFin("F5ABC.log", 12, 10, "A_part.txt"));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("un\r\ndeux\r\n"));
        QCOMPARE(test::lireOctets(env.chemin("A_part.txt")), QByteArray("avant\r\ntr\r\n"));
        // The side file cannot be written: the file keeps its end.
        test::ecrireOctets(env.chemin("F5ABC.log"), "un\r\nde");
        QVERIFY(QDir(env.dossier()).mkdir("Bloque.txt"));
        QVERIFY(numeroDe([&] { deplacerFin("F5ABC.log", 6, 4, "Bloque.txt"); }) != 0);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("un\r\nde"));
    }

    void ajoutApresUneLigneNonTerminee()
    {
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("F5ABC.log"), "un\r\ndeux");
        ajouterLigne("F5ABC.log", "trois");
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("un\r\ndeux\r\ntrois\r\n"));
        // A line already ended (CR LF, or a lone LF as other programs write) is not ended twice.
        test::ecrireOctets(env.chemin("Autre.txt"), "un\n");
        ajouterLigne("Autre.txt", "deux");
        QCOMPARE(lireLignes("Autre.txt"), QStringList({"un", "deux"}));
        // A new file starts with the record.
        ajouterLigne("Neuf.txt", "premier");
        QCOMPARE(test::lireOctets(env.chemin("Neuf.txt")), QByteArray("premier\r\n"));
    }

    void remplacementGardeLesDroitsEtLesLiens()
    {
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("Prive.txt"), "ancien\r\n");
        // Rights that neither a new file nor a scratch file gets.
        const auto droits = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QFile::setPermissions(env.chemin("Prive.txt"), droits);
        synchroniserSurDisque(true);
        ecrireLignes("Prive.txt", {"nouveau"});
        synchroniserSurDisque(false);
        QCOMPARE(QFileInfo(env.chemin("Prive.txt")).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 droits);
        QVERIFY(QFile::link(env.chemin("Prive.txt"), env.chemin("Lien.txt")));
        ecrireLignes("Lien.txt", {"par le lien"});
        QVERIFY(QFileInfo(env.chemin("Lien.txt")).isSymLink());
        QCOMPARE(test::lireOctets(env.chemin("Prive.txt")), QByteArray("par le lien\r\n"));
    }

    void reglesDEcriture()
    {
        test::Environnement env(false);
        definirRegleEcriture("essai", [](const QString& nom) {
            return nom.compare(QStringLiteral("garde.txt"), Qt::CaseInsensitive) == 0 ? QStringLiteral("fichier protégé")
                                                                                       : QString();
        });
        toutesLesEcrituresRefusees(env, ErreurEcritureRefusee, QStringLiteral("fichier protégé"));
        // Other files are written as usual; a removed rule refuses nothing.
        ecrireLignes("Libre.txt", {"x"});
        definirRegleEcriture("essai", {});
        ecrireLignes("Garde.txt", {"nouveau"});
        QCOMPARE(lireLignes("Garde.txt"), QStringList({"nouveau"}));
    }

    void fichierEnLectureSeule()
    {
        // A file without write rights is refused even to the administrator, whom the system
        // would let write it.
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("Garde.txt"), "ancien\r\n");
        QVERIFY(QFile::setPermissions(env.chemin("Garde.txt"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        toutesLesEcrituresRefusees(env, ErreurPermission, QStringLiteral("fichier en lecture seule"));
        QCOMPARE(QFileInfo(env.chemin("Garde.txt")).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        // Given its write right back, it is written as usual.
        QVERIFY(QFile::setPermissions(env.chemin("Garde.txt"), QFile::ReadOwner | QFile::WriteOwner));
        ajouterLigne("Garde.txt", "suite");
        QCOMPARE(lireLignes("Garde.txt"), QStringList({"ancien", "suite"}));
    }

    void dossierEnLectureSeule()
    {
        // A folder without write rights is refused as a read-only file is, to the administrator
        // too, naming the folder.
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("Garde.txt"), "ancien\r\n");
        test::ecrireOctets(env.chemin("Source.txt"), "source\r\n");
        const auto lecture = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                             QFile::ExeOther;
        QVERIFY(QFile::setPermissions(env.dossier(), lecture));
        const auto remettre = qScopeGuard([&] { QFile::setPermissions(env.dossier(), lecture | QFile::WriteOwner); });
        toutesLesEcrituresRefusees(env, ErreurPermission, QStringLiteral("dossier « %1 » en lecture seule").arg(env.dossier()),
                                   QStringLiteral("Libre.txt"));
        QVERIFY(QFile::setPermissions(env.dossier(), lecture | QFile::WriteOwner));
        ecrireLignes("Garde.txt", {"nouveau"});
        QCOMPARE(lireLignes("Garde.txt"), QStringList({"nouveau"}));
    }

    // Every sync of the door is made, and its failure seen: the write fails, the file is left
    // as it was (a file the write would have made stays absent), nothing stays beside it.
    void synchronisationsVerifiees_data()
    {
        QTest::addColumn<test::Appel>("appel");
        QTest::addColumn<int>("appels");
        QTest::addColumn<int>("ecriture");
        // The scratch file, then the folder.
        QTest::newRow("remplacement") << test::Appel::Fsync << 2 << 0;
        QTest::newRow("création") << test::Appel::Fsync << 2 << 1;
        QTest::newRow("copie") << test::Appel::Fsync << 2 << 2;
        // The scratch file; the folder, after the data file's rename (not after the scratch
        // file's own).
        QTest::newRow("remplacement par un fichier") << test::Appel::Fsync << 2 << 3;
        // The data of an append; the folder of the file it makes.
        QTest::newRow("ajout") << test::Appel::Fdatasync << 1 << 4;
        QTest::newRow("ajout d'un trait") << test::Appel::Fdatasync << 1 << 5;
        QTest::newRow("ajout créant le fichier, données") << test::Appel::Fdatasync << 1 << 6;
        QTest::newRow("ajout créant le fichier, dossier") << test::Appel::Fsync << 1 << 6;
        // Three new contents, the folder before the journal, the journal and its folder, the
        // folder after the renames.
        QTest::newRow("ensemble") << test::Appel::Fsync << 7 << 7;
    }
    void synchronisationsVerifiees()
    {
        QFETCH(test::Appel, appel);
        QFETCH(int, appels);
        QFETCH(int, ecriture);
        test::Environnement env(false);
        synchroniserSurDisque(true);
        const auto sansSynchro = qScopeGuard([] { synchroniserSurDisque(false); });
        const auto planter = [&] {
            test::ecrireOctets(env.chemin("F5ABC.log"), "ancien\r\n");
            test::ecrireOctets(env.chemin("F5ABC_Locator.txt"), "ancien carré\r\n");
            test::ecrireOctets(env.chemin("Source.txt"), "source\r\n");
            QFile::remove(env.chemin("Neuf.txt"));
        };
        const std::function<void()> ecritures[] = {
            [] { ecrireOctets("F5ABC.log", "nouveau\r\n"); },
            [] { ecrireOctets("Neuf.txt", "nouveau\r\n"); },
            [] { copier("Source.txt", "F5ABC.log"); },
            [] { ecrireParBrouillon("Source.txt", "F5ABC.log", "nouveau\r\n"); },
            [] { ajouterLigne("F5ABC.log", "suite"); },
            [] { ajouterLigneDUnTrait("F5ABC.log", "suite"); },
            [] { ajouterLigneDUnTrait("Neuf.txt", "premier"); },
            [] { ecrireEnsemble({{"F5ABC.log", "nouveau\r\n"}, {"Neuf.txt", "n\r\n"}, {"F5ABC_Locator.txt", "c\r\n"}}); },
        };
        planter();
        const auto avant = test::instantane(env.dossier());
        {
            const test::Panne compte(appel, [](int) { return test::Effet::Normal; });
            ecritures[ecriture]();
            QCOMPARE(compte.appels(), appels);
        }
        for (int n = 1; n <= appels; ++n) {
            planter();
            int numero = 0;
            {
                const test::Panne panne(appel, n, test::Effet::Echec, EIO);
                numero = numeroDe(ecritures[ecriture]);
            }
            QVERIFY2(numero == ErreurAcces, qPrintable(QStringLiteral("sync %1: %2").arg(n).arg(numero)));
            // The scratch file is given away in any case.
            auto apres = test::instantane(env.dossier());
            if (ecriture == 3)
                apres["Source.txt"] = "source\r\n";
            QVERIFY2(apres == avant, qPrintable(QStringLiteral("sync %1: %2").arg(n).arg(QStringList(contenuDossier(env)).join(' '))));
        }
    }

    void finDeplaceeSynchronisee()
    {
        // The log cut after its end went to the side file is synced, and a failure is told.
        test::Environnement env(false);
        synchroniserSurDisque(true);
        const auto sansSynchro = qScopeGuard([] { synchroniserSurDisque(false); });
        test::ecrireOctets(env.chemin("F5ABC.log"), "un\r\ndeux\r\ntr");
        test::ecrireOctets(env.chemin("A_part.txt"), "avant\r\n");
        const test::Panne panne(test::Appel::Fsync, 1, test::Effet::Echec, EIO);
        QCOMPARE(numeroDe([] { deplacerFin("F5ABC.log", 12, 10, "A_part.txt"); }), ErreurAcces);
        QCOMPARE(panne.appels(), 1);
        // The bytes are in the side file whatever became of the cut.
        QCOMPARE(test::lireOctets(env.chemin("A_part.txt")), QByteArray("avant\r\ntr\r\n"));
    }

    // A folder that refuses hard links (FAT and exFAT sticks, some network shares): the old files
    // of a set are copied aside instead, so that a rename refused half-way still puts back
    // those already replaced.
    void ensembleSansLiens_data()
    {
        QTest::addColumn<int>("erreur");
        QTest::newRow("EPERM") << int(EPERM);
        QTest::newRow("ENOTSUP") << int(ENOTSUP);
    }
    void ensembleSansLiens()
    {
        QFETCH(int, erreur);
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("F5ABC.log"), "ancien log\r\n");
        test::ecrireOctets(env.chemin("F5ABC_Locator.txt"), "ancien carré\r\n");
        const auto avant = test::instantane(env.dossier());
        const QVector<NouveauContenu> jeu = {{"F5ABC.log", "nouveau log\r\n"},
                                             {"F5ABC_Absent.txt", "nouveau\r\n"},
                                             {"F5ABC_Locator.txt", "nouveau carré\r\n"}};
        const test::Panne liens(test::Appel::Link, 1, test::Effet::Echec, erreur, true);
        for (int n = 1; n <= 3; ++n) {
            int numero = 0;
            {
                const test::Panne renommage(test::Appel::Rename, n, test::Effet::Echec, EIO);
                numero = numeroDe([&] { ecrireEnsemble(jeu); });
            }
            QCOMPARE(numero, ErreurAcces);
            QVERIFY2(test::instantane(env.dossier()) == avant, qPrintable(QString::number(n)));
        }
        QVERIFY(liens.appels() > 0);
        ecrireEnsemble(jeu);
        auto attendu = avant;
        for (const NouveauContenu& f : jeu)
            attendu[f.nom] = f.octets;
        QVERIFY(test::instantane(env.dossier()) == attendu);
    }

    // A set killed at any step of its renames, or of its undo: the next start finishes it or
    // undoes it whole, before anything writes, and leaves nothing beside it.
    void ensembleTue_data()
    {
        QTest::addColumn<test::Appel>("appel");
        QTest::addColumn<int>("tue");
        QTest::addColumn<test::Effet>("effet");
        QTest::addColumn<int>("echec");  // the rename that fails first (0: none)
        QTest::addColumn<bool>("nouveau");
        QTest::addColumn<QString>("sousDossier");  // the set's folder inside the program folder
        QTest::newRow("journal à moitié écrit") << test::Appel::Write << 4 << test::Effet::TuerAvant << 0 << false << QString();
        QTest::newRow("journal écrit") << test::Appel::Rename << 1 << test::Effet::TuerAvant << 0 << true << QString();
        QTest::newRow("après le 1er renommage") << test::Appel::Rename << 1 << test::Effet::TuerApres << 0 << true << QString();
        QTest::newRow("après le 2e renommage") << test::Appel::Rename << 2 << test::Effet::TuerApres << 0 << true << QString();
        QTest::newRow("après le 3e renommage") << test::Appel::Rename << 3 << test::Effet::TuerApres << 0 << true << QString();
        QTest::newRow("annulation commencée") << test::Appel::Rename << 4 << test::Effet::TuerApres << 3 << false << QString();
        QTest::newRow("1er fichier remis") << test::Appel::Rename << 5 << test::Effet::TuerApres << 3 << false << QString();
        QTest::newRow("liens refusés, 2e renommage") << test::Appel::Rename << 2 << test::Effet::TuerApres << -1 << true << QString();
        // A backup set lives in the station's own folder.
        QTest::newRow("sous-dossier, après le 2e renommage")
            << test::Appel::Rename << 2 << test::Effet::TuerApres << 0 << true << QStringLiteral("F5ABC");
        QTest::newRow("sous-dossier, 1er fichier remis")
            << test::Appel::Rename << 5 << test::Effet::TuerApres << 3 << false << QStringLiteral("F5ABC");
    }
    void ensembleTue()
    {
        QFETCH(test::Appel, appel);
        QFETCH(int, tue);
        QFETCH(test::Effet, effet);
        QFETCH(int, echec);
        QFETCH(bool, nouveau);
        QFETCH(QString, sousDossier);
        test::Environnement env(false);
        const QString prefixe = sousDossier.isEmpty() ? QString() : sousDossier + QLatin1Char('/');
        const QString dossierJeu = env.chemin(prefixe);
        QVERIFY(QDir().mkpath(dossierJeu));
        test::ecrireOctets(dossierJeu + "/F5ABC.log", "ancien log\r\n");
        test::ecrireOctets(dossierJeu + "/F5ABC_Departement.txt", "ancien département\r\n");
        test::ecrireOctets(dossierJeu + "/F5ABC_Locator.txt", "ancien carré\r\n");
        const auto avant = test::instantane(dossierJeu);
        const auto programme = test::instantane(env.dossier());
        const QVector<NouveauContenu> jeu = {{prefixe + "F5ABC.log", "nouveau log\r\n"},
                                             {prefixe + "F5ABC_Departement.txt", "nouveau département\r\n"},
                                             {prefixe + "F5ABC_Absent.txt", "nouveau\r\n"}};
        auto apres = avant;
        for (const NouveauContenu& f : jeu)
            apres[QFileInfo(f.nom).fileName()] = f.octets;

        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            const auto regle = [&](int n) {
                if (appel == test::Appel::Rename && n == echec)
                    return test::Effet::Echec;
                return n == tue ? effet : test::Effet::Normal;
            };
            const test::Panne panne(appel, regle, EIO);
            std::optional<test::Panne> sansLiens;
            if (echec < 0)
                sansLiens.emplace(test::Appel::Link, 1, test::Effet::Echec, EPERM, true);
            try {
                ecrireEnsemble(jeu);
            } catch (...) {
            }
            ::_exit(0);
        }
        int statut = 0;
        ::waitpid(pid, &statut, 0);
        QVERIFY2(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL, "the set was not killed");
        QVERIFY(test::instantane(dossierJeu) != avant && test::instantane(dossierJeu) != apres);

        // The next start.
        nettoyerRestes({});
        QVERIFY2(test::instantane(dossierJeu) == (nouveau ? apres : avant),
                 qPrintable(contenuDossier(env).join(QLatin1Char(' '))));
        if (!sousDossier.isEmpty())
            QVERIFY2(test::instantane(env.dossier()) == programme, qPrintable(contenuDossier(env).join(QLatin1Char(' '))));
    }

    void causesEnFrancais()
    {
        // The operator reads the cause in French, never the system's own text.
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("F5ABC.log"), texte(500, 'a'));
        const auto message = [](const std::function<void()>& ecriture) {
            try {
                ecriture();
            } catch (const ErreurFichier& e) {
                return e.messageFrancais();
            }
            return QString();
        };
        QString m;
        {
            const LimiteTaille limite(400);
            m = message([] { ecrireOctets("F5ABC.log", texte(800, 'b')); });
        }
        QCOMPARE(m, QStringLiteral("Erreur sur le fichier « F5ABC.log » : fichier trop grand (erreur 61)."));
        m = message([] { ecrireLignes("Dossier/Absent/F5ABC.txt", {"x"}); });
        QCOMPARE(m, QStringLiteral("Erreur sur le fichier « F5ABC.txt » : dossier introuvable (erreur 75)."));
        m = message([] { lireLignes("Inconnu.txt"); });
        QCOMPARE(m, QStringLiteral("Erreur sur le fichier « Inconnu.txt » : fichier introuvable (erreur 53)."));
    }

    void ensembleToutOuRien()
    {
        test::Environnement env(false);
        test::ecrireOctets(env.chemin("F5ABC.log"), "ancien log\r\n");
        test::ecrireOctets(env.chemin("F5ABC_Locator.txt"), "ancien carré\r\n");
        const QStringList fichiers = contenuDossier(env);
        const auto inchange = [&] {
            return contenuDossier(env) == fichiers &&
                   test::lireOctets(env.chemin("F5ABC.log")) == QByteArray("ancien log\r\n") &&
                   test::lireOctets(env.chemin("F5ABC_Locator.txt")) == QByteArray("ancien carré\r\n");
        };
        const QVector<NouveauContenu> jeu = {{"F5ABC.log", "nouveau log\r\n"},
                                             {"F5ABC_Absent.txt", "nouveau\r\n"},
                                             {"F5ABC_Locator.txt", texte(3000, 'c')}};

        // The last file does not fit: the first two are not written either.
        int n = 0;
        {
            const LimiteTaille limite(1000);
            n = numeroDe([&] { ecrireEnsemble(jeu); });
        }
        QCOMPARE(n, ErreurDisquePlein);
        QVERIFY(inchange());

        // A read-only member stops the set before anything is written.
        QVERIFY(QFile::setPermissions(env.chemin("F5ABC_Locator.txt"), QFile::ReadOwner));
        try {
            ecrireEnsemble(jeu);
            QFAIL("a read-only file was replaced");
        } catch (const ErreurFichier& e) {
            QCOMPARE(e.messageFrancais(),
                     QStringLiteral("Erreur sur le fichier « F5ABC_Locator.txt » : fichier en lecture seule (erreur 70)."));
        }
        QVERIFY(QFile::setPermissions(env.chemin("F5ABC_Locator.txt"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(inchange());

        // A target that cannot be replaced once the others are in place (a folder holds its
        // name): those already replaced are put back, the new one removed.
        QVERIFY(QDir(env.dossier()).mkpath("F5ABC_Prefixe.txt/occupe"));
        n = numeroDe([&] { ecrireEnsemble(jeu + QVector<NouveauContenu>{{"F5ABC_Prefixe.txt", "p\r\n"}}); });
        QVERIFY(n != 0);
        QVERIFY(inchange());

        ecrireEnsemble(jeu);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("nouveau log\r\n"));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_Absent.txt")), QByteArray("nouveau\r\n"));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_Locator.txt")), texte(3000, 'c'));
        QStringList attendus = fichiers + QStringList{"F5ABC_Absent.txt"};
        attendus.sort();
        QCOMPARE(contenuDossier(env), attendus);
    }

private:
    // Every kind of write of "Garde.txt" (whatever its case) is refused with that number and
    // reason, and leaves it as it was. The set of "Libre.txt" and "Garde.txt" is refused on
    // `refusDansLEnsemble`.
    static void toutesLesEcrituresRefusees(const test::Environnement& env, int numero, const QString& raison,
                                           const QString& refusDansLEnsemble = QStringLiteral("Garde.txt"))
    {
        if (!QFile::exists(env.chemin("Garde.txt")))
            test::ecrireOctets(env.chemin("Garde.txt"), "ancien\r\n");
        const QByteArray avant = test::lireOctets(env.chemin("Garde.txt"));
        if (!QFile::exists(env.chemin("Source.txt")))
            test::ecrireOctets(env.chemin("Source.txt"), "source\r\n");
        const std::vector<std::function<void()>> ecritures = {
            [] { ecrireLignes("Garde.txt", {"x"}); },
            [] { ecrireOctets("GARDE.TXT", "x"); },
            [] { ajouterLigne("garde.txt", "x"); },
            [] { ajouterLigneDUnTrait("Garde.txt", "x"); },
            [] { deplacerFin("Garde.txt", 8, 0, "Cote.txt"); },
            [] { copier("Source.txt", "Garde.txt"); },
            [] { ecrireParBrouillon("Source.txt", "Garde.txt", "x"); },
            [] { supprimer("Garde.txt"); },
            [] { ecrireEnsemble({{"Libre.txt", "x"}, {"Garde.txt", "x"}}); },
            [] { verifierEcriture("Garde.txt"); },
        };
        for (qsizetype i = 0; i < qsizetype(ecritures.size()); ++i) {
            try {
                ecritures[size_t(i)]();
                QFAIL("a refused write went through");
            } catch (const ErreurFichier& e) {
                QCOMPARE(e.numero, numero);
                QCOMPARE(e.raison, raison);
                const QString nom = i == qsizetype(ecritures.size()) - 2 ? refusDansLEnsemble : QStringLiteral("Garde.txt");
                QVERIFY2(e.messageFrancais().contains(QStringLiteral("« %1 »").arg(nom)), qPrintable(e.messageFrancais()));
            }
        }
        QCOMPARE(test::lireOctets(env.chemin("Garde.txt")), avant);
        QVERIFY(existe("Source.txt"));
        QVERIFY(!existe("Libre.txt"));
        QVERIFY(!existe("Cote.txt"));
    }
};

QTEST_MAIN(TestEcrituresSures)
#include "tst_ecritures_sures.moc"
