// The cluster window against a spot server on 127.0.0.1: pages asked, list, sounds, failures,
// the gate of the layout and filter controls, the memo window and the settings at opening.
#include "Pages_Spots.h"
#include "Serveur_Spots.h"
#include "cluster/Cluster.h"
#include "cluster/Fenetre_Cluster.h"
#include "cluster/Fenetre_Memoire_CL.h"
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "platform/Serie.h"
#include "platform/Son.h"
#include "platform/Ansi.h"
#include "station/Cles_Registre.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

using namespace Cles_Registre;

namespace {

const QString Station = QStringLiteral("F5XYZ");
const QString Message = QStringLiteral("Pas de reponse du site vérifiez votre liaison internet\r\n"
                                       "            Appuyez de nouveau sur Afficher");

} // namespace

class TestClusterFenetre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void ouvertureSansReglages();
    void boutonDuCarnet();
    void pageAvecSpots();
    void pageSansReponse();
    void cacheImpossible();
    void echecs_data();
    void echecs();
    void filtresEtSons();
    void gardeDesChangements();
    void memoire();
    void indicatifAuClavier();
    void reactiviteSansReponse();
    void fermetureAnnuleLaRecherche();

private:
    Fenetre_Cluster& ouvrir();
    bool attendreFin(Fenetre_Cluster& f, int ms = 5000);
    QStringList lignes() const;

    std::unique_ptr<test::Environnement> env;
    std::unique_ptr<test::Serveur_Spots> serveur;
    QStringList sons;
};

void TestClusterFenetre::init()
{
    env = std::make_unique<test::Environnement>();
    env->fixerHorloge(QDateTime(QDate(2026, 12, 8), QTime(14, 35, 20), Qt::UTC));
    Prog().Indicatif_Station = Station;
    serveur = std::make_unique<test::Serveur_Spots>();
    serveur->servir(200, test::page(test::lignesPage(test::troisSpots())));
    test::ecrireReglage(Section_Setup, Cluster::Cle_Hote, serveur->adresse());
    test::ecrireReglage(Section_Setup, Cluster::Cle_Delai, QStringLiteral("3000"));
    sons.clear();
    plateforme::installerEcouteSons([this](const QString& c) { sons << QFileInfo(c).fileName(); });
}

void TestClusterFenetre::cleanup()
{
    Cluster::Detruire_Fenetres();
    plateforme::retirerEcouteSons();
    serveur.reset();
    env.reset();
}

Fenetre_Cluster& TestClusterFenetre::ouvrir()
{
    Cluster::Afficher();
    return Fenetre_Cluster::instance();
}

bool TestClusterFenetre::attendreFin(Fenetre_Cluster& f, int ms)
{
    return QTest::qWaitFor([&f] { return !f.Recherche_En_Cours(); }, ms);
}

QStringList TestClusterFenetre::lignes() const
{
    return test::elements(Fenetre_Cluster::instance().Liste_Stations);
}

void TestClusterFenetre::ouvertureSansReglages()
{
    Fenetre_Cluster& f = ouvrir();
    QVERIFY(f.isVisible());
    QCOMPARE(f.Bande_CL->count(), 13);
    QCOMPARE(f.Bande_CL->currentText(), QStringLiteral("All HF"));
    QCOMPARE(test::elements(f.Emetteur),
             (QStringList{QStringLiteral("FT-736"), QStringLiteral("FT-817"), QStringLiteral("FT-847"), QStringLiteral("FT-897")}));
    QCOMPARE(f.Emetteur->currentText(), QStringLiteral("FT-847"));
    QCOMPARE(Prog().Modele_Transceiver, QStringLiteral("FT-847"));
    QCOMPARE(test::reglageStation(Station, Transceiver), QStringLiteral("2"));
    QVERIFY(f.Mnu_SansCom->isChecked());
    QVERIFY(!f.Mnu_Com1->isChecked() && !f.Mnu_Com2->isChecked());
    for (QAction* a : {f.Mnu_4800, f.Mnu_9600, f.Mnu_19200, f.Mnu_57600})
        QVERIFY(!a->isChecked());
    QCOMPARE(f.NumPort->text(), QStringLiteral("0"));
    QCOMPARE(f.DebitPort->text(), QStringLiteral("0"));
    QVERIFY(!f.Port().estOuvert());
    QVERIFY(f.Timer2->isActive());
    QCOMPARE(f.Timer2->interval(), 60000);
    QVERIFY(Prog().Cluster_Pret);
    QVERIFY(f.Option1->isChecked());
    QVERIFY(!f.Patientez->isEnabled());
    QVERIFY(lignes().isEmpty());
    QVERIFY(serveur->chemins.isEmpty());
    QVERIFY(env->messages.empty());

    // A label text stored under the shared key is not taken for a model, nor overwritten.
    f.close();
    test::ecrireReglageStation(Station, Transceiver, QStringLiteral("FT-847 100W"));
    test::ecrireReglageStation(Station, Bande_Cluster, QStringLiteral("11"));
    ouvrir();
    QCOMPARE(f.Emetteur->currentText(), QStringLiteral("FT-847"));
    QCOMPARE(test::reglageStation(Station, Transceiver), QStringLiteral("FT-847 100W"));
    QCOMPARE(f.Bande_CL->currentText(), QStringLiteral("144 Mhz"));
    f.Emetteur->setCurrentIndex(0);
    QCOMPARE(test::reglageStation(Station, Transceiver), QStringLiteral("0"));
    QCOMPARE(Prog().Modele_Transceiver, QStringLiteral("FT-736"));
}

