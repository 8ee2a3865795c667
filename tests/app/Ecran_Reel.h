#pragma once
// The real program on a real window system: its own Xvfb on a display it picks itself, with the
// openbox window manager, keys typed as X events by xdotool. Shared by the tests that start
// the program itself.
// Fails, with the reason, where one of the tools it drives (Xvfb, openbox, xdotool, xprop) is
// missing: scripts/setup.sh installs them all.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <functional>
#include <optional>

namespace ecran {

inline const QString TitreCarnet = QStringLiteral("^Velmarin Revision");
inline const QString TitreMessage = QStringLiteral("^Velmarin$");

inline bool attendre(const std::function<bool()>& condition, int ms)
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

class EcranReel {
public:
    // Starts Xvfb and openbox; false (with the reason in `raison`) when it cannot.
    bool demarrer(QString& raison)
    {
        // Each tool and the Debian package that brings it.
        const std::pair<const char*, const char*> outils[] = {
            {"Xvfb", "xvfb"}, {"openbox", "openbox"}, {"xdotool", "xdotool"}, {"xprop", "x11-utils"}};
        for (const auto& [outil, paquet] : outils) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty()) {
                raison = QStringLiteral("%1 is not installed: Debian package %2, installed by scripts/setup.sh")
                             .arg(QString::fromLatin1(outil), QString::fromLatin1(paquet));
                return false;
            }
        }
        if (!maison_.isValid()) {
            raison = QStringLiteral("no temporary home");
            return false;
        }
        for (const char* d : {"/config", "/data", "/run"})
            QDir().mkpath(maison_.path() + QString::fromLatin1(d));
        QFile::setPermissions(maison_.path() + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, maison_.path() + QStringLiteral("/config"));

