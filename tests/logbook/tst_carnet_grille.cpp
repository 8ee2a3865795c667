// The department and square grid: the painting rules on file lines, then the window's views
// painted from real status files.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "logbook/Carnet_Grille.h"
#include "platform/Dialogues.h"
#include "platform/Reglages.h"
#include "station/Couleurs_Etat.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

using test::Confirme;
using test::Contacte;
using test::Envoyee;
using test::JauneClair;
using test::ligneCarre;
using test::ligneDepartement;
using test::Recue;

// The station F6ABC with its files from the templates, the lines given replacing theirs.
void preparerStation(test::Environnement& env, const QStringList& departements, const QStringList& carres,
                     const QString& bande = QStringLiteral("144 Mhz"))
{
    const QString app = QStringLiteral("Velmarin");
    plateforme::SaveSetting(app, QStringLiteral("Setup"), QStringLiteral("Indicatif Station"), QStringLiteral("F6ABC"));
    plateforme::SaveSetting(app, QStringLiteral("Setup"), QStringLiteral("Locator Station"), QStringLiteral("JN23AB"));
    plateforme::SaveSetting(app, QStringLiteral("Setup F6ABC"), QStringLiteral("bande Utilisee"),
                            QString::number(station::Liste_Bandes().indexOf(bande)));
    QVERIFY(QFile::copy(env.chemin(QStringLiteral("FXXXX_Prefixe.txt")), env.chemin(QStringLiteral("F6ABC_Prefixe.txt"))));
    test::ecrireOctets(env.chemin(QStringLiteral("F6ABC.log")), QByteArray());
    test::ecrireOctets(env.chemin(QStringLiteral("F6ABC_Departement.txt")), test::enAnsi(departements));
    test::ecrireOctets(env.chemin(QStringLiteral("F6ABC_Locator.txt")), test::enAnsi(carres));
}

QColor fondCellule(int i)
{
    return Couleurs_Etat::fond(Carnet::instance().Dpt[i]);
}

QString titreGrille()
{
    return Carnet::instance().Frame3->title();
}

} // namespace

class TestCarnetGrille : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellulesDesDepartements();
    void peintureDepartements();
    void peintureCarres();
    void textesDesCellules();
    void titres();

    void grilleAuDemarrage();
    void stationVide();
    void vueCarresEtRetour();
    void vueCarresRefuseeEnHF();
    void bandeGrilleEnVueCarres();
    void carteDuChamp();
    void bandeSaisieChoisie();
    void fichierDepartementIntrouvable();
    void memesChoixRepeints();
};

void TestCarnetGrille::cellulesDesDepartements()
{
    QCOMPARE(grille::celluleDepartement(QStringLiteral("01")), 1);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("95")), 95);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("2A")), 96);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("2a")), 96);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("2B")), 97);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("2b")), 97);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("96")), 96);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("XX")), -1);
    QCOMPARE(grille::celluleDepartement(QStringLiteral("7")), -1);

    QCOMPARE(grille::codeCellule(5), QStringLiteral("05"));
    QCOMPARE(grille::codeCellule(0), QStringLiteral("00"));
    QCOMPARE(grille::codeCellule(96), QStringLiteral("2a"));
    QCOMPARE(grille::codeCellule(97), QStringLiteral("2b"));
    QCOMPARE(grille::codeCellule(99), QStringLiteral("99"));
}

