// Label selection on logs of 32,767 and 99,999 QSOs: the listing of the whole log, and QSOs
// moved to the print list and back by mouse clicks, as the operator does it.
// Prints its figures beside the targets; run by hand (QT_QPA_PLATFORM=offscreen).
#include "bench/Outils_Bench.h"
#include "qsl/Etiquettes.h"
#include "qsl/Select_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>

namespace {

// A left click on the row of the list, pressed and released on its viewport.
void cliquer(QListWidget* liste, int rang)
{
    liste->scrollToItem(liste->item(rang));
    QCoreApplication::processEvents();
    const QPoint p(10, liste->visualItemRect(liste->item(rang)).center().y());
    QWidget* vue = liste->viewport();
    const QPointF global = vue->mapToGlobal(QPointF(p));
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vue, &appui);
    QCoreApplication::processEvents();
    QMouseEvent relache(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vue, &relache);
    QCoreApplication::processEvents();
}

void mesurer(int n)
{
    QStringList lignes;
    lignes.reserve(n);
    for (int i = 0; i < n; ++i)
        lignes << bench::ligneJournal(i);
    Prog().Indicatif_Station = QStringLiteral("F5BEN");
    plateforme::ecrireLignes(QStringLiteral("F5BEN.log"), lignes);

    Detruire_Fenetres_Etiquettes();
    const double listage = bench::mesure([] { Select_QSO::Afficher(); });
    Select_QSO& s = Select_QSO::instance();
    std::printf("%d QSO: listing %.3f s (target 1 s), %d items\n", n, listage, s.Liste_QSO->count());

    // Clicks spread over the log, the first one included.
    double pire = 0, total = 0;
    int deplaces = 0;
    const int clics = 10;
    for (int k = 0; k < clics; ++k) {
        const int rang = int(qint64(s.Liste_QSO->count() - 1) * (k * 7 % clics) / (clics - 1));
        const int avant = s.Liste_Imprime->count();
        const double t = bench::mesure([&] { cliquer(s.Liste_QSO, rang); });
        deplaces += s.Liste_Imprime->count() - avant;
        pire = std::max(pire, t);
        total += t;
    }
    std::printf("   to the print list: %d clicks, %d moved, mean %.1f ms, worst %.1f ms (target 50 ms)\n", clics,
                deplaces, total / clics * 1000, pire * 1000);

    pire = total = 0;
    int retours = 0;
    for (int k = 0; k < clics; ++k) {
        const int avant = s.Liste_QSO->count();
        const double t = bench::mesure([&] { cliquer(s.Liste_Imprime, 0); });
        retours += s.Liste_QSO->count() - avant;
        pire = std::max(pire, t);
        total += t;
    }
    std::printf("   back to the log list: %d clicks, %d moved, mean %.1f ms, worst %.1f ms (target 50 ms)\n", clics,
                retours, total / clics * 1000, pire * 1000);
    bool ordre = true;
    for (int i = 1; i < s.Liste_QSO->count(); ++i)
        ordre = ordre && s.Liste_QSO->item(i - 1)->text() < s.Liste_QSO->item(i)->text();
    std::printf("   log list %s in log order\n", ordre ? "still" : "NOT");
    s.decharger();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bench::Banc banc;
    mesurer(32767);
    mesurer(99999);
    return 0;
}
