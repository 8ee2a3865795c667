// Saving a QSO through the real window: the record written byte for byte, the award files,
// the directory, the grid, the count, the backup point and the refusals.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "station/Couleurs_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

const QString Station = test::StationTest{}.indicatif;

QString reglage(const QString& cle)
{
    return test::reglageStation(Station, cle);
}

void ecrireReglage(const QString& cle, const QString& valeur)
{
    test::ecrireReglageStation(Station, cle, valeur);
}

// Station F5XYZ in JN03TJ, its files made from the templates, started as at launch.
Carnet& demarrer(test::Environnement& env, int bande, bool dateAuto, const QStringList& journal = {},
                 const QStringList& nomenclature = {})
{
    test::StationTest s;
    s.bande = bande;
    s.dateAuto = dateAuto;
    s.journal = journal;
    s.nomenclature = nomenclature;
    return test::demarrerStation(env, s);
}

using test::QSO;
using test::taperQSO;

// A record laid out column by column: each value left-aligned in its width.
QString colonnes(const QList<QPair<QString, int>>& champs)
{
    QString l;
    for (const auto& [valeur, largeur] : champs)
        l += valeur.leftJustified(largeur, QLatin1Char(' '));
    return l;
}

// A template file with one band column of one key line set to `etat`.
QByteArray modeleAvec(const QString& modele, const QString& cle, int colonne, char etat)
{
    QStringList lignes = QString::fromLatin1(test::lireOctets(modele)).split(QStringLiteral("\r\n"));
    lignes.removeLast();
    for (QString& l : lignes) {
        if (l.startsWith(cle))
            l[colonne - 1] = QLatin1Char(etat);
    }
    return (lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QStringList journal(int n, int jourDepart = 1)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << test::ligneQSO(QStringLiteral("%1/01/24").arg(jourDepart + i % 28, 2, 10, QLatin1Char('0')),
                            QStringLiteral("G%1ABC").arg(i), QStringLiteral("10:00"));
    return l;
}

} // namespace

class TestEnregistrer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void qsoCompletDateAutomatique();
    void dateManuelleInsereeParDate();
    void stationEtrangereEnHF();
    void corse();
    void nomenclatureRefusee();
    void pointDeSauvegarde();
    void sauvegardeImpossible();
    void ecritureImpossible();
    void champTropLong();
    void indicatifNonVerifie();
    void controlesDuBouton();
    void heureDeFinApresLaQuestion();
    void carnetPlein();
    void listeLongueSuivie();
};

