// The department, activity and locator-field maps: their paintings read back from the cells of
// the windows, and the pictures themselves checked for land and sea where they belong.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "reports/Carte.h"
#include "reports/Carte_Acti.h"
#include "reports/Carte_Champ.h"
#include "reports/Cartes.h"
#include "reports/Geographie.h"
#include "reports/Select_Locator.h"
#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <map>

namespace {

using namespace test;

const QString Indicatif = QStringLiteral("F5XYZ");

// A QSO of an activity on a band, with its department and QSL digit.
QString qso(const QString& activite, const QString& bande, const QString& departement, const QString& etat)
{
    station::Ligne_QSO l = station::Ligne_QSO::depuis(test::ligneQSO(QStringLiteral("01/02/24"), QStringLiteral("F1AAA"),
                                                                    QStringLiteral("10:00"), bande));
    l.Numero_Activite = activite;
    l.Departement_QSO = departement;
    l.Etat_QSL = etat;
    return l.texte();
}

struct Fichiers {
    QStringList departements = {};
    QStringList carres = {};
    QStringList journal = {};
};

// The station started in the main window, its status files holding only the lines given, and
// the map windows installed.
Carnet& demarrer(test::Environnement& env, const Fichiers& f = {}, std::optional<int> bande = 10)
{
    test::ecrireOctets(env.chemin(Indicatif + QStringLiteral("_Departement.txt")), test::enAnsi(f.departements));
    test::ecrireOctets(env.chemin(Indicatif + QStringLiteral("_Locator.txt")), test::enAnsi(f.carres));
    test::StationTest s;
    s.fichiers = {QStringLiteral("_Prefixe.txt"), QStringLiteral("_Absent.txt")};
    s.journal = f.journal;
    s.bande = bande;
    Cartes::Installer();
    Carnet& c = test::demarrerStation(env, s);
    Cartes::Installer();
    return c;
}

QColor cellule(Carte_Base& carte, int i)
{
    return carte.Dep[i]->couleur();
}

// The colour at a place of the map picture, read from what the window shows.
QColor pixel(const QImage& capture, const QPointF& p)
{
    return capture.pixelColor(p.toPoint());
}

// The colour most of a 5 by 5 pixel patch has: a border line crossing it does not count.
QColor dominante(const QImage& image, const QPointF& p)
{
    std::map<QRgb, int> n;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            ++n[image.pixel(p.toPoint() + QPoint(dx, dy))];
    return QColor(std::max_element(n.begin(), n.end(), [](auto a, auto b) { return a.second < b.second; })->first);
}

// Saves a capture where VELMARIN_CAPTURES points, for a person to look at.
void garder(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("VELMARIN_CAPTURES");
    if (!dossier.isEmpty())
        image.save(QDir(dossier).filePath(nom));
}

} // namespace

class TestCartes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        Carnet::detruireInstance();
        Prog() = {};
    }

    void menusOuvrentLesCartes();
    void carteDepartementsALOuverture();
    void carteDepartementsSuitLaBande();
    void carteActivitesMeilleurEtat();
    void carteActivitesFiltreEtBandeDuCarnet();
    void carteActivitesSansActivite();
    void champPeintAvecLaGrille();
    void deuxChampsOuvertsCoteACote();
    void champFermePuisRepeint();
    void regleActivite();
    void imageFrance();
    void imageChampJN();
    void imagesDesNeufChamps();
};

