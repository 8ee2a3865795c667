// Recall, edit, cancel and delete of a QSO through the real window and its QSO list.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QString Station = test::StationTest{}.indicatif;

// Station F5XYZ in JN03TJ on 14 MHz with that log, its options and directory left as installed.
Carnet& demarrer(test::Environnement& env, const QStringList& journal)
{
    test::StationTest s;
    s.bande = 4;
    s.dateAuto = s.utc = s.separateurs = std::nullopt;
    s.nomenclature = std::nullopt;
    s.journal = journal;
    return test::demarrerStation(env, s);
}

QString qso(const QString& date, const QString& indicatif, const QString& bande, const QString& departement,
            const QString& locator, const QString& etat, const QString& envoyee, const QString& recue)
{
    station::Ligne_QSO l;
    l.Date_QSO = date;
    l.Indicatif_QSO = indicatif;
    l.Heure_Debut = QStringLiteral("11:00");
    l.Heure_Fin = QStringLiteral("11:05");
    l.Departement_QSO = departement;
    l.Locator_QSO = locator;
    l.Bande_QSO = bande;
    l.Mode_QSO = QStringLiteral("CW");
    l.RST_Envoye = QStringLiteral("599");
    l.RST_Recu = QStringLiteral("579");
    l.QTH_QSO = QStringLiteral("TOULOUSE");
    l.Prenom_QSO = QStringLiteral("Jean");
    l.Etat_QSL = etat;
    l.Date_QSL_Envoyee = envoyee;
    l.Date_QSL_Recue = recue;
    l.Distance_QSO = QStringLiteral("914");
    l.Azimut_QSO = QStringLiteral("352");
    l.Numero_Activite = QStringLiteral("1");
    l.Remarques_QSO = QStringLiteral("C. TEST");
    return l.texte();
}

// G4ABC on HF (QSL 1), F1ABC on 144 MHz (QSL 4 with both dates), F2XYZ in the station's own
// square (QSL 2).
QStringList journalType()
{
    return {qso("01/03/24", "G4ABC", "14 Mhz", "", "", "1", "", ""),
            qso("02/03/24", "F1ABC", "144 Mhz", "31", "IO91WM", "4", "05/03/24", "20/03/24"),
            qso("03/03/24", "F2XYZ", "144 Mhz", "31", "JN03TJ", "2", "06/03/24", "")};
}

QRect rectangle(Carnet& c, int rang)
{
    return c.Liste_QSO->visualRect(c.Modele_QSO->index(rang));
}

void cliquer(Carnet& c, int rang)
{
    QTest::mouseClick(c.Liste_QSO->viewport(), Qt::LeftButton, {}, rectangle(c, rang).center());
}

void doubleCliquer(Carnet& c, int rang)
{
    cliquer(c, rang);
    QTest::mouseDClick(c.Liste_QSO->viewport(), Qt::LeftButton, {}, rectangle(c, rang).center());
}

QList<QByteArray> fichiersEtat(test::Environnement& env)
{
    QList<QByteArray> l;
    for (const char* f : {"F5XYZ_Departement.txt", "F5XYZ_Locator.txt", "F5XYZ_Prefixe.txt", "Nomenclature.txt"})
        l << test::lireOctets(env.chemin(QString::fromLatin1(f)));
    return l;
}

} // namespace

class TestEdition : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rappel();
    void editionGardeQSLEtDates();
    void editionNeSuitPasUnSimpleClic();
    void locatorEdite();
    void editionRefuseeAvecUnSeulQSO();
    void annulation();
    void effacement();
    void effacementImpossible();
};