void TestEnregistrer::qsoCompletDateAutomatique()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, journal(3));
    const QByteArray prefixesAvant = test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt")));

    taperQSO(c, {QStringLiteral("f1abc"), QStringLiteral("31"), QStringLiteral("io91wm"), 0, {}, {}, {},
                 QStringLiteral("Jean"), QStringLiteral("toulouse"), QStringLiteral("test")});
    env.fixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(14, 41, 7), Qt::UTC), 3600);
    QTest::mouseClick(c.Enregistrer, Qt::LeftButton);

    const QString attendu = colonnes({{"15/03/24", 10}, {"F1ABC", 12}, {"14:35", 7}, {"14:41", 7}, {"31", 5},
                                      {"IO91WM", 8}, {"144 Mhz", 10}, {"SSB", 9}, {"59", 10}, {"59", 10},
                                      {"TOULOUSE", 22}, {"Jean", 24}, {"1", 2}, {"", 18}, {"914", 6}, {"352", 4},
                                      {"0", 4}, {"TEST", 30}, {"*", 1}});
    QCOMPARE(attendu.size(), 199);
    const QByteArray journalAvant = test::enAnsi(journal(3));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral(".log"))),
             journalAvant + test::enAnsi({attendu}));

    QCOMPARE(env.textes(),
             (QStringList{QStringLiteral("Nouveau prefixe : F   Pays : France   sur Bande : 144 Mhz"),
                          QStringLiteral("Attention nouveau département le 31 Haute-Garonne"),
                          QStringLiteral("Attention nouveau moyen carré le IO91"),
                          QStringLiteral("Remplacer F1ABC Département XX Locator XXXXXX\r\n\r\n"
                                         "      par F1ABC département 31 Locator IO91WM ?")}));
    QCOMPARE(env.messages.back().boutons, plateforme::Boutons::OuiNon);

    // Award files: the department, the square and the prefix worked on 144 MHz, nothing else.
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt"))),
             modeleAvec(env.chemin(QStringLiteral("FXXXX_Departement.txt")), QStringLiteral("31 "), 14, '1'));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Locator.txt"))),
             modeleAvec(env.chemin(QStringLiteral("FXXXX_Locator.txt")), QStringLiteral("IO91 "), 7, '1'));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt"))),
             modeleAvec(env.chemin(QStringLiteral("FXXXX_Prefixe.txt")), QStringLiteral("F      "), 18, '1'));
    QVERIFY(prefixesAvant != test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt"))));
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("Nomenclature.txt"))),
             test::enAnsi({QStringLiteral("F1ABC      31 IO91WM")}));

    // Grid, count, list.
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[31]), Couleurs_Etat::couleur(QLatin1Char('1')));
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 1 Départements sur 144 Mhz"));
    QCOMPARE(Prog().Nombre_QSO, 4);
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 5"));
    QCOMPARE(c.Liste_QSO->count(), 4);
    QCOMPARE(c.Liste_QSO->currentRow(), 3);
    QCOMPARE(Prog().Ligne_Selectionnee, QStringLiteral("    4 ") + attendu);
    QCOMPARE(Prog().Ligne_En_Cours, attendu);

    // Ready for the next QSO.
    QCOMPARE(c.NB_Debug->text(), QStringLiteral("13"));
    QVERIFY(!c.Enregistrer->isEnabled());
    QCOMPARE(c.Enregistrer->text(), QStringLiteral("QSO Suivant"));
    for (QLineEdit* e : {c.Indicatif_A, c.Depart_A, c.Locator_A, c.Date_A, c.Debut_A, c.Fin_A, c.Prenom_A, c.QTH_A,
                         c.Remarques_A, c.Distance_A, c.Azimut_A})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(c.RSTE_A->text(), QStringLiteral("59"));
    QVERIFY(!c.RSTE_A->isEnabled());
    QVERIFY(!c.Mode_A->isEnabled());
    QVERIFY(!c.Activ_A->isEnabled());
    QCOMPARE(c.Label5->text(), QStringLiteral("Indicatif"));
    QVERIFY(test::aLeFocus(c, c.Indicatif_A));
    QCOMPARE(Couleurs_Etat::fond(c.Indicatif_A), Couleurs_Etat::depuisBGR(0xC0FFC0));
    QCOMPARE(Prog().Nouveau_Carre, QString());
    QCOMPARE(Prog().Etat_Departement_Saisi, QString());

    // The same station again: history, nothing new, nothing asked, the line appended.
    env.oublierMessages();
    taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("IO91WM"), 0, {}, {}, {},
                 QString(), QString(), QString()});
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));
    c.Enregistrer->click();
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    QCOMPARE(test::lignesJournal(env, Station).size(), 5);
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 6"));
}

