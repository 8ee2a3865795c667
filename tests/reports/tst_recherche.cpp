// The rules of the callsign search: entry checks, match rules, listed and printed lines, and
// the way back from a result to the QSO list.
#include "Journal_Recherche.h"
#include "reports/Recherche.h"
#include "platform/Ansi.h"
#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"

#include <QTest>

using namespace recherche;

namespace {

QString item(int numero, const QString& indicatif, const QString& date = QStringLiteral("15/03/24"),
             const QString& departement = QString(), const QString& locator = QString(),
             const QString& qth = QString(), const QString& etat = QStringLiteral("1"))
{
    return station::itemListe(numero, qsoRecherche(date, indicatif, departement, locator, qth, etat));
}

// The QSO list of the records of `items`, numbered by their rows.
struct Liste {
    Modele_Liste_QSO m;
    explicit Liste(const QStringList& items)
    {
        QByteArray octets;
        for (const QString& i : items)
            octets += plateforme::versAnsi(station::ligneDeItem(i)) + "\r\n";
        m.charger(Lignes_Journal::depuis(octets));
    }
    operator const Modele_Liste_QSO&() const { return m; }
};

} // namespace

class TestRecherche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlesSaisie_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("vider");
        const auto m = [](Mode x) { return int(x); };
        QTest::newRow("indicatif 12") << m(Mode::Indicatif) << "HB9/DL1ABCD" << "" << false;
        QTest::newRow("indicatif 13") << m(Mode::Indicatif) << "HB9/DL1ABCDEF" << "Attention 12 caracteres maxi pour l'indicatif" << false;
        QTest::newRow("indicatif vide") << m(Mode::Indicatif) << "" << "Entrez un indicatif" << true;
        QTest::newRow("date") << m(Mode::Date) << "15/03/24" << "" << false;
        QTest::newRow("date jour 1 chiffre") << m(Mode::Date) << "5/03/24" << "Attention le format date doit etre JJ/MM/AA" << false;
        QTest::newRow("date vide") << m(Mode::Date) << "" << "Attention le format date doit etre JJ/MM/AA" << false;
        QTest::newRow("date annee 4") << m(Mode::Date) << "15/03/2024" << "Attention 8 caracteres maxi pour la date (format jj/mm/aa)" << false;
        QTest::newRow("dpt corse") << m(Mode::Departement) << "2a" << "" << false;
        QTest::newRow("dpt 3") << m(Mode::Departement) << "310" << "Attention 2 caracteres maxi pour le departement" << false;
        QTest::newRow("dpt vide") << m(Mode::Departement) << "" << "Entrez un departement" << true;
        QTest::newRow("locator 4") << m(Mode::Locator) << "JN03" << "" << false;
        QTest::newRow("locator 3") << m(Mode::Locator) << "JN0" << "Attention seulement les 4 premiers caracteres du locator" << true;
        QTest::newRow("locator 6") << m(Mode::Locator) << "JN03TJ" << "Attention seulement les 4 premiers caracteres du locator" << true;
        QTest::newRow("reference 8") << m(Mode::Reference) << "DFCF 891" << "" << false;
        QTest::newRow("reference 9") << m(Mode::Reference) << "DFCF 8912" << "Attention 8 caracteres maxi pour la reference" << false;
        QTest::newRow("reference vide") << m(Mode::Reference) << "" << "Entrez une reference" << true;
    }

    void controlesSaisie()
    {
        QFETCH(int, mode);
        QFETCH(QString, texte);
        QFETCH(QString, message);
        QFETCH(bool, vider);
        const auto refus = verifierSaisie(Mode(mode), texte);
        QCOMPARE(refus.has_value(), !message.isEmpty());
        if (refus) {
            QCOMPARE(refus->message, message);
            QCOMPARE(refus->vider, vider);
        }
    }

    void indicatifDansToutLeChamp()
    {
        const Liste items({item(1, "HB9/DL1ABCDE"), item(2, "F5ABC"), item(3, "DL1ABC"), item(4, "F1ABCD")});
        // Eleven and twelve characters are compared too.
        QCOMPARE(chercher(Mode::Indicatif, items, critere(Mode::Indicatif, "hb9/dl1abcde")).size(), 1);
        QCOMPARE(chercher(Mode::Indicatif, items, critere(Mode::Indicatif, "ABCDE")).size(), 1);
        // Two characters, at the start or further in.
        const QStringList ab = chercher(Mode::Indicatif, items, critere(Mode::Indicatif, "AB"));
        QCOMPARE(ab.size(), 4);
        QVERIFY(ab.at(1).startsWith(QLatin1String("    2 ")));
        QCOMPARE(chercher(Mode::Indicatif, items, "F5").size(), 1);
        QCOMPARE(chercher(Mode::Indicatif, items, "G4").size(), 0);
    }

    void autresCriteres()
    {
        const Liste items({item(1, "F5AAA", "01/03/24", "2a", "JN12AB", "DFCF 89125"),
                           item(2, "F5BBB", "02/03/24", "2A", "JN12", "DFCF 21001"),
                           item(3, "F5CCC", "01/03/24", "31", "", "TOULOUSE"),
                           item(4, "F5DDD", "21/03/24", "2b", "JN13XX", "dfcf 89125"),
                           item(5, "F5EEE", "22/03/24", "", "JN14AA", QStringLiteral("CHÂTEAU ? €"))});
        // The date, whole and trimmed.
        QCOMPARE(chercher(Mode::Date, items, critere(Mode::Date, "01/03/24")).size(), 2);
        QCOMPARE(chercher(Mode::Date, items, "1/03/24").size(), 0);
        // Corsica without regard to case, the other codes exactly.
        QCOMPARE(chercher(Mode::Departement, items, "2a").size(), 2);
        QCOMPARE(chercher(Mode::Departement, items, "2A").size(), 2);
        QCOMPARE(chercher(Mode::Departement, items, "2B").size(), 1);
        QCOMPARE(chercher(Mode::Departement, items, "31").size(), 1);
        QCOMPARE(chercher(Mode::Departement, items, "3").size(), 0);
        // The square: the first four characters; no locator, no match.
        QCOMPARE(chercher(Mode::Locator, items, "JN12").size(), 2);
        QCOMPARE(chercher(Mode::Locator, items, "    ").size(), 1);
        QCOMPARE(chercher(Mode::Locator, items, "JN03").size(), 0);
        // The reference anywhere in the QTH field, letter case counting.
        QCOMPARE(chercher(Mode::Reference, items, "89125").size(), 2);
        QCOMPARE(chercher(Mode::Reference, items, "DFCF").size(), 2);
        QCOMPARE(chercher(Mode::Reference, items, "LOUSE").size(), 1);
        QCOMPARE(chercher(Mode::Reference, items, "F5AAA").size(), 0);
        // Accents and the euro as the log stores them; a character the log cannot hold is in
        // no record, not even where the record shows the "?" it would be written as.
        QCOMPARE(chercher(Mode::Reference, items, QStringLiteral("ÂTEAU")), QStringList{ligneResultat(items.m.item(4))});
        QCOMPARE(chercher(Mode::Reference, items, QStringLiteral("€")).size(), 1);
        QCOMPARE(chercher(Mode::Reference, items, QStringLiteral("Ω")).size(), 0);
    }

    void lignesListeesEtImprimees()
    {
        const QString i4 = item(27, "HB9/DL1ABCDE", "15/03/24", "", "", "DFCF 89125", "4");
        const QString resultat = ligneResultat(i4);
        QCOMPARE(resultat.size(), 135);
        QCOMPARE(resultat.left(134), i4.left(134));
        QCOMPARE(resultat.right(1), QStringLiteral("C"));
        QCOMPARE(ligneResultat(item(1, "F5A", "", "", "", "", "1")).right(1), QStringLiteral("S"));
        QCOMPARE(ligneResultat(item(1, "F5A", "", "", "", "", "2")).right(1), QStringLiteral("E"));
        QCOMPARE(ligneResultat(item(1, "F5A", "", "", "", "", "3")).right(1), QStringLiteral("R"));
        QCOMPARE(ligneResultat(item(1, "F5A", "", "", "", "", "9")).right(1), QStringLiteral(" "));

        // Callsign mode: number to start time, band and mode, QTH, remarks, letter.
        const QString imprimee = ligneImprimee(Mode::Indicatif, i4);
        QCOMPARE(imprimee.size(), 106);
        QCOMPARE(imprimee, QStringLiteral("   27 15/03/24  HB9/DL1ABCDE10:05  ") + QStringLiteral("144 Mhz   SSB     ") +
                               QStringLiteral("DFCF 89125            ") + QStringLiteral("Portable                      ") +
                               QStringLiteral("C"));
        QCOMPARE(ligneImprimee(Mode::Reference, i4), resultat);
    }

    void retourAuLog()
    {
        const QStringList items = {item(1, "F5AAA"), item(2, "F5BBB"), item(3, "F5CCC")};
        const QString cle = ligneResultat(items.at(1)).left(LongueurCle);
        QCOMPARE(rangDeCle(Liste(items), cle), 1);
        // A QSL status changed since the search is beyond the key.
        QCOMPARE(rangDeCle(Liste({items.at(0), item(2, "F5BBB", "15/03/24", "", "", "", "4"), items.at(2)}), cle), 1);
        // Deleted, then the list renumbered: not found.
        QCOMPARE(rangDeCle(Liste({item(1, "F5BBB"), item(2, "F5CCC")}), cle), -1);
        // Two equal records: the one of the key's number.
        QCOMPARE(rangDeCle(Liste({items.at(0), item(2, "F5AAA")}), ligneResultat(item(2, "F5AAA"))), 1);
        QCOMPARE(sansRetourEnTete(QStringLiteral("\r\nF5")), QStringLiteral("F5"));
        QCOMPARE(critere(Mode::Departement, QStringLiteral("\r\n2a")), QStringLiteral("2a"));
    }
};

QTEST_MAIN(TestRecherche)
#include "tst_recherche.moc"