void TestEdition::rappel()
{
    test::Environnement env;
    Carnet& c = demarrer(env, journalType());

    doubleCliquer(c, 1);
    QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(2, journalType()[1]));
    QCOMPARE(Prog().Numero_QSO_Modifie, 2);
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 2"));
    QVERIFY(c.Editer->isEnabled());
    QVERIFY(c.Effacer->isEnabled());
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    QVERIFY(!c.Indicatif_A->isEnabled());
    QVERIFY(!c.Bande_A->isEnabled());
    QCOMPARE(c.Depart_A->text(), QStringLiteral("31"));
    QCOMPARE(c.Locator_A->text(), QStringLiteral("IO91WM"));
    QCOMPARE(c.Bande_A->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(c.Mode_A->currentText(), QStringLiteral("CW"));
    QCOMPARE(c.Date_A->text(), QStringLiteral("02/03/24"));
    QCOMPARE(c.Debut_A->text(), QStringLiteral("11:00"));
    QCOMPARE(c.Fin_A->text(), QStringLiteral("11:05"));
    QCOMPARE(c.RSTE_A->text(), QStringLiteral("599"));
    QCOMPARE(c.RSTR_A->text(), QStringLiteral("579"));
    QCOMPARE(c.Prenom_A->text(), QStringLiteral("Jean"));
    QVERIFY(!c.Prenom_A->isEnabled());
    QCOMPARE(c.QTH_A->text(), QStringLiteral("TOULOUSE"));
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("C. TEST"));
    QVERIFY(!c.Remarques_A->isEnabled());
    QCOMPARE(c.QSLE_A->text(), QStringLiteral("X"));
    QCOMPARE(c.QSLR_A->text(), QStringLiteral("X"));
    // Distance and bearing are computed again, not read from the record.
    QCOMPARE(c.Distance_A->text(), QStringLiteral("914"));
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("352"));
    // A recall is not an edit.
    QVERIFY(!Prog().Edition_En_Cours);
    QVERIFY(!c.Enregistrer->isEnabled());

    // QSL 2 in the station's own square: only the sent mark (the earlier received mark is
    // cleared), no bearing, distance 0.
    doubleCliquer(c, 2);
    QCOMPARE(c.QSLE_A->text(), QStringLiteral("X"));
    QCOMPARE(c.QSLR_A->text(), QString());
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("?"));
    QCOMPARE(c.Distance_A->text(), QStringLiteral("0"));

    // HF without locator: "?" for both, no marks.
    doubleCliquer(c, 0);
    QCOMPARE(c.Locator_A->text(), QString());
    QCOMPARE(c.Azimut_A->text(), QStringLiteral("?"));
    QCOMPARE(c.Distance_A->text(), QStringLiteral("?"));
    QCOMPARE(c.QSLE_A->text(), QString());
    QCOMPARE(c.QSLR_A->text(), QString());
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 1"));

    // A single click only selects.
    cliquer(c, 2);
    QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(3, journalType()[2]));
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("G4ABC"));
    QVERIFY(env.messages.empty());

    // A click or a double click on the empty part below the last row changes nothing: the
    // recalled QSO stays selected, and can be edited.
    doubleCliquer(c, 1);
    const QPoint vide(rectangle(c, 2).center().x(), rectangle(c, 2).bottom() + 4);
    QVERIFY(c.Liste_QSO->viewport()->rect().contains(vide));
    QTest::mouseClick(c.Liste_QSO->viewport(), Qt::LeftButton, {}, vide);
    QTest::mouseDClick(c.Liste_QSO->viewport(), Qt::LeftButton, {}, vide);
    QCOMPARE(c.Liste_QSO->rangSelectionne(), 1);
    QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(2, journalType()[1]));
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    QVERIFY(c.Editer->isEnabled() && c.Effacer->isEnabled());
    c.Editer->click();
    QVERIFY(env.messages.empty());
    QVERIFY(Prog().Edition_En_Cours);
}