void TestEnregistrer::dateManuelleInsereeParDate()
{
    test::Environnement env;
    const QStringList avant = {test::ligneQSO("10/01/24", "G0AAA", "10:00"), test::ligneQSO("20/01/24", "G0BBB", "10:00"),
                               test::ligneQSO("30/01/24", "G0CCC", "10:00")};
    Carnet& c = demarrer(env, 10, false, avant);

    taperQSO(c, {QStringLiteral("DL1ABC"), {}, QString(), 0, QStringLiteral("150124"), QStringLiteral("1200"), {},
                 QString(), QString(), QString()});
    QCOMPARE(c.Date_A->text(), QStringLiteral("15/01/24"));
    QCOMPARE(c.Fin_A->text(), QStringLiteral("12:00"));
    // No locator on 144 MHz: "?" for both.
    QCOMPARE(c.Distance_A->text(), QStringLiteral("?"));
    env.fixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(18, 0, 0), Qt::UTC), 3600);
    c.Enregistrer->click();

    const QString nouveau = colonnes({{"15/01/24", 10}, {"DL1ABC", 12}, {"12:00", 7}, {"12:00", 7}, {"", 5},
                                      {"", 8}, {"144 Mhz", 10}, {"SSB", 9}, {"59", 10}, {"59", 10}, {"", 22},
                                      {"", 24}, {"1", 2}, {"", 18}, {"?", 6}, {"?", 4}, {"0", 4}, {"", 30}, {"*", 1}});
    QCOMPARE(test::lignesJournal(env, Station), (QStringList{avant[0], nouveau, avant[1], avant[2]}));
    QCOMPARE(c.Liste_QSO->count(), 4);
    QCOMPARE(c.Modele_QSO->item(1), QStringLiteral("    2 ") + nouveau);
    QCOMPARE(c.Modele_QSO->item(3), QStringLiteral("    4 ") + avant[2]);
    // The last QSO is selected, not the inserted one.
    QCOMPARE(c.Liste_QSO->currentRow(), 3);
    QCOMPARE(Prog().Ligne_Selectionnee, QStringLiteral("    4 ") + avant[2]);
    QCOMPARE(c.NB_Debug->text(), QStringLiteral("13"));
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 5"));
    // The typed date stays for the next QSO; the end time is the typed one.
    QCOMPARE(c.Date_A->text(), QStringLiteral("15/01/24"));
}

void TestEnregistrer::stationEtrangereEnHF()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 4, true, {}, {QStringLiteral("DL1ABC        JO62QM")});
    taperQSO(c, {QStringLiteral("dl1abc"), {}, {}, 0, {}, {}, {}, QStringLiteral("Hans"), QStringLiteral("berlin"),
                 QString()});
    QCOMPARE(c.Locator_A->text(), QStringLiteral("JO62QM"));
    env.oublierMessages();
    c.Enregistrer->click();

    // Nothing asked, the directory untouched, no locator in the record.
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    const QStringList lignes = test::lignesJournal(env, Station);
    QCOMPARE(lignes.size(), 1);
    QCOMPARE(lignes[0].mid(10, 12), QStringLiteral("DL1ABC      "));
    QCOMPARE(lignes[0].mid(36, 13), QString(13, QLatin1Char(' ')));  // department and locator blank
    QCOMPARE(lignes[0].mid(49, 8), QStringLiteral("14 Mhz  "));
    QCOMPARE(lignes[0].mid(154, 10), QString(10, QLatin1Char(' ')));  // no distance, no bearing
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("Nomenclature.txt"))),
             test::enAnsi({QStringLiteral("DL1ABC        JO62QM")}));
    // The prefix is marked on 14 MHz (column 12 of its line).
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Prefixe.txt"))),
             modeleAvec(env.chemin(QStringLiteral("FXXXX_Prefixe.txt")), QStringLiteral("DL     "), 12, '1'));
    QCOMPARE(c.NB_Debug->text(), QStringLiteral("13"));
}

void TestEnregistrer::corse()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true);
    taperQSO(c, {QStringLiteral("TK5AB"), QStringLiteral("2A"), QStringLiteral("JN41AA"), 0, {}, {}, {}, QString(),
                 QString(), QString()});
    env.oublierMessages();
    c.Enregistrer->click();

    QCOMPARE(env.textes(), QStringList{QStringLiteral("Remplacer TK5AB Département XX Locator XXXXXX\r\n\r\n"
                                                      "      par TK5AB département 2a Locator JN41AA ?")});
    QCOMPARE(test::lignesJournal(env, Station).value(0).mid(36, 5), QStringLiteral("2a   "));
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("Nomenclature.txt"))),
             test::enAnsi({QStringLiteral("TK5AB      96 JN41AA")}));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral("_Departement.txt"))),
             modeleAvec(env.chemin(QStringLiteral("FXXXX_Departement.txt")), QStringLiteral("96 "), 14, '1'));
    QCOMPARE(Couleurs_Etat::fond(c.Dpt[96]), Couleurs_Etat::couleur(QLatin1Char('1')));

    // Back from the directory: "96" is shown "2a", and nothing is asked again.
    env.oublierMessages();
    taperQSO(c, {QStringLiteral("TK5AB"), QStringLiteral("2a"), QStringLiteral("JN41AA"), 0, {}, {}, {}, QString(),
                 QString(), QString()});
    c.Enregistrer->click();
    QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
    QCOMPARE(test::lignesJournal(env, Station).size(), 2);
}