void TestCartes::menusOuvrentLesCartes()
{
    test::Environnement env;
    Carnet& c = demarrer(env);
    for (QAction* a : {c.Mnu_Carte_Dpt, c.Mnu_Carte_Loc, c.Mnu_Carte_Activation})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    c.Mnu_Carte_Dpt->trigger();
    c.Mnu_Carte_Loc->trigger();
    c.Mnu_Carte_Activation->trigger();
    for (const char* nom : {"Carte", "Select_Locator", "Carte_Acti"}) {
        QWidget* f = test::fenetre(QString::fromLatin1(nom));
        QVERIFY2(f && f->isVisible(), nom);
    }
    QCOMPARE(test::fenetre(QStringLiteral("Carte"))->windowTitle(), QStringLiteral("Départements contactés"));
    QCOMPARE(test::fenetre(QStringLiteral("Carte_Acti"))->windowTitle(), QStringLiteral("Carte_Activations"));
    QCOMPARE(test::fenetre(QStringLiteral("Select_Locator"))->windowTitle(), QStringLiteral("Selection Locator"));
    // The chooser opens on "JN" and "144 Mhz" with only the fields and bands that have maps.
    auto& s = Select_Locator::instance();
    QCOMPARE(s.Liste_Locator->currentText(), QStringLiteral("JN"));
    QCOMPARE(s.Bande_T->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(test::elements(s.Bande_T).first(), QStringLiteral("50 Mhz"));
    QCOMPARE(s.Bande_T->count(), 8);
    QCOMPARE(test::elements(s.Liste_Locator).join(QLatin1Char(',')), QStringLiteral("IM,IN,IO,JM,JN,JO,KM,KN,KO"));
    QVERIFY(env.messages.empty());
}

void TestCartes::carteDepartementsALOuverture()
{
    test::Environnement env;
    const QString b = QStringLiteral("7.0 Mhz");
    demarrer(env, {{ligneDepartement(QStringLiteral("01"), b, QLatin1Char('1')),
                    ligneDepartement(QStringLiteral("2A"), b, QLatin1Char('3')),
                    ligneDepartement(QStringLiteral("2b"), b, QLatin1Char('4')),
                    ligneDepartement(QStringLiteral("13"), b, QLatin1Char('2')),
                    ligneDepartement(QStringLiteral("29"), b, QLatin1Char('7')),
                    ligneDepartement(QStringLiteral("33"), b, QLatin1Char('0')),
                    ligneDepartement(QStringLiteral("75"), QStringLiteral("144 Mhz"), QLatin1Char('4'))}});
    Cartes::Afficher_Carte();
    Carte& carte = Carte::instance();

    // Opened painted for "7.0 Mhz": the "7" counts a department and colours nothing.
    QCOMPARE(carte.Bande_S->currentText(), b);
    QCOMPARE(carte.Bande_Carte->text(), b);
    QCOMPARE(carte.Nb_Carte->text(), QStringLiteral(" 5 Départements sur 7.0 Mhz"));
    QCOMPARE(cellule(carte, 1), Contacte);
    QCOMPARE(cellule(carte, 13), Envoyee);
    QCOMPARE(cellule(carte, 96), Recue);
    QCOMPARE(cellule(carte, 97), Confirme);
    for (int i : {29, 33, 75, 0, 20})
        QCOMPARE(cellule(carte, i), Couleurs_Etat::fondFenetre());
    QCOMPARE(QStringList({carte.SQ->text(), carte.QE->text(), carte.QR->text(), carte.DC->text()}),
             QStringList({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(carte.Dep[96]->text(), QStringLiteral("2a"));
    QCOMPARE(carte.Dep[97]->text(), QStringLiteral("2b"));
    for (int i : {20, 98, 99})
        QCOMPARE(carte.Dep[i]->text(), QStringLiteral("X"));
    QCOMPARE(carte.Dep[5]->text(), QStringLiteral("05"));
    QCOMPARE(Prog().Bande_Affichee, b);
}

void TestCartes::carteDepartementsSuitLaBande()
{
    test::Environnement env;
    Carnet& c = demarrer(env, {{ligneDepartement(QStringLiteral("75"), QStringLiteral("144 Mhz"), QLatin1Char('4')),
                                ligneDepartement(QStringLiteral("76"), QStringLiteral("144 Mhz"), QLatin1Char('4')),
                                ligneDepartement(QStringLiteral("13"), QStringLiteral("432 Mhz"), QLatin1Char('2'))}});
    Cartes::Afficher_Carte();
    Carte& carte = Carte::instance();
    carte.Bande_S->setCurrentText(QStringLiteral("432 Mhz"));
    QCOMPARE(carte.Nb_Carte->text(), QStringLiteral(" 1 Départements sur 432 Mhz"));
    QCOMPARE(cellule(carte, 13), Envoyee);
    QCOMPARE(cellule(carte, 75), Couleurs_Etat::fondFenetre());
    QCOMPARE(carte.QE->text(), QStringLiteral("1"));
    QCOMPARE(carte.DC->text(), QStringLiteral("0"));
    QCOMPARE(Prog().Bande_Affichee, QStringLiteral("432 Mhz"));
    // The main grid is repainted for the entry band, and its caption names that band.
    QCOMPARE(c.Bande_A->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[75]), Confirme);
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[13]), Couleurs_Etat::fondFenetre());
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 2 Départements sur 144 Mhz"));

    // Closed and opened again: painted afresh for "7.0 Mhz".
    carte.close();
    Cartes::Afficher_Carte();
    QCOMPARE(carte.Bande_Carte->text(), QStringLiteral("7.0 Mhz"));
    QCOMPARE(cellule(carte, 13), Couleurs_Etat::fondFenetre());
    QVERIFY(env.messages.empty());
}

void TestCartes::carteActivitesMeilleurEtat()
{
    test::Environnement env;
    const QString v = QStringLiteral("144 Mhz"), u = QStringLiteral("432 Mhz");
    demarrer(env, {{}, {},
                   {qso(QStringLiteral("1"), v, QStringLiteral("22"), QStringLiteral("1")),
                    qso(QStringLiteral("1"), u, QStringLiteral("22"), QStringLiteral("4")),
                    qso(QStringLiteral("1"), v, QStringLiteral("35"), QStringLiteral("3")),
                    qso(QStringLiteral("1"), v, QStringLiteral("35"), QStringLiteral("2")),
                    qso(QStringLiteral("1"), v, QString(), QStringLiteral("1")),
                    qso(QStringLiteral("1"), v, QStringLiteral("2B"), QStringLiteral("1")),
                    qso(QStringLiteral("1"), u, QStringLiteral("44"), QStringLiteral("9")),
                    qso(QStringLiteral("0"), v, QStringLiteral("56"), QStringLiteral("4")),
                    qso(QStringLiteral("2"), v, QStringLiteral("29"), QStringLiteral("4"))}});
    Cartes::Afficher_Carte_Acti();
    Carte_Acti& carte = Carte_Acti::instance();
    QCOMPARE(carte.Bande_A->currentText(), QStringLiteral("Toutes QRG"));
    QCOMPARE(carte.Activite_A->currentText(), QStringLiteral("DFCF"));
    QCOMPARE(test::elements(carte.Activite_A),
             QStringList({QStringLiteral("DFCF"), QStringLiteral("DMF"), QStringLiteral("DPLF"), QStringLiteral("IOTA")}));
    // Nothing painted before "Afficher".
    QVERIFY(carte.NB_Activ->text().isEmpty());

    carte.Aff_Carte->click();
    QCOMPARE(carte.Label6->text(), QStringLiteral("DFCF"));
    QCOMPARE(carte.Bande_Carte->text(), QStringLiteral("Toutes QRG"));
    // Worked on 144, confirmed on 432: confirmed. Received then sent: stays received.
    QCOMPARE(cellule(carte, 22), Confirme);
    QCOMPARE(cellule(carte, 35), Recue);
    QCOMPARE(cellule(carte, 97), Contacte);
    // A status "9" counts the QSO and colours nothing; plain QSOs and other activities do not count.
    for (int i : {44, 56, 29})
        QCOMPARE(cellule(carte, i), Couleurs_Etat::fondFenetre());
    garder(carte.grab().toImage(), QStringLiteral("carte_acti.png"));
    QCOMPARE(carte.NB_Activ->text(), QStringLiteral("7"));
    QCOMPARE(carte.TotDep->text(), QStringLiteral("3"));
    QCOMPARE(QStringList({carte.Label15->text(), carte.Label14->text(), carte.Label13->text(), carte.Label12->text()}),
             QStringList({QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")}));
}

void TestCartes::carteActivitesFiltreEtBandeDuCarnet()
{
    test::Environnement env;
    const QString v = QStringLiteral("144 Mhz"), u = QStringLiteral("432 Mhz");
    Carnet& c = demarrer(env, {{ligneDepartement(QStringLiteral("22"), v, QLatin1Char('1'))}, {},
                               {qso(QStringLiteral("1"), v, QStringLiteral("22"), QStringLiteral("1")),
                                qso(QStringLiteral("1"), u, QStringLiteral("22"), QStringLiteral("4")),
                                qso(QStringLiteral("3"), u, QStringLiteral("50"), QStringLiteral("2"))}});
    Cartes::Afficher_Carte_Acti();
    Carte_Acti& carte = Carte_Acti::instance();
    carte.Bande_A->setCurrentText(v);
    carte.Aff_Carte->click();
    QCOMPARE(cellule(carte, 22), Contacte);
    QCOMPARE(carte.NB_Activ->text(), QStringLiteral("1"));

    // Activity at list position 2 is activity number 3.
    carte.Bande_A->setCurrentText(u);
    carte.Activite_A->setCurrentIndex(2);
    carte.Aff_Carte->click();
    QCOMPARE(carte.Label6->text(), QStringLiteral("DPLF"));
    QCOMPARE(cellule(carte, 22), Couleurs_Etat::fondFenetre());
    QCOMPARE(cellule(carte, 50), Envoyee);

    // "Toutes QRG" is the map's own choice: the main grid keeps its band, so a later
    // repaint of the grid still shows a real band.
    carte.Bande_A->setCurrentIndex(0);
    carte.Aff_Carte->click();
    QCOMPARE(Prog().Bande_Affichee, v);
    c.Annuler->click();
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[22]), Contacte);
    QVERIFY(!c.Frame3->title().contains(QStringLiteral("Toutes QRG")));
    QVERIFY(env.messages.empty());
}

void TestCartes::carteActivitesSansActivite()
{
    test::Environnement env;
    demarrer(env);
    test::ecrireReglageStation(Indicatif, QStringLiteral("NB Activite"), QStringLiteral("1"));
    Cartes::Afficher_Carte_Acti();
    Carte_Acti& carte = Carte_Acti::instance();
    QCOMPARE(carte.Activite_A->count(), 0);
    carte.Aff_Carte->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Selectionnez une Activité")});
    QVERIFY(carte.NB_Activ->text().isEmpty());

    // Without a log the map says so and shows nothing.
    test::ecrireReglageStation(Indicatif, QStringLiteral("NB Activite"), QStringLiteral("3"));
    carte.close();
    Cartes::Afficher_Carte_Acti();
    QFile::remove(env.chemin(Indicatif + QStringLiteral(".log")));
    env.oublierMessages();
    carte.Aff_Carte->click();
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.messages.front().texte.contains(QStringLiteral("F5XYZ.log")));
    QCOMPARE(carte.NB_Activ->text(), QStringLiteral("0"));
}

void TestCartes::champPeintAvecLaGrille()
{
    test::Environnement env;
    const QString v = QStringLiteral("144 Mhz");
    Carnet& c = demarrer(env, {{}, {ligneCarre(QStringLiteral("JN23"), v, QLatin1Char('2')),
                                    ligneCarre(QStringLiteral("JN32"), v, QLatin1Char('4')),
                                    ligneCarre(QStringLiteral("IN23"), v, QLatin1Char('1'))}});
    Cartes::Afficher_Select_Locator();
    Select_Locator::instance().Command1->click();

    Carte_Champ* jn = Carte_Champ::existante(QStringLiteral("JN"));
    QVERIFY(jn && jn->isVisible());
    QCOMPARE(jn->windowTitle(), QStringLiteral("Carré JN"));
    QCOMPARE(jn->Label4->text(), QStringLiteral("Carrés moyens du carré JN contactés bande : "));
    QCOMPARE(jn->Bande_Carre->text(), v);
    QCOMPARE(cellule(*jn, 23), Envoyee);
    QCOMPARE(cellule(*jn, 32), Confirme);
    QCOMPARE(cellule(*jn, 22), Couleurs_Etat::fondFenetre());
    // Square 23: third column from the west, fourth row from the south.
    const QRect r23 = jn->Dep[23]->geometry(), r33 = jn->Dep[33]->geometry(), r24 = jn->Dep[24]->geometry();
    QVERIFY(r33.left() > r23.right());
    QCOMPARE(r33.top(), r23.top());
    QVERIFY(r24.bottom() < r23.top());
    QCOMPARE(r24.left(), r23.left());
    // The main grid shows the same painting in its square colours.
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[23]), Envoyee);
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[22]), JauneClair);
    QCOMPARE(Prog().Compteur_Carte, 2.0);
    QVERIFY(!Carte_Champ::existante(QStringLiteral("IN")));
}