void TestEdition::editionGardeQSLEtDates()
{
    test::Environnement env;
    const QStringList avant = journalType();
    Carnet& c = demarrer(env, avant);
    const QList<QByteArray> etatsAvant = fichiersEtat(env);

    doubleCliquer(c, 1);
    QTest::mouseClick(c.Editer, Qt::LeftButton);
    QVERIFY(Prog().Edition_En_Cours);
    // The keys go to the callsign, not on past the button the edit disabled.
    QVERIFY(test::aLeFocus(c, c.Indicatif_A));
    QCOMPARE(c.Enregistrer->text(), QStringLiteral("Valider"));
    QVERIFY(c.Enregistrer->isEnabled());
    QVERIFY(!c.Editer->isEnabled());
    QVERIFY(!c.Effacer->isEnabled());
    QVERIFY(!c.Gestion_QSL->isEnabled());
    for (QWidget* w : {static_cast<QWidget*>(c.Indicatif_A), static_cast<QWidget*>(c.Prenom_A),
                       static_cast<QWidget*>(c.QTH_A), static_cast<QWidget*>(c.Remarques_A),
                       static_cast<QWidget*>(c.Activ_A), static_cast<QWidget*>(c.Bande_A)})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!c.QSLE_A->isEnabled());
    QCOMPARE(c.QSLE_A->text(), QStringLiteral("X"));
    QCOMPARE(c.Activ_A->currentText(), QStringLiteral("DFCF"));
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 2"));

    // The operator corrects the first name and the remarks, then validates.
    c.Prenom_A->clear();
    test::taper(c.Prenom_A, QStringLiteral("Jean-Luc"));
    test::entree(c.Prenom_A);  // Enter checks nothing while editing
    c.Remarques_A->clear();
    test::taper(c.Remarques_A, QStringLiteral("c. chateau"));
    QTest::mouseClick(c.Enregistrer, Qt::LeftButton);

    QString attendu = avant[1];
    attendu.replace(110, 15, QStringLiteral("Jean-Luc").leftJustified(15));
    attendu.replace(168, 30, QStringLiteral("C. CHATEAU").leftJustified(30));
    QCOMPARE(test::lignesJournal(env, Station), (QStringList{avant[0], attendu, avant[2]}));
    QCOMPARE(attendu.mid(134, 19), QStringLiteral("4 05/03/24 20/03/24"));
    QCOMPARE(c.Modele_QSO->item(1), QStringLiteral("    2 ") + attendu);
    QCOMPARE(c.Liste_QSO->currentRow(), 1);
    QCOMPARE(Prog().Ligne_Selectionnee, QStringLiteral("    2 ") + attendu);
    QVERIFY(env.messages.empty());

    // Nothing else: no award file, no directory, no count.
    QCOMPARE(fichiersEtat(env), etatsAvant);
    QCOMPARE(Prog().Nombre_QSO, 3);
    QCOMPARE(c.Liste_QSO->count(), 3);

    // Back to a new entry, captioned with its number.
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 4"));
    QVERIFY(!Prog().Edition_En_Cours);
    QCOMPARE(c.Enregistrer->text(), QStringLiteral("QSO Suivant"));
    QVERIFY(!c.Enregistrer->isEnabled());
    QVERIFY(c.Indicatif_A->isEnabled());
    QVERIFY(!c.Remarques_A->isEnabled());
    QVERIFY(!c.QSLE_A->isEnabled());
    QCOMPARE(c.QSLE_A->text(), QString());
    QCOMPARE(c.NB_Debug->text(), QStringLiteral("13"));
}

void TestEdition::editionNeSuitPasUnSimpleClic()
{
    test::Environnement env;
    const QStringList avant = journalType();
    Carnet& c = demarrer(env, avant);

    doubleCliquer(c, 1);
    c.Editer->click();
    c.Remarques_A->setText(QStringLiteral("CORRIGE"));
    // A click on another line while editing selects it, but "Valider" still replaces the QSO
    // loaded into the fields: the clicked QSO must not be overwritten.
    cliquer(c, 2);
    QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(3, avant[2]));
    c.Enregistrer->click();

    const QStringList apres = test::lignesJournal(env, Station);
    QCOMPARE(apres.size(), 3);
    QCOMPARE(apres[0], avant[0]);
    QCOMPARE(apres[1].mid(10, 12).trimmed(), QStringLiteral("F1ABC"));
    QCOMPARE(apres[1].mid(168, 30).trimmed(), QStringLiteral("CORRIGE"));
    QCOMPARE(apres[2], avant[2]);
    QCOMPARE(c.Modele_QSO->item(1).left(6), QStringLiteral("    2 "));
    QCOMPARE(c.Modele_QSO->item(2), station::itemListe(3, avant[2]));
}

