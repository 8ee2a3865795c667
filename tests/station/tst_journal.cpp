// The log store on real files: placement of a date-order insert, renumbering, rewrites,
// loading into the main window's list, and Windows-1252 text kept byte for byte.
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "station/Chargement.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"
#include "station/Variables_Programme.h"

#include <QAbstractItemModelTester>
#include <QGroupBox>
#include <QSignalSpy>
#include <QListWidget>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QTest>

using namespace station;

namespace {

QString qso(const QString& date, const QString& heure, const QString& indicatif)
{
    return test::ligneQSO(date, indicatif, heure);
}

// The items the list shows for `lignes`: numbered from 1, each line kept whole.
QStringList items(const QStringList& lignes)
{
    QStringList its;
    for (const QString& l : lignes)
        its << itemListe(int(its.size()) + 1, l);
    return its;
}

// A list of QSOs on its own, made of `lignes`; its changes go to no file.
struct Liste {
    Modele_Liste_QSO m;
    explicit Liste(const QStringList& lignes) { m.charger(Lignes_Journal::depuis(test::enAnsi(lignes))); }
    static void nulle(const QList<QByteArrayView>&) {}
    // The items once `ligne` is inserted by date; `position` receives its row.
    QStringList inserer(const QString& ligne, int* position = nullptr)
    {
        const int rang = rangParDate(m, ligne);
        if (position)
            *position = rang;
        m.inserer(rang, ligne, nulle);
        return m.items();
    }
    // The items once the row showing `ancien` shows `nouveau`, when one does.
    QStringList remplacer(const QString& ancien, const QString& nouveau)
    {
        if (const int rang = m.rangItem(ancien); rang >= 0)
            m.remplacer(rang, QStringView(nouveau).mid(DecalageListe), nulle);
        return m.items();
    }
    QStringList supprimer(int rang)
    {
        m.supprimer(rang, nulle);
        return m.items();
    }
};

QStringList indicatifs(const QStringList& its)
{
    QStringList l;
    for (const QString& i : its)
        l << lireChamp(ligneDeItem(i), Champ::Indicatif_QSO);
    return l;
}


// Line `i` of a full log, as bytes: dated records in order, with every kind of line a load
// takes in among them (every 8-bit byte, an empty line, a short one, a long one).
QByteArray ligneVariee(int i)
{
    const QDate jour = QDate(2000, 1, 1).addDays(i / 40);
    QByteArray l = plateforme::versAnsi(test::ligneQSO(jour.toString(QStringLiteral("dd/MM/yy")),
                                                       QStringLiteral("F%1AB").arg(i % 97),
                                                       QStringLiteral("%1:%2").arg(i % 40 / 4 + 10).arg(i % 4 * 15, 2, 10, QLatin1Char('0'))));
    switch (i % 1000) {
    case 7:
        for (int b = 0x80; b <= 0xFF; ++b)
            l[60 + (b - 0x80)] = char(b);
        break;
    case 8:
        return QByteArray();
    case 9:
        return l.left(40);
    case 10:
        return l + QByteArray(60, '\xE9');
    }
    return l;
}

// The items of a log as the list used to make them: the whole text decoded, then split.
QStringList itemsDuTexte(const QByteArray& octets)
{
    return items(plateforme::decouperLignes(plateforme::depuisAnsi(octets)));
}

QByteArray avecFinsCRLF(const QList<QByteArray>& lignes)
{
    QByteArray o;
    for (const QByteArray& l : lignes)
        o += l + "\r\n";
    return o;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placementParDate()
    {
        const QStringList log = {qso("01/01/26", "10:00", "A1"), qso("02/01/26", "10:00", "B2"),
                                 qso("02/01/26", "10:00", "C3"), qso("03/01/26", "08:00", "D4")};
        int pos = -1;
        // Same date and start time as QSOs 2 and 3: the new one comes first.
        QStringList r = Liste(log).inserer(qso("02/01/26", "10:00", "NEW"), &pos);
        QCOMPARE(pos, 1);
        QCOMPARE(indicatifs(r), QStringList({"A1", "NEW", "B2", "C3", "D4"}));
        QCOMPARE(r.at(2).left(6), QStringLiteral("    3 "));
        // Later than everything: last, numbers unchanged before it.
        r = Liste(log).inserer(qso("04/01/26", "00:00", "NEW"), &pos);
        QCOMPARE(pos, 4);
        QCOMPARE(indicatifs(r).last(), QStringLiteral("NEW"));
        QCOMPARE(numeroDeItem(r.last()), 5);
        // Into an empty log.
        r = Liste({}).inserer(qso("04/01/26", "00:00", "NEW"), &pos);
        QCOMPARE(r, QStringList({itemListe(1, qso("04/01/26", "00:00", "NEW"))}));
        // Start time counts within a day.
        r = Liste(log).inserer(qso("03/01/26", "07:59", "NEW"));
        QCOMPARE(indicatifs(r), QStringList({"A1", "B2", "C3", "NEW", "D4"}));
    }

    void siecle()
    {
        // 31/12/99 is 1999, before 01/01/00 (2000); 50 is 1950, 49 is 2049.
        QVERIFY(cleDate(qso("31/12/99", "23:59", "X")) < cleDate(qso("01/01/00", "00:00", "X")));
        QVERIFY(cleDate(qso("01/01/50", "00:00", "X")) < cleDate(qso("01/01/99", "00:00", "X")));
        QVERIFY(cleDate(qso("31/12/49", "00:00", "X")) > cleDate(qso("01/01/00", "00:00", "X")));
        QVERIFY(cleDate(qso("31/12/49", "00:00", "X")) > cleDate(qso("01/01/99", "00:00", "X")));
        // Day/month order, whatever the regional settings.
        QVERIFY(cleDate(qso("02/01/26", "00:00", "X")) < cleDate(qso("01/02/26", "00:00", "X")));
        QCOMPARE(cleDate(QStringLiteral("xx/01/26")), qint64(-1));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Liste({}).inserer(QStringLiteral("pas de date")));
    }

