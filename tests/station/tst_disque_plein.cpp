// A full disk, for real: the program folder on a small tmpfs mounted in a private mount
// namespace (root only; skipped with its reason elsewhere), filled up, then every kind of
// write of the log store, the award files and the directory tried on small and large files,
// and the writes of several files (restore, reset, new station) with room for part of them.
// Each one fails with error 61 and leaves every file byte for byte, no scratch file behind.
#include "commun/Outils_Test.h"

#include "exchange/Sauvegarde.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Mises_A_Jour.h"
#include "station/Ligne_QSO.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QDir>
#include <QFile>
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
        test::ecrireOctets(dossier_ + QStringLiteral("/Nomenclature.txt"),
                           test::enAnsi({QStringLiteral("F6ABC      75 JN18EU"), QStringLiteral("F1ABC      31 JN03RA")}));
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
        const QStringList items = station::itemsDepuisLignes(journal(indicatif == QLatin1String("F5ABC") ? 20 : 244));
        QString etat, pays, prefixe;
        const std::vector<std::pair<const char*, std::function<void()>>> ecritures = {
            {"ajout au journal", [&] { Ajoute_QSO_Log(record); }},
            {"insertion par date", [&] { station::reecrireJournal(indicatif, station::insererParDate(items, record)); }},
            {"suppression", [&] { station::reecrireJournal(indicatif, station::supprimerItem(items, 0)); }},
            {"département", [&] { Ecrit_Etat_Departement(QStringLiteral("31"), QStringLiteral("1"), QStringLiteral("144 Mhz")); }},
            {"carré", [&] { Ecrit_Etat_Locator(QStringLiteral("JN03"), QStringLiteral("1"), QStringLiteral("144 Mhz")); }},
            {"préfixe", [&] { Ecrit_Etat_Prefixe(QStringLiteral("DL1ABC"), QStringLiteral("14 Mhz"), etat, pays, prefixe); }},
            {"nomenclature", [&] { MAJ_Nomenclature(QStringLiteral("F8XYZ"), QStringLiteral("44"), QStringLiteral("IN97AA")); }},
            {"éditeur de nomenclature", [&] { station::ecrireNomenclature({QStringLiteral("F8XYZ      44 IN97AA")}); }},
            {"activités", [&] { Ecrit_Fichier_Activite(); }},
            {"remplacement de ligne", [&] { Remplace_Ligne(items.at(0).mid(6), record, station::nomJournal(indicatif)); }},
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
        QCOMPARE(plateforme::lireLignes(station::nomJournal(indicatif)).size(), items.size() + 1);
        MAJ_Nomenclature(QStringLiteral("F8XYZ"), QStringLiteral("44"), QStringLiteral("IN97AA"));
        QCOMPARE(station::lireNomenclature().size(), 3);
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

        // Room again: the restore brings the four files back together.
        QVERIFY(QFile::remove(dossier_ + QStringLiteral("/Remplissage.bin")));
        echange::restaurer(QStringLiteral("F5ABC"), prefixe);
        QCOMPARE(plateforme::lireLignes(QStringLiteral("F5ABC.log")), journal(10));
        QCOMPARE(test::lireOctets(dossier_ + QStringLiteral("/F5ABC_Departement.txt")),
                 test::lireOctets(env_->chemin(QStringLiteral("FXXXX_Departement.txt"))));
    }
};

QTEST_MAIN(TestDisquePlein)
#include "tst_disque_plein.moc"