// A locator changed under edit gets its own distance and bearing; one left as it was keeps
// the figures stored with the QSO; one that is not a locator, or an emptied callsign, is
// refused. No award square is marked.
void TestEdition::locatorEdite()
{
    test::Environnement env;
    QStringList avant = journalType();
    avant[1].replace(154, 10, QStringLiteral("123   45  "));  // figures of another station locator
    avant[2].replace(41, 6, QStringLiteral("      "));     // 144 MHz, no locator
    Carnet& c = demarrer(env, avant);
    const QList<QByteArray> etatsAvant = fichiersEtat(env);

    const auto editer = [&](int rang, const QString& locator) {
        doubleCliquer(c, rang);
        c.Editer->click();
        if (!locator.isNull()) {
            c.Locator_A->clear();
            test::saisir(c.Locator_A, locator);  // Enter checks nothing while editing
        }
        env.oublierMessages();
        c.Enregistrer->click();
    };
    // Only the remarks changed: the stored figures stay.
    editer(1, QString());
    QCOMPARE(test::lignesJournal(env, Station).value(1), avant[1]);
    // Moved to JN33AB; a station without locator given IN88AB.
    editer(1, QStringLiteral("jn33ab"));
    QString attendu = avant[1];
    attendu.replace(41, 6, QStringLiteral("JN33AB")).replace(154, 10, QStringLiteral("360   94  "));
    editer(2, QStringLiteral("IN88AB"));
    QString attendu2 = avant[2];
    attendu2.replace(41, 6, QStringLiteral("IN88AB")).replace(154, 10, QStringLiteral("676   322 "));
    QCOMPARE(test::lignesJournal(env, Station), (QStringList{avant[0], attendu, attendu2}));
    QVERIFY(env.messages.empty());

    // Not a locator: said, nothing written, the edit stays open.
    const QByteArray journalAvant = test::lireOctets(env.chemin(Station + QStringLiteral(".log")));
    editer(1, QStringLiteral("JN33"));
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention 6 caracteres pour le locator")});
    QVERIFY(Prog().Edition_En_Cours);
    QVERIFY(test::aLeFocus(c, c.Locator_A));
    c.Locator_A->setText(QStringLiteral("JN3XAB"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Erreur dans la saisie du locator")});
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral(".log"))), journalAvant);
    QCOMPARE(fichiersEtat(env), etatsAvant);

    // Nor is a QSO without its callsign.
    c.Locator_A->setText(QStringLiteral("JN33AB"));
    c.Indicatif_A->setText(QStringLiteral("  "));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Attention vous devez entrer un indicatif\r\nLe QSO n'est pas enregistré.")});
    QVERIFY(test::aLeFocus(c, c.Indicatif_A));
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral(".log"))), journalAvant);
}