void TestCartes::deuxChampsOuvertsCoteACote()
{
    test::Environnement env;
    const QString v = QStringLiteral("144 Mhz"), u = QStringLiteral("432 Mhz");
    demarrer(env, {{}, {ligneCarre(QStringLiteral("KO11"), v, QLatin1Char('3')),
                        ligneCarre(QStringLiteral("IM99"), u, QLatin1Char('1'))}});
    Cartes::Afficher_Select_Locator();
    Select_Locator& s = Select_Locator::instance();
    s.Liste_Locator->setCurrentText(QStringLiteral("KO"));
    s.Command1->click();
    s.Liste_Locator->setCurrentText(QStringLiteral("IM"));
    s.Bande_T->setCurrentText(u);
    s.Command1->click();
    Carte_Champ* ko = Carte_Champ::existante(QStringLiteral("KO"));
    Carte_Champ* im = Carte_Champ::existante(QStringLiteral("IM"));
    QVERIFY(ko && im && ko->isVisible() && im->isVisible());
    QCOMPARE(cellule(*ko, 11), Recue);
    QCOMPARE(ko->Bande_Carre->text(), v);
    QCOMPARE(cellule(*im, 99), Contacte);
    QCOMPARE(cellule(*im, 11), Couleurs_Etat::fondFenetre());
    QCOMPARE(im->Bande_Carre->text(), u);
}

