// A full disk, for real: the program folder on a small tmpfs mounted in a private mount
// namespace (root only; skipped with its reason elsewhere), filled up, then every kind of
// write of the log store, the award files and the directory tried on small and large files,
// and the writes of several files (restore, reset, new station) with room for part of them.
// Each one fails with error 61 and leaves every file byte for byte, no scratch file behind.
// The settings and a print to a file, which Qt writes, with a few pages left too: whole or
// refused, never cut short.
#include "commun/Outils_Test.h"

#include "exchange/Sauvegarde.h"
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "platform/Imprimante.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Mises_A_Jour.h"
#include "station/Modele_Liste_QSO.h"
#include "station/Ligne_QSO.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QStringList journal(int n)
{
    return test::journalEssai(n);
}

// The directory ends four bytes short of a page: a new record, added at the end, needs one more
// page of the disk.
QStringList nomenclature()
{
    QStringList l = {QStringLiteral("F6ABC      75 JN18EU"), QStringLiteral("F1ABC      31 JN03RA")};
    while ((l.size() + 1) * 22 <= 4092)
        l << QStringLiteral("F4A%1     31 JN03AA").arg(l.size(), 3, 10, QLatin1Char('0'));
    return l;
}

// Every value of a settings file, as a fresh reader of the file finds it.
std::map<QString, QString> valeursReglages(const QString& fichier)
{
    std::map<QString, QString> valeurs;
    const QSettings s(fichier, QSettings::IniFormat);
    for (const QString& cle : s.allKeys())
        valeurs[cle] = s.value(cle).toString();
    return valeurs;
}

int messagesReglages(const test::Environnement& env)
{
    int n = 0;
    for (const test::Message& m : env.messages)
        n += m.texte.contains(QStringLiteral("Enregistrement des réglages impossible")) ? 1 : 0;
    return n;
}

// Fills the file system of `dossier` to its last byte, or but `reste` bytes (about: tmpfs
// counts whole pages).
bool remplir(const QString& dossier, qsizetype reste = 0)
{
    const QString reserve = dossier + QStringLiteral("/Reserve.bin");
    if (reste > 0)
        test::ecrireOctets(reserve, QByteArray(reste, 'r'));
    const int fd = ::open(QFile::encodeName(dossier + QStringLiteral("/Remplissage.bin")).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray bloc(65536, 'r');
    for (qsizetype taille : {qsizetype(65536), qsizetype(4096), qsizetype(1)}) {
        while (::write(fd, bloc.constData(), size_t(taille)) > 0) {
        }
    }
    const bool plein = errno == ENOSPC;
    ::close(fd);
    return plein && (reste == 0 || QFile::remove(reserve));
}

} // namespace

class TestDisquePlein : public QObject {
    Q_OBJECT

    QTemporaryDir point_;
    QString dossier_;
    std::unique_ptr<test::Environnement> env_;

