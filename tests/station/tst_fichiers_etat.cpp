// Award status files of the current station: lookups, writes and the rewrite through a
// scratch file, on real files in a temporary program folder.
#include "commun/Outils_Test.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/fichiers/Balayages.h"
#include "station/Fenetres_Station.h"
#include "station/Fichiers_Etat.h"
#include "station/Variables_Programme.h"

#include <QDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString Inconnu_Recherche = QStringLiteral(
    "            Prefixe Inconnu, annulez la saisie du QSO\r\n"
    "Dans 'Outils' puis 'Ajout d'un Prefixe', renseignez les 2 fenetres\r\n"
    "                    Saisissez a nouveau le QSO");
const QString Inconnu_Marque = QStringLiteral(
    "Prefixe Inconnu, annulez la saisie du QSO\r\n"
    "Dans Fichier puis Ajout Prefixe, renseignez les 2 fenetres\r\n"
    "Saisissez a nouveau le QSO");

// A prefix line: key in columns 1-5 (two blanks after), 17 digits, two blanks, country.
QString lignePrefixe(const QString& cle, const QString& etats, const QString& pays)
{
    return cle.leftJustified(7, QLatin1Char(' ')) + etats + QStringLiteral("  ") + pays;
}

QString zeros(int n = 17)
{
    return QString(n, QLatin1Char('0'));
}

// Scratch files left in the program folder.
QStringList temporaires(const test::Environnement& env)
{
    return QDir(env.dossier()).entryList({QStringLiteral("Temp*")}, QDir::Files);
}

} // namespace

