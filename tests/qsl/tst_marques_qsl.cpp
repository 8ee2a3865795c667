// QSL marks on a logged QSO: the log line, the department and square raises, the refusals.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "qsl/Marques_QSL.h"
#include "station/Couleurs_Etat.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <memory>

namespace {

const QString Aujourdhui = QStringLiteral("15/03/24");  // the fixed UTC clock of the fixture

// The department line of `cle` with `etat` in the column of `bande`, the square line likewise.
void fixerEtat(const QString& fichier, int largeurCle, const QString& cle, int colonne, QChar etat)
{
    QStringList lignes = plateforme::lireLignes(fichier);
    for (QString& l : lignes) {
        if (l.startsWith(cle.leftJustified(largeurCle)))
            l[colonne - 1] = etat;
    }
    plateforme::ecrireLignes(fichier, lignes);
}

QChar etatDans(const QString& fichier, const QString& cle, int colonne)
{
    for (const QString& l : plateforme::lireLignes(fichier)) {
        if (l.startsWith(cle))
            return l.at(colonne - 1);
    }
    return QChar();
}

QString attendu(bool recue, int code)
{
    if (recue)
        return code == 1 ? QStringLiteral("3") : code == 2 ? QStringLiteral("4") : QString();
    return code == 1 ? QStringLiteral("2") : code == 3 ? QStringLiteral("4") : QString();
}

} // namespace

class TestMarquesQSL : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;
    Carnet* c = nullptr;

    QByteArray octets(const QString& nom) const { return test::lireOctets(plateforme::chemin(nom)); }

    void demarrer(const QStringList& journal)
    {
        test::StationTest s;
        s.journal = journal;
        c = &test::demarrerStation(*env, s);
    }
    // Selects the QSO as the QSL windows do.
    static void choisir(const QString& ligne, int numero = 1)
    {
        Prog().Ligne_Selectionnee = station::itemListe(numero, ligne);
        Prog().Code_QSL = station::lireChamp(ligne, station::Champ::Etat_QSL).toInt();
    }

