// The spot page reader, the line layouts and the filters: plain text in, spots and lines out.
#include "Pages_Spots.h"
#include "cluster/Page_Spots.h"

#include <QTest>

using namespace cluster;

namespace {

QString texte(const QByteArray& octets)
{
    return Texte_Page(octets);
}

Lecture_Page lire(const QStringList& lignes, bool crlf = false)
{
    return Lit_Page(texte(test::page(lignes, crlf)));
}

QStringList dxLus(const Lecture_Page& l)
{
    QStringList r;
    for (const Spot& s : l.spots)
        r << s.dx;
    return r;
}

} // namespace

class TestLecteurSpots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lignesDesTroisDispositions();
    void indicatifCoupeA12();
    void lectureDuPremierTableauSeulement();
    void finsDeLigneCRLFCommeLF();
    void rangeeHorsColonnesGardeeEntiere();
    void marqueurAbsentArreteLaLecture_data();
    void marqueurAbsentArreteLaLecture();
    void pageTronqueeOuTropGrande();
    void aucunePageTronqueeNePlante();
    void filtres();
    void cheminsDesPages();
    void frequenceDuQRG();
};

void TestLecteurSpots::lignesDesTroisDispositions()
{
    const Lecture_Page l = lire(test::lignesPage({test::troisSpots().first()}));
    QVERIFY(l.reussie());
    QCOMPARE(l.spots.size(), 1);
    const Spot& s = l.spots.first();
    QCOMPARE(s.dx, QStringLiteral("DL1ABC"));
    QCOMPARE(s.qrg, QStringLiteral("14025.0"));
    QCOMPARE(s.date, QStringLiteral("08/12/26 2201"));
    QCOMPARE(s.spotter, QStringLiteral("G4XYZ"));
    QCOMPARE(s.remarques, QStringLiteral("CQ CONTEST"));

    QCOMPARE(Ligne_Spot(s, Disposition::QTR), QStringLiteral(" 08/12/26 2201 DL1ABC        14025.0 G4XYZ       CQ CONTEST"));
    QCOMPARE(Ligne_Spot(s, Disposition::Indicatif), QStringLiteral(" DL1ABC        14025.0 08/12/26 2201 G4XYZ       CQ CONTEST"));
    QCOMPARE(Ligne_Spot(s, Disposition::QRG), QStringLiteral("  14025.0 DL1ABC       08/12/26 2201 G4XYZ       CQ CONTEST"));

    // The headers line up with the columns of their layout.
    QVERIFY(Entete_Spots(Disposition::QTR).startsWith(QStringLiteral("    Date   QTR(TU)          DX ")));
    QVERIFY(Entete_Spots(Disposition::Indicatif).startsWith(QStringLiteral("       DX          ")));
    QVERIFY(Entete_Spots(Disposition::QRG).startsWith(QStringLiteral("            QRG         DX ")));
    QCOMPARE(Entete_Memoire(Disposition::QRG),
             QStringLiteral("     QRG     DX                  QTR           Spotter                       Remarques        "));
}

void TestLecteurSpots::indicatifCoupeA12()
{
    test::Ligne_Page longue{QStringLiteral("VP2V/DL1ABC/P"), QStringLiteral("28495.0")};
    test::Ligne_Page pile{QStringLiteral("VP2V/DL1ABC"), QStringLiteral("28495.0")};
    const Lecture_Page l = lire(test::lignesPage({longue, pile}));
    QVERIFY(l.reussie());
    QCOMPARE(dxLus(l), (QStringList{QStringLiteral("VP2V/DL1ABC/"), QStringLiteral("VP2V/DL1ABC")}));
    // Both fill the 12 columns exactly: the QRG column starts at the same place.
    QCOMPARE(Ligne_Spot(l.spots.at(0), Disposition::Indicatif).mid(13, 10), QStringLiteral("  28495.0 "));
    QCOMPARE(Ligne_Spot(l.spots.at(1), Disposition::Indicatif).mid(13, 10), QStringLiteral("  28495.0 "));
}

void TestLecteurSpots::lectureDuPremierTableauSeulement()
{
    // A table opened with attributes is not the spot table.
    QStringList autre = test::lignesPage(test::troisSpots());
    autre.replace(autre.indexOf(QStringLiteral("<table>")), QStringLiteral("<table border>"));
    const Lecture_Page sans = lire(autre);
    QCOMPARE(sans.etat, Etat_Lecture::Sans_Table);
    QVERIFY(sans.spots.isEmpty());

    // Two tables: the rows of the second one are never read.
    QStringList deux = test::lignesPage(test::troisSpots().mid(0, 2));
    const int fin = int(deux.indexOf(QStringLiteral("</body>")));
    QStringList seconde = test::enteteTable();
    seconde += test::lignesRangee(test::troisSpots().at(2));
    seconde << QStringLiteral("</table>");
    for (int i = 0; i < seconde.size(); ++i)
        deux.insert(fin + i, seconde.at(i));
    const Lecture_Page l = lire(deux);
    QVERIFY(l.reussie());
    QCOMPARE(dxLus(l), (QStringList{QStringLiteral("DL1ABC"), QStringLiteral("F5KTR")}));

    // A table without rows reads as no spot, without fault.
    const Lecture_Page vide = lire(test::lignesPage({}));
    QVERIFY(vide.reussie());
    QVERIFY(vide.spots.isEmpty());
}