void TestCarnetGrille::peintureDepartements()
{
    const QString b = QStringLiteral("144 Mhz");
    const QStringList lignes = {
        ligneDepartement(QStringLiteral("01"), b, QLatin1Char('1')),
        ligneDepartement(QStringLiteral("02"), b, QLatin1Char('2')),
        ligneDepartement(QStringLiteral("03"), b, QLatin1Char('0')),
        ligneDepartement(QStringLiteral("04"), b, QLatin1Char('7')),          // counted, not coloured
        ligneDepartement(QStringLiteral("05"), QStringLiteral("50 Mhz"), QLatin1Char('4')),  // another band
        ligneDepartement(QStringLiteral("2A"), b, QLatin1Char('3')),
        ligneDepartement(QStringLiteral("2b"), b, QLatin1Char('4')),
        QStringLiteral("06"),                                                  // too short to have a status
    };
    const grille::Peinture p = grille::peintureDepartements(lignes, b);
    QCOMPARE(p.compteur, 5);
    QCOMPARE(p.couleurs[1], Contacte);
    QCOMPARE(p.couleurs[2], Envoyee);
    QCOMPARE(p.couleurs[96], Recue);
    QCOMPARE(p.couleurs[97], Confirme);
    for (int i : {0, 3, 4, 5, 6, 20, 98, 99})
        QCOMPARE(p.couleurs[i], Couleurs_Etat::fondFenetre());
    QCOMPARE(p.etats[96], QLatin1Char('3'));
    QCOMPARE(p.etats[4], QLatin1Char('0'));

    // The same lines on the other band.
    const grille::Peinture p50 = grille::peintureDepartements(lignes, QStringLiteral("50 Mhz"));
    QCOMPARE(p50.compteur, 1);
    QCOMPARE(p50.couleurs[5], Confirme);
    QCOMPARE(p50.couleurs[1], Couleurs_Etat::fondFenetre());
}

void TestCarnetGrille::peintureCarres()
{
    const QString b = QStringLiteral("144 Mhz");
    const QStringList lignes = {
        ligneCarre(QStringLiteral("JN22"), b, QLatin1Char('0')),
        ligneCarre(QStringLiteral("JN23"), b, QLatin1Char('4')),
        ligneCarre(QStringLiteral("JN07"), b, QLatin1Char('1')),
        ligneCarre(QStringLiteral("JN99"), b, QLatin1Char('8')),   // counted, not coloured
        ligneCarre(QStringLiteral("IN23"), b, QLatin1Char('1')),   // another field
        ligneCarre(QStringLiteral("JN45"), QStringLiteral("432 Mhz"), QLatin1Char('2')),
    };
    const grille::Peinture p = grille::peintureLocators(lignes, b, QStringLiteral("JN"));
    QCOMPARE(p.compteur, 3);
    QCOMPARE(p.couleurs[23], Confirme);
    QCOMPARE(p.couleurs[7], Contacte);
    for (int i : {0, 22, 45, 99})
        QCOMPARE(p.couleurs[i], JauneClair);

    const grille::Peinture in = grille::peintureLocators(lignes, b, QStringLiteral("IN"));
    QCOMPARE(in.compteur, 1);
    QCOMPARE(in.couleurs[23], Contacte);

    // The HF bands have no square column: nothing is read.
    const grille::Peinture hf = grille::peintureLocators(lignes, QStringLiteral("14 Mhz"), QStringLiteral("JN"));
    QCOMPARE(hf.compteur, 0);
    QCOMPARE(hf.couleurs[23], JauneClair);
}

void TestCarnetGrille::textesDesCellules()
{
    struct Cas {
        int cellule;
        const char* departements;
        const char* carres;
    };
    const Cas cas[] = {{0, "00", "00"},  {5, "05", "05"},  {19, "19", "19"}, {20, "X", "20"}, {21, "21", "21"},
                       {95, "95", "95"}, {96, "2a", "96"}, {97, "2b", "97"}, {98, "", "98"},  {99, "", "99"}};
    for (const Cas& c : cas) {
        QCOMPARE(grille::texteCellule(c.cellule, false), QString::fromLatin1(c.departements));
        QCOMPARE(grille::texteCellule(c.cellule, true), QString::fromLatin1(c.carres));
    }
    QCOMPARE(grille::legendeContacte(false), QStringLiteral("    Dpt Contacté"));
    QCOMPARE(grille::legendeConfirme(false), QStringLiteral("    Dpt Confirmé"));
    QCOMPARE(grille::legendeContacte(true), QStringLiteral("   Carré Contacté"));
    QCOMPARE(grille::legendeConfirme(true), QStringLiteral("   Carré Confirmé"));
}

void TestCarnetGrille::titres()
{
    QCOMPARE(Titre_Departements(12, QStringLiteral("144 Mhz")), QStringLiteral(" 12 Départements sur 144 Mhz"));
    QCOMPARE(Titre_Departements(0, QStringLiteral("144 Mhz")), QStringLiteral(" 0 Départements sur 144 Mhz"));
    QCOMPARE(grille::titreCarres(7, QStringLiteral("JN")), QStringLiteral(" 7 moyens carrés dans le carré JN"));
}