private Q_SLOTS:
    void init() { env = std::make_unique<test::Environnement>(); }
    void cleanup() { env.reset(); }

    void lignesDuJournal()
    {
        const QString l = test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1");
        const QString r = qsl::ligneRecue(l, 1, Aujourdhui);
        QCOMPARE(r.size(), 199);
        QCOMPARE(r.mid(134, 2), QStringLiteral("3 "));
        QCOMPARE(r.mid(145, 8), Aujourdhui);
        QCOMPARE(r.left(134) + r.mid(153), l.left(134) + l.mid(153));
        const QString e = qsl::ligneEnvoyee(r, 3, QStringLiteral("16/03/24"));
        QCOMPARE(e.mid(134, 19), QStringLiteral("4 16/03/24 15/03/24"));
        QVERIFY(qsl::ligneRecue(l, 3, Aujourdhui).isEmpty());
        QVERIFY(qsl::ligneEnvoyee(l, 2, Aujourdhui).isEmpty());
        // Whole lines only, the last one without its line end too.
        QByteArray octets("AB\r\nxAB\r\nABC\r\nAB");
        QCOMPARE(qsl::remplaceLignes(octets, "AB", "XYZ"), 2);
        QCOMPARE(octets, QByteArray("XYZ\r\nxAB\r\nABC\r\nXYZ"));
        QCOMPARE(qsl::cleDepartement(test::ligneEtat("F6AAA", "144 Mhz", "2A", "", "1")), QStringLiteral("96"));
        QCOMPARE(qsl::cleDepartement(test::ligneEtat("F6AAA", "144 Mhz", "2b", "", "1")), QStringLiteral("97"));
    }

    // Every status, department and square digit, both marks; two identical log lines.
    void toutesLesTransitions()
    {
        const QString bande = QStringLiteral("144 Mhz");
        demarrer({});
        const QString fd = station::fichierDepartement(), fl = station::fichierLocator();
        const QByteArray departements = octets(fd), locators = octets(fl);
        for (bool recue : {true, false}) {
            for (int code = 1; code <= 4; ++code) {
                for (QChar d : QStringLiteral("01234")) {
                    for (QChar s : QStringLiteral("01234")) {
                        const QString ligne = test::ligneEtat("F6AAA", bande, "75", "JN23AB", QString::number(code));
                        const QString autre = test::ligneEtat("F6BBB", bande, "75", "JN23AB", "1");
                        test::ecrireOctets(env->chemin(Prog().Indicatif_Station + ".log"),
                                           test::enAnsi({ligne, autre, ligne}));
                        test::ecrireOctets(plateforme::chemin(fd), departements);
                        test::ecrireOctets(plateforme::chemin(fl), locators);
                        fixerEtat(fd, 2, "75", station::colonneDepartement(bande), d);
                        fixerEtat(fl, 4, "JN23", station::colonneLocator(bande), s);
                        const QByteArray avant = octets(fd) + octets(fl) + octets("F5XYZ.log");
                        choisir(ligne, 3);
                        QVERIFY(recue ? Enregistre_QSL_Recue() : Enregistre_QSL_Envoyee());
                        const QString n = attendu(recue, code);
                        const QString cas = QStringLiteral("%1 code %2 dpt %3 carre %4").arg(recue).arg(code).arg(d).arg(s);
                        if (n.isEmpty()) {
                            QVERIFY2(octets(fd) + octets(fl) + octets("F5XYZ.log") == avant, qPrintable(cas));
                            continue;
                        }
                        const QStringList log = test::lignesJournal(*env, "F5XYZ");
                        QCOMPARE(log.at(0), log.at(2));
                        QCOMPARE(log.at(1), autre);
                        QCOMPARE(log.at(0).mid(134, 1), n);
                        QCOMPARE(log.at(0).mid(recue ? 145 : 136, 8), Aujourdhui);
                        QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(3, log.at(0)));
                        QCOMPARE(etatDans(fd, "75", station::colonneDepartement(bande)),
                                 n.at(0).digitValue() > d.digitValue() ? n.at(0) : d);
                        QCOMPARE(etatDans(fl, "JN23", station::colonneLocator(bande)),
                                 recue ? qsl::carreRecue(s) : qsl::carreEnvoyee(s));
                    }
                }
            }
        }
    }

    void bandeHFCorseEtRepeinture()
    {
        const QString hf = test::ligneEtat("F6AAA", "14 Mhz", "2A", "", "1");
        const QString vhf = test::ligneEtat("F6BBB", "24 Ghz", "", "IN97AB", "1");
        demarrer({hf, vhf});
        const QByteArray locators = octets(station::fichierLocator());
        choisir(hf);
        QVERIFY(Enregistre_QSL_Recue());
        QCOMPARE(etatDans(station::fichierDepartement(), "96", station::colonneDepartement("14 Mhz")), QChar(u'3'));
        QCOMPARE(octets(station::fichierLocator()), locators);

        // A square of another field than the grid shows: that field is painted.
        choisir(vhf, 2);
        QVERIFY(Enregistre_QSL_Envoyee());
        QCOMPARE(etatDans(station::fichierLocator(), "IN97", station::colonneLocator("24 Ghz")), QChar(u'2'));
        QCOMPARE(Couleurs_Etat::fond(c->Dpt[97]), Couleurs_Etat::couleur(QChar(u'2')));
        QCOMPARE(Prog().Compteur_Carte, 1.0);
        // The received mark right after the sent one starts from the sent state.
        QVERIFY(Enregistre_QSL_Recue());
        QCOMPARE(test::lignesJournal(*env, "F5XYZ").at(1).mid(134, 19), QStringLiteral("4 15/03/24 15/03/24"));
    }

    void unQSOQuiNestPlusDansLeJournalEstRefuse()
    {
        const QString ligne = test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1");
        demarrer({ligne});
        const QByteArray avant =
            octets(station::fichierDepartement()) + octets(station::fichierLocator()) + octets("F5XYZ.log");
        choisir(test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1", "02/02/24"));
        env->oublierMessages();
        QVERIFY(!Enregistre_QSL_Recue());
        QCOMPARE(env->textes(), QStringList{qsl::messageQSOChange()});
        QCOMPARE(octets(station::fichierDepartement()) + octets(station::fichierLocator()) + octets("F5XYZ.log"), avant);
    }

    void unJournalQuiNEstPasEnWindows1252()
    {
        // Saved in UTF-8 by another editor: the accented first name takes two bytes a letter, so
        // the line is longer than a record. The mark is refused and the operator told why.
        QString ligne = test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1");
        ligne.replace(110, 6, QStringLiteral("Hélène"));
        demarrer({});
        const QByteArray enUtf8 = ligne.toUtf8() + "\r\n";
        test::ecrireOctets(plateforme::chemin("F5XYZ.log"), enUtf8);
        Charge_Liste_QSO("F5XYZ");
        QCOMPARE(c->Liste_QSO->count(), 1);
        const QByteArray avant = octets(station::fichierDepartement()) + octets(station::fichierLocator());
        Prog().Ligne_Selectionnee = c->Modele_QSO->item(0);
        Prog().Code_QSL = 1;
        env->oublierMessages();
        QVERIFY(!Enregistre_QSL_Recue());
        QCOMPARE(env->messages.size(), size_t(1));
        QVERIFY2(env->textes().at(0).startsWith(QStringLiteral("Le log « F5XYZ.log » est enregistré en UTF-8")),
                 qPrintable(env->textes().at(0)));
        QCOMPARE(octets("F5XYZ.log"), enUtf8);
        QCOMPARE(octets(station::fichierDepartement()) + octets(station::fichierLocator()), avant);

        // A line merely too long (Windows-1252, something added at its end) is said as such.
        const QByteArray longue = plateforme::versAnsi(test::ligneEtat("F6AAA", "144 Mhz", "75", "JN23AB", "1")) + "XYZ\r\n";
        test::ecrireOctets(plateforme::chemin("F5XYZ.log"), longue);
        Charge_Liste_QSO("F5XYZ");
        Prog().Ligne_Selectionnee = c->Modele_QSO->item(0);
        env->oublierMessages();
        QVERIFY(!Enregistre_QSL_Recue());
        QVERIFY2(env->textes().at(0).contains(QStringLiteral("la ligne de ce QSO est plus longue que les 199 caractères")),
                 qPrintable(env->textes().at(0)));
        QCOMPARE(octets("F5XYZ.log"), longue);
    }
};

QTEST_MAIN(TestMarquesQSL)
#include "tst_marques_qsl.moc"