void TestCartes::champFermePuisRepeint()
{
    test::Environnement env;
    const QString v = QStringLiteral("144 Mhz");
    Carnet& c = demarrer(env, {{}, {ligneCarre(QStringLiteral("JN23"), v, QLatin1Char('4'))}});
    Cartes::Afficher_Select_Locator();
    Select_Locator::instance().Command1->click();
    Carte_Champ* jn = Carte_Champ::existante(QStringLiteral("JN"));
    jn->close();
    QVERIFY(!jn->estChargee());

    // The grid's square view paints the field: its map is prepared hidden.
    c.Carre_Grille->setCurrentText(QStringLiteral("JN"));
    c.Option1[2]->click();
    QVERIFY(jn->estChargee());
    QVERIFY(!jn->isVisible());
    QCOMPARE(cellule(*jn, 23), Confirme);
    QCOMPARE(jn->Bande_Carre->text(), v);

    // "Afficher" opens it repainted for the chooser's band.
    test::ecrireOctets(env.chemin(Indicatif + QStringLiteral("_Locator.txt")),
                       test::enAnsi({ligneCarre(QStringLiteral("JN23"), QStringLiteral("50 Mhz"), QLatin1Char('1'))}));
    Select_Locator::instance().Bande_T->setCurrentText(QStringLiteral("50 Mhz"));
    Select_Locator::instance().Command1->click();
    QVERIFY(jn->isVisible());
    QCOMPARE(cellule(*jn, 23), Contacte);
    QCOMPARE(jn->Bande_Carre->text(), QStringLiteral("50 Mhz"));
}

