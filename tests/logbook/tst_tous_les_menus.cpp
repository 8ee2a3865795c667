// Every menu item of the main window and every button of its entry row, one after the other,
// on a station with a varied log: nothing crashes, no exception escapes, every window that
// opens can be used with its default answers and closed, and the log is left as it was by
// the items that only read it.
#include "cluster/Cluster.h"
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "reports/Cartes.h"
#include "reports/Qso_Test.h"
#include "station/Cles_Registre.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <exception>
#include <functional>

using test::ligne;
using test::Qso;

namespace {

const QString Station = QStringLiteral("F5XYZ");

// Thirty QSOs: French departments (Corsica too), foreign stations without department, every
// QSL mark, several bands and modes, the station's activities.
QStringList journalVarie()
{
    const QStringList bandes = {QStringLiteral("144 Mhz"), QStringLiteral("7.0 Mhz"), QStringLiteral("432 Mhz"),
                                QStringLiteral("14 Mhz"),  QStringLiteral("50 Mhz"),  QStringLiteral("3.5 Mhz")};
    const QStringList modes = {QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("FM")};
    const QStringList francais = {QStringLiteral("34"), QStringLiteral("2a"), QStringLiteral("75"),
                                  QStringLiteral("2B"), QStringLiteral("13"), QStringLiteral("974")};
    const QStringList locators = {QStringLiteral("JN13AB"), QStringLiteral("JN41AA"), QStringLiteral("JN18EU"),
                                  QStringLiteral("JN42BB"), QStringLiteral("JN23MH"), QStringLiteral("LG78QX")};
    const QStringList etrangers = {QStringLiteral("DL1ABC"), QStringLiteral("EA3XYZ"), QStringLiteral("HB9/F1ABC/P"),
                                   QStringLiteral("G4AAA"), QStringLiteral("ON4ZZ")};
    const QStringList locEtrangers = {QStringLiteral("JO62QM"), QStringLiteral("JN11CK"), QStringLiteral("JN36BK"),
                                      QStringLiteral("IO91WM"), QStringLiteral("JO20EU")};
    QStringList l;
    for (int n = 0; n < 30; ++n) {
        Qso q;
        q.date = QStringLiteral("%1/%2/24").arg(1 + n % 28, 2, 10, QLatin1Char('0')).arg(1 + n / 15, 2, 10, QLatin1Char('0'));
        q.debut = QStringLiteral("%1:%2").arg(8 + n % 12, 2, 10, QLatin1Char('0')).arg((n * 7) % 60, 2, 10, QLatin1Char('0'));
        q.bande = bandes.at(n % bandes.size());
        q.mode = modes.at(n % modes.size());
        q.activite = QString::number(n % 5);
        q.etat = QString::number(n % 5);
        q.distance = QString::number(20 + n * 37);
        if (n % 3 == 2) {
            q.indicatif = etrangers.at(n % etrangers.size());
            q.locator = locEtrangers.at(n % locEtrangers.size());
            q.qth = QStringLiteral("Ailleurs");
        } else {
            q.indicatif = QStringLiteral("F%1A%2").arg(1 + n % 9).arg(QChar(QLatin1Char('A' + n % 26)))
                          + QStringLiteral("B");
            q.departement = francais.at(n % francais.size());
            q.locator = locators.at(n % locators.size());
            q.qth = n % 2 ? QStringLiteral("Pézenas") : QStringLiteral("Ajaccio");
            q.remarques = n % 4 ? QString() : QStringLiteral("DFCF %1 Château").arg(n);
        }
        l << ligne(q);
    }
    return l;
}

// The menu items, sub-menus walked through, in menu order.
void collecter(QMenu* menu, QList<QAction*>& actions)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            collecter(a->menu(), actions);
        else
            actions << a;
    }
}

// Drives every window that comes up: its enabled push buttons are clicked once (with the
// default answers of the fixture), then the window is closed. A modal window is seen from a
// timer, since the program waits inside it.
class Pilote : public QObject {
public:
    explicit Pilote(QWidget* principale) : principale_(principale)
    {
        timer_.setInterval(30);
        connect(&timer_, &QTimer::timeout, this, [this] { surveiller(); });
        timer_.start();
    }

