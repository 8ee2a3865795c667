// The callsign directory: lookup, replace-or-append, and the editor's record forms.
#include "commun/Outils_Test.h"
#include "platform/Fichiers.h"
#include "station/Nomenclature.h"

#include <QDir>
#include <QTest>
#include <memory>

class TestNomenclature : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;

    void ecrire(const QStringList& lignes) { test::ecrireOctets(env->chemin("Nomenclature.txt"), test::enAnsi(lignes)); }
    QByteArray contenu() const { return test::lireOctets(env->chemin("Nomenclature.txt")); }
    bool temporaireRestant() const { return !QDir(env->dossier()).entryList({"Temp*"}, QDir::Files).isEmpty(); }

private Q_SLOTS:
    void init() { env = std::make_unique<test::Environnement>(); }
    void cleanup() { env.reset(); }

    void recherche_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("departement");
        QTest::addColumn<QString>("locator");
        const QStringList base = {"F1AAA      13 JN23AB", "F5ABC      5  JN03TJ", "F6XYZ      75   JN18", "DL1ABC        JO62QM",
                                  "F5ABC      31 JN03AA"};
        QTest::newRow("absent") << base << "F4ZZZ" << "" << "";
        QTest::newRow("ecrit par la sauvegarde") << base << "F1AAA" << "13" << "JN23AB";
        QTest::newRow("departement sur un chiffre") << base << "F5ABC" << "05" << "JN03TJ";  // first record only
        QTest::newRow("locator aligne a droite") << base << "F6XYZ" << "75" << "JN18";
        QTest::newRow("station etrangere") << base << "DL1ABC" << "" << "JO62QM";
        QTest::newRow("cle exacte") << base << "F5AB" << "" << "";
        QTest::newRow("arret a la virgule") << QStringList{"F1AAA      13 JN23AB,F1AAA 99"} << "F1AAA" << "13" << "JN23AB";
        QTest::newRow("guillemets") << QStringList{"\"F1AAA      13 JN,23\""} << "F1AAA" << "13" << "JN,23";
        QTest::newRow("fichier vide") << QStringList{} << "F1AAA" << "" << "";
    }
    void recherche()
    {
        QFETCH(QStringList, lignes);
        QFETCH(QString, indicatif);
        QFETCH(QString, departement);
        QFETCH(QString, locator);
        ecrire(lignes);
        QString d = "avant", l = "avant";
        Cherche_Nomenclature(indicatif, d, l);
        QCOMPARE(d, departement);
        QCOMPARE(l, locator);
    }

    void fichierAbsent()
    {
        plateforme::supprimer("Nomenclature.txt");
        QString d, l;
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Cherche_Nomenclature("F1AAA", d, l));
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, MAJ_Nomenclature("F1AAA", "13", "JN23AB"));
        QVERIFY(!plateforme::existe("Nomenclature.txt"));
        QVERIFY(!temporaireRestant());
    }

    void miseAJour_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("departement");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("remplace sur place") << "F6XYZ" << "96" << "JN42AB"
                                            << QStringList{"F1AAA      13 JN23AB", "F6XYZ      96 JN42AB", "F5ABC      05 JN03TJ",
                                                           "F5ABCD     31", "F5ABC      05 JN03TJ"};
        QTest::newRow("indicatif en double") << "F5ABC" << "31" << "JN03AA"
                                             << QStringList{"F1AAA      13 JN23AB", "F6XYZ      75   JN18", "F5ABC      31 JN03AA",
                                                            "F5ABCD     31", "F5ABC      31 JN03AA"};
        QTest::newRow("ajout en fin") << "G4ABC" << "" << "IO91WM"
                                      << QStringList{"F1AAA      13 JN23AB", "F6XYZ      75   JN18", "F5ABC      05 JN03TJ",
                                                     "F5ABCD     31", "F5ABC      05 JN03TJ", "G4ABC         IO91WM"};
        QTest::newRow("dix caracteres") << "F5ABCDEFGH" << "2" << "JN23"
                                        << QStringList{"F1AAA      13 JN23AB", "F6XYZ      75   JN18", "F5ABC      05 JN03TJ",
                                                       "F5ABCD     31", "F5ABC      05 JN03TJ", "F5ABCDEFGH 2  JN23"};
    }
    void miseAJour()
    {
        QFETCH(QString, indicatif);
        QFETCH(QString, departement);
        QFETCH(QString, locator);
        QFETCH(QStringList, attendu);
        ecrire({"F1AAA      13 JN23AB", "F6XYZ      75   JN18", "F5ABC      05 JN03TJ", "F5ABCD     31", "F5ABC      05 JN03TJ"});
        QVERIFY(MAJ_Nomenclature(indicatif, departement, locator));
        QCOMPARE(contenu(), test::enAnsi(attendu));
        QVERIFY(!temporaireRestant());
        QString d, l;
        Cherche_Nomenclature(indicatif, d, l);
        QCOMPARE(l, locator);
    }

    // A new callsign's record goes at the end of the file as stored; the file must come out as
    // the whole rewrite leaves it: every line ended by CR LF, the bytes of the others kept, a
    // known callsign (its key trimmed, whatever its characters) replaced where it stands.
    void miseAJourDuFichierTelQuIlEst_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        const QByteArray g4 = "G4ABC      31 IO91WM\r\n";
        QTest::newRow("fichier vide") << "G4ABC" << QByteArray() << g4;
        QTest::newRow("derniere ligne sans fin") << "G4ABC" << QByteArray("F1AAA      13 JN23AB\r\nF6XYZ      75 JN18")
                                                 << "F1AAA      13 JN23AB\r\nF6XYZ      75 JN18\r\n" + g4;
        QTest::newRow("fins LF") << "G4ABC" << QByteArray("F1AAA      13 JN23AB\nF6XYZ      75 JN18\n")
                                 << "F1AAA      13 JN23AB\r\nF6XYZ      75 JN18\r\n" + g4;
        QTest::newRow("CR seul a la fin") << "G4ABC" << QByteArray("F1AAA      13 JN23AB\r")
                                          << "F1AAA      13 JN23AB\r\n" + g4;
        QTest::newRow("CR seul au milieu") << "G4ABC" << QByteArray("F1AAA      13 JN23AB\rF6XYZ      75 JN18\r\n")
                                           << "F1AAA      13 JN23AB\r\nF6XYZ      75 JN18\r\n" + g4;
        QTest::newRow("lignes vides et octets sur huit bits")
            << "G4ABC" << QByteArray("\r\nF\xc9\x81\x80" "A      13 JN23AB\r\n   \r\n")
            << "\r\nF\xc9\x81\x80" "A      13 JN23AB\r\n   \r\n" + g4;
        QTest::newRow("cle precedee de blancs") << "G4ABC" << QByteArray("F1AAA      13 JN23AB\r\n  G4ABC    75 JN18\r\n")
                                                << "F1AAA      13 JN23AB\r\n" + g4;
        QTest::newRow("cle au-dela de 7 bits") << QString::fromUtf8("F€1AB")
                                              << QByteArray("F\x80\x31\x41\x42      13 JN23AB\r\nF1AAA      13 JN23AB\r\n")
                                              << QByteArray("F\x80\x31\x41\x42      31 IO91WM\r\nF1AAA      13 JN23AB\r\n");
    }
    void miseAJourDuFichierTelQuIlEst()
    {
        QFETCH(QString, indicatif);
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        test::ecrireOctets(env->chemin("Nomenclature.txt"), avant);
        QVERIFY(MAJ_Nomenclature(indicatif, "31", "IO91WM"));
        QCOMPARE(contenu(), apres);
        QVERIFY(!temporaireRestant());
    }

    void indicatifTropLongTenuHors_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::newRow("11") << "F5ABCDEFGHI";
        QTest::newRow("12") << "TM5ABCDEFGHI";
        QTest::newRow("vide") << "";
    }
    void indicatifTropLongTenuHors()
    {
        QFETCH(QString, indicatif);
        // Its first ten characters are those of a listed callsign: that record must survive.
        ecrire({"F5ABCDEFGH 13 JN23AB", "TM5ABCDEFG 75 JN18AA"});
        const QByteArray avant = contenu();
        QVERIFY(!MAJ_Nomenclature(indicatif, "31", "JN03TJ"));
        QCOMPARE(contenu(), avant);
        QVERIFY(!temporaireRestant());
    }

    // The same four-character locator written by the save (columns 15-18) and by the editor
    // (columns 17-20) reads back the same.
    void deuxFormesDuLocator()
    {
        const QString sauvegarde = station::ligneNomenclature("F1AAA", "13", "JN23");
        const QString editeur = station::itemNomenclature("f6xyz", "5", "JN23");
        QCOMPARE(sauvegarde, QStringLiteral("F1AAA      13 JN23"));
        QCOMPARE(editeur, QStringLiteral("F6XYZ      5    JN23"));
        QCOMPARE(station::itemNomenclature("F6XYZ", "75", ""), QStringLiteral("F6XYZ      75       "));
        ecrire({sauvegarde, editeur});
        QString d, l;
        Cherche_Nomenclature("F1AAA", d, l);
        QCOMPARE(l, QStringLiteral("JN23"));
        Cherche_Nomenclature("F6XYZ", d, l);
        QCOMPARE(d, QStringLiteral("05"));
        QCOMPARE(l, QStringLiteral("JN23"));
    }

    void listeDeLEditeur()
    {
        ecrire({"F1AAA      13 JN23AB", "", "F6XYZ      5    JN18,reste", "   "});
        const QStringList items = station::lireNomenclature();
        QCOMPARE(items, (QStringList{"F1AAA      13 JN23AB", "F6XYZ      5    JN18"}));
        QString i, d, l;
        station::champsNomenclature(items.at(1), i, d, l);
        QCOMPARE(i, QStringLiteral("F6XYZ"));
        QCOMPARE(d, QStringLiteral("5"));
        QCOMPARE(l, QStringLiteral("JN18"));
        QCOMPARE(station::cleNomenclature(items.at(0)), QStringLiteral("F1AAA"));

        station::ecrireNomenclature({items.at(1), items.at(0)});
        QCOMPARE(contenu(), test::enAnsi({"F6XYZ      5    JN18", "F1AAA      13 JN23AB"}));
    }
};

QTEST_MAIN(TestNomenclature)
#include "tst_nomenclature.moc"