void TestLecteurSpots::finsDeLigneCRLFCommeLF()
{
    const QStringList p = test::lignesPage(test::troisSpots());
    const Lecture_Page lf = lire(p, false);
    const Lecture_Page crlf = lire(p, true);
    QVERIFY(crlf.reussie());
    QCOMPARE(crlf.spots.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(crlf.spots.at(i).remarques, lf.spots.at(i).remarques);
        QCOMPARE(Ligne_Spot(crlf.spots.at(i), Disposition::QRG), Ligne_Spot(lf.spots.at(i), Disposition::QRG));
    }
    QCOMPARE(Lignes_Page(QStringLiteral("A\r\nB\nC\r\n")), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
}

void TestLecteurSpots::rangeeHorsColonnesGardeeEntiere()
{
    // A 1296 MHz spot (nine characters of QRG) and a spotter longer than its cell neither stop
    // the read nor move the rows around them.
    QList<test::Ligne_Page> r = test::troisSpots();
    r.insert(1, {QStringLiteral("G3XDY"), QStringLiteral("1296000.0"), QStringLiteral("08/12/26 2204"),
                 QStringLiteral("PA0/DL1ABC-12"), QStringLiteral("EME")});
    const Lecture_Page l = lire(test::lignesPage(r));
    QVERIFY(l.reussie());
    QCOMPARE(dxLus(l), (QStringList{QStringLiteral("DL1ABC"), QStringLiteral("G3XDY"), QStringLiteral("F5KTR"),
                                    QStringLiteral("TM5C")}));
    const Spot& odd = l.spots.at(1);
    QCOMPARE(Ligne_Spot(odd, Disposition::QRG), QStringLiteral(" 1296000.0 G3XDY        08/12/26 2204 PA0/DL1ABC-12 EME"));
    QCOMPARE(Ligne_Spot(l.spots.at(2), Disposition::QRG),
             QStringLiteral("   7012.5 F5KTR        08/12/26 2203 ON4AA       TNX QSO"));
}

void TestLecteurSpots::marqueurAbsentArreteLaLecture_data()
{
    QTest::addColumn<int>("ligne");     // line of the second row that is spoiled (1 to 6)
    QTest::addColumn<QString>("texte");
    QTest::newRow("dx sans cible") << 1 << QStringLiteral("<td><a href=\"/dx/K1AB\">K1AB</a></td>");
    QTest::newRow("dx sans fin de lien") << 1 << QStringLiteral("<td><a target=\"_blank\">K1AB</td>");
    QTest::newRow("qrg sans blanc dur") << 2 << QStringLiteral("<td align=\"right\">14025.0</td>");
    QTest::newRow("qrg marqueurs inverses") << 2 << QStringLiteral("&nbsp;<td align=\"right\">14025.0</td>");
    QTest::newRow("qrg vide") << 2 << QStringLiteral("<td align=\"right\">&nbsp;</td>");
    QTest::newRow("date sans alignement") << 3 << QStringLiteral("<td> 08/12/26 2205&nbsp;</td>");
    QTest::newRow("spotter sans lien") << 4 << QStringLiteral("<td>F6ABC</td>");
    QTest::newRow("remarque sans fin") << 5 << QStringLiteral("<td align=\"left\"> CQ");
}

void TestLecteurSpots::marqueurAbsentArreteLaLecture()
{
    QFETCH(int, ligne);
    QFETCH(QString, texte);
    QStringList p = test::lignesPage(test::troisSpots());
    const int debut = int(p.indexOf(QStringLiteral("<table>"))) + 8 + 7;  // first line of row 2
    p[debut + ligne] = texte;
    const Lecture_Page l = lire(p);
    QCOMPARE(l.etat, Etat_Lecture::Marqueur_Absent);
    QCOMPARE(l.ligne, debut + ligne + 1);
    // The row before the fault is kept, nothing after it.
    QCOMPARE(dxLus(l), QStringList{QStringLiteral("DL1ABC")});
}

void TestLecteurSpots::pageTronqueeOuTropGrande()
{
    QStringList p = test::lignesPage(test::troisSpots());
    const int table = int(p.indexOf(QStringLiteral("<table>")));

    // Cut inside the third row.
    const Lecture_Page coupee = lire(p.mid(0, table + 8 + 14 + 3));
    QCOMPARE(coupee.etat, Etat_Lecture::Ligne_Tronquee);
    QCOMPARE(coupee.spots.size(), 2);

    // Cut between two rows: what was read stands.
    const Lecture_Page entre = lire(p.mid(0, table + 8 + 14));
    QVERIFY(entre.reussie());
    QCOMPARE(entre.spots.size(), 2);

    // Cut inside the header.
    QCOMPARE(lire(p.mid(0, table + 5)).etat, Etat_Lecture::Sans_Table);
    QCOMPARE(Lit_Page(QString()).etat, Etat_Lecture::Sans_Table);

    // Over the cap, refused whole; at the cap, read.
    QString grande = texte(test::page(p));
    const qsizetype manque = Taille_Max_Page - grande.size();
    grande += QString(manque, QLatin1Char(' '));
    QVERIFY(Lit_Page(grande).reussie());
    grande += QLatin1Char(' ');
    QCOMPARE(Lit_Page(grande).etat, Etat_Lecture::Trop_Grande);
}

void TestLecteurSpots::aucunePageTronqueeNePlante()
{
    // Every cut of a page, at any character, reads without going outside its text.
    QList<test::Ligne_Page> r = test::troisSpots();
    r.append({QStringLiteral("A"), QStringLiteral("1"), QString(), QString(), QString()});
    const QString complete = texte(test::page(test::lignesPage(r), true));
    int lues = 0;
    for (qsizetype n = 0; n <= complete.size(); ++n) {
        const Lecture_Page l = Lit_Page(complete.left(n));
        QVERIFY(l.spots.size() <= 4);
        for (const Spot& s : l.spots)
            QVERIFY(s.dx.size() <= Largeur_DX);
        lues += l.reussie() ? 1 : 0;
    }
    QVERIFY(lues > 0);
}

void TestLecteurSpots::filtres()
{
    for (const char* dx : {"F5KTR", "FM5AB", "TM5C", "TK0A", "HW7X", "TW2B"})
        QVERIFY2(Filtre_Francais(QString::fromLatin1(dx)), dx);
    for (const char* dx : {"DL1ABC", "TA1AA", "HB9X", "EA8F", ""})
        QVERIFY2(!Filtre_Francais(QString::fromLatin1(dx)), dx);

    QVERIFY(Filtre_Prefixe(QStringLiteral("DL1ABC"), QStringLiteral("dl")));
    QVERIFY(!Filtre_Prefixe(QStringLiteral("DL1ABC"), QStringLiteral("DK")));
    QVERIFY(Filtre_Prefixe(QStringLiteral("DL1ABC"), QString()));
    // The field is compared as listed, blank padded: a whole callsign typed with a blank matches.
    QVERIFY(Filtre_Prefixe(QStringLiteral("DL1ABC"), QStringLiteral("DL1ABC ")));
    QVERIFY(!Filtre_Prefixe(QStringLiteral("DL1ABCD"), QStringLiteral("DL1ABC ")));
    QVERIFY(!Filtre_Prefixe(QStringLiteral("VP2V/DL1ABC/P"), QStringLiteral("VP2V/DL1ABC/P")));
}

void TestLecteurSpots::cheminsDesPages()
{
    QCOMPARE(Bandes_Cluster().size(), 13);
    QCOMPARE(Chemin_Page(0), QStringLiteral("/dxc/top_250_HF.html"));
    QCOMPARE(Chemin_Page(1), QStringLiteral("/dxc/top_50_1.8_MHz.html"));
    QCOMPARE(Chemin_Page(3), QStringLiteral("/dxc/top_50_7_MHz.html"));
    QCOMPARE(Chemin_Page(11), QStringLiteral("/dxc/top_50_144_MHz.html"));
    QCOMPARE(Chemin_Page(12), QStringLiteral("/dxc/top_250_VHF.html"));
    QCOMPARE(Chemin_Page(-1), QStringLiteral("/dxc/top_50__MHz.html"));
}

void TestLecteurSpots::frequenceDuQRG()
{
    QCOMPARE(Frequence_QRG(QStringLiteral("14025.0")), std::optional<qint32>(1402500));
    QCOMPARE(Frequence_QRG(QStringLiteral("  7012.5")), std::optional<qint32>(701250));
    QCOMPARE(Frequence_QRG(QStringLiteral("144300.0")), std::optional<qint32>(14430000));
    QCOMPARE(Frequence_QRG(QStringLiteral("1836.6")), std::optional<qint32>(183660));
    // Out of the eight digits, or not a frequency: nothing to tune.
    QCOMPARE(Frequence_QRG(QStringLiteral("1296000.0")), std::nullopt);
    for (const char* t : {"", "   ", "ABC", "14025,0", "-7012.5", "NAN", "INF"})
        QVERIFY2(!Frequence_QRG(QString::fromLatin1(t)), t);
}

QTEST_APPLESS_MAIN(TestLecteurSpots)
#include "tst_lecteur_spots.moc"