    // The windows other than the main one that are on screen.
    QList<QWidget*> ouvertes() const
    {
        QList<QWidget*> l;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != principale_ && w->isVisible() && !qobject_cast<QMenu*>(w))
                l << w;
        return l;
    }

    // Buttons of every window left open, then closes them all.
    void traiterOuvertes()
    {
        for (int tour = 0; tour < 10; ++tour) {
            const QList<QWidget*> l = ouvertes();
            if (l.isEmpty())
                return;
            for (QWidget* w : l) {
                QPointer<QWidget> p(w);
                if (p && p->isVisible())
                    vues_.contains(w) ? fermer(w) : traiter(p);
            }
        }
        fermerTout();
    }

    void fermerTout()
    {
        for (QWidget* w : ouvertes())
            fermer(w);
        QApplication::processEvents();
    }

    int fenetresVues() const { return vues_.size(); }
    // The windows that were not centred on the screen when they showed up, with their place.
    QStringList nonCentrees() const { return nonCentrees_; }

private:
    void surveiller()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == principale_ || !w->isVisible())
            return;
        if (vues_.contains(w) || profondeur_ >= 3) {
            fermer(w);
            return;
        }
        traiter(w);
    }

    // The buttons that leave the window are clicked last, so that the others are reached.
    static bool quitte(const QPushButton* b)
    {
        const QString t = b->text().remove(QLatin1Char('&')).trimmed().toLower();
        for (const char* mot : {"fermer", "quitter", "annuler", "sortir", "retour", "ok", "valider"})
            if (t.startsWith(QLatin1String(mot)))
                return true;
        return false;
    }

    // Each enabled button once, while the window stays open; then the window is closed.
    void traiter(QPointer<QWidget> w)
    {
        vues_.insert(w.data());
        noterPosition(w);
        ++profondeur_;
        QList<QPointer<QPushButton>> boutons, ensuite;
        for (QPushButton* b : w->findChildren<QPushButton*>())
            (quitte(b) ? ensuite : boutons) << b;
        boutons += ensuite;
        for (const QPointer<QPushButton>& b : boutons) {
            if (!w || !w->isVisible())
                break;
            if (!b || !b->isEnabled() || !b->isVisible())
                continue;
            b->click();
            QApplication::processEvents();
        }
        --profondeur_;
        if (w && w->isVisible())
            fermer(w);
    }

    // Every window opens centred, at the size it shows at, on each axis where it fits the
    // screen; the memo window of the cluster stands right of the centre by design.
    void noterPosition(const QWidget* w)
    {
        if (w->objectName() == QLatin1String("Memoire_CL"))
            return;
        const QRect ecran = w->screen()->availableGeometry();
        const QRect r = w->frameGeometry();
        const bool enX = r.width() > ecran.width() || std::abs(r.center().x() - ecran.center().x()) <= 1;
        const bool enY = r.height() > ecran.height() || std::abs(r.center().y() - ecran.center().y()) <= 1;
        if (!enX || !enY)
            nonCentrees_ << QStringLiteral("%1 %2x%3 at (%4,%5)")
                                .arg(w->objectName())
                                .arg(r.width())
                                .arg(r.height())
                                .arg(r.x())
                                .arg(r.y());
    }

    static void fermer(QWidget* w)
    {
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        if (w->isVisible())
            w->close();
        if (w->isVisible())
            w->hide();
    }

    QWidget* principale_;
    QTimer timer_;
    QSet<QWidget*> vues_;
    QStringList nonCentrees_;
    int profondeur_ = 0;
};

// What writes the log when its question gets the default answer (yes, OK): the reset of
// every file of the station (run last, on the log the others read), the save of the recalled
// QSO (its line is written again, distance and bearing worked out anew) and its deletion. The
// log is not compared after them.
const QSet<QString> Ecrivent = {QStringLiteral("Mnu_RAZ_All"), QStringLiteral("Enregistrer"), QStringLiteral("Effacer")};

} // namespace

class TestTousLesMenus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { plateforme::installerRepondeurFichier([](bool, const QString&, const QString&) { return QString(); }); }
    void cleanup() { plateforme::retirerRepondeurFichier(); }
    void toutDeclencher_data();
    void toutDeclencher();
};

void TestTousLesMenus::toutDeclencher_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::newRow("journal varie") << journalVarie();
    // A new station: nothing logged yet, every window on an empty log.
    QTest::newRow("journal vide") << QStringList();
}