void TestEnregistrer::nomenclatureRefusee()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, {}, {QStringLiteral("F6XYZ      75 JN18EU")});
    taperQSO(c, {QStringLiteral("F6XYZ"), QStringLiteral("92"), QStringLiteral("JN18DU"), 0, {}, {}, {}, QString(),
                 QString(), QString()});
    env.oublierMessages();
    env.reponses.push_back(plateforme::Reponse::Non);
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Remplacer F6XYZ Département 75 Locator JN18EU\r\n\r\n"
                                                      "      par F6XYZ département 92 Locator JN18DU ?")});
    QCOMPARE(test::lireOctets(env.chemin(QStringLiteral("Nomenclature.txt"))),
             test::enAnsi({QStringLiteral("F6XYZ      75 JN18EU")}));
    QCOMPARE(test::lignesJournal(env, Station).size(), 1);
}

void TestEnregistrer::pointDeSauvegarde()
{
    test::Environnement env;
    ecrireReglage(QStringLiteral("Numero Sauvegarde"), QStringLiteral("20"));
    ecrireReglage(QStringLiteral("Delta Sauvegarde"), QStringLiteral("10"));
    ecrireReglage(QStringLiteral("Chemin Sauvegarde"), env.chemin(Station));
    Carnet& c = demarrer(env, 4, true, journal(28));
    const QSO q{QStringLiteral("DL1ABC"), {}, {}, 0, {}, {}, {}, QString(), QString(), QString()};

    // QSO 29: not yet.
    taperQSO(c, q);
    c.Enregistrer->click();
    QCOMPARE(reglage(QStringLiteral("Numero Sauvegarde")), QStringLiteral("20"));
    QCOMPARE(Prog().Numero_Sauvegarde, 20.0);

    // QSO 30 reaches the interval, but the log cannot be read nor written (a folder stands in
    // its place): the backup fails and keeps the backup point, the record is refused, and one
    // message says both.
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    const QByteArray contenu = test::lireOctets(log);
    QVERIFY(QFile::remove(log));
    QVERIFY(QDir().mkdir(log));
    taperQSO(c, q);
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(reglage(QStringLiteral("Numero Sauvegarde")), QStringLiteral("20"));
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.textes().at(0).startsWith(QStringLiteral("Le QSO avec DL1ABC n'a PAS été enregistré.")));
    QVERIFY(env.textes().at(0).contains(QStringLiteral("La sauvegarde automatique a échoué aussi")));
    QVERIFY(!env.textes().at(0).contains(QStringLiteral("Le QSO est enregistré")));

    // With the log back, the backup is made at the next save, before the QSO is written.
    QVERIFY(QDir().rmdir(log));
    test::ecrireOctets(log, contenu);
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Sauvegarde automatique effectuée")});
    QCOMPARE(test::lignesJournal(env, Station).size(), 30);
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral(".bak"))), contenu);
    QCOMPARE(reglage(QStringLiteral("Numero Sauvegarde")), QStringLiteral("30"));
    QCOMPARE(Prog().Numero_Sauvegarde, 30.0);
}