void TestClusterFenetre::boutonDuCarnet()
{
    test::demarrerStation(*env);
    Carnet& c = Carnet::instance();
    QVERIFY(c.Command1->isEnabled());
    QTest::mouseClick(c.Command1, Qt::LeftButton);
    QWidget* w = test::fenetre(QStringLiteral("Cluster"));
    QVERIFY(w);
    QVERIFY(w->isVisible());
}

void TestClusterFenetre::pageAvecSpots()
{
    Fenetre_Cluster& f = ouvrir();
    QTest::mouseClick(f.Afficher, Qt::LeftButton);
    QVERIFY(f.Recherche_En_Cours());
    QVERIFY(!f.Afficher->isEnabled());
    QVERIFY(f.Patientez->isEnabled());
    QVERIFY(!f.Timer2->isActive());
    QVERIFY(attendreFin(f));

    QCOMPARE(serveur->chemins, QStringList{QStringLiteral("/dxc/top_250_HF.html")});
    QCOMPARE(test::reglageStation(Station, Bande_Cluster), QStringLiteral("0"));
    // Sorted by time in the first layout, the newest (last) selected.
    const QStringList attendu = {
        QStringLiteral(" 08/12/26 2201 DL1ABC        14025.0 G4XYZ       CQ CONTEST"),
        QStringLiteral(" 08/12/26 2202 TM5C         144300.0 F1ZZZ-2     JN18 TROPO"),
        QStringLiteral(" 08/12/26 2203 F5KTR          7012.5 ON4AA       TNX QSO"),
    };
    QCOMPARE(lignes(), attendu);
    QCOMPARE(f.Liste_Stations->currentRow(), 2);
    QCOMPARE(Prog().Ligne_Spot, attendu.at(2));
    QCOMPARE(f.QTR->text(), QStringLiteral("14:35 TU"));
    QVERIFY(f.Afficher->isEnabled());
    QVERIFY(!f.Patientez->isEnabled());
    QVERIFY(f.Timer2->isActive());
    QVERIFY(Prog().Cluster_Pret);
    QVERIFY(env->messages.empty());
    QVERIFY(sons.isEmpty());
    // The cache: the page upper-cased with CR LF line ends.
    const QByteArray cache = test::lireOctets(env->chemin(QStringLiteral("Cluster1.txt")));
    QCOMPARE(cache, test::page(test::lignesPage(test::troisSpots()), true).toUpper());
    QVERIFY(QFileInfo::exists(env->chemin(QStringLiteral("Temp1.txt"))));

    // A single band, and the callsign order: the first entry selected.
    f.Bande_CL->setCurrentIndex(3);
    {
        const QSignalBlocker b(f.Option2);
        f.Option2->setChecked(true);
    }
    f.Timer2_Timer();
    QVERIFY(attendreFin(f));
    QCOMPARE(serveur->chemins.last(), QStringLiteral("/dxc/top_50_7_MHz.html"));
    QCOMPARE(test::reglageStation(Station, Bande_Cluster), QStringLiteral("3"));
    QCOMPARE(lignes().first(), QStringLiteral(" DL1ABC        14025.0 08/12/26 2201 G4XYZ       CQ CONTEST"));
    QCOMPARE(f.Liste_Stations->currentRow(), 0);
    QCOMPARE(f.Label11->text(), cluster::Entete_Spots(cluster::Disposition::Indicatif));

    // The same page with CR LF line ends gives the same list.
    const QStringList avant = lignes();
    serveur->servir(200, test::page(test::lignesPage(test::troisSpots()), true));
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(lignes(), avant);
    QVERIFY(env->messages.empty());
}