void TestEdition::editionRefuseeAvecUnSeulQSO()
{
    test::Environnement env;
    const QStringList avant = {journalType()[1]};
    Carnet& c = demarrer(env, avant);

    doubleCliquer(c, 0);
    c.Editer->click();
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));
    c.Remarques_A->setText(QStringLiteral("CORRIGE"));
    c.Enregistrer->click();

    QCOMPARE(env.textes(), QStringList{QStringLiteral(
                               "Il doit y avoir au moins DEUX QSO d'enregistré pour pouvoir modifier le premier QSO")});
    QCOMPARE(test::lignesJournal(env, Station), avant);
    // The edit stays open with its fields.
    QVERIFY(Prog().Edition_En_Cours);
    QCOMPARE(c.Enregistrer->text(), QStringLiteral("Valider"));
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("CORRIGE"));
    QCOMPARE(c.Locator_A->text(), QStringLiteral("IO91WM"));

    // Moved to an HF band, the locator is dropped before the refusal: the field shows it.
    c.Bande_A->setEditText(QStringLiteral("14 Mhz"));
    env.oublierMessages();
    c.Enregistrer->click();
    QCOMPARE(env.messages.size(), size_t(1));
    QCOMPARE(c.Locator_A->text(), QString());
    QCOMPARE(c.Remarques_A->text(), QStringLiteral("CORRIGE"));
    QCOMPARE(test::lignesJournal(env, Station), avant);
    QVERIFY(Prog().Edition_En_Cours);
}

void TestEdition::annulation()
{
    test::Environnement env;
    Carnet& c = demarrer(env, journalType());
    doubleCliquer(c, 1);
    c.Editer->click();
    c.Annuler->click();

    QVERIFY(!Prog().Edition_En_Cours);
    QCOMPARE(c.Enregistrer->text(), QStringLiteral("QSO Suivant"));
    QVERIFY(!c.Enregistrer->isEnabled());
    QVERIFY(!c.Editer->isEnabled());
    QVERIFY(c.Annuler->isEnabled());
    for (QLineEdit* e : {c.Indicatif_A, c.Depart_A, c.Locator_A, c.Date_A, c.Debut_A, c.Fin_A, c.Prenom_A, c.QTH_A,
                         c.Remarques_A, c.Distance_A, c.Azimut_A, c.QSLE_A, c.QSLR_A})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(c.RSTE_A->text(), QStringLiteral("59"));
    QCOMPARE(c.RSTR_A->text(), QStringLiteral("59"));
    QVERIFY(c.Indicatif_A->isEnabled());
    QVERIFY(c.Bande_A->isEnabled());
    for (QWidget* w : {static_cast<QWidget*>(c.Depart_A), static_cast<QWidget*>(c.Mode_A),
                       static_cast<QWidget*>(c.Activ_A), static_cast<QWidget*>(c.Remarques_A),
                       static_cast<QWidget*>(c.QSLE_A)})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QCOMPARE(Couleurs_Etat::fond(c.Indicatif_A), Couleurs_Etat::depuisBGR(0xC0FFC0));
    QCOMPARE(Couleurs_Etat::fond(c.Remarques_A), Couleurs_Etat::depuisBGR(0xC0FFFF));
    // Band, mode and activity back from the settings.
    QCOMPARE(c.Bande_A->currentText(), QStringLiteral("14 Mhz"));
    QCOMPARE(c.Mode_A->currentText(), QStringLiteral("SSB"));
    QCOMPARE(c.Activ_A->currentText(), QStringLiteral("QSO"));
    QCOMPARE(c.Label5->text(), QStringLiteral("Indicatif"));
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 4"));
    QCOMPARE(c.Frame3->title(), QStringLiteral(" 0 Départements sur 14 Mhz"));

    // The next save is a new QSO.
    test::entree(c.Bande_A);
    test::taper(c.Indicatif_A, QStringLiteral("DL1ABC"));
    test::entree(c.Indicatif_A);
    for (QWidget* w : {static_cast<QWidget*>(c.Mode_A), static_cast<QWidget*>(c.Activ_A),
                       static_cast<QWidget*>(c.RSTE_A), static_cast<QWidget*>(c.RSTR_A),
                       static_cast<QWidget*>(c.Prenom_A), static_cast<QWidget*>(c.QTH_A),
                       static_cast<QWidget*>(c.Remarques_A)})
        test::entree(w);
    c.Enregistrer->click();
    QCOMPARE(test::lignesJournal(env, Station).size(), 4);
    QCOMPARE(test::lignesJournal(env, Station).mid(0, 3), journalType());
}

