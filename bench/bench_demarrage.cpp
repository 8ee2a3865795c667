// Start-up of the real program to idle, with an empty log and with logs of 20,000 and 99,999
// QSOs. The program runs in a folder and settings of its own (offscreen unless a display is
// asked for); it is idle when its main thread has used no processor for a while, and the
// figure is the wall time from its launch to the last moment it worked, with its resident
// memory then. Several runs each; prints the medians, and the memory the full log adds beside
// the size of the log.
#include "bench/Outils_Bench.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString App = QStringLiteral("Velmarin");
const QString Station = QStringLiteral("F5DEM");
constexpr int Essais = 7;
// No processor used for this long: the program waits for the operator.
constexpr qint64 SilenceMs = 300;

// Processor time of the main thread of `pid`, in nanoseconds; -1 once it is gone.
qint64 tempsProcesseur(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/schedstat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readLine().split(' ').value(0).toLongLong();
}

// Resident memory of `pid`, in MB.
double memoireResidente(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(1).toDouble() * 4096 / 1e6;
}

struct Demarrage {
    double ms = -1;       // from the launch to idle; -1 when the program stopped on its own
    double memoire = -1;  // resident memory at idle, MB
};

Demarrage demarrage(const QString& programme, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(programme, {});
    if (!p.waitForStarted())
        return {};
    qint64 dernier = 0;
    qint64 instantDernier = 0;
    for (;;) {
        const qint64 cpu = tempsProcesseur(p.processId());
        const qint64 maintenant = t.nsecsElapsed();
        if (cpu < 0)
            return {};
        if (cpu != dernier) {
            dernier = cpu;
            instantDernier = maintenant;
        } else if (maintenant - instantDernier > SilenceMs * 1000000) {
            break;
        }
        QThread::usleep(200);
    }
    const double memoire = memoireResidente(p.processId());
    p.kill();
    p.waitForFinished();
    return {double(instantDernier) / 1e6, memoire};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir donnees;
    QTemporaryDir reglages;
    // The program finds its folder and settings through the usual per-user places.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages.path());
    plateforme::definirDossierProgramme(donnees.path() + QStringLiteral("/Velmarin"));
    plateforme::installerModeles(QStringLiteral(VELMARIN_MODELES));
    plateforme::SaveSetting(App, QStringLiteral("Setup"), QStringLiteral("Indicatif Station"), Station);
    plateforme::SaveSetting(App, QStringLiteral("Setup"), QStringLiteral("Locator Station"), QStringLiteral("JN03TJ"));
    const QString section = QStringLiteral("Setup ") + Station;
    plateforme::SaveSetting(App, section, QStringLiteral("NB Activite"), QStringLiteral("1"));
    plateforme::SaveSetting(App, section, QStringLiteral("Activite0"), QStringLiteral("QSO"));
    for (const char* suffixe : {"_Departement.txt", "_Locator.txt", "_Prefixe.txt"})
        plateforme::copier(QStringLiteral("FXXXX") + QString::fromLatin1(suffixe), Station + QString::fromLatin1(suffixe));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), donnees.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), reglages.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    std::printf("start-up to idle (median of %d runs, %s)\n", Essais,
                qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"))));
    // Only the full log has targets; the others show how the figures grow with the log.
    double memoireVide = 0;
    for (const auto& [taille, cible] : {std::pair{0, 0.0}, std::pair{20000, 0.0}, std::pair{99999, 100.0}}) {
        QStringList lignes;
        lignes.reserve(taille);
        for (int i = 0; i < taille; ++i)
            lignes << bench::ligneJournal(i);
        plateforme::ecrireLignes(Station + QStringLiteral(".log"), lignes);
        const double tailleJournal = plateforme::longueur(Station + QStringLiteral(".log")) / 1e6;
        std::vector<double> mesures;
        std::vector<double> memoires;
        for (int i = 0; i < Essais; ++i) {
            const Demarrage d = demarrage(QStringLiteral(VELMARIN_PROGRAMME), env);
            if (d.ms < 0) {
                std::printf("  the program stopped before it was idle\n");
                return 1;
            }
            mesures.push_back(d.ms);
            memoires.push_back(d.memoire);
        }
        const double m = bench::mediane(mesures);
        const double memoire = bench::mediane(memoires);
        std::printf("  log of %5d QSOs (%4.1f MB): %4.0f ms (min %.0f, max %.0f), resident %5.1f MB", taille,
                    tailleJournal, m, *std::min_element(mesures.begin(), mesures.end()),
                    *std::max_element(mesures.begin(), mesures.end()), memoire);
        if (taille == 0)
            memoireVide = memoire;
        if (cible > 0) {
            const double rapport = (memoire - memoireVide) / tailleJournal;
            std::printf("\n    target %.0f ms: %s; memory over the empty log %.1f MB = %.2f x the log "
                        "(target <= 1.5 x: %s)",
                        cible, m <= cible ? "met" : "MISSED", memoire - memoireVide, rapport,
                        rapport <= 1.5 ? "met" : "MISSED");
        }
        std::printf("\n");
    }
    return 0;
}