void TestClusterFenetre::pageSansReponse()
{
    Fenetre_Cluster& f = ouvrir();
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(lignes().size(), 3);

    serveur->servir(200, QByteArray());
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(sons, QStringList{QStringLiteral("ringin.wav")});
    QCOMPARE(env->textes(), QStringList{Message});
    QCOMPARE(lignes().size(), 3);  // the previous spots stay
    QVERIFY(!f.Timer2->isActive());
    QVERIFY(f.Afficher->isEnabled());
    QVERIFY(!f.Patientez->isEnabled());
}

void TestClusterFenetre::cacheImpossible()
{
    // The site answered but the page cannot be kept here: the operator is told what is wrong
    // on this machine, not that the site is silent.
    test::ecrireOctets(env->chemin(QStringLiteral("Cluster1.txt")), "ancienne page\r\n");
    QVERIFY(QFile::setPermissions(env->chemin(QStringLiteral("Cluster1.txt")), QFile::ReadOwner));
    Fenetre_Cluster& f = ouvrir();
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(env->textes(), QStringList{QStringLiteral("Enregistrement de la page du cluster impossible.\r\n"
                                                       "Erreur sur le fichier « Cluster1.txt » : fichier en lecture "
                                                       "seule (erreur 70).")});
    QCOMPARE(test::lireOctets(env->chemin(QStringLiteral("Cluster1.txt"))), QByteArray("ancienne page\r\n"));
    QVERIFY(f.Afficher->isEnabled());
    QVERIFY(!f.Patientez->isEnabled());
}

void TestClusterFenetre::echecs_data()
{
    QTest::addColumn<int>("statut");     // 0: nothing listens
    QTest::addColumn<QByteArray>("corps");
    QTest::addColumn<int>("spots");      // spots listed before the failure
    QByteArray malformee = test::page(test::lignesPage(test::troisSpots()));
    malformee.replace("<td><a href=\"/de/ON4AA\" target=\"_blank\">ON4AA</a></td>", "<td>ON4AA</td>");
    QTest::newRow("404") << 404 << QByteArray("<html>absent</html>") << 0;
    QTest::newRow("refus") << 0 << QByteArray() << 0;
    QTest::newRow("marqueur absent") << 200 << malformee << 1;
    QByteArray enorme = test::page(test::lignesPage(test::troisSpots()));
    enorme += QByteArray(cluster::Taille_Max_Page, ' ');
    QTest::newRow("trop grande") << 200 << enorme << 0;
    QTest::newRow("sans tableau") << 200 << QByteArray("<html><body>maintenance</body></html>\n") << 0;
}

void TestClusterFenetre::echecs()
{
    QFETCH(int, statut);
    QFETCH(QByteArray, corps);
    QFETCH(int, spots);
    if (statut == 0)
        test::ecrireReglage(Section_Setup, Cluster::Cle_Hote, test::adresseRefusee());
    else
        serveur->servir(statut, corps);
    Fenetre_Cluster& f = ouvrir();
    f.Bande_CL->setCurrentIndex(5);
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(sons, QStringList{QStringLiteral("tada.wav")});
    QCOMPARE(env->textes(), QStringList{Message});
    QCOMPARE(lignes().size(), spots);
    QCOMPARE(test::reglageStation(Station, Bande_Cluster), QStringLiteral("5"));
    QVERIFY(!f.Timer2->isActive());
    QVERIFY(f.Afficher->isEnabled());
    QVERIFY(!f.Patientez->isEnabled());
}

