// The real program on a real window system: its own Xvfb on a free display with the openbox
// window manager, keys typed as X events. Every start, first installation included, must end
// with the main window on screen, active, and the keyboard at the callsign: a callsign typed
// right away reaches it (the new-prefix message box of its Enter shows up).
// Fails, with the reason, where one of the tools it drives (Xvfb, openbox, xdotool, xprop) is
// missing: scripts/setup.sh installs them all.
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Ligne_QSO.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>
#include <optional>

namespace {

const QString TitreCarnet = QStringLiteral("^Velmarin Revision");
const QString TitreMessage = QStringLiteral("^Velmarin$");

bool attendre(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

} // namespace

class TestDemarrageEcran : public QObject {
    Q_OBJECT

    QProcess xvfb_;
    QProcess openbox_;
    QString affichage_;
    QTemporaryDir maison_;

    QProcessEnvironment environnement() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("DISPLAY"), affichage_);
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        e.insert(QStringLiteral("HOME"), maison_.path());
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), maison_.path() + QStringLiteral("/config"));
        e.insert(QStringLiteral("XDG_DATA_HOME"), maison_.path() + QStringLiteral("/data"));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), maison_.path() + QStringLiteral("/run"));
        e.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return e;
    }

    QString xdotool(const QStringList& arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(environnement());
        p.start(QStringLiteral("xdotool"), arguments);
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    // Ids of the windows on screen whose title matches.
    QStringList visibles(const QString& titre) const
    {
        const QString sortie = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titre});
        return sortie.isEmpty() ? QStringList() : sortie.split(QLatin1Char('\n'));
    }

    // The place and size of a window on screen, the frame that the window manager puts
    // around it included; nothing when the frame cannot be read.
    std::optional<QRect> geometrie(const QString& id) const
    {
        QRect r;
        for (const QString& l : xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id}).split(QLatin1Char('\n'))) {
            const QString valeur = l.section(QLatin1Char('='), 1);
            if (l.startsWith(QLatin1String("X=")))
                r.moveLeft(valeur.toInt());
            else if (l.startsWith(QLatin1String("Y=")))
                r.moveTop(valeur.toInt());
            else if (l.startsWith(QLatin1String("WIDTH=")))
                r.setWidth(valeur.toInt());
            else if (l.startsWith(QLatin1String("HEIGHT=")))
                r.setHeight(valeur.toInt());
        }
        QProcess xprop;
        xprop.setProcessEnvironment(environnement());
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
        if (!xprop.waitForFinished(5000) || xprop.exitStatus() != QProcess::NormalExit || xprop.exitCode() != 0) {
            xprop.kill();
            xprop.waitForFinished();
            return std::nullopt;
        }
        // "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 22, 1": left, right, top, bottom.
        const QString brut = QString::fromUtf8(xprop.readAllStandardOutput());
        const QStringList marges = brut.section(QLatin1Char('='), 1).split(QLatin1Char(','));
        if (r.isEmpty() || marges.size() != 4)
            return std::nullopt;
        r.adjust(-marges.at(0).trimmed().toInt(), -marges.at(2).trimmed().toInt(), marges.at(1).trimmed().toInt(),
                 marges.at(3).trimmed().toInt());
        return r;
    }

    void taper(const QString& texte) const
    {
        if (!texte.isEmpty())
            xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), texte});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    }

    QString dossierProgramme() const { return maison_.path() + QStringLiteral("/data/Velmarin"); }

    // Starts the program; `arret` kills it.
    bool lancer(QProcess& programme) const
    {
        programme.setProcessEnvironment(environnement());
        programme.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        programme.start(QStringLiteral(VELMARIN_PROGRAMME), {});
        return programme.waitForStarted(5000);
    }
    static void arret(QProcess& programme)
    {
        programme.kill();
        programme.waitForFinished(5000);
    }

    // Starts the program, returns once it is killed; the checks are made in between.
    void demarrer(const std::function<void()>& avantCarnet)
    {
        QProcess programme;
        QVERIFY(lancer(programme));
        const auto arreter = qScopeGuard([&programme] { arret(programme); });
        if (avantCarnet) {
            avantCarnet();
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(attendre([&] { return !visibles(TitreCarnet).isEmpty(); }, 15000), "the main window never showed");
        // Let the start settle: the window must still be there, and active.
        QThread::msleep(700);
        QVERIFY(programme.state() == QProcess::Running);
        const QStringList carnet = visibles(TitreCarnet);
        QVERIFY2(carnet.size() == 1, "the main window left the screen after the start");
        QVERIFY2(attendre([&] { return xdotool({QStringLiteral("getactivewindow")}) == carnet.first(); }, 3000),
                 "the main window is not the active window");
        QVERIFY(visibles(TitreMessage).isEmpty());
        // Typed at once, without a click: the callsign's Enter announces a new prefix.
        taper(QStringLiteral("DL1ABC"));
        QVERIFY2(attendre([&] { return !visibles(TitreMessage).isEmpty(); }, 5000),
                 "the keys typed did not reach the callsign");
    }

    void preparerStation(int qso)
    {
        QDir().mkpath(dossierProgramme());
        for (const QString& n : QDir(dossierProgramme()).entryList(QDir::Files))
            QFile::remove(dossierProgramme() + QLatin1Char('/') + n);
        QFile::remove(maison_.path() + QStringLiteral("/config/Velmarin.ini"));
        plateforme::definirDossierProgramme(dossierProgramme());
        plateforme::installerModeles(QStringLiteral(VELMARIN_MODELES));
        for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                       QStringLiteral("_Prefixe.txt")})
            plateforme::copier(QStringLiteral("FXXXX") + suffixe, QStringLiteral("F5ABC") + suffixe);
        QStringList lignes;
        for (int i = 0; i < qso; ++i) {
            QString l = QStringLiteral("01/03/24  F1A%1").arg(i, 3, 10, QLatin1Char('0'));
            l = l.leftJustified(22) + QStringLiteral("10:00  10:00");
            lignes << l.leftJustified(station::LongueurLigneQSO);
        }
        plateforme::ecrireLignes(QStringLiteral("F5ABC.log"), lignes);
        using namespace Cles_Registre;
        plateforme::SaveSetting(Application, Section_Setup, Indicatif_Station, QStringLiteral("F5ABC"));
        plateforme::SaveSetting(Application, Section_Setup, Locator_Station, QStringLiteral("JN03TJ"));
        plateforme::SaveSetting(Application, Section_Station(QStringLiteral("F5ABC")), Bande_Utilisee, QStringLiteral("10"));
        plateforme::SaveSetting(Application, Section_Station(QStringLiteral("F5ABC")), Date_Automatique, Vrai);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Each tool and the Debian package that brings it.
        const std::pair<const char*, const char*> outils[] = {
            {"Xvfb", "xvfb"}, {"openbox", "openbox"}, {"xdotool", "xdotool"}, {"xprop", "x11-utils"}};
        for (const auto& [outil, paquet] : outils) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 is not installed: Debian package %2, installed by scripts/setup.sh")
                                     .arg(QString::fromLatin1(outil), QString::fromLatin1(paquet))));
        }
        QVERIFY(maison_.isValid());
        for (const char* d : {"/config", "/data", "/run"})
            QDir().mkpath(maison_.path() + QString::fromLatin1(d));
        QFile::setPermissions(maison_.path() + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, maison_.path() + QStringLiteral("/config"));

        // A display number nobody uses.
        for (int n = 57; n < 200 && affichage_.isEmpty(); ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!xvfb_.waitForStarted(5000))
                QSKIP("Xvfb does not start");
            if (attendre([&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) || xvfb_.state() != QProcess::Running; }, 10000) &&
                xvfb_.state() == QProcess::Running)
                affichage_ = QStringLiteral(":%1").arg(n);
            else
                xvfb_.waitForFinished(1000);
        }
        if (affichage_.isEmpty())
            QSKIP("no display could be started");
        QThread::msleep(300);
        openbox_.setProcessEnvironment(environnement());
        openbox_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        QVERIFY(openbox_.waitForStarted(5000));
        QThread::msleep(1000);
        QVERIFY(openbox_.state() == QProcess::Running);
    }

    void cleanupTestCase()
    {
        for (QProcess* p : {&openbox_, &xvfb_}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) {
                    p->kill();
                    p->waitForFinished(3000);
                }
            }
        }
    }

    void demarrageAvecJournal_data()
    {
        QTest::addColumn<int>("qso");
        for (int essai = 1; essai <= 3; ++essai) {
            QTest::addRow("journal vide, essai %d", essai) << 0;
            QTest::addRow("40 QSO, essai %d", essai) << 40;
        }
    }
    void demarrageAvecJournal()
    {
        QFETCH(int, qso);
        preparerStation(qso);
        demarrer({});
    }

    // The ADIF export window, opened from the "Fichier" menu with the mouse and the keyboard,
    // shows centred on the screen at its own size, its frame included.
    void fenetreCentreeASaTaille()
    {
        preparerStation(5);
        QProcess programme;
        QVERIFY(lancer(programme));
        const auto arreter = qScopeGuard([&programme] { arret(programme); });
        QVERIFY2(attendre([&] { return !visibles(TitreCarnet).isEmpty(); }, 15000), "the main window never showed");
        QThread::msleep(700);
        const std::optional<QRect> carnet = geometrie(visibles(TitreCarnet).first());
        QVERIFY2(carnet, "the main window's place and frame could not be read (xdotool, xprop)");
        xdotool({QStringLiteral("mousemove"), QString::number(carnet->x() + 20), QString::number(carnet->y() + 10),
                 QStringLiteral("click"), QStringLiteral("1")});
        QThread::msleep(400);
        // The item above "Quitter Velmarin", the last one.
        xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Return")});
        const QString titre = QStringLiteral("^Expotation format ADIF$");
        QVERIFY2(attendre([&] { return !visibles(titre).isEmpty(); }, 5000), "the export window did not open");
        QThread::msleep(500);
        const std::optional<QRect> fenetre = geometrie(visibles(titre).first());
        QVERIFY2(fenetre, "the export window's place and frame could not be read (xdotool, xprop)");
        const QRect r = *fenetre;
        const QRect ecran(0, 0, 1280, 1024);
        qInfo("export window %dx%d at (%d,%d), centre (%d,%d) on a %dx%d screen", r.width(), r.height(), r.x(), r.y(),
              r.center().x(), r.center().y(), ecran.width(), ecran.height());
        QVERIFY(r.width() < 600 && r.height() < 400);
        QVERIFY2(std::abs(r.center().x() - ecran.center().x()) <= 2 && std::abs(r.center().y() - ecran.center().y()) <= 2,
                 "the export window is not centred");
    }

    void premiereInstallation()
    {
        QDir(dossierProgramme()).removeRecursively();
        QFile::remove(maison_.path() + QStringLiteral("/config/Velmarin.ini"));
        demarrer([this] {
            // "Premiere installation": the message, then the station window.
            QVERIFY2(attendre([&] { return !visibles(TitreMessage).isEmpty(); }, 15000), "no first-installation message");
            QThread::msleep(300);
            taper(QString());
            QVERIFY2(attendre([&] { return !visibles(QStringLiteral("^Identification de la station$")).isEmpty(); }, 5000),
                     "no station window");
            QThread::msleep(300);
            taper(QString());                      // "Nouvel indicatif"
            taper(QStringLiteral("F5ABC"));
            taper(QStringLiteral("JN03TJ"));
            taper(QString());                      // Validez
            QVERIFY2(attendre([&] { return visibles(QStringLiteral("^Identification de la station$")).isEmpty(); }, 5000),
                     "the station window stayed");
        });
        QVERIFY(QFile::exists(dossierProgramme() + QStringLiteral("/F5ABC.log")));
    }
};

QTEST_GUILESS_MAIN(TestDemarrageEcran)
#include "tst_demarrage_ecran.moc"