void TestCarnetGrille::grilleAuDemarrage()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env,
                    {ligneDepartement(QStringLiteral("01"), b, QLatin1Char('1'), QStringLiteral("Ain")),
                     ligneDepartement(QStringLiteral("2A"), b, QLatin1Char('3'), QStringLiteral("Corse-du-Sud")),
                     ligneDepartement(QStringLiteral("2b"), b, QLatin1Char('2'), QStringLiteral("Haute-Corse")),
                     ligneDepartement(QStringLiteral("33"), b, QLatin1Char('7'), QStringLiteral("Gironde")),
                     ligneDepartement(QStringLiteral("75"), b, QLatin1Char('0'), QStringLiteral("Paris"))},
                    {});
    Carnet::instance().Form_Load();
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));

    QCOMPARE(fondCellule(96), Recue);
    QCOMPARE(fondCellule(97), Envoyee);
    QCOMPARE(fondCellule(1), Contacte);
    QCOMPARE(fondCellule(33), Couleurs_Etat::fondFenetre());
    QCOMPARE(fondCellule(75), Couleurs_Etat::fondFenetre());
    QCOMPARE(titreGrille(), QStringLiteral(" 4 Départements sur 144 Mhz"));
    QCOMPARE(Prog().Compteur_Carte, 4.0);
    QCOMPARE(Carnet::instance().Dpt[96]->text(), QStringLiteral("2a"));
    QCOMPARE(Carnet::instance().Dpt[20]->text(), QStringLiteral("X"));

    // Another band of the grid: the same file, another column.
    Carnet::instance().Bande_Grille->setCurrentText(QStringLiteral("50 Mhz"));
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("50 Mhz"));
    QCOMPARE(titreGrille(), QStringLiteral(" 0 Départements sur 50 Mhz"));
    QCOMPARE(fondCellule(96), Couleurs_Etat::fondFenetre());
}

void TestCarnetGrille::stationVide()
{
    test::Environnement env;
    preparerStation(env, {}, {});
    // The real template: every status "0".
    QFile::remove(env.chemin(QStringLiteral("F6ABC_Departement.txt")));
    QVERIFY(QFile::copy(env.chemin(QStringLiteral("FXXXX_Departement.txt")), env.chemin(QStringLiteral("F6ABC_Departement.txt"))));
    Carnet::instance().Form_Load();

    QCOMPARE(titreGrille(), QStringLiteral(" 0 Départements sur 144 Mhz"));
    for (int i = 0; i < 100; ++i)
        QCOMPARE(fondCellule(i), Couleurs_Etat::fondFenetre());
}