void TestClusterFenetre::filtresEtSons()
{
    Fenetre_Cluster& f = ouvrir();
    const auto avec = [&](bool francais, bool prefixe, bool son, const QString& texte) {
        const QSignalBlocker b1(f.Check1), b2(f.Check2), b3(f.Check3);
        f.Check1->setChecked(francais);
        f.Check2->setChecked(prefixe);
        f.Check3->setChecked(son);
        f.Indicatif->setText(texte);
        sons.clear();
        f.Afficher_Click();
        return attendreFin(f);
    };
    const auto indicatifs = [&] {
        QStringList l;
        for (const QString& s : lignes())
            l << s.mid(15, 12).trimmed();
        return l;
    };

    QVERIFY(avec(true, false, true, QString()));
    QCOMPARE(indicatifs(), (QStringList{QStringLiteral("TM5C"), QStringLiteral("F5KTR")}));
    QCOMPARE(sons, (QStringList{QStringLiteral("ringout.wav"), QStringLiteral("ringout.wav")}));

    QVERIFY(avec(false, true, false, QStringLiteral("dl")));
    QCOMPARE(indicatifs(), QStringList{QStringLiteral("DL1ABC")});
    QVERIFY(sons.isEmpty());

    // An empty box lets every spot through, with a sound each.
    QVERIFY(avec(false, true, true, QString()));
    QCOMPARE(lignes().size(), 3);
    QCOMPARE(sons.size(), 3);

    // Both filters: a French spot that begins with the typed prefix is listed twice.
    QVERIFY(avec(true, true, false, QStringLiteral("F5")));
    QCOMPARE(indicatifs(), (QStringList{QStringLiteral("TM5C"), QStringLiteral("F5KTR"), QStringLiteral("F5KTR")}));

    // No filter: every spot, without sound even when "Son" is ticked.
    QVERIFY(avec(false, false, true, QString()));
    QCOMPARE(lignes().size(), 3);
    QVERIFY(sons.isEmpty());
    QVERIFY(env->messages.empty());
}

void TestClusterFenetre::gardeDesChangements()
{
    Fenetre_Cluster& f = ouvrir();
    f.Memoriser_Click();
    auto& memo = Fenetre_Memoire_CL::instance();
    QCOMPARE(memo.Mem_Cluster->count(), 1);

    // A layout change fetches at once and empties the memo list.
    serveur->servir(404, QByteArray());
    f.Option2->setChecked(true);
    QVERIFY(f.Recherche_En_Cours());
    QVERIFY(!Prog().Cluster_Pret);
    QCOMPARE(memo.Mem_Cluster->count(), 0);
    QVERIFY(attendreFin(f));
    QCOMPARE(serveur->chemins.size(), 1);
    QCOMPARE(env->messages.size(), std::size_t(1));

    // After a failed fetch the controls only change themselves.
    f.Memoriser_Click();
    f.Option3->setChecked(true);
    f.Check1->setChecked(true);
    QTest::qWait(50);
    QCOMPARE(serveur->chemins.size(), 1);
    QCOMPARE(memo.Mem_Cluster->count(), 1);
    QVERIFY(!f.Timer2->isActive());

    // A page fetched by hand opens the gate again.
    serveur->servir(200, test::page(test::lignesPage(test::troisSpots())));
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QVERIFY(Prog().Cluster_Pret);
    QCOMPARE(lignes().size(), 2);  // in the third layout, French stations only
    QCOMPARE(lignes().first(), QStringLiteral("   7012.5 F5KTR        08/12/26 2203 ON4AA       TNX QSO"));
    f.Check1->setChecked(false);
    QVERIFY(f.Recherche_En_Cours());
    QCOMPARE(memo.Mem_Cluster->count(), 0);
    QVERIFY(attendreFin(f));
    QCOMPARE(serveur->chemins.size(), 3);
    QCOMPARE(lignes().size(), 3);

    // A request while a page is on its way is dropped.
    f.Afficher_Click();
    f.Timer2_Timer();
    f.Option1->setChecked(true);
    QVERIFY(attendreFin(f));
    QCOMPARE(serveur->chemins.size(), 4);
}

