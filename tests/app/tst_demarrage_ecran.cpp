// The real program on a real window system (tests/app/Ecran_Reel.h). Every start, first
// installation included, must end with the main window on screen, active, and the keyboard at
// the callsign: a callsign typed right away reaches it (the new-prefix message box of its Enter shows up).
#include "Ecran_Reel.h"
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

using ecran::attendre;
using ecran::TitreCarnet;
using ecran::TitreMessage;

class TestDemarrageEcran : public QObject {
    Q_OBJECT

    ecran::EcranReel ecran_;

    QString xdotool(const QStringList& arguments) const { return ecran_.xdotool(arguments); }
    QStringList visibles(const QString& titre) const { return ecran_.visibles(titre); }
    std::optional<QRect> geometrie(const QString& id) const { return ecran_.geometrie(id); }
    void taper(const QString& texte) const { ecran_.taper(texte); }

    QString dossierProgramme() const { return ecran_.dossierProgramme(); }

    bool lancer(QProcess& programme) const { return ecran_.lancer(programme, QStringLiteral(VELMARIN_PROGRAMME)); }
    static void arret(QProcess& programme) { ecran::EcranReel::arret(programme); }

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
        QFile::remove(ecran_.maison() + QStringLiteral("/config/Velmarin.ini"));
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
        QString raison;
        if (!ecran_.demarrer(raison))
            QFAIL(qPrintable(raison));
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
        QFile::remove(ecran_.maison() + QStringLiteral("/config/Velmarin.ini"));
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