void TestCartes::regleActivite()
{
    // Columns read from whole records: band, activity, status and department.
    const QString v = QStringLiteral("144 Mhz");
    const QStringList lignes = {qso(QStringLiteral("12"), v, QStringLiteral("05"), QStringLiteral("2")),
                                qso(QStringLiteral("1"), v, QStringLiteral("05"), QStringLiteral("3")),
                                qso(QStringLiteral("1"), QStringLiteral("50 Mhz"), QStringLiteral("2a"), QStringLiteral("4"))};
    const cartes::PeintureActivite a = cartes::peintureActivite(lignes, v, QStringLiteral("12"));
    QCOMPARE(a.total, 1);
    QCOMPARE(a.etats[5], QLatin1Char('2'));
    const cartes::PeintureActivite b = cartes::peintureActivite(lignes, cartes::ToutesBandes, QStringLiteral("1"));
    QCOMPARE(b.total, 2);
    QCOMPARE(b.etats[5], QLatin1Char('3'));
    QCOMPARE(b.etats[96], QLatin1Char('4'));
    // The counters go by colour.
    std::array<QColor, cartes::NombreCellules> couleurs;
    couleurs.fill(Couleurs_Etat::fondFenetre());
    couleurs[1] = Confirme;
    couleurs[2] = Confirme;
    couleurs[3] = JauneClair;
    QCOMPARE(cartes::compteCouleurs(couleurs), (std::array<int, 4>{0, 0, 0, 2}));
}

