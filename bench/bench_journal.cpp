// Log store timings on a log of 99,999 QSOs: start-up load into the QSO list, one date-order
// insert in the middle, one delete and one replace. Prints its figures; run by hand.
#include "bench/Outils_Bench.h"
#include "logbook/Carnet.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bench::Banc banc;

    constexpr int N = 99999;
    QStringList lignes;
    lignes.reserve(N);
    for (int i = 0; i < N; ++i)
        lignes << bench::ligneJournal(i);
    Prog().Indicatif_Station = QStringLiteral("F5BEN");
    plateforme::ecrireLignes(QStringLiteral("F5BEN.log"), lignes);

    Carnet& c = Carnet::instance();
    c.show();
    const double chargement = bench::mesure([] { Charge_Liste_QSO(QStringLiteral("F5BEN")); });
    std::printf("chargement de %d QSO dans Liste_QSO : %.3f s (objectif 0.25 s)\n", c.Liste_QSO->count(), chargement);

    lignes.removeLast();  // keep room for the insert under the five-digit bound
    plateforme::ecrireLignes(QStringLiteral("F5BEN.log"), lignes);
    Charge_Liste_QSO(QStringLiteral("F5BEN"));
    const QString milieu = bench::ligneJournal(N / 2);
    const double insertion = bench::mesure([&] { Insere_QSO_Date(milieu); });
    std::printf("insertion par date au milieu : %.3f s (objectif 0.3 s)\n", insertion);

    c.Liste_QSO->setCurrentRow(N / 2);
    const double suppression = bench::mesure([] { Supprime_QSO(); });
    std::printf("suppression d'un QSO : %.3f s (objectif 0.3 s)\n", suppression);

    const QString ancien = c.Modele_QSO->item(100);
    const QString nouveau = station::itemListe(101, bench::ligneJournal(7));
    Prog().Numero_QSO_Modifie = 101;
    const double remplacement = bench::mesure([&] { Remplace_QSO(ancien, nouveau); });
    std::printf("remplacement d'un QSO : %.3f s (objectif 0.3 s)\n", remplacement);
    return 0;
}