void TestTousLesMenus::toutDeclencher()
{
    QFETCH(QStringList, journal);
    test::Environnement env;
    test::StationTest s;
    s.indicatif = Station;
    s.journal = journal;
    // The maps hook onto their menu items as at launch.
    Carnet::instance();
    Cartes::Installer();
    Carnet& c = test::demarrerStation(env, s);
    // The cluster window fetches its spots at once: from this machine, where nothing listens.
    test::ecrireReglage(Cles_Registre::Section_Setup, Cluster::Cle_Hote, QStringLiteral("http://127.0.0.1:9"));
    c.show();
    QApplication::processEvents();
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    QCOMPARE(test::lireOctets(log).isEmpty(), journal.isEmpty());

    Pilote pilote(&c);
    QStringList faites;
    const auto etape = [&](const QString& nom, const std::function<void()>& faire) {
        const QByteArray avant = test::lireOctets(log);
        // Named before it runs: a crash is then found in the output next to its cause.
        qInfo("%s", qPrintable(nom));
        const auto messages = env.messages.size();
        const int vues = pilote.fenetresVues();
        try {
            faire();
        } catch (const std::exception& e) {
            QFAIL(qPrintable(QStringLiteral("%1: exception %2").arg(nom, QString::fromLocal8Bit(e.what()))));
        } catch (...) {
            QFAIL(qPrintable(QStringLiteral("%1: exception").arg(nom)));
        }
        QApplication::processEvents();
        pilote.traiterOuvertes();
        QVERIFY2(pilote.ouvertes().isEmpty(), qPrintable(nom));
        QVERIFY2(!env.finDemandee(), qPrintable(nom));
        if (!Ecrivent.contains(nom))
            QVERIFY2(test::lireOctets(log) == avant, qPrintable(nom + QStringLiteral(": the log changed")));
        qInfo("  %d window(s)", pilote.fenetresVues() - vues);
        for (auto i = messages; i < env.messages.size(); ++i)
            qInfo("  message: %s", qPrintable(env.messages.at(i).texte.simplified().left(100)));
        faites << nom;
    };

    const auto declencher = [&](QAction* a) {
        QPointer<QAction> p(a);
        etape(a->objectName().isEmpty() ? a->text() : a->objectName(), [p] {
            if (p)
                p->trigger();
        });
    };

    QList<QAction*> actions;
    for (QAction* a : c.menuBar()->actions())
        if (a->menu())
            collecter(a->menu(), actions);
    QVERIFY(actions.size() > 20);
    QList<QAction*> ensuite;
    for (QAction* a : actions) {
        const QString nom = a->objectName().isEmpty() ? a->text() : a->objectName();
        if (nom == QStringLiteral("Mnu_Quitter") || a->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Quitter")))
            continue;
        if (!a->isEnabled())
            continue;
        if (Ecrivent.contains(nom)) {
            ensuite << a;
            continue;
        }
        declencher(a);
        if (QTest::currentTestFailed())
            return;
    }

    // The entry row, without and then with a QSO of the list recalled by a double click: the
    // edit is saved unchanged, the deletion comes last.
    const QList<QPushButton*> rangee = {c.Annuler, c.Recherche, c.Gestion_QSL, c.Exporter,
                                        c.Command1, c.Editer, c.Enregistrer, c.Effacer};
    const auto rappeler = [&c] {
        QVERIFY(c.Liste_QSO->count() > 0);
        c.Liste_QSO->setCurrentRow(c.Liste_QSO->count() / 2);
        c.Liste_QSO_Click();
        c.Liste_QSO_DblClick();
        QApplication::processEvents();
    };
    for (int passe = 0; passe < (journal.isEmpty() ? 1 : 2); ++passe) {
        for (QPushButton* b : rangee) {
            if (passe == 1)
                rappeler();
            if (!b || !b->isEnabled() || !b->isVisible())
                continue;
            etape(b->objectName(), [b] { b->click(); });
            if (QTest::currentTestFailed())
                return;
        }
    }
    for (QAction* a : ensuite) {
        declencher(a);
        if (QTest::currentTestFailed())
            return;
    }
    // The main window is still in use: a QSO typed after all that is saved to the log (the
    // options left at "Non": date typed, separators typed).
    const int avant = test::lignesJournal(env, Station).size();
    test::taperQSO(c, {QStringLiteral("f1abc"), QStringLiteral("31"), QStringLiteral("jn03aa"), 0,
                       QStringLiteral("15/03/24"), QStringLiteral("14:35"), QString(), QStringLiteral("Jean"),
                       QStringLiteral("toulouse"), QString()});
    if (QTest::currentTestFailed())
        return;
    QTest::mouseClick(c.Enregistrer, Qt::LeftButton);
    pilote.traiterOuvertes();
    const QStringList apres = test::lignesJournal(env, Station);
    QCOMPARE(apres.size(), avant + 1);
    QVERIFY(apres.constLast().contains(QStringLiteral("F1ABC")));

    qInfo("%lld steps, %d windows driven", static_cast<long long>(faites.size()), pilote.fenetresVues());
    QVERIFY2(pilote.nonCentrees().isEmpty(), qPrintable(pilote.nonCentrees().join(QStringLiteral("; "))));
}

QTEST_MAIN(TestTousLesMenus)
#include "tst_tous_les_menus.moc"