void TestEnregistrer::sauvegardeImpossible()
{
    // The backup goes to a removed disk: said, the QSO is written all the same, and the
    // backup point stays so that the next save tries again.
    test::Environnement env;
    ecrireReglage(QStringLiteral("Numero Sauvegarde"), QStringLiteral("20"));
    ecrireReglage(QStringLiteral("Delta Sauvegarde"), QStringLiteral("10"));
    ecrireReglage(QStringLiteral("Chemin Sauvegarde"), env.chemin(QStringLiteral("disque_retire/")) + Station);
    Carnet& c = demarrer(env, 4, true, journal(29));
    const QSO q{QStringLiteral("DL1ABC"), {}, {}, 0, {}, {}, {}, QString(), QString(), QString()};
    taperQSO(c, q);
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.messages.size(), size_t(1));
    QVERIFY(env.textes().at(0).startsWith(QStringLiteral("La sauvegarde automatique a échoué")));
    QCOMPARE(test::lignesJournal(env, Station).size(), 30);
    QCOMPARE(c.Liste_QSO->count(), 30);
    QCOMPARE(reglage(QStringLiteral("Numero Sauvegarde")), QStringLiteral("20"));
    QCOMPARE(Prog().Numero_Sauvegarde, 20.0);
}

void TestEnregistrer::ecritureImpossible()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, journal(2));
    taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0, {}, {}, {},
                 QStringLiteral("Jean"), QString(), QString()});
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    QVERIFY(QFile::remove(log));
    QVERIFY(QDir().mkdir(log));
    const auto avant = test::instantane(env.dossier());
    env.oublierMessages();
    c.Enregistrer->click();

    // Told once, plainly, naming the file; no award file nor the directory marked for a QSO
    // the log does not hold; not listed, not counted; the fields stay for another try.
    QCOMPARE(env.messages.size(), size_t(2));  // the directory question, then the failure
    const QString echec = env.textes().at(1);
    QVERIFY2(echec.startsWith(QStringLiteral("Le QSO avec F1ABC n'a PAS été enregistré.")), qPrintable(echec));
    QVERIFY2(echec.contains(Station + QStringLiteral(".log")), qPrintable(echec));
    QVERIFY(test::instantane(env.dossier()) == avant);
    QCOMPARE(c.Liste_QSO->count(), 2);
    QCOMPARE(Prog().Nombre_QSO, 2);
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 3"));
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));
    QVERIFY(c.Enregistrer->isEnabled());

    // Once the log can be written again, the same click saves it.
    QVERIFY(QDir().rmdir(log));
    test::ecrireOctets(log, test::enAnsi(journal(2)));
    c.Enregistrer->click();
    QCOMPARE(c.Liste_QSO->count(), 3);
    QCOMPARE(test::lignesJournal(env, Station).size(), 3);
    QCOMPARE(test::lignesJournal(env, Station).at(2).mid(10, 5), QStringLiteral("F1ABC"));
}

void TestEnregistrer::champTropLong()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, journal(1));
    taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0, {}, {}, {},
                 QStringLiteral("Jean"), QString(), QString()});
    const QStringList fichiers = {Station + QStringLiteral(".log"), Station + QStringLiteral("_Departement.txt"),
                                  Station + QStringLiteral("_Locator.txt"), Station + QStringLiteral("_Prefixe.txt"),
                                  QStringLiteral("Nomenclature.txt")};
    QList<QByteArray> avant;
    for (const QString& f : fichiers)
        avant << test::lireOctets(env.chemin(f));

    // The first name changed after its check, past its 15 columns.
    c.Prenom_A->setText(QStringLiteral("Jean-Christophe!"));
    c.Prenom_A->setEnabled(false);
    env.oublierMessages();
    c.Enregistrer->click();

    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention trop de caracteres pour le prénom (15 maxi) : "
                                                      "\"Jean-Christophe!\".\r\nLe QSO n'est pas enregistré.")});
    QVERIFY(c.Prenom_A->isEnabled());
    QVERIFY(test::aLeFocus(c, c.Prenom_A));
    for (int i = 0; i < fichiers.size(); ++i)
        QVERIFY2(test::lireOctets(env.chemin(fichiers[i])) == avant[i], qPrintable(fichiers[i]));
    QCOMPARE(c.Liste_QSO->count(), 1);
    QCOMPARE(Prog().Nombre_QSO, 1);
    QVERIFY(c.Enregistrer->isEnabled());

    // Put right, it saves.
    c.Prenom_A->setText(QStringLiteral("Jean"));
    c.Enregistrer->click();
    QCOMPARE(test::lignesJournal(env, Station).size(), 2);
}