        // Xvfb takes a display nobody uses and writes its number: several tests may start one
        // at the same time.
        // The screen is also kept in a file (XWD), read by `ligneSelectionnee`.
        QDir().mkpath(maison_.path() + QStringLiteral("/ecran"));
        xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                             QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                             QStringLiteral("tcp"), QStringLiteral("-fbdir"),
                                             maison_.path() + QStringLiteral("/ecran")});
        if (!xvfb_.waitForStarted(5000)) {
            raison = QStringLiteral("Xvfb does not start");
            return false;
        }
        QByteArray numero;
        attendre([&] {
            xvfb_.waitForReadyRead(100);
            numero += xvfb_.readAllStandardOutput();
            return numero.contains('\n') || xvfb_.state() != QProcess::Running;
        }, 15000);
        if (!numero.contains('\n') || xvfb_.state() != QProcess::Running) {
            raison = QStringLiteral("no display could be started");
            return false;
        }
        affichage_ = QLatin1Char(':') + QString::fromLatin1(numero.trimmed());
        openbox_.setProcessEnvironment(environnement());
        openbox_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!openbox_.waitForStarted(5000)) {
            raison = QStringLiteral("openbox does not start");
            return false;
        }
        QThread::msleep(1000);
        if (openbox_.state() != QProcess::Running) {
            raison = QStringLiteral("openbox stopped");
            return false;
        }
        return true;
    }

    ~EcranReel()
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

    QString maison() const { return maison_.path(); }
    QString dossierProgramme() const { return maison_.path() + QStringLiteral("/data/Velmarin"); }

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
        const std::optional<QRect> dedans = interieur(id);
        if (!dedans)
            return std::nullopt;
        QRect r = *dedans;
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
        if (marges.size() != 4)
            return std::nullopt;
        r.adjust(-marges.at(0).trimmed().toInt(), -marges.at(2).trimmed().toInt(), marges.at(1).trimmed().toInt(),
                 marges.at(3).trimmed().toInt());
        return r;
    }

    // The place and size of a window's own area on screen, without the frame.
    std::optional<QRect> interieur(const QString& id) const
    {
        QRect r;
        for (const QString& l : xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id}).split(QLatin1Char('\n'))) {
            const int valeur = l.section(QLatin1Char('='), 1).toInt();
            if (l.startsWith(QLatin1String("X=")))
                r.moveLeft(valeur);
            else if (l.startsWith(QLatin1String("Y=")))
                r.moveTop(valeur);
            else if (l.startsWith(QLatin1String("WIDTH=")))
                r.setWidth(valeur);
            else if (l.startsWith(QLatin1String("HEIGHT=")))
                r.setHeight(valeur);
        }
        return r.isEmpty() ? std::nullopt : std::optional<QRect>(r);
    }

    // The middle of the selected line of a list in the window `id`: the longest band of one
    // strongly coloured pixel row in the window's area (the selection colour spans the list's
    // width; no field is as wide). Read until two looks a moment apart agree.
    std::optional<QPoint> ligneSelectionnee(const QString& id) const
    {
        std::optional<QPoint> avant;
        for (int essai = 0; essai < 20; ++essai) {
            const std::optional<QRect> zone = interieur(id);
            const std::optional<QPoint> p = zone ? ligneSelectionneeDans(*zone) : std::nullopt;
            if (p && p == avant)
                return p;
            avant = p;
            QThread::msleep(250);
        }
        return std::nullopt;
    }

    // The same on one look at the screen file, within `zone`.
    std::optional<QPoint> ligneSelectionneeDans(const QRect& zone) const
    {
        QFile f(maison_.path() + QStringLiteral("/ecran/Xvfb_screen0"));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray e = f.readAll();
        const auto champ = [&e](int i) {  // the header's numbers are big-endian
            const auto* o = reinterpret_cast<const uchar*>(e.constData()) + 4 * i;
            return (quint32(o[0]) << 24) | (quint32(o[1]) << 16) | (quint32(o[2]) << 8) | o[3];
        };
        if (e.size() < 100 || champ(11) != 32)
            return std::nullopt;
        const int largeur = int(champ(4)), hauteur = int(champ(5)), parLigne = int(champ(12));
        const qsizetype debut = qsizetype(champ(0)) + 12 * qsizetype(champ(19));
        if (e.size() < debut + qsizetype(parLigne) * hauteur)
            return std::nullopt;
        const QRect cadre = zone.intersected(QRect(0, 0, largeur, hauteur));
        const auto pixel = [&](int x, int y) {  // B, G, R, unused
            const auto* o = reinterpret_cast<const uchar*>(e.constData()) + debut + qsizetype(y) * parLigne + 4 * x;
            return QRgb(0xff000000u | (quint32(o[2]) << 16) | (quint32(o[1]) << 8) | o[0]);
        };
        const auto colore = [](QRgb c) {
            return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) > 60;
        };
        int meilleure = 0;
        QRgb couleur = 0;
        for (int y = cadre.top(); y <= cadre.bottom(); ++y) {
            for (int x = cadre.left(); x <= cadre.right();) {
                const QRgb c = pixel(x, y);
                int fin = x + 1;
                while (fin <= cadre.right() && pixel(fin, y) == c)
                    ++fin;
                if (colore(c) && fin - x > meilleure) {
                    meilleure = fin - x;
                    couleur = c;
                }
                x = fin;
            }
        }
        if (meilleure < 300)
            return std::nullopt;
        int x0 = 0, somme = 0, n = 0;
        for (int y = cadre.top(); y <= cadre.bottom(); ++y) {
            for (int x = cadre.left(); x <= cadre.right(); ++x) {
                if (pixel(x, y) != couleur)
                    continue;
                int fin = x;
                while (fin <= cadre.right() && pixel(fin, y) == couleur)
                    ++fin;
                if (fin - x >= meilleure - 2) {
                    x0 = x;
                    somme += y;
                    ++n;
                }
                x = fin;
            }
        }
        return QPoint(x0 + meilleure / 2, somme / n);
    }

    // Types the text (nothing when empty), then Enter.
    void taper(const QString& texte) const
    {
        ecrire(texte);
        touches({QStringLiteral("Return")});
    }
    // Types the text, key by key.
    void ecrire(const QString& texte) const
    {
        if (!texte.isEmpty())
            xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), texte});
    }
    // Presses keys by their X names ("Return", "shift+Tab", "ctrl+a").
    void touches(const QStringList& noms) const
    {
        xdotool(QStringList({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")}) + noms);
    }

    // Starts the program; `arret` kills it.
    bool lancer(QProcess& programme, const QString& chemin) const
    {
        programme.setProcessEnvironment(environnement());
        programme.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        programme.start(chemin, {});
        return programme.waitForStarted(5000);
    }
    static void arret(QProcess& programme)
    {
        programme.kill();
        programme.waitForFinished(5000);
    }

private:
    QProcess xvfb_;
    QProcess openbox_;
    QString affichage_;
    QTemporaryDir maison_;
};

} // namespace ecran