    void renumerotationEtPadding()
    {
        QStringList lignes;
        for (int i = 1; i <= 12; ++i)
            lignes << qso(QStringLiteral("%1/01/26").arg(i, 2, 10, QLatin1Char('0')), "10:00", QStringLiteral("C%1").arg(i));
        // Insert as QSO 9: the old 9 becomes "   10 " and every record still starts in column 7.
        const QStringList r = Liste(lignes).inserer(qso("09/01/26", "09:00", "NEW"));
        QCOMPARE(r.size(), 13);
        QCOMPARE(r.at(8).left(6), QStringLiteral("    9 "));
        QCOMPARE(indicatifs(r).at(8), QStringLiteral("NEW"));
        QCOMPARE(r.at(9).left(6), QStringLiteral("   10 "));
        QCOMPARE(indicatifs(r).at(9), QStringLiteral("C9"));
        for (const QString& i : r)
            QCOMPARE(i.at(8), QLatin1Char('/'));
        // Past 99 the number takes three columns.
        QStringList cent;
        for (int i = 0; i < 100; ++i)
            cent << qso("01/01/26", "10:00", "X");
        QCOMPARE(Liste(cent).m.item(99).left(6), QStringLiteral("  100 "));
    }

    void remplacementEtSuppression()
    {
        const QStringList lignes = {qso("01/01/26", "10:00", "A1"), qso("02/01/26", "10:00", "B2"),
                                    qso("03/01/26", "10:00", "C3")};
        const QStringList log = items(lignes);
        // An old item no longer in the list: nothing changes.
        QCOMPARE(Liste(lignes).remplacer(QStringLiteral("absent"), QStringLiteral("x")), log);
        const QString nouveau = itemListe(2, qso("02/01/26", "11:00", "B2"));
        QCOMPARE(Liste(lignes).remplacer(log.at(1), nouveau).at(1), nouveau);
        // Delete of the last item: the others keep their numbers.
        QStringList r = Liste(lignes).supprimer(2);
        QCOMPARE(r, log.mid(0, 2));
        // Delete in the middle renumbers.
        r = Liste(lignes).supprimer(0);
        QCOMPARE(indicatifs(r), QStringList({"B2", "C3"}));
        QCOMPARE(numeroDeItem(r.at(0)), 1);
    }

