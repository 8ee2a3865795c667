// Statistics, reports and labels on a log of 99,999 QSOs: each statistics window filled, the
// text copy of the log, the whole log printed to PDF, and the label selection listing.
// Prints its figures; run by hand (QT_QPA_PLATFORM=offscreen).
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Imprimante.h"
#include "qsl/Select_QSO.h"
#include "reports/Fenetres_Statistiques.h"
#include "reports/Rapports.h"
#include "reports/Statistiques_Regles.h"
#include "station/Cles_Registre.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

QString ligne(int i)
{
    station::Ligne_QSO l;
    l.Date_QSO = QDate(2000, 1, 1).addDays(i / 40).toString(QStringLiteral("dd/MM/yy"));
    l.Indicatif_QSO = (i % 3 ? QStringLiteral("F%1ABC") : QStringLiteral("DL%1XYZ")).arg(i % 10);
    l.Heure_Debut = QStringLiteral("12:00");
    l.Heure_Fin = QStringLiteral("12:05");
    l.Departement_QSO = QStringLiteral("%1").arg(1 + i % 95, 2, 10, QLatin1Char('0'));
    l.Bande_QSO = station::Liste_Bandes().at(i % 17);
    l.Mode_QSO = QStringLiteral("SSB");
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("57");
    l.QTH_QSO = QStringLiteral("DFCF%1 Château").arg(i % 90000, 5, 10, QLatin1Char('0'));
    l.Prenom_QSO = QStringLiteral("Hélène");
    l.Etat_QSL = QString::number(1 + i % 4);
    l.Distance_QSO = i % 7 ? QString::number(i % 1500) : QStringLiteral("?");
    l.Azimut_QSO = QStringLiteral("45");
    l.Numero_Activite = QString::number(i % 5);
    l.Remarques_QSO = QStringLiteral("Château de la Tour numéro %1").arg(i % 1000);
    return l.texte();
}

double g_cpu = 0;

// Wall-clock seconds of `f`; its processor seconds go to g_cpu (the machine may be shared).
double mesure(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
    g_cpu = double(std::clock() - c) / CLOCKS_PER_SEC;
    return t.nsecsElapsed() / 1e9;
}

// `limite` 0: a figure for information, without a target.
void afficher(const char* quoi, double secondes, double limite = 0)
{
    if (limite <= 0) {
        std::printf("%-44s %7.3f s wall %7.3f s cpu\n", quoi, secondes, g_cpu);
        return;
    }
    std::printf("%-44s %7.3f s wall %7.3f s cpu  (limit %.1f s)%s\n", quoi, secondes, g_cpu, limite,
                secondes > limite ? "  OVER" : "");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dossier;
    QTemporaryDir reglages;
    QTemporaryDir impressions;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages.path());
    plateforme::definirDossierProgramme(dossier.path());
    plateforme::installerRepondeur([](const QString&, plateforme::Boutons, plateforme::Icone) {
        return plateforme::Reponse::Ok;
    });
    plateforme::definirDossierImpression(impressions.path());
    plateforme::installerRepondeurImpression([] { return true; });

    const QString indicatif = QStringLiteral("F5BEN");
    Prog().Indicatif_Station = indicatif;
    Ecrit_Station(Cles_Registre::NB_Activite, QStringLiteral("5"));
    for (int i = 0; i < 5; ++i)
        Ecrit_Station(Cles_Registre::Activite_N(i), station::Activites_Defaut().at(i));

    QStringList journal;
    for (int i = 0; i < station::NombreMaxQSO; ++i)
        journal << ligne(i);
    plateforme::ecrireLignes(indicatif + QStringLiteral(".log"), journal);
    QStringList prefixes;
    for (int i = 0; i < 400; ++i) {
        QString etats(17, QLatin1Char('0'));
        etats[i % 17] = QLatin1Char('1' + i % 4);
        prefixes << QStringLiteral("P%1").arg(i).leftJustified(7, QLatin1Char(' ')) + etats + QStringLiteral("  Pays ") +
                        QString::number(i);
    }
    plateforme::ecrireLignes(indicatif + QStringLiteral("_Prefixe.txt"), prefixes);
    std::printf("Log of %d QSOs\n", int(journal.size()));

    // The main window stands before any of these windows opens: Qt's style and fonts are loaded.
    QWidget principale;
    principale.show();
    app.processEvents();
    {
        // The program has read the log at start-up (its QSO list) before any of these windows
        // opens; the first reads of a fresh process also pay for growing its heap.
        QStringList l;
        afficher("  (whole log held in memory, first time)", mesure([&] { l = plateforme::lireLignes(indicatif + QStringLiteral(".log")); }));
        l.clear();
        afficher("  (whole log held in memory, again)", mesure([&] { l = plateforme::lireLignes(indicatif + QStringLiteral(".log")); }));
        afficher("  (distance count alone)", mesure([&] { rapports::compterDistances(l); }));
    }
    afficher("  (distance window built)", mesure([] { Statistiques::instance(); }));
    afficher("Statistiques (distances) filled", mesure([] { Statistiques::Afficher(); }), 0.5);
    afficher("Statistique_Prefixe filled (7.0 Mhz)", mesure([] { Statistique_Prefixe::Afficher(); }), 0.5);
    Statistique_DFCF::Afficher();
    afficher("Statistique_DFCF castle list (Bandes VHF)", mesure([] {
                 auto& f = Statistique_DFCF::instance();
                 f.Bande_E->setCurrentIndex(1);
                 f.Affiche_Contact_Click();
             }),
             0.5);
    std::printf("   (%d castle lines)\n", Statistique_DFCF::instance().Liste_Chateaux->count());
    afficher("Statistique_QSO filled", mesure([] { Statistique_QSO::Afficher(); }), 0.5);
    afficher("Text copy Log_<call>.txt", mesure([&] { Exporte_Log_Texte(indicatif); }), 1.0);
    {
        // The page the reports choose for their longest lines (Courier New bold 8 points).
        auto& imp = plateforme::Imprimante::instance();
        imp.setFontName(QStringLiteral("Courier New"));
        imp.setFontBold(true);
        imp.setFontSize(8);
        imp.setPaysage(false);
        const QString log = station::numeroListe(1) + journal.first().left(110);
        const QString activite = rapports::EnteteActivations + QStringLiteral("  Confirmée");
        std::printf("   portrait width %.0f pt; log line %.0f pt, activity line %.0f pt", imp.largeurPage(),
                    imp.largeurTexte(log), imp.largeurTexte(activite));
        imp.setPaysage(true);
        std::printf("; landscape width %.0f pt\n", imp.largeurPage());
        imp.setPaysage(false);
        imp.setFontBold(false);
    }
    afficher("Whole log printed to PDF", mesure([&] { Imprime_Log(indicatif); }), 30.0);
    const QFileInfo pdf(QDir(impressions.path()).filePath(QStringLiteral("job-1.pdf")));
    std::printf("   (PDF %s, %.1f MB)\n", pdf.exists() ? "written" : "MISSING", pdf.size() / 1e6);
    afficher("Label selection listing (Select_QSO)", mesure([] { Select_QSO::Afficher(); }));
    std::printf("   (%d items listed)\n", Select_QSO::instance().Liste_QSO->count());
    return 0;
}