void TestEdition::effacement()
{
    test::Environnement env;
    const QStringList avant = journalType();
    Carnet& c = demarrer(env, avant);
    const QList<QByteArray> etatsAvant = fichiersEtat(env);

    // No: nothing changes.
    doubleCliquer(c, 1);
    env.reponses.push_back(plateforme::Reponse::Non);
    c.Effacer->click();
    QCOMPARE(env.textes(), QStringList{QStringLiteral("Effacer le QSO avec la station F1ABC ?")});
    QCOMPARE(env.messages.front().boutons, plateforme::Boutons::OuiNon);
    QCOMPARE(test::lignesJournal(env, Station), avant);
    QCOMPARE(c.Liste_QSO->count(), 3);
    QCOMPARE(c.Indicatif_A->text(), QStringLiteral("F1ABC"));

    // Yes: removed from list and log, renumbered, the last QSO selected; award files untouched.
    env.oublierMessages();
    c.Effacer->click();
    QCOMPARE(test::lignesJournal(env, Station), (QStringList{avant[0], avant[2]}));
    QCOMPARE(c.Liste_QSO->count(), 2);
    QCOMPARE(c.Modele_QSO->item(1), station::itemListe(2, avant[2]));
    QCOMPARE(c.Liste_QSO->currentRow(), 1);
    QCOMPARE(Prog().Ligne_Selectionnee, station::itemListe(2, avant[2]));
    QCOMPARE(fichiersEtat(env), etatsAvant);
    QCOMPARE(Prog().Nombre_QSO, 2);
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 3"));
    QCOMPARE(c.Indicatif_A->text(), QString());
    QVERIFY(c.Indicatif_A->isEnabled());
    QVERIFY(!c.Effacer->isEnabled());
    QCOMPARE(c.Mode_A->currentText(), QStringLiteral("SSB"));
    // The deleted QSO's 144 MHz leaves the band field: the next QSO is shown, written and
    // marked on the band of its lookups.
    QCOMPARE(c.Bande_A->currentText(), QStringLiteral("14 Mhz"));
    QCOMPARE(Prog().Bande_Courante, QStringLiteral("14 Mhz"));

    // Down to an empty log: nothing selected, and then nothing to edit or delete.
    doubleCliquer(c, 1);
    c.Effacer->click();
    doubleCliquer(c, 0);
    c.Effacer->click();
    QCOMPARE(c.Liste_QSO->count(), 0);
    QCOMPARE(test::lireOctets(env.chemin(Station + QStringLiteral(".log"))), QByteArray());
    QCOMPARE(Prog().Ligne_Selectionnee, QString());
    QCOMPARE(c.Frame4->title(), QStringLiteral("QSO numéro 1"));
    env.oublierMessages();
    c.Editer_Click();
    c.Effacer_Click();
    QCOMPARE(env.textes(), (QStringList{QStringLiteral("Selectionnez d'abord un QSO"),
                                        QStringLiteral("Selectionnez d'abord un QSO")}));
    QVERIFY(!Prog().Edition_En_Cours);
}

void TestEdition::effacementImpossible()
{
    test::Environnement env;
    const QStringList avant = journalType();
    Carnet& c = demarrer(env, avant);
    const QString log = env.chemin(Station + QStringLiteral(".log"));
    QVERIFY(QFile::remove(log));
    QVERIFY(QDir().mkdir(log));

    doubleCliquer(c, 0);
    c.Effacer->click();
    QCOMPARE(env.messages.size(), size_t(2));
    QVERIFY2(env.textes().at(1).startsWith(QStringLiteral("Le QSO avec G4ABC n'a pas été effacé.")),
             qPrintable(env.textes().at(1)));
    QCOMPARE(c.Liste_QSO->count(), 3);
    QCOMPARE(c.Modele_QSO->item(0), station::itemListe(1, avant[0]));
    QCOMPARE(Prog().Nombre_QSO, 3);
}

QTEST_MAIN(TestEdition)
#include "tst_edition.moc"