class TestFichiersEtat : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;

    void ecrire(const QString& nom, const QStringList& lignes) { test::ecrireOctets(env->chemin(nom), test::enAnsi(lignes)); }
    QByteArray octets(const QString& nom) const { return test::lireOctets(env->chemin(nom)); }
    // Ends the program from the event loop, so that a wait for the end returns.
    static void terminerBientot() { QTimer::singleShot(0, [] { plateforme::terminerProgramme(); }); }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<test::Environnement>();
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        plateforme::copier(QStringLiteral("FXXXX_Departement.txt"), QStringLiteral("F5ABC_Departement.txt"));
        plateforme::copier(QStringLiteral("FXXXX_Locator.txt"), QStringLiteral("F5ABC_Locator.txt"));
        plateforme::copier(QStringLiteral("FXXXX_Prefixe.txt"), QStringLiteral("F5ABC_Prefixe.txt"));
    }
    void cleanup()
    {
        Detruire_Fenetres_Station();
        env.reset();
    }

    void colonnesDesBandes_data()
    {
        QTest::addColumn<QString>("bande");
        QTest::addColumn<int>("departement");
        QTest::addColumn<int>("prefixe");
        QTest::addColumn<int>("carre");
        QTest::newRow("1.8") << "1.8 Mhz" << 4 << 8 << 0;
        QTest::newRow("28") << "28 Mhz" << 12 << 16 << 0;
        QTest::newRow("50") << "50 Mhz" << 13 << 17 << 6;
        QTest::newRow("144") << "144 Mhz" << 14 << 18 << 7;
        QTest::newRow("24G") << "24 Ghz" << 20 << 24 << 13;
        QTest::newRow("autre casse") << "144 MHz" << 0 << 0 << 0;
        QTest::newRow("vide") << "" << 0 << 0 << 0;
    }
    void colonnesDesBandes()
    {
        QFETCH(QString, bande);
        QFETCH(int, departement);
        QFETCH(int, prefixe);
        QFETCH(int, carre);
        QCOMPARE(station::colonneDepartement(bande), departement);
        QCOMPARE(station::colonnePrefixe(bande), prefixe);
        QCOMPARE(station::colonneLocator(bande), carre);
    }

    // ---- prefix lookup ----

    void ordreDesPrefixes_data()
    {
        QTest::addColumn<QStringList>("cles");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("EA avant EA8") << QStringList{"DL", "EA", "EA8"} << "EA";
        QTest::newRow("EA8 avant EA") << QStringList{"DL", "EA8", "EA"} << "EA8";
        QTest::newRow("cle vide atteinte") << QStringList{"DL", "", "EA8"} << "";
    }
    void ordreDesPrefixes()
    {
        QFETCH(QStringList, cles);
        QFETCH(QString, attendu);
        QStringList lignes;
        for (const QString& c : cles)
            lignes << lignePrefixe(c, zeros(), QStringLiteral("Pays ") + c);
        ecrire(QStringLiteral("F5ABC_Prefixe.txt"), lignes);
        QString etat, pays, prefixe = QStringLiteral("avant");
        QVERIFY(Cherche_Prefixe(QStringLiteral("EA8AB"), QStringLiteral("14 Mhz"), etat, pays, prefixe));
        QCOMPARE(prefixe, attendu);
        QCOMPARE(pays, QStringLiteral("Pays ") + attendu);
        QCOMPARE(etat, QStringLiteral("0"));
    }

    void nouveauPrefixeSur144()
    {
        QString etat, pays, prefixe;
        QVERIFY(Cherche_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe));
        QCOMPARE(etat, QStringLiteral("0"));
        QCOMPARE(prefixe, QStringLiteral("F"));
        QCOMPARE(pays, QStringLiteral("France"));
        QCOMPARE(env->textes(),
                 QStringList{QStringLiteral("Nouveau prefixe : F   Pays : France   sur Bande : 144 Mhz")});
    }

    void prefixeDejaContacteSansMessage()
    {
        ecrire(QStringLiteral("F5ABC_Prefixe.txt"),
               {lignePrefixe(QStringLiteral("F"), QStringLiteral("00000000001000000"), QStringLiteral("  France  "))});
        QString etat, pays, prefixe;
        QVERIFY(Cherche_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe));
        QCOMPARE(etat, QStringLiteral("1"));
        QCOMPARE(pays, QStringLiteral("  France  "));  // everything after column 26
        QVERIFY(env->messages.empty());
    }

    void prefixeInconnu()
    {
        const QByteArray avant = octets(QStringLiteral("F5ABC_Prefixe.txt"));
        QString etat = QStringLiteral("e"), pays = QStringLiteral("p"), prefixe = QStringLiteral("x");
        QVERIFY(Cherche_Prefixe(QStringLiteral("QQ1AB"), QStringLiteral("14 Mhz"), etat, pays, prefixe));
        QCOMPARE(env->textes(), QStringList{Inconnu_Recherche});
        QCOMPARE(etat, QStringLiteral("e"));
        QCOMPARE(pays, QStringLiteral("p"));
        QCOMPARE(prefixe, QStringLiteral("x"));

        env->oublierMessages();
        QVERIFY(Ecrit_Etat_Prefixe(QStringLiteral("QQ1AB"), QStringLiteral("14 Mhz"), etat, pays, prefixe));
        QCOMPARE(env->textes(), QStringList{Inconnu_Marque});
        QCOMPARE(prefixe, QStringLiteral("x"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Prefixe.txt")), avant);
        QVERIFY(temporaires(*env).isEmpty());
    }

    // ---- prefix mark ----

    void marquePrefixe_data()
    {
        QTest::addColumn<QString>("ancien");
        QTest::addColumn<QString>("nouveau");
        QTest::newRow("0") << "0" << "1";
        QTest::newRow("1") << "1" << "1";
        QTest::newRow("2") << "2" << "2";
        QTest::newRow("3") << "3" << "3";
        QTest::newRow("4") << "4" << "4";
    }
    void marquePrefixe()
    {
        QFETCH(QString, ancien);
        QFETCH(QString, nouveau);
        // 144 Mhz is column 18, the eleventh digit.
        const QString etats = QStringLiteral("0000000000") + ancien + QStringLiteral("000000");
        const QStringList lignes = {lignePrefixe(QStringLiteral("EA8"), zeros(), QStringLiteral("Canaries")),
                                    lignePrefixe(QStringLiteral("F"), etats, QStringLiteral("France")),
                                    lignePrefixe(QStringLiteral("F"), etats, QStringLiteral("Encore")),
                                    lignePrefixe(QStringLiteral("G"), zeros(), QStringLiteral("Angleterre"))};
        ecrire(QStringLiteral("F5ABC_Prefixe.txt"), lignes);
        QString etat, pays, prefixe;
        QVERIFY(Ecrit_Etat_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe));
        QCOMPARE(etat, ancien);
        QCOMPARE(prefixe, QStringLiteral("F"));
        QCOMPARE(pays, QStringLiteral("France"));
        QVERIFY(env->messages.empty());  // no new-prefix message when marking

        QStringList attendu = lignes;
        attendu[1] = lignePrefixe(QStringLiteral("F"), QStringLiteral("0000000000") + nouveau + QStringLiteral("000000"),
                                  QStringLiteral("France"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Prefixe.txt")), test::enAnsi(attendu));  // the first match only
        QVERIFY(temporaires(*env).isEmpty());
    }

    // ---- departments ----

    void lectureDepartement_data()
    {
        QTest::addColumn<QString>("departement");
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QString>("nom");
        QTest::newRow("Corse 2A sous sa cle") << "96" << "144 Mhz" << "0" << "Corse-du-Sud";
        QTest::newRow("2a n'est pas une cle") << "2a" << "144 Mhz" << "" << "inchange";
        QTest::newRow("5 n'est pas 05") << "5" << "144 Mhz" << "" << "inchange";
        QTest::newRow("bande inconnue") << "13" << "144 MHz" << "" << QString::fromUtf8("Bouches-du-Rhône");
    }
    void lectureDepartement()
    {
        QFETCH(QString, departement);
        QFETCH(QString, bande);
        QFETCH(QString, etat);
        QFETCH(QString, nom);
        QString e = QStringLiteral("x"), n = QStringLiteral("inchange"), l = QStringLiteral("inchange");
        Lit_Etat_Departement(departement, e, n, bande, l);
        QCOMPARE(e, etat);
        QCOMPARE(n, nom);
        if (nom == QLatin1String("inchange"))
            QCOMPARE(l, QStringLiteral("inchange"));
        else
            QVERIFY(l.startsWith(departement + QLatin1Char(' ')));
    }

    void nomDepartementSansBlancs()
    {
        ecrire(QStringLiteral("F5ABC_Departement.txt"),
               {QStringLiteral("12 00000000000000000 Aveyron"),
                QStringLiteral("13 00000000000002000    Bouches du Rhone  ")});
        QString etat, nom, ligne;
        Lit_Etat_Departement(QStringLiteral("13"), etat, nom, QStringLiteral("2.3 Ghz"), ligne);
        QCOMPARE(etat, QStringLiteral("2"));
        QCOMPARE(nom, QStringLiteral("Bouches du Rhone  "));
        QCOMPARE(ligne, QStringLiteral("13 00000000000002000    Bouches du Rhone  "));
    }

    void ecritureDepartement()
    {
        const QStringList lignes = {QStringLiteral("12 00000000000000000 Aveyron"),
                                    QStringLiteral("13 00000000004000000 Bouches du Rhone"),
                                    QStringLiteral("14 00000000000000000 Calvados"),
                                    QStringLiteral("13 00000000000000000 Doublon")};
        ecrire(QStringLiteral("F5ABC_Departement.txt"), lignes);
        // Written whatever it replaces (the callers decide), on every line of the key.
        Ecrit_Etat_Departement(QStringLiteral("13"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
        QStringList attendu = lignes;
        attendu[1] = QStringLiteral("13 00000000001000000 Bouches du Rhone");
        attendu[3] = QStringLiteral("13 00000000001000000 Doublon");
        QCOMPARE(octets(QStringLiteral("F5ABC_Departement.txt")), test::enAnsi(attendu));
        QVERIFY(temporaires(*env).isEmpty());
    }

    void departementAbsentPropageErreur()
    {
        plateforme::supprimer(QStringLiteral("F5ABC_Departement.txt"));
        QString etat, nom, ligne;
        try {
            Lit_Etat_Departement(QStringLiteral("13"), etat, nom, QStringLiteral("144 Mhz"), ligne);
            QFAIL("a missing file must raise");
        } catch (const plateforme::ErreurFichier& e) {
            QCOMPARE(e.numero, plateforme::ErreurFichierIntrouvable);
        }
        // A failed read writes nothing: no data file appears, no scratch file remains.
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier,
                                 Ecrit_Etat_Departement(QStringLiteral("13"), QStringLiteral("1"),
                                                        QStringLiteral("144 Mhz")));
        QVERIFY(!plateforme::existe(QStringLiteral("F5ABC_Departement.txt")));
        QVERIFY(temporaires(*env).isEmpty());
        QVERIFY(!env->finDemandee());
    }

    // ---- squares ----

    void lectureCarre_data()
    {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("six caracteres") << "JN23AB" << "432 Mhz" << "3" << "JN23 00300000";
        QTest::newRow("quatre caracteres") << "JN23" << "432 Mhz" << "3" << "JN23 00300000";
        QTest::newRow("bande HF") << "JN23AB" << "14 Mhz" << "" << "JN23 00300000";
        QTest::newRow("carre absent") << "SS00AA" << "432 Mhz" << "avant" << "avant";
    }
    void lectureCarre()
    {
        QFETCH(QString, locator);
        QFETCH(QString, bande);
        QFETCH(QString, etat);
        QFETCH(QString, ligne);
        Ecrit_Etat_Locator(QStringLiteral("JN23"), QStringLiteral("3"), QStringLiteral("432 Mhz"));
        QString e = QStringLiteral("avant"), l = QStringLiteral("avant");
        QVERIFY(Lit_Etat_Locator(locator, e, bande, l));
        QCOMPARE(e, etat);
        QCOMPARE(l, ligne);
    }

    void ecritureCarreSeulement()
    {
        const QByteArray avant = octets(QStringLiteral("F5ABC_Locator.txt"));
        Ecrit_Etat_Locator(QStringLiteral("JN23"), QStringLiteral("1"), QStringLiteral("24 Ghz"));
        const QByteArray apres = octets(QStringLiteral("F5ABC_Locator.txt"));
        QCOMPARE(apres.size(), avant.size());
        const qsizetype pos = avant.indexOf("JN23 00000000\r\n");
        QVERIFY(pos >= 0);
        QByteArray attendu = avant;
        attendu[pos + 12] = '1';  // column 13
        QCOMPARE(apres, attendu);
        // An HF band has no square column: the file stays as it was.
        Ecrit_Etat_Locator(QStringLiteral("JN23"), QStringLiteral("2"), QStringLiteral("14 Mhz"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Locator.txt")), attendu);
    }

    // ---- line replacement and the rewrite ----

    void remplaceToutesLesLignesIdentiques()
    {
        const QStringList lignes = {QStringLiteral("ligne A"), QStringLiteral("ligne B"), QStringLiteral("ligne A"),
                                    QStringLiteral("ligne A "), QString(), QStringLiteral("ligne A")};
        ecrire(QStringLiteral("F5ABC.log"), lignes);
        Remplace_Ligne(QStringLiteral("ligne A"), QString::fromUtf8("ligne é"), QStringLiteral("F5ABC.log"));
        const QStringList attendu = {QString::fromUtf8("ligne é"), QStringLiteral("ligne B"), QString::fromUtf8("ligne é"),
                                     QStringLiteral("ligne A "), QString(), QString::fromUtf8("ligne é")};
        QCOMPARE(octets(QStringLiteral("F5ABC.log")), test::enAnsi(attendu));
        QVERIFY(temporaires(*env).isEmpty());
    }

    void reecritureSansCorrespondance_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("procedure");
        QTest::newRow("departement 2a") << "F5ABC_Departement.txt" << 0;
        QTest::newRow("carre inconnu") << "F5ABC_Locator.txt" << 1;
        QTest::newRow("ligne absente") << "F5ABC_Prefixe.txt" << 2;
        QTest::newRow("bande inconnue") << "F5ABC_Departement.txt" << 3;
    }
    void reecritureSansCorrespondance()
    {
        QFETCH(QString, fichier);
        QFETCH(int, procedure);
        const QByteArray avant = octets(fichier);
        QVERIFY(!avant.isEmpty());
        switch (procedure) {
        case 0:
            Ecrit_Etat_Departement(QStringLiteral("2a"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
            break;
        case 1:
            Ecrit_Etat_Locator(QStringLiteral("JN23AB"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
            break;
        case 2:
            Remplace_Ligne(QStringLiteral("n'existe pas"), QStringLiteral("autre"), fichier);
            break;
        case 3:
            Ecrit_Etat_Departement(QStringLiteral("13"), QStringLiteral("1"), QStringLiteral("144 MHz"));
            break;
        }
        QCOMPARE(octets(fichier), avant);
        QVERIFY(temporaires(*env).isEmpty());
    }

    // The rewrite of a file as stored: every line comes out ended by CR LF, whatever ended it
    // (LF, a lone CR, nothing at the end of the file), the bytes of the lines it does not change
    // as they were; a line is found by a text the code page writes on eight bits as well.
    void reecritureDuFichierTelQuIlEst()
    {
        const QByteArray departements = "12 00000000000000000 Aveyron\n"
                                        "13 00000000000000000 Bouches du Rh\xf4ne\r"
                                        "2A 00000000000000000 Corse \x81\x80\r\n"
                                        "\n"
                                        "13 00000000000000000 Doublon";
        test::ecrireOctets(env->chemin("F5ABC_Departement.txt"), departements);
        Ecrit_Etat_Departement(QStringLiteral("13"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Departement.txt")), QByteArray("12 00000000000000000 Aveyron\r\n"
                                                                             "13 00000000001000000 Bouches du Rh\xf4ne\r\n"
                                                                             "2A 00000000000000000 Corse \x81\x80\r\n"
                                                                             "\r\n"
                                                                             "13 00000000001000000 Doublon\r\n"));
        Remplace_Ligne(QString::fromUtf8("2A 00000000000000000 Corse \u0081€"), QString::fromUtf8("2A 00000000000000000 Corsé"),
                       QStringLiteral("F5ABC_Departement.txt"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Departement.txt")), QByteArray("12 00000000000000000 Aveyron\r\n"
                                                                             "13 00000000001000000 Bouches du Rh\xf4ne\r\n"
                                                                             "2A 00000000000000000 Cors\xe9\r\n"
                                                                             "\r\n"
                                                                             "13 00000000001000000 Doublon\r\n"));

        test::ecrireOctets(env->chemin("F5ABC_Locator.txt"), "JN22 00000000\nJN23 00000000\rJN24 00000000\r\n");
        Ecrit_Etat_Locator(QStringLiteral("JN23"), QStringLiteral("1"), QStringLiteral("24 Ghz"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Locator.txt")),
                 QByteArray("JN22 00000000\r\nJN23 00000001\r\nJN24 00000000\r\n"));

        // The prefix key is read from the line's first five characters: "\xc9" is one of them.
        const QByteArray prefixes = (lignePrefixe(QStringLiteral("EA8"), zeros(), QStringLiteral("Canaries")) + "\n" +
                                     lignePrefixe(QStringLiteral("F\u00c9"), zeros(), QStringLiteral("Essai")) + "\r" +
                                     lignePrefixe(QStringLiteral("F"), zeros(), QStringLiteral("France")))
                                        .toLatin1();
        test::ecrireOctets(env->chemin("F5ABC_Prefixe.txt"), prefixes);
        QString etat, pays, prefixe;
        QVERIFY(Ecrit_Etat_Prefixe(QString::fromUtf8("FÉ5AB"), QStringLiteral("144 Mhz"), etat, pays, prefixe));
        QCOMPARE(prefixe, QString::fromUtf8("FÉ"));
        QCOMPARE(pays, QStringLiteral("Essai"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Prefixe.txt")),
                 test::enAnsi({lignePrefixe(QStringLiteral("EA8"), zeros(), QStringLiteral("Canaries")),
                               lignePrefixe(QStringLiteral("F\u00c9"), QStringLiteral("00000000001000000"), QStringLiteral("Essai")),
                               lignePrefixe(QStringLiteral("F"), zeros(), QStringLiteral("France"))}));
        QVERIFY(temporaires(*env).isEmpty());
    }

    // The check that a file is stored with CR LF ends only, which lets a rewrite or an append
    // skip splitting its lines: line ends at every place of the blocks it reads.
    void stockageCommeUneReecriture()
    {
        QByteArray fichier;
        for (int i = 0; i < 20; ++i)
            fichier += QByteArray(i, char('a' + i)) + "\r\n";
        QVERIFY(plateforme::balayage::toutEnCRLF(fichier));
        QVERIFY(plateforme::balayage::toutEnCRLF(QByteArray()));
        QVERIFY(!plateforme::balayage::toutEnCRLF(fichier + "x"));
        for (qsizetype i = 0; i < fichier.size(); ++i) {
            if (fichier.at(i) != '\r')
                continue;
            const auto sansOctet = [&](qsizetype k) { return QByteArray(fichier).remove(k, 1); };
            QVERIFY2(!plateforme::balayage::toutEnCRLF(sansOctet(i)), "LF seul");
            QVERIFY2(!plateforme::balayage::toutEnCRLF(sansOctet(i + 1) + "\r\n"), "CR seul");
            QByteArray inverses = fichier;
            std::swap(inverses[i], inverses[i + 1]);
            QVERIFY2(!plateforme::balayage::toutEnCRLF(inverses + "\r\n"), qPrintable(QString::number(i)));
        }
    }

    // The byte search the rewrites and the directory append look keys up with: every place
    // found, from every start, at every place of the sixteen-byte blocks it compares, up to a
    // motif that ends the text.
    void rechercheDOctets()
    {
        QByteArray texte;
        for (int i = 0; i < 9; ++i)
            texte += "JN0" + QByteArray::number(i) + " JN" + QByteArray(i, 'J') + "\r\n";
        // Places where the first and last bytes of a motif stand but not the ones between, before
        // a place where the whole motif does, in one block.
        texte += "JxxN JyyN JN0N\r\nJN03";
        const auto naive = [&](const QByteArray& motif, qsizetype depuis) -> qsizetype {
            for (qsizetype i = depuis; i + motif.size() <= texte.size(); ++i)
                if (texte.mid(i, motif.size()) == motif)
                    return i;
            return -1;
        };
        for (const QByteArray& motif : {QByteArray("J"), QByteArray("JN"), QByteArray("JN0"), QByteArray("JN03"),
                                       QByteArray("\nJN05"), QByteArray("JJJJJJJJ\r"), QByteArray("JN09"), QByteArray("N03"), QByteArray("JN0N")}) {
            for (qsizetype depuis = 0; depuis <= texte.size() + 1; ++depuis)
                QVERIFY2(plateforme::balayage::chercheOctets(texte, motif, depuis) == naive(motif, depuis),
                         qPrintable(QStringLiteral("%1 depuis %2").arg(QString::fromLatin1(motif)).arg(depuis)));
        }
    }

    // A scratch file left over from an interrupted run is replaced, never copied back.
    void ancienTemporaireIgnore()
    {
        ecrire(QStringLiteral("Temporaire2.txt"), {QStringLiteral("vieux contenu")});
        const QByteArray avant = octets(QStringLiteral("F5ABC_Departement.txt"));
        Ecrit_Etat_Departement(QStringLiteral("2a"), QStringLiteral("1"), QStringLiteral("144 Mhz"));
        QCOMPARE(octets(QStringLiteral("F5ABC_Departement.txt")), avant);
        QVERIFY(temporaires(*env).isEmpty());
    }

    // ---- missing files and other errors ----

    void fichierManquant_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("procedure");
        QTest::newRow("Lit_Etat_Locator") << "F5ABC_Locator.txt" << 0;
        QTest::newRow("Cherche_Prefixe") << "F5ABC_Prefixe.txt" << 1;
        QTest::newRow("Ecrit_Etat_Prefixe") << "F5ABC_Prefixe.txt" << 2;
    }
    void fichierManquant()
    {
        QFETCH(QString, fichier);
        QFETCH(int, procedure);
        plateforme::supprimer(fichier);
        terminerBientot();
        QString etat = QStringLiteral("e"), pays, prefixe, ligne;
        bool ok = true;
        switch (procedure) {
        case 0:
            ok = Lit_Etat_Locator(QStringLiteral("JN23AB"), etat, QStringLiteral("144 Mhz"), ligne);
            break;
        case 1:
            ok = Cherche_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe);
            break;
        case 2:
            ok = Ecrit_Etat_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe);
            break;
        }
        QVERIFY(!ok);
        QVERIFY(env->finDemandee());
        QVERIFY(env->messages.empty());  // the error window, not a message box
        QCOMPARE(etat, QStringLiteral("e"));
        QVERIFY(!plateforme::existe(fichier));
        QVERIFY(temporaires(*env).isEmpty());
    }

    void autreErreur()
    {
        // A folder in place of the prefix file cannot be opened: not a missing file.
        plateforme::supprimer(QStringLiteral("F5ABC_Prefixe.txt"));
        QVERIFY(QDir(env->dossier()).mkdir(QStringLiteral("F5ABC_Prefixe.txt")));
        QString etat, pays, prefixe;
        QVERIFY(!Cherche_Prefixe(QStringLiteral("F5ABC"), QStringLiteral("144 Mhz"), etat, pays, prefixe));
        QVERIFY(env->finDemandee());
        QCOMPARE(env->messages.size(), size_t(1));
        QVERIFY(env->messages[0].texte.startsWith(QString::fromUtf8("Erreur N°  ")));
        QVERIFY(env->messages[0].boutons == plateforme::Boutons::Ok);
    }

    void texteErreurNumero()
    {
        station::Erreur_Fichier_Station(70, QStringLiteral("_Prefixe.txt"));
        QCOMPARE(env->textes(), QStringList{QString::fromUtf8("Erreur N°  70")});
        QVERIFY(env->finDemandee());
    }
};

QTEST_MAIN(TestFichiersEtat)
#include "tst_fichiers_etat.moc"