    // The station's settings (eleven keys) in a folder of the small disk, room left.
    QString preparerReglages()
    {
        QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin"));
        const QString reglages = dossier_ + QStringLiteral("/reglages");
        QDir().mkpath(reglages);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages);
        using namespace Cles_Registre;
        test::ecrireReglage(Section_Setup, Indicatif_Station, QStringLiteral("F5ABC"));
        test::ecrireReglage(Section_Setup, Locator_Station, QStringLiteral("JN03TJ"));
        test::ecrireReglage(Section_Setup, Nombre_Indicatif, QStringLiteral("1"));
        test::ecrireReglage(Section_Setup, Indicatif(1), QStringLiteral("F5ABC JN03TJ"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), NB_Activite, QStringLiteral("2"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Activite_N(0), QStringLiteral("QSO"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Activite_N(1), QStringLiteral("DFCF"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Revision, QStringLiteral(" 5.6.8"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Delta_Sauvegarde, QStringLiteral("10"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Numero_Sauvegarde, QStringLiteral("20"));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Chemin_Sauvegarde, dossier_ + QStringLiteral("/F5ABC"));
        return reglages;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root (the CI runs the tests as root)");
        if (::unshare(CLONE_NEWNS) != 0)
            QSKIP(qPrintable(QStringLiteral("no private mount namespace: %1").arg(QString::fromLocal8Bit(std::strerror(errno)))));
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            QSKIP(qPrintable(QStringLiteral("mounts cannot be made private: %1").arg(QString::fromLocal8Bit(std::strerror(errno)))));
        QVERIFY(point_.isValid());
        dossier_ = point_.path();
        if (::mount("velmarin-essai", QFile::encodeName(dossier_).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=2560k,mode=0755") != 0)
            QSKIP(qPrintable(QStringLiteral("tmpfs refused: %1").arg(QString::fromLocal8Bit(std::strerror(errno)))));
    }

    void cleanupTestCase()
    {
        if (!dossier_.isEmpty())
            ::umount2(QFile::encodeName(dossier_).constData(), MNT_DETACH);
    }

    void init()
    {
        env_ = std::make_unique<test::Environnement>();
        for (const QString& n : QDir(dossier_).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(dossier_ + QLatin1Char('/') + n);
        const QString modeles = env_->dossier();
        plateforme::definirDossierProgramme(dossier_);
        plateforme::synchroniserSurDisque(true);
        // Two stations: a short log whose last page has room for part of one record only, and
        // a log larger than any write buffer (with the same room).
        for (const auto& [indicatif, n] : {std::pair{QStringLiteral("F5ABC"), 20}, std::pair{QStringLiteral("F5BIG"), 244}}) {
            for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                           QStringLiteral("_Prefixe.txt")})
                QVERIFY(QFile::copy(modeles + QStringLiteral("/FXXXX") + suffixe, dossier_ + QLatin1Char('/') + indicatif + suffixe));
            test::ecrireOctets(dossier_ + QLatin1Char('/') + indicatif + QStringLiteral(".log"), test::enAnsi(journal(n)));
        }
        test::ecrireOctets(dossier_ + QStringLiteral("/Nomenclature.txt"), test::enAnsi(nomenclature()));
        test::ecrireReglageStation(QStringLiteral("F5ABC"), Cles_Registre::NB_Activite, QStringLiteral("2"));
        QVERIFY(remplir(dossier_));
    }

    void cleanup()
    {
        plateforme::synchroniserSurDisque(false);
        env_.reset();
    }

    void chaqueEcritureEchoueSansRienAbimer_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::newRow("petit journal") << QStringLiteral("F5ABC");
        QTest::newRow("grand journal") << QStringLiteral("F5BIG");
    }
    void chaqueEcritureEchoueSansRienAbimer()
    {
        QFETCH(QString, indicatif);
        Prog().Indicatif_Station = indicatif;
        const auto avant = test::instantane(dossier_);
        const QString record = journal(1).at(0);
        const QStringList lignes = journal(indicatif == QLatin1String("F5ABC") ? 20 : 244);
        Modele_Liste_QSO liste;
        liste.charger(Lignes_Journal::depuis(test::enAnsi(lignes)));
        const auto reecrire = [&indicatif](const QList<QByteArrayView>& morceaux) {
            plateforme::ecrireMorceaux(station::nomJournal(indicatif), morceaux);
        };
        QString etat, pays, prefixe;
        const std::vector<std::pair<const char*, std::function<void()>>> ecritures = {
            {"ajout au journal", [&] { Ajoute_QSO_Log(record); }},
            {"insertion par date", [&] { liste.inserer(station::rangParDate(liste, record), record, reecrire); }},
            {"suppression", [&] { liste.supprimer(0, reecrire); }},
            {"département", [&] { Ecrit_Etat_Departement(QStringLiteral("31"), QStringLiteral("1"), QStringLiteral("144 Mhz")); }},
            {"carré", [&] { Ecrit_Etat_Locator(QStringLiteral("JN03"), QStringLiteral("1"), QStringLiteral("144 Mhz")); }},
            {"préfixe", [&] { Ecrit_Etat_Prefixe(QStringLiteral("DL1ABC"), QStringLiteral("14 Mhz"), etat, pays, prefixe); }},
            {"nomenclature", [&] { MAJ_Nomenclature(QStringLiteral("F8XYZ"), QStringLiteral("44"), QStringLiteral("IN97AA")); }},
            {"nomenclature, indicatif connu",
             [&] { MAJ_Nomenclature(QStringLiteral("F6ABC"), QStringLiteral("44"), QStringLiteral("IN97AA")); }},
            {"éditeur de nomenclature", [&] { station::ecrireNomenclature({QStringLiteral("F8XYZ      44 IN97AA")}); }},
            {"activités", [&] { Ecrit_Fichier_Activite(); }},
            {"remplacement de ligne", [&] { Remplace_Ligne(lignes.at(0), record, station::nomJournal(indicatif)); }},
            {"copie", [&] { plateforme::copier(indicatif + QStringLiteral("_Departement.txt"), QStringLiteral("Copie.txt")); }},
        };
        for (const auto& [nom, ecriture] : ecritures) {
            int numero = 0;
            try {
                ecriture();
            } catch (const plateforme::ErreurFichier& e) {
                numero = e.numero;
            }
            QVERIFY2(numero == plateforme::ErreurDisquePlein, qPrintable(QStringLiteral("%1: erreur %2").arg(QString::fromUtf8(nom)).arg(numero)));
            QVERIFY2(test::instantane(dossier_) == avant, nom);
        }
        // Room again: the same writes go through.
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        Ajoute_QSO_Log(record);
        QCOMPARE(plateforme::lireLignes(station::nomJournal(indicatif)).size(), lignes.size() + 1);
        MAJ_Nomenclature(QStringLiteral("F8XYZ"), QStringLiteral("44"), QStringLiteral("IN97AA"));
        QCOMPARE(station::lireNomenclature().size(), nomenclature().size() + 1);
    }

    void ensemblesToutOuRien()
    {
        // The restore, the reset and a new station write several files: with room for the
        // first of them only, none changes, and nothing is left behind.
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        for (const QString& suffixe : {QStringLiteral(".log"), QStringLiteral("_Departement.txt"),
                                       QStringLiteral("_Locator.txt"), QStringLiteral("_Prefixe.txt")})
            QVERIFY(QFile::remove(dossier_ + QStringLiteral("/F5BIG") + suffixe));
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        for (const QString& suffixe : {QStringLiteral(".log"), QStringLiteral("_Departement.txt"),
                                       QStringLiteral("_Locator.txt"), QStringLiteral("_Prefixe.txt")})
            QVERIFY(QFile::copy(env_->chemin(QStringLiteral("FXXXX") + suffixe), dossier_ + QStringLiteral("/FXXXX") + suffixe));
        // The backup: a shorter log and award files that differ from the station's.
        const QString prefixe = echange::prefixeSauvegardeDefaut(QStringLiteral("F5ABC"));
        test::ecrireOctets(dossier_ + QStringLiteral("/F5ABC_Activite.txt"), test::enAnsi({QStringLiteral("QSO")}));
        QVERIFY(echange::sauvegarder(QStringLiteral("F5ABC"), prefixe).isEmpty());
        test::ecrireOctets(prefixe + QStringLiteral(".bak"), test::enAnsi(journal(10)));
        Ajoute_QSO_Log(journal(1).at(0));
        Ecrit_Etat_Departement(QStringLiteral("31"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
        QVERIFY(remplir(dossier_, 16384));
        const auto avant = test::instantane(dossier_);

        const std::vector<std::pair<const char*, std::function<void()>>> ensembles = {
            {"restauration", [&] { echange::restaurer(QStringLiteral("F5ABC"), prefixe); }},
            {"remise à zéro", [] { station::Remet_A_Zero_Fichiers(); }},
            {"nouvelle station", [] { Cree_Fichiers_Indicatif(QStringLiteral("F1NEW")); }},
        };
        for (const auto& [nom, ecriture] : ensembles) {
            int numero = 0;
            try {
                ecriture();
            } catch (const plateforme::ErreurFichier& e) {
                numero = e.numero;
                QVERIFY2(e.messageFrancais().contains(QStringLiteral("disque plein")), qPrintable(e.messageFrancais()));
            }
            QVERIFY2(numero == plateforme::ErreurDisquePlein, qPrintable(QStringLiteral("%1: erreur %2").arg(QString::fromUtf8(nom)).arg(numero)));
            QVERIFY2(test::instantane(dossier_) == avant, nom);
        }
        // So does the backup: its log and award files stay a set that matches.
        const QString dossierSauvegarde = QFileInfo(prefixe).absolutePath();
        const auto sauvegarde = test::instantane(dossierSauvegarde);
        QVERIFY(!echange::sauvegarder(QStringLiteral("F5ABC"), prefixe).isEmpty());
        QVERIFY(test::instantane(dossierSauvegarde) == sauvegarde);

        // Room again: the restore brings the four files back together.
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        echange::restaurer(QStringLiteral("F5ABC"), prefixe);
        QCOMPARE(plateforme::lireLignes(QStringLiteral("F5ABC.log")), journal(10));
        QCOMPARE(test::lireOctets(dossier_ + QStringLiteral("/F5ABC_Departement.txt")),
                 test::lireOctets(env_->chemin(QStringLiteral("FXXXX_Departement.txt"))));
    }

    // The settings folder on the full disk: a start and the changes that follow fail to write
    // the settings, say so once per action, and leave the file byte for byte.
    void reglagesIntactsSurDisquePlein()
    {
        const QString reglages = preparerReglages();
        const auto avant = test::instantane(reglages);
        QVERIFY(remplir(dossier_));
        using namespace Cles_Registre;

        // The start writes the revision and the folder back: both refused, told once.
        env_->oublierMessages();
        Carnet& c = Carnet::instance();
        c.Form_Load();
        QCOMPARE(messagesReglages(*env_), 1);
        QVERIFY(env_->textes().join(QLatin1Char('|')).contains(QStringLiteral("disque plein")));
        QVERIFY(test::instantane(reglages) == avant);
        QCOMPARE(Prog().Delta_Sauvegarde, QStringLiteral("10"));
        QCOMPARE(c.Activ_A->count(), 2);

        // A later change is another action: told again, and the caller knows it failed.
        QCoreApplication::processEvents();
        QVERIFY(!Ecrit_Station(Bande_Utilisee, QStringLiteral("3")));
        QVERIFY(!Ecrit_Station(Mode_Utilise, QStringLiteral("2")));
        QCOMPARE(messagesReglages(*env_), 2);
        QVERIFY(test::instantane(reglages) == avant);
        QCOMPARE(Lit_Station(Bande_Utilisee, QStringLiteral("0")), QStringLiteral("0"));

        // Room again: written.
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        QVERIFY(Ecrit_Station(Bande_Utilisee, QStringLiteral("3")));
        QCOMPARE(Lit_Station(Bande_Utilisee, QStringLiteral("0")), QStringLiteral("3"));
        QCOMPARE(Lit_Station(Delta_Sauvegarde, QString()), QStringLiteral("10"));
        c.hide();
    }

    // A few pages left on the settings disk: a start, or a later change, writes the whole file
    // or leaves it byte for byte, telling once that the disk is full. Never a file cut short.
    void reglagesEntiersOuIntactsPresQuePlein_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("demarrage");
        QTest::addColumn<int>("indicatifs");
        for (int indicatifs : {1, 300}) {
            for (int pages : {0, 1, 2, 4, 8}) {
                QTest::addRow("démarrage, %d pages, %d indicatifs", pages, indicatifs) << pages << true << indicatifs;
                QTest::addRow("changement, %d pages, %d indicatifs", pages, indicatifs) << pages << false << indicatifs;
            }
        }
    }
    void reglagesEntiersOuIntactsPresQuePlein()
    {
        QFETCH(int, pages);
        QFETCH(bool, demarrage);
        QFETCH(int, indicatifs);
        const QString reglages = preparerReglages();
        // Many callsigns: a file of several pages, of which Qt writes the first ones only.
        QList<std::pair<QString, QString>> liste;
        for (int i = 2; i <= indicatifs; ++i)
            liste.append({Cles_Registre::Indicatif(i), QStringLiteral("F5A%1 JN03TJ").arg(i, 3, 10, QLatin1Char('0'))});
        QVERIFY(liste.isEmpty() || plateforme::SaveSettings(Cles_Registre::Application, Cles_Registre::Section_Setup, liste));
        const QString fichier = reglages + QStringLiteral("/Velmarin.ini");
        Carnet& c = Carnet::instance();
        const auto fermer = qScopeGuard([] { Carnet::detruireInstance(); });
        if (!demarrage)
            c.Form_Load();
        const std::map<QString, QString> valeurs = valeursReglages(fichier);
        QVERIFY(valeurs.size() >= 11);
        const auto avant = test::instantane(reglages);
        QVERIFY(remplir(dossier_, pages * 4096));
        QCoreApplication::processEvents();
        env_->oublierMessages();
        bool ecrit = true;
        if (demarrage)
            c.Form_Load();
        else
            ecrit = Ecrit_Station(Cles_Registre::Delta_Sauvegarde, QStringLiteral("15"));
        std::map<QString, QString> apres = valeursReglages(fichier);
        const QString textes = env_->textes().join(QLatin1Char('|'));
        if (test::instantane(reglages) == avant) {
            QVERIFY(demarrage || !ecrit);
            QCOMPARE(messagesReglages(*env_), 1);
            QVERIFY2(textes.contains(QStringLiteral("disque plein")), qPrintable(textes));
        } else {
            QVERIFY2(ecrit && messagesReglages(*env_) == 0, qPrintable(textes));
            for (const auto& [cle, valeur] : valeurs)
                QVERIFY2(apres.count(cle) && (apres.at(cle) == valeur || cle.endsWith(QLatin1String("Revision")) ||
                                              (!demarrage && cle.endsWith(QLatin1String("Delta Sauvegarde")))),
                         qPrintable(cle));
            QVERIFY(demarrage || apres[QStringLiteral("Setup F5ABC/Delta Sauvegarde")] == QLatin1String("15"));
        }
    }

    // Printing to a file with a few pages left: the job is refused and no file is left, or the
    // file holds the whole document. Qt's PDF writer reports no error for a file it cut short.
    void impressionDansUnFichierPresQuePlein()
    {
        QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin"));
        const QString impressions = dossier_ + QStringLiteral("/impressions");
        QVERIFY(QDir().mkpath(impressions));
        plateforme::definirDossierImpression(impressions);
        plateforme::Imprimante& imp = plateforme::Imprimante::instance();
        for (int pages : {0, 1, 2, 8}) {
            QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin"));
            for (const QString& n : QDir(impressions).entryList(QDir::Files | QDir::Hidden))
                QVERIFY(QFile::remove(impressions + QLatin1Char('/') + n));
            QVERIFY(remplir(dossier_, pages * 4096));
            for (int i = 0; i < 60; ++i)
                imp.Print(QStringLiteral("%1 F5ABC JN03TJ 144 Mhz 59 59 Hélène, une ligne de plus").arg(i));
            const bool imprime = imp.EndDoc();
            const QStringList fichiers = QDir(impressions).entryList(QDir::Files | QDir::Hidden);
            QVERIFY2(fichiers.size() == (imprime ? 1 : 0), qPrintable(QStringLiteral("%1 pages: %2").arg(pages).arg(fichiers.join(QLatin1Char(',')))));
            if (imprime)
                QVERIFY2(test::lireOctets(impressions + QLatin1Char('/') + fichiers.first()).endsWith("%%EOF\n"), qPrintable(QString::number(pages)));
            QCOMPARE(imprime, pages == 8);
        }
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        plateforme::definirDossierImpression(env_->dossierImpression());
    }

    // The runtime folder full, then on a read-only file system: a stored value is read as stored,
    // never as the caller's default.
    void reglagesLusSansDossierExecution()
    {
        QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin"));
        const QString pleine = dossier_ + QStringLiteral("/execution");
        QVERIFY(QDir().mkpath(pleine));
        QVERIFY(QFile::setPermissions(pleine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QTemporaryDir lectureSeule;
        const QByteArray chemin = QFile::encodeName(lectureSeule.path());
        QVERIFY(::mount("velmarin-execution", chemin.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") == 0);
        const auto demonter = qScopeGuard([&] { ::umount2(chemin.constData(), MNT_DETACH); });
        QVERIFY(::mount(nullptr, chemin.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        QVERIFY(remplir(dossier_));
        const QString fichier = plateforme::fichierReglages(Cles_Registre::Application);
        for (const QString& execution : {pleine, lectureSeule.path()}) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(execution));
            // Written by another copy of the program: never read before by this one. The two
            // files differ in size: this writer, unlike the program's, may give both one time.
            const QString indicatif = execution == pleine ? QStringLiteral("F6ABC") : QStringLiteral("TK5DEF");
            test::ecrireOctets(fichier, "[Setup]\nIndicatif%20Station=" + indicatif.toLatin1() + "\n");
            QCOMPARE(Lit_Setup(Cles_Registre::Indicatif_Station, Cles_Registre::Indicatif_Vide), indicatif);
        }
    }

    // A settings folder on a read-only file system: the change is refused and told.
    void reglagesEnLectureSeule()
    {
        QTemporaryDir point;
        const QByteArray chemin = QFile::encodeName(point.path());
        QVERIFY(::mount("velmarin-lecture", chemin.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0);
        const auto demonter = qScopeGuard([&] { ::umount2(chemin.constData(), MNT_DETACH); });
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, point.path());
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Indicatif_Station, QStringLiteral("F5ABC"));
        const QByteArray avant = test::lireOctets(point.filePath(QStringLiteral("Velmarin.ini")));
        QVERIFY(::mount(nullptr, chemin.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        QCoreApplication::processEvents();
        env_->oublierMessages();
        QVERIFY(!Ecrit_Setup(Cles_Registre::Indicatif_Station, QStringLiteral("F6XYZ")));
        QCOMPARE(messagesReglages(*env_), 1);
        QVERIFY(env_->textes().constFirst().contains(QStringLiteral("accès refusé")));
        QCOMPARE(Lit_Setup(Cles_Registre::Indicatif_Station, QString()), QStringLiteral("F5ABC"));
        QCOMPARE(test::lireOctets(point.filePath(QStringLiteral("Velmarin.ini"))), avant);
    }
};

QTEST_MAIN(TestDisquePlein)
#include "tst_disque_plein.moc"