void TestCartes::imageFrance()
{
    test::Environnement env;
    demarrer(env, {{ligneDepartement(QStringLiteral("75"), QStringLiteral("7.0 Mhz"), QLatin1Char('4'))}});
    Cartes::Afficher_Carte();
    Carte& carte = Carte::instance();
    const QImage capture = carte.Picture1->grab().toImage();
    garder(capture, QStringLiteral("france.png"));
    garder(carte.grab().toImage(), QStringLiteral("carte.png"));
    const geographie::Projection proj = geographie::projectionFrance();
    const QColor france = geographie::couleurFrance(), mer = geographie::couleurMer(), terre = geographie::couleurTerre();

    struct Lieu {
        const char* nom;
        double lon, lat;
        QColor attendu;
    };
    const Lieu lieux[] = {
        {"Nantes", -1.55, 47.22, france},   {"Grenoble", 5.72, 45.19, france},       {"Vannes", -2.76, 47.66, france},
        {"Reims", 4.03, 49.26, france},  {"Strasbourg", 7.70, 48.55, france}, {"Ajaccio", 8.85, 41.98, france},
        {"Golfe du Lion", 4.0, 42.8, mer},  {"Au sud de Marseille", 5.37, 42.9, mer},
        {"Manche", -1.0, 50.0, mer},        {"Madrid", -3.70, 40.42, mer},       {"Espagne", -2.0, 42.3, terre},
        {"Suisse", 8.20, 47.0, terre},      {"Allemagne", 9.0, 50.0, terre},
    };
    for (const Lieu& l : lieux) {
        const QPointF p = proj.pixel(l.lon, l.lat);
        if (!QRectF(QPointF(0, 0), capture.size()).contains(p))
            continue;  // outside the picture (Madrid)
        QVERIFY2(pixel(capture, p).name() == l.attendu.name(), l.nom);
    }
    // Paris is inside France on the map, its cell in the enlarged inset, coloured.
    QCOMPARE(pixel(capture, proj.pixel(2.35, 48.86)).name(), france.name());
    const QRect r75 = carte.Dep[75]->geometry();
    QCOMPARE(pixel(capture, r75.center()).name(), Confirme.name());
    const QPointF paris = geographie::projectionEncart().pixel(2.35, 48.86);
    QVERIFY(QRectF(r75).adjusted(-4, -4, 4, 4).contains(paris));
    // Each department's cell stands on land of France (the inset ones on the inset's land),
    // no two cells overlap, the cells of no department in the sea.
    for (int i = 0; i < cartes::NombreCellules; ++i) {
        const QRect r = carte.Dep[i]->geometry();
        QVERIFY2(QRect(QPoint(0, 0), capture.size()).contains(r), qPrintable(QString::number(i)));
        for (int j = i + 1; j < cartes::NombreCellules; ++j)
            QVERIFY2(!r.intersects(carte.Dep[j]->geometry()), qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
    }
    for (const geographie::Departement& d : geographie::Departements()) {
        const QPointF p = (geographie::dansEncart(d.code) ? geographie::projectionEncart() : proj).pixel(d.cellule);
        QCOMPARE(geographie::imageFrance().pixelColor(p.toPoint()).name(), france.name());
    }
    QCOMPARE(geographie::imageFrance().pixelColor(carte.Dep[20]->geometry().center()).name(), mer.name());
    // Corsica's cells on Corsica.
    QVERIFY(proj.pixel(8.5, 41.3).y() > carte.Dep[96]->geometry().center().y());
    QVERIFY(proj.pixel(8.5, 43.0).y() < carte.Dep[97]->geometry().center().y());
}

void TestCartes::imageChampJN()
{
    test::Environnement env;
    const QString bande = QStringLiteral("144 Mhz");
    demarrer(env, {{},
                   {ligneCarre(QStringLiteral("JN25"), bande, QLatin1Char('4')),
                    ligneCarre(QStringLiteral("JN23"), bande, QLatin1Char('2')),
                    ligneCarre(QStringLiteral("JN18"), bande, QLatin1Char('3')),
                    ligneCarre(QStringLiteral("JN53"), bande, QLatin1Char('1')),
                    ligneCarre(QStringLiteral("JN73"), bande, QLatin1Char('0'))}});
    Cartes::Afficher_Select_Locator();
    Select_Locator::instance().Command1->click();
    Carte_Champ* jn = Carte_Champ::existante(QStringLiteral("JN"));
    const QImage capture = jn->Picture1->grab().toImage();
    garder(capture, QStringLiteral("jn.png"));
    garder(jn->grab().toImage(), QStringLiteral("carte_jn.png"));
    garder(Select_Locator::instance().grab().toImage(), QStringLiteral("select_locator.png"));
    const geographie::Projection proj = geographie::projectionChamp(QStringLiteral("JN"));

    // Square JN23 is the rectangle 4°-6°E, 43°-44°N; Marseille lies in its cell.
    const QRect r23 = jn->Dep[23]->geometry();
    QVERIFY(r23.contains(proj.pixel(5.37, 43.30).toPoint()));
    QVERIFY(QRectF(r23).adjusted(-2, -2, 2, 2).contains(proj.pixels(QRectF(4, 43, 2, 1))));

    // Each square in the exact colour of its status, land or sea under it, as on the main grid;
    // an unworked square in the window background.
    struct Lieu {
        double lon, lat;
        QColor attendue;
    };
    const Lieu lieux[] = {
        {4.83, 45.76, Couleurs_Etat::couleur(QLatin1Char('4'))},  // JN25, Lyon
        {5.37, 43.05, Couleurs_Etat::couleur(QLatin1Char('2'))},  // JN23, off Marseille
        {2.35, 48.86, Couleurs_Etat::couleur(QLatin1Char('3'))},  // JN18, Paris
        {11.25, 43.77, Couleurs_Etat::couleur(QLatin1Char('1'))}, // JN53, Florence
        {15.0, 43.5, Couleurs_Etat::fondFenetre()},               // JN73, Adriatic
        {3.0, 40.5, Couleurs_Etat::fondFenetre()},                // JN10, not in the file
    };
    for (const Lieu& l : lieux)
        QCOMPARE(dominante(capture, proj.pixel(l.lon, l.lat)).name(), l.attendue.name());

    // The coastline runs over the colour: in the south-east quarter of JN23 (Toulon), away
    // from the cell's number, pixels of another colour than the square's.
    const QColor envoyee = Couleurs_Etat::couleur(QLatin1Char('2'));
    const QRect quart(r23.center(), r23.bottomRight() - QPoint(1, 1));
    int traits = 0;
    for (int x = quart.left(); x <= quart.right(); ++x)
        for (int y = quart.top(); y <= quart.bottom(); ++y)
            traits += capture.pixelColor(x, y).rgb() != envoyee.rgb();
    QVERIFY2(traits > 10 && traits < quart.width() * quart.height() / 4, qPrintable(QString::number(traits)));
}

void TestCartes::imagesDesNeufChamps()
{
    // Each field is drawn from its own area: a few places known to be land or sea in each.
    struct Lieu {
        const char* champ;
        double lon, lat;
        bool terre;
    };
    const Lieu lieux[] = {
        {"IO", -7.5, 53.5, true},  {"IO", -15.0, 55.5, false}, // Ireland, Atlantic
        {"IN", -4.5, 40.5, true},  {"IN", -15.0, 45.5, false}, // Castile, Atlantic
        {"IM", -6.5, 32.5, true},  {"IM", -12.5, 35.5, false}, // Morocco, Atlantic
        {"JO", 13.5, 52.5, true},  {"JO", 5.0, 55.5, false},   // Berlin, North Sea
        {"JM", 9.0, 34.5, true},   {"JM", 19.0, 35.5, false},  // Tunisia, Ionian Sea
        {"KO", 30.5, 50.5, true},  {"KO", 20.5, 57.5, false},  // Kyiv, Baltic
        {"KN", 23.5, 42.5, true},  {"KN", 34.5, 43.5, false},  // Sofia, Black Sea
        {"KM", 35.5, 38.5, true},  {"KM", 25.5, 34.5, false},  // Anatolia, south of Crete
    };
    for (const Lieu& l : lieux) {
        const QString champ = QString::fromLatin1(l.champ);
        const QImage& image = geographie::imageChamp(champ);
        garder(image, champ.toLower() + QStringLiteral(".png"));
        const QPointF p = geographie::projectionChamp(champ).pixel(l.lon, l.lat);
        const QColor attendu = l.terre ? geographie::couleurTerre() : geographie::couleurMer();
        QVERIFY2(dominante(image, p) == attendu,
                 qPrintable(QStringLiteral("%1 %2 %3 %4").arg(champ).arg(l.lon).arg(l.lat).arg(dominante(image, p).name())));
    }
    QVERIFY(geographie::imageChamp(QStringLiteral("AA")).isNull());
}

QTEST_MAIN(TestCartes)
#include "tst_cartes.moc"
