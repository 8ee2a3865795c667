// Log store timings on a log of 99,999 QSOs, each beside what the machine takes for the same
// bytes at the same moment: the load into the QSO list beside `cat` of the log and beside
// reading it into fresh memory; the readers that look at every QSO (callsign search with no
// hit, a department's QSO list, the multiple QSL search) beside `cat`; a date-order insert in
// the middle, a delete and a replace beside a synced rewrite of the log. Every timing takes the events that follow it in (the
// list painted again). Medians of several runs; prints the ratios; run by hand.
#include "bench/Outils_Bench.h"
#include "logbook/Affiche_Dpt.h"
#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "qsl/Fenetres_QSL.h"
#include "reports/Recherche_Indicatif.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/mman.h>
#include <vector>

namespace {

constexpr int N = 99999;
constexpr int Essais = 7;

double mediane(const std::function<void(int essai)>& f)
{
    std::vector<double> v;
    for (int i = 0; i < Essais; ++i)
        v.push_back(bench::mesure([&] {
            f(i);
            QCoreApplication::processEvents();
        }));
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resident memory of this process, in MB.
double memoireResidente()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(1).toDouble() * 4096 / 1e6;
}

void ligne(const char* nom, double s, double reference, const char* nomReference, double cible)
{
    std::printf("%-34s %7.1f ms  = %5.2f x %s  (target <= %.1f x: %s)\n", nom, s * 1e3, s / reference,
                nomReference, cible, s / reference <= cible ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::Banc banc;
    const QString nom = QStringLiteral("F5BEN.log");
    const QString chemin = QDir(banc.dossier.path()).filePath(nom);
    {
        QStringList lignes;
        lignes.reserve(N);
        for (int i = 0; i < N; ++i)
            lignes << bench::ligneJournal(i);
        plateforme::ecrireLignes(nom, lignes);
    }
    const QByteArray octets = plateforme::lireOctetsFichier(nom);
    Prog().Indicatif_Station = QStringLiteral("F5BEN");
    Carnet& c = Carnet::instance();
    c.show();
    QCoreApplication::processEvents();

    // What the machine takes for the same bytes, now.
    const double cat = mediane([&](int) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("cat"), {chemin});
        p.waitForFinished();
    });
    const double lecture = mediane([&](int) {
        QFile f(chemin);
        if (!f.open(QIODevice::ReadOnly))
            return;
        // Pages never used by the process, as a load at start-up gets.
        void* neuf = mmap(nullptr, size_t(f.size()), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (neuf == MAP_FAILED)
            return;
        f.read(static_cast<char*>(neuf), f.size());
        munmap(neuf, size_t(f.size()));
    });
    const double reecriture = mediane([&](int) { plateforme::ecrireOctets(QStringLiteral("F5BEN_copie.log"), octets); });
    std::printf("log of %d QSOs, %.1f MB\n", N, octets.size() / 1e6);
    std::printf("%-34s %7.1f ms\n", "cat of the log", cat * 1e3);
    std::printf("%-34s %7.1f ms\n", "read into fresh memory", lecture * 1e3);
    std::printf("%-34s %7.1f ms\n", "synced rewrite of the log", reecriture * 1e3);

    // Each load starts from an empty list, as at start-up.
    plateforme::ecrireOctets(QStringLiteral("VIDE.log"), QByteArray());
    const auto vider = [] {
        Charge_Liste_QSO(QStringLiteral("VIDE"));
        QCoreApplication::processEvents();
    };
    vider();
    const double avant = memoireResidente();
    Charge_Liste_QSO(QStringLiteral("F5BEN"));
    QCoreApplication::processEvents();
    const double apres = memoireResidente();
    std::vector<double> chargements;
    for (int i = 0; i < Essais; ++i) {
        vider();
        chargements.push_back(bench::mesure([] {
            Charge_Liste_QSO(QStringLiteral("F5BEN"));
            QCoreApplication::processEvents();
        }));
    }
    std::sort(chargements.begin(), chargements.end());
    const double chargement = chargements[chargements.size() / 2];
    ligne("load into Liste_QSO", chargement, lecture, "read", 2.0);
    std::printf("%-34s %7.1f MB  (%d rows; log %.1f MB)\n", "resident memory grown by the load", apres - avant,
                c.Liste_QSO->count(), octets.size() / 1e6);

    // Readers of every QSO, each with the events that follow (its list painted).
    Recherche_Indicatif& recherche = Recherche_Indicatif::instance();
    recherche.show();
    const double sansResultat = mediane([&recherche](int) {
        recherche.Option1[1]->setChecked(true);
        recherche.Indica->setText(QStringLiteral("ZZ9ZZZ"));  // no such callsign: "Pas de QSO trouvé"
        recherche.Cherche_QSO();
    });
    ligne("callsign search, no hit", sansResultat, cat, "cat", 3.0);
    recherche.hide();
    Fenetre_Affiche_Dpt& departement = Fenetre_Affiche_Dpt::instance();
    const double listeDepartement = mediane([&departement](int) {
        departement.QSO_DU_Dep->clear();
        departement.Ajouter_Departement(QStringLiteral("31"));
    });
    ligne("department QSO list", listeDepartement, cat, "cat", 3.0);
    std::printf("   (%d QSOs of department 31)\n", departement.QSO_DU_Dep->count());
    departement.hide();
    Fenetre_Multi_QSL& multi = Fenetre_Multi_QSL::instance();
    multi.show();
    const double rechercheQSL = mediane([&multi](int) {
        multi.Indicatif->setText(QStringLiteral("ZZ9ZZZ"));
        multi.Recherche_Click();
    });
    std::printf("%-34s %7.1f ms  = %5.2f x cat\n", "multiple QSL search", rechercheQSL * 1e3, rechercheQSL / cat);
    std::printf("   (%d QSOs listed)\n", multi.Liste_QSO->count());
    multi.hide();

    // Room for the inserts under the five-digit bound.
    plateforme::ecrireOctets(nom, octets.left(octets.size() - Essais * (station::LongueurLigneQSO + 2)));
    Charge_Liste_QSO(QStringLiteral("F5BEN"));
    QCoreApplication::processEvents();
    const double insertion = mediane([](int i) { Insere_QSO_Date(bench::ligneJournal(N / 2 + i)); });
    ligne("date-order insert in the middle", insertion, reecriture, "rewrite", 1.5);
    const double suppression = mediane([&c](int) {
        c.Liste_QSO->setCurrentRow(N / 2);
        Supprime_QSO();
    });
    ligne("delete", suppression, reecriture, "rewrite", 1.5);
    const double remplacement = mediane([&c](int i) {
        c.Liste_QSO->setCurrentRow(100);  // its click handler makes it the selected line
        Prog().Numero_QSO_Modifie = 101;
        Remplace_QSO(Prog().Ligne_Selectionnee, station::itemListe(101, bench::ligneJournal(7 + i)));
    });
    ligne("replace", remplacement, reecriture, "rewrite", 1.5);
    return 0;
}