    // The list keeps the contract of Qt's models, as a proxy or an accessibility layer reads
    // it: at each about-to signal the rows are still the old ones, after the signal the new ones;
    // a row moved by an insert or a delete keeps its data (its number is the row's); a write
    // that fails sends no signal and changes nothing.
    void contratDuModele()
    {
        Modele_Liste_QSO m;
        const QAbstractItemModelTester testeur(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
        const auto lignesVues = [&m] {
            QStringList l;
            for (int i = 0; i < m.rowCount(); ++i)
                l << m.data(m.index(i)).toString();
            return l;
        };
        QStringList avantSignal, apresSignal;
        for (auto signal : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved})
            QObject::connect(&m, signal, &m, [&] { avantSignal = lignesVues(); });
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            QObject::connect(&m, signal, &m, [&] { apresSignal = lignesVues(); });
        QByteArray ecrit;
        const auto ecrire = [&ecrit](const QList<QByteArrayView>& morceaux) {
            ecrit.clear();
            for (const QByteArrayView& morceau : morceaux)
                ecrit += morceau.toByteArray();
        };
        const auto echouer = [](const QList<QByteArrayView>&) { throw plateforme::ErreurFichier("F5ABC.log", 61, "disque plein"); };
        QStringList lignes = {qso("01/01/26", "10:00", "A1"), qso("03/01/26", "10:00", "C3"), qso("04/01/26", "10:00", "D4")};
        const auto verifier = [&](const QStringList& avant) {
            QCOMPARE(avantSignal, avant);
            QCOMPARE(apresSignal, lignes);
            QCOMPARE(lignesVues(), lignes);
            QCOMPARE(m.items(), items(lignes));
        };

        m.charger(Lignes_Journal::depuis(test::enAnsi(lignes)));
        QCOMPARE(lignesVues(), lignes);
        QStringList avant = lignes;
        m.ajouter(lignes.emplaceBack(qso("05/01/26", "10:00", "E5")));
        verifier(avant);
        avant = lignes;
        const QString insere = qso("02/01/26", "10:00", "B2");
        m.inserer(rangParDate(m, insere), insere, ecrire);
        lignes.insert(1, insere);
        verifier(avant);
        QCOMPARE(ecrit, test::enAnsi(lignes));
        QSignalSpy change(&m, &QAbstractItemModel::dataChanged);
        avant = lignes;
        m.remplacer(2, lignes[2] = qso("03/01/26", "11:00", "Ç3"), ecrire);
        QCOMPARE(change.size(), 1);
        QCOMPARE(change.at(0).at(0).toModelIndex().row(), 2);
        QCOMPARE(change.at(0).at(1).toModelIndex().row(), 2);
        QCOMPARE(lignesVues(), lignes);
        QCOMPARE(ecrit, test::enAnsi(lignes));
        for (const int rang : {0, 1, 2}) {  // the first, one in the middle, the last
            avant = lignes;
            const int vise = rang == 2 ? int(lignes.size()) - 1 : rang;
            m.supprimer(vise, ecrire);
            lignes.removeAt(vise);
            verifier(avant);
            QCOMPARE(ecrit, test::enAnsi(lignes));
        }

        QSignalSpy tous(&m, &QAbstractItemModel::rowsAboutToBeInserted);
        QSignalSpy retraits(&m, &QAbstractItemModel::rowsAboutToBeRemoved);
        const QByteArray octets = m.octets();
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, m.inserer(0, insere, echouer));
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, m.supprimer(0, echouer));
        QCOMPARE(tous.size() + retraits.size() + change.size(), 1);
        QCOMPARE(m.octets(), octets);
        QCOMPARE(m.items(), items(lignes));
        m.charger(Lignes_Journal::depuis(test::enAnsi(lignes + lignes)));
        QCOMPARE(lignesVues(), lignes + lignes);
    }

    void reecritureEtLignesIrregulieres()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        const QString normale = qso("01/01/26", "10:00", "A1");
        const QString courte = QStringLiteral("01/01/26  COURTE");
        const QString longue = qso("02/01/26", "10:00", "B2") + QStringLiteral("EN TROP");
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi({normale, courte, longue}));
        Charge_Liste_QSO("F5ABC");
        const QStringList lu = test::elements(c.Liste_QSO);
        QCOMPARE(ligneDeItem(lu.at(1)), courte);
        QCOMPARE(lu.at(2).mid(6), longue);  // the item keeps the whole line
        Prog().Numero_QSO_Modifie = 3;
        Remplace_QSO(lu.at(2), lu.at(2));
        // The rewrite writes each line whole from column 7: long and short lines are kept.
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi({normale, courte, longue}));
        // So does a rewrite that renumbers them (an insert before them).
        const QString avant = qso("01/01/26", "09:00", "Z0");
        Insere_QSO_Date(avant);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi({avant, normale, courte, longue}));
    }

    void accentsEtEuroOctetPourOctet()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        const QString avecAccents = test::ligneQSO("05/05/25", "F1AAA", "12:00", "144 Mhz", QStringLiteral("Hélène €œ"));
        const QByteArray octets = test::enAnsi({avecAccents, qso("06/05/25", "12:00", "F2BBB")});
        QVERIFY(octets.contains("\xE9"));  // é
        QVERIFY(octets.contains("\x80"));  // €
        QVERIFY(octets.contains("\x9C"));  // œ
        test::ecrireOctets(env.chemin("F5ABC.log"), octets);

        Charge_Liste_QSO("F5ABC");
        QCOMPARE(c.Liste_QSO->count(), 2);
        QCOMPARE(Prog().Nombre_QSO, 2);
        QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 3"));
        QCOMPARE(lireChamp(ligneDeItem(c.Modele_QSO->item(0)), Champ::Prenom_QSO), QStringLiteral("Hélène €œ"));

        // Insert, which rewrites the whole log: the accented record is unchanged on disk.
        Insere_QSO_Date(qso("01/01/20", "00:00", "F3CCC"));
        const QByteArray apres = test::lireOctets(env.chemin("F5ABC.log"));
        QCOMPARE(apres, test::enAnsi({qso("01/01/20", "00:00", "F3CCC"), avecAccents, qso("06/05/25", "12:00", "F2BBB")}));
        QCOMPARE(apres.size() % 201, 0);
        QCOMPARE(c.Liste_QSO->count(), 3);
        QVERIFY(c.Liste_QSO->isVisibleTo(&c) || !c.isVisible());
        QCOMPARE(c.Liste_QSO->currentRow(), -1);  // nothing selected after a rebuild
    }

    void fenetreDeChargement()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        // A log long enough to be seen loading.
        QStringList lignes;
        for (int i = 0; i < 5000; ++i)
            lignes << qso("01/01/26", "10:00", QStringLiteral("A%1").arg(i));
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes));
        c.show();
        // Looked at from inside the load, while it yields to the event loop.
        bool vu = false;
        QTimer::singleShot(0, [&] {
            vu = true;
            QWidget* chargement = test::fenetre(QStringLiteral("Chargement"));
            QVERIFY(chargement);
            QVERIFY(chargement->isVisible());
            QCOMPARE(chargement->windowTitle(), QStringLiteral("Velmarin"));
            auto* label = chargement->findChild<QLabel*>(QStringLiteral("Label1"));
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("Chargement Fichier"));
            // The main window stays on screen beneath it.
            QVERIFY(c.isVisible());
        });
        Charge_Liste_QSO("F5ABC");
        QVERIFY(vu);
        QVERIFY(c.isVisible());
        QVERIFY(!test::fenetre(QStringLiteral("Chargement"))->isVisible());
        QCOMPARE(c.Liste_QSO->count(), 5000);
        QCOMPARE(c.Liste_QSO->currentRow(), -1);

        // A short log loads at once: no window comes and goes, the main window never leaves.
        Chargement::detruireInstance();
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes.mid(0, 2)));
        bool cache = false;
        struct Guetteur : QObject {
            bool* cache;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Hide)
                    *cache = true;
                return false;
            }
        } guetteur;
        guetteur.cache = &cache;
        c.installEventFilter(&guetteur);
        Charge_Liste_QSO("F5ABC");
        c.removeEventFilter(&guetteur);
        QVERIFY(!cache);
        QVERIFY(!test::fenetre(QStringLiteral("Chargement")));
        QCOMPARE(c.Liste_QSO->count(), 2);
    }

    void chargementVideEtAjout()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        test::ecrireOctets(env.chemin("F5ABC.log"), QByteArray());
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(c.Liste_QSO->count(), 0);
        QCOMPARE(Prog().Nombre_QSO, 0);
        QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 1"));

        // The append names the log without regard to case: one file.
        const QString l = qso("01/01/26", "10:00", "A1");
        Ajoute_QSO_Log(l);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi({l}));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")).size(), 201);
    }

    void enregistrementInterrompuMisDeCote()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        const QStringList lignes = {qso("01/01/26", "10:00", "A1"), qso("02/01/26", "10:00", "B2")};
        const QString coupe = qso("03/01/26", "10:00", "Hélène").left(120);
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes) + plateforme::versAnsi(coupe));
        Charge_Liste_QSO("F5ABC");
        // The start of the record leaves the log for the side file, and the operator is told where.
        QCOMPARE(test::elements(c.Liste_QSO), items(lignes));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi(lignes));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_QSO_Incomplets.txt")), test::enAnsi({coupe}));
        QCOMPARE(env.textes().size(), 1);
        QVERIFY(env.textes().at(0).contains(QStringLiteral("« F5ABC_QSO_Incomplets.txt »")));
        QVERIFY(env.textes().at(0).contains(QStringLiteral("« F5ABC.log »")));
        // The next save starts a line of its own; the next load has nothing to say.
        const QString suivant = qso("04/01/26", "10:00", "D4");
        Ajoute_QSO_Log(suivant);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi(lignes + QStringList{suivant}));
        env.oublierMessages();
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(c.Liste_QSO->count(), 3);
        QVERIFY(env.messages.empty());

        // A whole record without its line end stays in the log.
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes) + plateforme::versAnsi(suivant));
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(c.Liste_QSO->count(), 3);
        QVERIFY(env.messages.empty());
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_QSO_Incomplets.txt")), test::enAnsi({coupe}));

        // No room for the side file: the start of the record stays at the end of the list and
        // of the log, and the operator is told so.
        QVERIFY(QFile::remove(env.chemin("F5ABC_QSO_Incomplets.txt")));
        QVERIFY(QDir(env.dossier()).mkdir("F5ABC_QSO_Incomplets.txt"));
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes) + plateforme::versAnsi(coupe));
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(c.Liste_QSO->count(), 3);
        QCOMPARE(c.Modele_QSO->item(2), itemListe(3, coupe));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi(lignes) + plateforme::versAnsi(coupe));
        QCOMPARE(env.textes().size(), 1);
        QVERIFY(env.textes().at(0).contains(QStringLiteral("n'a pas pu être mis de côté")));
    }

    void supprimeEtRemplaceSurLaListe()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        const QStringList lignes = {qso("01/01/26", "10:00", "A1"), qso("02/01/26", "10:00", "B2"),
                                    qso("03/01/26", "10:00", "C3")};
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes));
        Charge_Liste_QSO("F5ABC");

        const QString ancien = c.Modele_QSO->item(1);
        const QString nouveau = itemListe(2, qso("02/01/26", "10:30", "B2"));
        Prog().Numero_QSO_Modifie = 2;
        Remplace_QSO(ancien, nouveau);
        QCOMPARE(c.Modele_QSO->item(1), nouveau);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")),
                 test::enAnsi({lignes.at(0), qso("02/01/26", "10:30", "B2"), lignes.at(2)}));

        c.Liste_QSO->setCurrentRow(0);
        Supprime_QSO();
        QCOMPARE(test::elements(c.Liste_QSO), items({qso("02/01/26", "10:30", "B2"), lignes.at(2)}));
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), test::enAnsi({qso("02/01/26", "10:30", "B2"), lignes.at(2)}));
    }

    // A full log with every kind of line: the list shows for each row the item the decoded
    // text gives, and an insert, a replace and a delete write back every other line byte for
    // byte (each line ended by CR LF, whatever end it had).
    void listePleineOctetPourOctet()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        QList<QByteArray> lignes;
        QByteArray fichier;
        for (int i = 0; i < NombreMaxQSO; ++i) {
            lignes << ligneVariee(i);
            fichier += lignes.last() + (i % 500 == 3 ? "\n" : i % 500 == 4 ? "\r" : "\r\n");
        }
        const QByteArray coupe = plateforme::versAnsi(qso("01/01/26", "10:00", "Hélène").left(120));
        test::ecrireOctets(env.chemin("F5ABC.log"), fichier + coupe);
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(test::lireOctets(env.chemin("F5ABC_QSO_Incomplets.txt")), coupe + "\r\n");
        QCOMPARE(c.Liste_QSO->count(), NombreMaxQSO);
        QCOMPARE(test::elements(c.Liste_QSO), itemsDuTexte(fichier));
        // The model gives the record; its number is the row's.
        QCOMPARE(c.Modele_QSO->data(c.Modele_QSO->index(7)).toString(), plateforme::depuisAnsi(lignes.at(7)));
        // Loaded again, the torn record gone: the same rows.
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), fichier);
        Charge_Liste_QSO("F5ABC");
        QCOMPARE(test::elements(c.Liste_QSO), itemsDuTexte(fichier));

        // A row edited through the list.
        const QString nouveau = qso("03/01/00", "10:15", "Œdipe €");
        Prog().Numero_QSO_Modifie = 81;
        Remplace_QSO(c.Modele_QSO->item(80), itemListe(81, nouveau));
        lignes[80] = plateforme::versAnsi(nouveau);
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), avecFinsCRLF(lignes));
        QCOMPARE(c.Modele_QSO->item(80), itemListe(81, nouveau));

        c.Liste_QSO->setCurrentRow(NombreMaxQSO - 1);
        Supprime_QSO();
        lignes.removeLast();
        const QString insere = qso("01/01/00", "10:20", "F9ZZZ");
        Insere_QSO_Date(insere);
        lignes.insert(2, plateforme::versAnsi(insere));
        const QByteArray ecrit = test::lireOctets(env.chemin("F5ABC.log"));
        QCOMPARE(ecrit, avecFinsCRLF(lignes));
        QCOMPARE(test::elements(c.Liste_QSO), itemsDuTexte(ecrit));
        QCOMPARE(c.Modele_QSO->octets(), ecrit);
    }

    void echecDEcritureNeChangeRien()
    {
        test::Environnement env(false);
        Prog().Indicatif_Station = QStringLiteral("F5ABC");
        Carnet& c = Carnet::instance();
        const QStringList lignes = {qso("01/01/26", "10:00", "A1"), qso("02/01/26", "10:00", "B2")};
        test::ecrireOctets(env.chemin("F5ABC.log"), test::enAnsi(lignes));
        Charge_Liste_QSO("F5ABC");
        const QStringList avant = test::elements(c.Liste_QSO);
        // A folder in the way of the log: the rewrite cannot replace it.
        QFile::remove(env.chemin("F5ABC.log"));
        QVERIFY(QDir(env.dossier()).mkdir("F5ABC.log"));
        c.Liste_QSO->setCurrentRow(0);
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Supprime_QSO());
        QCOMPARE(test::elements(c.Liste_QSO), avant);
        // Loading a missing log leaves the list as it was.
        QVERIFY_THROWS_EXCEPTION(plateforme::ErreurFichier, Charge_Liste_QSO("ABSENT"));
        QCOMPARE(test::elements(c.Liste_QSO), avant);
    }
};

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