void TestCarnetGrille::vueCarresEtRetour()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env, {ligneDepartement(QStringLiteral("2A"), b, QLatin1Char('3'))},
                    {ligneCarre(QStringLiteral("IN23"), b, QLatin1Char('1')), ligneCarre(QStringLiteral("JN23"), b, QLatin1Char('4')),
                     ligneCarre(QStringLiteral("JN24"), b, QLatin1Char('0'))});
    Carnet::instance().Form_Load();
    Carnet& c = Carnet::instance();
    c.Carre_Grille->setCurrentText(QStringLiteral("JN"));

    c.Option1[2]->setChecked(true);
    QVERIFY(env.messages.empty());
    QVERIFY(c.Carre_Grille->isEnabled());
    QCOMPARE(fondCellule(23), Confirme);
    QCOMPARE(fondCellule(24), JauneClair);
    QCOMPARE(fondCellule(96), JauneClair);
    QCOMPARE(titreGrille(), QStringLiteral(" 1 moyens carrés dans le carré JN"));
    QCOMPARE(c.Dpt[20]->text(), QStringLiteral("20"));
    QCOMPARE(c.Dpt[96]->text(), QStringLiteral("96"));
    QCOMPARE(c.Dpt[97]->text(), QStringLiteral("97"));
    QCOMPARE(c.Dpt[98]->text(), QStringLiteral("98"));
    QCOMPARE(c.Dpt[99]->text(), QStringLiteral("99"));
    QCOMPARE(c.Dpt[0]->text(), QStringLiteral("00"));
    QCOMPARE(c.Label27->text(), QStringLiteral("   Carré Contacté"));
    QCOMPARE(c.Label1->text(), QStringLiteral("   Carré Confirmé"));

    // Another field: its own lines only.
    c.Carre_Grille->setCurrentText(QStringLiteral("IN"));
    QCOMPARE(fondCellule(23), Contacte);
    QCOMPARE(titreGrille(), QStringLiteral(" 1 moyens carrés dans le carré IN"));
    c.Carre_Grille->setCurrentText(QStringLiteral("KO"));
    QCOMPARE(fondCellule(23), JauneClair);
    QCOMPARE(titreGrille(), QStringLiteral(" 0 moyens carrés dans le carré KO"));

    // Back to the departments: designed texts and colours again.
    c.Option1[1]->setChecked(true);
    QVERIFY(!c.Carre_Grille->isEnabled());
    QCOMPARE(c.Dpt[96]->text(), QStringLiteral("2a"));
    QCOMPARE(c.Dpt[97]->text(), QStringLiteral("2b"));
    QCOMPARE(c.Dpt[20]->text(), QStringLiteral("X"));
    QCOMPARE(c.Dpt[98]->text(), QString());
    QCOMPARE(c.Dpt[99]->text(), QString());
    QCOMPARE(c.Dpt[0]->text(), QStringLiteral("00"));
    QCOMPARE(fondCellule(96), Recue);
    QCOMPARE(fondCellule(23), Couleurs_Etat::fondFenetre());
    QCOMPARE(titreGrille(), QStringLiteral(" 1 Départements sur 144 Mhz"));
    QCOMPARE(c.Label27->text(), QStringLiteral("    Dpt Contacté"));
    QCOMPARE(c.Label1->text(), QStringLiteral("    Dpt Confirmé"));
    QVERIFY(env.messages.empty());
}

void TestCarnetGrille::vueCarresRefuseeEnHF()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env, {ligneDepartement(QStringLiteral("2A"), b, QLatin1Char('3'))},
                    {ligneCarre(QStringLiteral("JN23"), b, QLatin1Char('4'))});
    Carnet::instance().Form_Load();
    Carnet& c = Carnet::instance();
    {
        // The grid's band list shows 14 MHz while the grid still shows 144 MHz.
        const QSignalBlocker bloque(c.Bande_Grille);
        c.Bande_Grille->setCurrentText(QStringLiteral("14 Mhz"));
    }
    c.Option1[2]->setChecked(true);

    QCOMPARE(env.textes(), QStringList{QStringLiteral("Pas de gestion des carrés locator pour les bandes HF")});
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("14 Mhz"));
    QCOMPARE(fondCellule(96), Recue);
    QCOMPARE(c.Dpt[96]->text(), QStringLiteral("2a"));
    QCOMPARE(c.Dpt[20]->text(), QStringLiteral("X"));
    QCOMPARE(titreGrille(), QStringLiteral(" 1 Départements sur 144 Mhz"));
    QVERIFY(!c.Carre_Grille->isEnabled());
    QCOMPARE(c.Label27->text(), QStringLiteral("    Dpt Contacté"));
}

void TestCarnetGrille::bandeGrilleEnVueCarres()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env, {}, {ligneCarre(QStringLiteral("JN23"), b, QLatin1Char('4')),
                              ligneCarre(QStringLiteral("JN33"), QStringLiteral("432 Mhz"), QLatin1Char('2'))});
    Carnet::instance().Form_Load();
    Carnet& c = Carnet::instance();
    c.Carre_Grille->setCurrentText(QStringLiteral("JN"));
    c.Option1[2]->setChecked(true);
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("144 Mhz"));

    c.Bande_Grille->setCurrentText(QStringLiteral("432 Mhz"));
    QCOMPARE(fondCellule(33), Envoyee);
    QCOMPARE(fondCellule(23), JauneClair);
    QCOMPARE(titreGrille(), QStringLiteral(" 1 moyens carrés dans le carré JN"));
    // The square view leaves the band of the department paintings alone.
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("144 Mhz"));

    c.Bande_Grille->setCurrentText(QStringLiteral("7.0 Mhz"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Pas de gestion des carrés locator pour les bandes HF")});
    QCOMPARE(fondCellule(33), Envoyee);
    QCOMPARE(titreGrille(), QStringLiteral(" 1 moyens carrés dans le carré JN"));
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("144 Mhz"));

    // The field list refuses too while the band is HF.
    c.Carre_Grille->setCurrentText(QStringLiteral("IN"));
    QCOMPARE(env.messages.size(), size_t(2));
    QCOMPARE(titreGrille(), QStringLiteral(" 1 moyens carrés dans le carré JN"));
}