void TestClusterFenetre::memoire()
{
    Fenetre_Cluster& f = ouvrir();
    auto& memo = Fenetre_Memoire_CL::instance();

    // Nothing selected: an empty line, the memo window made but not shown.
    f.Memoriser_Click();
    QCOMPARE(test::elements(memo.Mem_Cluster), QStringList{QString()});
    QVERIFY(!memo.isVisible());
    QCOMPARE(Prog().Ligne_Spot, QString());

    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    f.Liste_Stations->setCurrentRow(0);
    f.Memoriser_Click();
    QCOMPARE(memo.Mem_Cluster->count(), 2);
    QCOMPARE(memo.Mem_Cluster->item(1)->text(), lignes().at(0));

    QTest::mouseClick(f.Voir_Mem, Qt::LeftButton);
    QVERIFY(memo.isVisible());
    QCOMPARE(memo.Label3->text(), cluster::Entete_Memoire(cluster::Disposition::QTR));

    memo.Mem_Cluster->setCurrentRow(-1);
    memo.Efface_CL_Click();
    QCOMPARE(env->textes(), QStringList{QStringLiteral("Selectionnez une ligne a effacer")});
    QCOMPARE(memo.Mem_Cluster->count(), 2);
    memo.Mem_Cluster->setCurrentRow(0);
    memo.Efface_CL_Click();
    QCOMPARE(memo.Mem_Cluster->count(), 1);
    QCOMPARE(memo.Mem_Cluster->item(0)->text(), lignes().at(0));

    // "Retour Cluster" hides it, the list kept; closing it empties the list.
    memo.Retour_CL_Click();
    QVERIFY(!memo.isVisible());
    f.Voir_Mem_Click();
    QCOMPARE(memo.Mem_Cluster->count(), 1);
    memo.close();
    QVERIFY(!memo.isVisible());
    f.Memoriser_Click();
    QCOMPARE(memo.Mem_Cluster->count(), 1);

    // Closing the cluster window unloads the memo window with it.
    f.close();
    QVERIFY(!memo.estChargee());
    QCOMPARE(memo.Mem_Cluster->count(), 0);
    QVERIFY(!f.Timer2->isActive());
}

void TestClusterFenetre::indicatifAuClavier()
{
    Fenetre_Cluster& f = ouvrir();
    test::entree(f.Indicatif);
    QCOMPARE(env->textes(), QStringList{QStringLiteral("Entrez un indicatif")});
    QVERIFY(!f.Recherche_En_Cours());
    test::taper(f.Indicatif, QStringLiteral("dl1"));
    QCOMPARE(f.Indicatif->text(), QStringLiteral("DL1"));
    test::entree(f.Indicatif);
    QVERIFY(f.Recherche_En_Cours());
    QVERIFY(attendreFin(f));
    QCOMPARE(serveur->chemins.size(), 1);
}

void TestClusterFenetre::reactiviteSansReponse()
{
    test::ecrireReglage(Section_Setup, Cluster::Cle_Delai, QStringLiteral("1500"));
    serveur->mode = test::Serveur_Spots::Mode::Muet;
    Fenetre_Cluster& f = ouvrir();
    QElapsedTimer montre;
    montre.start();
    f.Afficher_Click();
    QVERIFY(f.Recherche_En_Cours());

    // The window keeps handling events while the server stays silent.
    bool tic = false;
    QTimer::singleShot(30, [&tic] { tic = true; });
    QVERIFY(QTest::qWaitFor([&tic] { return tic; }, 1000));
    QVERIFY(f.Recherche_En_Cours());
    test::taper(f.Indicatif, QStringLiteral("f"));
    QCOMPARE(f.Indicatif->text(), QStringLiteral("F"));
    test::entree(f.Indicatif);  // dropped: a page is on its way
    QVERIFY(QTest::qWaitFor([this] { return !serveur->chemins.isEmpty(); }, 1000));

    // The time-out takes the failure path.
    QVERIFY(attendreFin(f, 5000));
    QVERIFY(montre.elapsed() >= 1400);
    QCOMPARE(serveur->chemins.size(), 1);
    QCOMPARE(sons, QStringList{QStringLiteral("tada.wav")});
    QCOMPARE(env->textes(), QStringList{Message});
    QVERIFY(f.Afficher->isEnabled());
    QVERIFY(!f.Timer2->isActive());
}

void TestClusterFenetre::fermetureAnnuleLaRecherche()
{
    test::ecrireReglage(Section_Setup, Cluster::Cle_Delai, QStringLiteral("300"));
    serveur->mode = test::Serveur_Spots::Mode::Muet;
    Fenetre_Cluster& f = ouvrir();
    f.Afficher_Click();
    QVERIFY(f.Recherche_En_Cours());
    f.close();
    QVERIFY(!f.Recherche_En_Cours());
    QTest::qWait(500);
    QVERIFY(env->messages.empty());
    QVERIFY(sons.isEmpty());
    QVERIFY(!f.Timer2->isActive());

    // Opened again: a fresh window, ready to fetch.
    serveur->servir(200, test::page(test::lignesPage(test::troisSpots())));
    ouvrir();
    QVERIFY(f.Afficher->isEnabled());
    f.Afficher_Click();
    QVERIFY(attendreFin(f));
    QCOMPARE(lignes().size(), 3);
}

QTEST_MAIN(TestClusterFenetre)
#include "tst_cluster_fenetre.moc"