// The callsign field emptied or changed after its check (the focus went astray): nothing is
// written, not even the backup that is due, and the callsign field gets the focus. The values
// of a saved or cancelled QSO do not stay for the next one.
void TestEnregistrer::indicatifNonVerifie()
{
    test::Environnement env;
    ecrireReglage(QStringLiteral("Numero Sauvegarde"), QStringLiteral("0"));
    ecrireReglage(QStringLiteral("Delta Sauvegarde"), QStringLiteral("1"));
    ecrireReglage(QStringLiteral("Chemin Sauvegarde"), env.chemin(Station));
    Carnet& c = demarrer(env, 10, true, {}, {QStringLiteral("ON4XYZ        JO20KV")});
    taperQSO(c, {QStringLiteral("ON4XYZ"), {}, QStringLiteral("JO20KV"), 0, {}, {}, {}, QStringLiteral("Jan"), QString(),
                 QString()});
    const auto avant = test::instantane(env.dossier());
    const auto refuse = [&](const QString& indicatif, const QString& texte) {
        c.Indicatif_A->setText(indicatif);
        c.Indicatif_A->setEnabled(false);
        c.Depart_A->setFocus();
        env.oublierMessages();
        c.Enregistrer->click();
        QCOMPARE(env.textes(), QStringList{texte});
        QVERIFY(test::instantane(env.dossier()) == avant);
        QVERIFY(c.Indicatif_A->isEnabled());
        QVERIFY(test::aLeFocus(c, c.Indicatif_A));
        QCOMPARE(c.Liste_QSO->count(), 0);
        QCOMPARE(Prog().Nombre_QSO, 0);
    };
    refuse(QStringLiteral("TK5YY"), QStringLiteral("Attention l'indicatif TK5YY n'a pas été validé (touche Entrée dans "
                                                   "l'indicatif)\r\nLe QSO n'est pas enregistré."));
    refuse(QString(), QStringLiteral("Attention vous devez entrer un indicatif\r\nLe QSO n'est pas enregistré."));

    // A band picked after the lookups: refused until it is checked, and then the callsign is
    // checked again, on that band.
    c.Indicatif_A->setText(QStringLiteral("ON4XYZ"));
    c.Bande_A->setCurrentIndex(9);
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention la bande 50 Mhz n'a pas été validée (touche Entrée "
                                                      "dans la bande)\r\nLe QSO n'est pas enregistré.")});
    QVERIFY(test::instantane(env.dossier()) == avant);
    QVERIFY(test::aLeFocus(c, c.Bande_A));
    test::entree(c.Bande_A);
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention l'indicatif ON4XYZ n'a pas été validé (touche Entrée "
                                                      "dans l'indicatif)\r\nLe QSO n'est pas enregistré.")});
    QVERIFY(test::instantane(env.dossier()) == avant);
    test::entree(c.Indicatif_A);
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("50 Mhz"));

    // The callsign checked, back in its field: saved, after the backup.
    c.Indicatif_A->setText(QStringLiteral("ON4XYZ"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Sauvegarde automatique effectuée")});
    QCOMPARE(test::lignesJournal(env, Station).value(0).mid(10, 12), QStringLiteral("ON4XYZ      "));
    QCOMPARE(test::lignesJournal(env, Station).value(0).mid(49, 8), QStringLiteral("50 Mhz  "));

    const auto oublie = [] {
        const Variables_Programme& p = Prog();
        for (const QString* v : {&p.Indicatif_Saisi, &p.Prefixe_Nouveau, &p.Departement_Saisi, &p.Etat_Departement_Saisi,
                                 &p.Departement_Lu, &p.Locator_Lu, &p.Locator_Correspondant, &p.Nouveau_Carre})
            QVERIFY2(v->isEmpty(), qPrintable(*v));
    };
    oublie();
    // Nor those of a QSO cancelled half-way.
    test::entree(c.Bande_A);
    test::saisir(c.Indicatif_A, QStringLiteral("F6ABC"));
    test::saisir(c.Depart_A, QStringLiteral("75"));
    QCOMPARE(Prog().Departement_Saisi, QStringLiteral("75"));
    c.Annuler->click();
    oublie();
}

void TestEnregistrer::controlesDuBouton()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 4, false);
    taperQSO(c, {QStringLiteral("DL1ABC"), {}, {}, 0, QStringLiteral("150324"), QStringLiteral("1200"),
                 QStringLiteral("1210"), QString(), QString(), QString()});

    // Fields changed after their checks: the save checks date and start again, not the end.
    c.Date_A->setText(QStringLiteral("15-03-24"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention le format date doit etre jj/mm/aa")});
    QCOMPARE(c.NB_Debug->text(), QStringLiteral("1"));
    c.Date_A->setText(QStringLiteral("15/03/24"));
    c.Debut_A->setText(QStringLiteral("12h00"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention le format date doit etre hh:mm")});
    QCOMPARE(test::lignesJournal(env, Station).size(), 0);
    QVERIFY(c.Enregistrer->isEnabled());

    // A typed activity that is not in the list: the debug message, and "-1" in the record.
    c.Debut_A->setText(QStringLiteral("12:00"));
    c.Fin_A->setText(QStringLiteral("1210"));
    c.Activ_A->setEditText(QStringLiteral("SOTA"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Debug : Activation_A = -1")});
    const QString ligne = test::lignesJournal(env, Station).value(0);
    QCOMPARE(ligne.mid(29, 5), QStringLiteral("1210 "));
    QCOMPARE(ligne.mid(164, 4), QStringLiteral("-1  "));
}

void TestEnregistrer::heureDeFinApresLaQuestion()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, journal(1));
    taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("JN03RA"), 0, {}, {}, {},
                 QStringLiteral("Jean"), QString(), QString()});

    // The operator takes his time over the directory question: the QSO ends when the record
    // is made, after the answer, not when the button was pressed.
    QStringList questions;
    plateforme::installerRepondeur([&](const QString& t, plateforme::Boutons b, plateforme::Icone) {
        questions << t;
        if (b != plateforme::Boutons::OuiNon)
            return plateforme::Reponse::Ok;
        env.fixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(14, 52, 40), Qt::UTC), 3600);
        return plateforme::Reponse::Oui;
    });
    env.fixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(14, 41, 0), Qt::UTC), 3600);
    c.Enregistrer->click();

    QCOMPARE(questions.size(), 1);
    QVERIFY(questions.at(0).startsWith(QStringLiteral("Remplacer F1ABC")));
    const QStringList lignes = test::lignesJournal(env, Station);
    QCOMPARE(lignes.size(), 2);
    QCOMPARE(lignes[1].mid(22, 12), QStringLiteral("14:35  14:52"));
    QCOMPARE(Prog().Ligne_En_Cours, lignes[1]);
}

