// Award-file rebuilds, one QSL mark and the reset on a log of 99,999 QSOs with the shipped
// world templates; the per-line rebuild on 2,000 QSOs beside the in-memory one for the ratio.
// Prints its figures; run by hand.
#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "qsl/Marques_QSL.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Mises_A_Jour.h"
#include "station/Variables_Programme.h"
#include "tests/commun/Reference_Mises_A_Jour.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <algorithm>
#include <functional>

namespace {

double g_processeur = 0;  // processor time of the last measure, s

// Wall time of `f`, s; its processor time goes to g_processeur (the machine may be shared).
double mesure(const std::function<void()>& f)
{
    QElapsedTimer t;
    const std::clock_t debut = std::clock();
    t.start();
    f();
    g_processeur = double(std::clock() - debut) / CLOCKS_PER_SEC;
    return t.nsecsElapsed() / 1e9;
}

QStringList journal(int n, const QStringList& prefixes)
{
    QRandomGenerator g(42);
    QStringList lignes;
    lignes.reserve(n);
    for (int i = 0; i < n; ++i) {
        station::Ligne_QSO l;
        l.Date_QSO = QDate(2000, 1, 1).addDays(i / 40).toString(QStringLiteral("dd/MM/yy"));
        l.Indicatif_QSO = (prefixes.at(int(g.bounded(prefixes.size()))) + QString::number(g.bounded(10)) +
                           QStringLiteral("ABC"))
                              .left(12);
        l.Heure_Debut = l.Heure_Fin = QStringLiteral("12:00");
        l.Bande_QSO = station::Liste_Bandes().at(int(g.bounded(17)));
        if (!station::estBandeHF(l.Bande_QSO))
            l.Locator_QSO = QStringLiteral("%1%2%3%4AA")
                                .arg(QChar(u'I' + g.bounded(3)))
                                .arg(QChar(u'M' + g.bounded(3)))
                                .arg(g.bounded(10))
                                .arg(g.bounded(10));
        l.Departement_QSO = QStringLiteral("%1").arg(1 + g.bounded(95), 2, 10, QLatin1Char('0'));
        l.Mode_QSO = QStringLiteral("SSB");
        l.RST_Envoye = l.RST_Recu = QStringLiteral("59");
        l.Etat_QSL = QString::number(1 + g.bounded(4));
        lignes << l.texte();
    }
    return lignes;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dossier;
    QTemporaryDir reglages;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages.path());
    plateforme::definirDossierProgramme(dossier.path());
    plateforme::installerModeles(QStringLiteral(VELMARIN_MODELES));
    plateforme::installerRepondeur([](const QString&, plateforme::Boutons, plateforme::Icone) {
        return plateforme::Reponse::Ok;
    });
    Prog().Indicatif_Station = QStringLiteral("F5BEN");
    Ecrit_Setup(Cles_Registre::Indicatif_Station, QStringLiteral("F5BEN"));
    Ecrit_Setup(Cles_Registre::Locator_Station, QStringLiteral("JN03TJ"));
    Cree_Fichiers_Indicatif(QStringLiteral("F5BEN"));

    QStringList prefixes;
    for (const QString& l : plateforme::lireLignes(QStringLiteral("FXXXX_Prefixe.txt")))
        prefixes << station::clePrefixe(l);

    // The per-line way and ours on 2,000 QSOs.
    plateforme::ecrireLignes(QStringLiteral("F5BEN.log"), journal(2000, prefixes));
    const double ancien = getenv("COURT") ? 1.0 : mesure([] {
        reference::prefixes();
        reference::departements();
        reference::locators();
    });
    const double nouveau2000 = mesure([] {
        station::Reconstruit_Fichier_Prefixe();
        station::Reconstruit_Fichier_Departement();
        station::Reconstruit_Fichier_Locator();
    });
    std::printf("2000 QSO : ligne par ligne %.2f s, en memoire %.4f s (rapport %.0f)\n", ancien, nouveau2000,
                ancien / nouveau2000);

    constexpr int N = 99999;
    const QStringList lignes = journal(N, prefixes);
    plateforme::ecrireLignes(QStringLiteral("F5BEN.log"), lignes);
    double seuls = 1e9, seulsCpu = 1e9;
    for (int i = 0; i < 3; ++i) {
        seuls = std::min(seuls, mesure([] {
            station::Reconstruit_Fichier_Prefixe();
            station::Reconstruit_Fichier_Departement();
            station::Reconstruit_Fichier_Locator();
        }));
        seulsCpu = std::min(seulsCpu, g_processeur);
    }
    std::printf("%d QSO : les trois mises a jour (fichiers seuls, meilleure de 3) %.3f s, processeur %.3f s (objectif 1 s); ligne par ligne estime %.0f s\n",
                N, seuls, seulsCpu, ancien * N / 2000);

    Carnet& c = Carnet::instance();
    c.Form_Load();
    double avecFenetre = 1e9, avecFenetreCpu = 1e9;
    for (int i = 0; i < 3; ++i) {
        avecFenetre = std::min(avecFenetre, mesure([] { MAJ_Fichiers_Etat(); }));
        avecFenetreCpu = std::min(avecFenetreCpu, g_processeur);
    }
    std::printf("%d QSO : MAJ_Fichiers_Etat avec la fenetre de progression (meilleure de 3) %.3f s, processeur %.3f s (objectif 1 s)\n",
                N, avecFenetre, avecFenetreCpu);

    // Marks on QSOs at status 1 on a VHF band, so that each writes the log and both award
    // files; the best of five runs (the machine may be busy).
    double marque = 1e9, marqueCpu = 1e9;
    int faites = 0;
    for (int i = 0; i < N && faites < 5; i += 997) {
        const QString it = c.Modele_QSO->item(i);
        if (it.mid(140, 1) != QLatin1String("1") ||
            station::estBandeHF(station::lireChamp(station::ligneDeItem(it), station::Champ::Bande_QSO)))
            continue;
        Prog().Ligne_Selectionnee = it;
        Prog().Code_QSL = 1;
        marque = std::min(marque, mesure([] { Enregistre_QSL_Recue(); }));
        marqueCpu = std::min(marqueCpu, g_processeur);
        ++faites;
    }
    std::printf("une marque QSL recue (meilleure de %d) : %.3f s, processeur %.3f s (objectif 0.2 s)\n", faites, marque,
                marqueCpu);

    const double raz = mesure([&c] { c.Mnu_RAZ_All_Click(); });
    std::printf("remise a zero : %.3f s, processeur %.3f s (objectif 0.5 s)\n", raz, g_processeur);
    return 0;
}