void TestCarnetGrille::carteDuChamp()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env, {}, {ligneCarre(QStringLiteral("JN23"), b, QLatin1Char('4'))});
    Carnet::instance().Form_Load();

    QString champ, bande;
    QChar etat23;
    grille::definirPeintreCarteChamp([&](const QString& c, const QString& bd, const grille::Peinture& p) {
        champ = c;
        bande = bd;
        etat23 = p.etats[23];
    });
    double compteur = -1;
    Carnet::instance().Affiche_Locators(b, QStringLiteral("JN"), compteur);
    grille::definirPeintreCarteChamp(nullptr);

    QCOMPARE(compteur, 1.0);
    QCOMPARE(champ, QStringLiteral("JN"));
    QCOMPARE(bande, b);
    QCOMPARE(etat23, QLatin1Char('4'));
    // Painting does not touch the view's texts or caption: the callers do.
    QCOMPARE(Carnet::instance().Dpt[96]->text(), QStringLiteral("2a"));
    QCOMPARE(titreGrille(), QStringLiteral(" 0 Départements sur 144 Mhz"));
}

void TestCarnetGrille::bandeSaisieChoisie()
{
    test::Environnement env;
    preparerStation(env, {}, {});
    Carnet::instance().Form_Load();
    Carnet& c = Carnet::instance();
    QVERIFY(c.Indicatif_A->isEnabled());

    c.Bande_A->setCurrentIndex(3);
    QVERIFY(!c.Indicatif_A->isEnabled());
    QCOMPARE(Couleurs_Etat::fond(c.Indicatif_A), JauneClair);
    QCOMPARE(Couleurs_Etat::fond(c.Bande_A), Couleurs_Etat::depuisBGR(0xC0FFC0));
    // Choosing a band is not yet entering it.
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("144 Mhz"));
}

void TestCarnetGrille::fichierDepartementIntrouvable()
{
    test::Environnement env;
    const QString b = QStringLiteral("144 Mhz");
    preparerStation(env, {ligneDepartement(QStringLiteral("01"), b, QLatin1Char('1'))}, {});
    Carnet::instance().Form_Load();
    QFile::remove(env.chemin(QStringLiteral("F6ABC_Departement.txt")));

    QTimer::singleShot(50, [] { plateforme::terminerProgramme(); });
    double compteur = 99;
    QVERIFY(!Carnet::instance().Affiche_Departements(b, compteur));
    QVERIFY(env.finDemandee());
    QCOMPARE(compteur, 99.0);
    QCOMPARE(fondCellule(1), Contacte);
}

QTEST_MAIN(TestCarnetGrille)
#include "tst_carnet_grille.moc"

void TestCarnetGrille::memesChoixRepeints()
{
    test::Environnement env;
    preparerStation(env, {ligneDepartement(QStringLiteral("75"), QStringLiteral("144 Mhz"), u'1')}, {});
    Carnet& c = Carnet::instance();
    c.Form_Load();
    QCOMPARE(fondCellule(75), Contacte);

    // The file changes behind the grid; the operator picks the band already shown.
    test::ecrireOctets(env.chemin(QStringLiteral("F6ABC_Departement.txt")),
                       test::enAnsi({ligneDepartement(QStringLiteral("75"), QStringLiteral("144 Mhz"), u'4')}));
    Q_EMIT c.Bande_Grille->activated(c.Bande_Grille->currentIndex());
    QCOMPARE(fondCellule(75), Confirme);

    // Reloading the band already selected from the code runs the band list's handler too.
    c.Indicatif_A->setEnabled(true);
    c.Lit_Bande_Et_Mode();
    QVERIFY(!c.Indicatif_A->isEnabled());
}