void TestEnregistrer::carnetPlein()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 4, true);
    // A log of 99,999 QSOs, all that five columns number: said once, as it is loaded.
    test::ecrireOctets(env.chemin(Station + QStringLiteral(".log")),
                       test::enAnsi(QStringList(station::NombreMaxQSO, test::ligneQSO("01/01/24", "G0AAA", "10:00"))));
    Charge_Liste_QSO(Station);
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Le carnet contient deja 99999 QSO, le maximum qu'il peut "
                                                      "numeroter.\r\nAucun nouveau QSO ne peut y être enregistré.")});
    taperQSO(c, {QStringLiteral("DL1ABC"), {}, {}, 0, {}, {}, {}, QString(), QString(), QString()});
    const auto avant = test::instantane(env.dossier());
    env.oublierMessages();
    c.Enregistrer->click();

    QCOMPARE(env.textes(), QStringList{QStringLiteral("Le carnet contient deja 99999 QSO, le maximum qu'il peut "
                                                      "numeroter.\r\nLe QSO n'est pas enregistré.")});
    QCOMPARE(c.Liste_QSO->count(), station::NombreMaxQSO);
    QVERIFY(test::instantane(env.dossier()) == avant);
}

// A log longer than the list shows: the saved QSO is selected and in sight at once, and a
// click or a key on the scrolled list picks the line it aims at.
void TestEnregistrer::listeLongueSuivie()
{
    test::Environnement env;
    Carnet& c = demarrer(env, 10, true, journal(300));
    auto* liste = c.Liste_QSO;
    QVERIFY(liste->isVisible());
    QCoreApplication::processEvents();
    taperQSO(c, {QStringLiteral("F1ABC"), QStringLiteral("31"), QStringLiteral("IO91WM"), 0, {}, {}, {},
                 QStringLiteral("Jean"), {}, {}});
    c.Enregistrer->click();
    QCOMPARE(liste->count(), 301);
    QCOMPARE(liste->currentRow(), 300);
    const QRect vue = liste->viewport()->rect();
    const auto enVue = [&](int rang) {
        const QRect r = liste->visualRect(liste->model()->index(rang, 0));
        return r.top() >= vue.top() && r.bottom() <= vue.bottom();
    };
    QVERIFY(enVue(300));
    QCOMPARE(liste->verticalScrollBar()->value(), liste->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    QVERIFY(enVue(300));
    // Scrolled to its end, the list shows its top row whole.
    QCOMPARE(liste->visualRect(liste->indexAt(QPoint(1, 0))).top(), 0);
    QVERIFY(!vue.intersects(liste->visualRect(liste->model()->index(0, 0))));

    const QRect ligne = liste->visualRect(liste->model()->index(297, 0));
    QCOMPARE(liste->visualRect(liste->model()->index(298, 0)).top(), ligne.bottom() + 1);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, ligne.center());
    QCOMPARE(liste->currentRow(), 297);
    QCOMPARE(Prog().Ligne_Selectionnee, liste->modele()->item(297));
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, QPoint(ligne.center().x(), ligne.bottom() + 1));
    QCOMPARE(liste->currentRow(), 298);
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_Up);
    QCOMPARE(liste->currentRow(), 297);
    QTest::keyClick(liste, Qt::Key_Home);
    QCOMPARE(liste->currentRow(), 0);
    QVERIFY(enVue(0));
    QCOMPARE(Prog().Ligne_Selectionnee, liste->modele()->item(0));
    // The keys of a list box: End to the last line, Tab out of the list without moving in it.
    QTest::keyClick(liste, Qt::Key_End);
    QCOMPARE(liste->currentRow(), 300);
    QVERIFY(enVue(300));
    QVERIFY(liste->hasFocus());
    const QImage avecFocus = liste->viewport()->grab().toImage();
    QTest::keyClick(liste, Qt::Key_Tab);
    QCOMPARE(liste->currentRow(), 300);
    QCOMPARE(Prog().Ligne_Selectionnee, liste->modele()->item(300));
    QTRY_VERIFY(!liste->hasFocus());
    // The focus is seen on the current row: a clear change of colour along its whole width.
    const QImage sansFocus = liste->viewport()->grab().toImage();
    const QRect courante = liste->visualRect(liste->modele()->index(300)).intersected(liste->viewport()->rect());
    const qreal echelle = avecFocus.devicePixelRatio();
    int pixelsChanges = 0;
    for (int y = int(courante.top() * echelle); y <= int(courante.bottom() * echelle); ++y) {
        for (int x = 0; x < avecFocus.width(); ++x) {
            const QColor a = avecFocus.pixelColor(x, y);
            const QColor b = sansFocus.pixelColor(x, y);
            if (std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())}) >= 100)
                ++pixelsChanges;
        }
    }
    QVERIFY2(pixelsChanges >= 2 * avecFocus.width(), qPrintable(QString::number(pixelsChanges)));
}

QTEST_MAIN(TestEnregistrer)
#include "tst_enregistrer.moc"
