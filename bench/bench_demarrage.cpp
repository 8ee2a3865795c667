// Start-up of the real program to idle, with a log of 20,000 and of 99,999 QSOs. The program
// runs in a folder and settings of its own (offscreen unless a display is asked for); it is
// idle when its main thread has used no processor for a while, and the figure is the wall
// time from its launch to the last moment it worked. Several runs each; prints the medians.
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

// Milliseconds from the launch to idle; -1 when the program stopped on its own.
double demarrage(const QString& programme, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(programme, {});
    if (!p.waitForStarted())
        return -1;
    qint64 dernier = 0;
    qint64 instantDernier = 0;
    for (;;) {
        const qint64 cpu = tempsProcesseur(p.processId());
        const qint64 maintenant = t.nsecsElapsed();
        if (cpu < 0)
            return -1;
        if (cpu != dernier) {
            dernier = cpu;
            instantDernier = maintenant;
        } else if (maintenant - instantDernier > SilenceMs * 1000000) {
            break;
        }
        QThread::usleep(200);
    }
    p.kill();
    p.waitForFinished();
    return double(instantDernier) / 1e6;
}

double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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
    // Only the full log has a target; the smaller one shows how the time grows with the log.
    for (const auto& [taille, cible] : {std::pair{20000, 0.0}, std::pair{99999, 350.0}}) {
        QStringList lignes;
        lignes.reserve(taille);
        for (int i = 0; i < taille; ++i)
            lignes << bench::ligneJournal(i);
        plateforme::ecrireLignes(Station + QStringLiteral(".log"), lignes);
        std::vector<double> mesures;
        for (int i = 0; i < Essais; ++i) {
            const double ms = demarrage(QStringLiteral(VELMARIN_PROGRAMME), env);
            if (ms < 0) {
                std::printf("  the program stopped before it was idle\n");
                return 1;
            }
            mesures.push_back(ms);
        }
        const double m = mediane(mesures);
        std::printf("  log of %5d QSOs: %4.0f ms (min %.0f, max %.0f)", taille, m,
                    *std::min_element(mesures.begin(), mesures.end()), *std::max_element(mesures.begin(), mesures.end()));
        if (cible > 0)
            std::printf("  target %.0f ms: %s", cible, m <= cible ? "met" : "MISSED");
        std::printf("\n");
    }
    return 0;
}
