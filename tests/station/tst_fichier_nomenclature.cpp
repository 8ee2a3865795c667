// The callsign directory editor through its controls: the record layout it writes, its checks,
// and the file left alone or rewritten when it closes.
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "station/Fenetres_Station.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList Enregistrements = {
    "F6ABC      75 JN18EU",
    "DL1XYZ        JO31AA",
    "F5ZZZ      2  JN03",
};

const QString Fenetre = QStringLiteral("Fichier_Nomenclature");

QWidget* fenetre()
{
    return test::fenetre(Fenetre);
}

template <class T>
T* controle(const QString& nom)
{
    return test::controle<T>(Fenetre, nom);
}

QListWidget* liste() { return controle<QListWidget>("Liste_Nomenclature"); }
QLineEdit* ind() { return controle<QLineEdit>("Ind_Edit"); }
QLineEdit* dep() { return controle<QLineEdit>("Dep_Edit"); }
QLineEdit* loc() { return controle<QLineEdit>("Loc_Edit"); }
void cliquer(const char* nom) { controle<QPushButton>(nom)->click(); }

QStringList elements()
{
    return test::elements(liste());
}

void saisir(const QString& i, const QString& d, const QString& l)
{
    ind()->clear();
    dep()->clear();
    loc()->clear();
    test::taper(ind(), i);
    test::taper(dep(), d);
    test::taper(loc(), l);
}

} // namespace

class TestFichierNomenclature : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Environnement> env;
    QByteArray original;

    QByteArray fichier() const { return test::lireOctets(env->chemin("Nomenclature.txt")); }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<test::Environnement>();
        original = test::enAnsi(Enregistrements);
        test::ecrireOctets(env->chemin("Nomenclature.txt"), original);
        Fichier_Nomenclature::Afficher(false);
        QVERIFY(fenetre() && fenetre()->isVisible());
    }
    void cleanup()
    {
        Detruire_Fenetres_Station();
        env.reset();
    }

    void ouverture()
    {
        QCOMPARE(fenetre()->windowTitle(), QStringLiteral("Edition du fichier Nomenclature.txt"));
        QCOMPARE(elements(), Enregistrements);
        QVERIFY(QFontInfo(liste()->font()).fixedPitch());
        // A click on a line fills the three boxes, each trimmed.
        liste()->setCurrentRow(0);
        QCOMPARE(ind()->text(), QStringLiteral("F6ABC"));
        QCOMPARE(dep()->text(), QStringLiteral("75"));
        QCOMPARE(loc()->text(), QStringLiteral("JN18EU"));
        liste()->setCurrentRow(1);
        QCOMPARE(ind()->text(), QStringLiteral("DL1XYZ"));
        QCOMPARE(dep()->text(), QString());
    }

    void ajoutLocatorAligneADroite()
    {
        saisir("f1xyz", "21", "jn23");
        QCOMPARE(ind()->text(), QStringLiteral("F1XYZ"));
        QCOMPARE(loc()->text(), QStringLiteral("JN23"));
        cliquer("Ajouter");
        QCOMPARE(env->textes(), QStringList());
        const QString item = elements().last();
        QCOMPARE(item, QStringLiteral("F1XYZ      21   JN23"));
        QCOMPARE(item.mid(14, 6), QStringLiteral("  JN23"));
        QCOMPARE(item.mid(16, 4), QStringLiteral("JN23"));
        QVERIFY(ind()->text().isEmpty() && dep()->text().isEmpty() && loc()->text().isEmpty());
        // Saved at closing, the directory lookup reads it back.
        fenetre()->close();
        QString d, l;
        Cherche_Nomenclature(QStringLiteral("F1XYZ"), d, l);
        QCOMPARE(d, QStringLiteral("21"));
        QCOMPARE(l, QStringLiteral("JN23"));
    }

    void refusAjout_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("departement");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("message");
        QTest::newRow("doublon") << "F6ABC" << "78" << "JN18" << "Attention l'indicatif F6ABC est deja present dans le fichier";
        QTest::newRow("sans indicatif") << "" << "75" << "JN18EU" << "Attention pas d'indicatif ou indicatif superieur a 10 caracteres";
        QTest::newRow("11 caracteres") << "F1ABCDEFGHI" << "75" << "JN18EU" << "Attention pas d'indicatif ou indicatif superieur a 10 caracteres";
        QTest::newRow("sans locator") << "F1AAA" << "75" << "" << "Attention pas de locator ou locator superieur a 6 caracteres";
        QTest::newRow("locator de 7") << "F1AAA" << "75" << "JN18EUX" << "Attention pas de locator ou locator superieur a 6 caracteres";
        QTest::newRow("departement de 3") << "F1AAA" << "975" << "JN18EU" << "Attention departement superieur a 2 caracteres";
    }

    void refusAjout()
    {
        QFETCH(QString, indicatif);
        QFETCH(QString, departement);
        QFETCH(QString, locator);
        QFETCH(QString, message);
        saisir(indicatif, departement, locator);
        cliquer("Ajouter");
        QCOMPARE(env->textes(), QStringList({message}));
        QCOMPARE(elements(), Enregistrements);
        QCOMPARE(ind()->text(), indicatif);
    }

    void dixCaracteresAcceptes()
    {
        saisir("F1ABCDEFGH", "", "IN88");
        cliquer("Ajouter");
        QCOMPARE(elements().last(), QStringLiteral("F1ABCDEFGH      IN88"));
    }

    void edition()
    {
        liste()->setCurrentRow(1);
        loc()->clear();
        test::taper(loc(), "jo31");
        test::taper(dep(), "67");
        cliquer("Editer");
        QCOMPARE(env->textes(), QStringList());
        // Same place, rebuilt as the add button builds it.
        QCOMPARE(elements().at(1), QStringLiteral("DL1XYZ     67   JO31"));
        QCOMPARE(liste()->count(), 3);
        QVERIFY(ind()->text().isEmpty());

        // An empty locator gives six blanks; no duplicate check here.
        liste()->setCurrentRow(2);
        ind()->clear();
        test::taper(ind(), "F6ABC");
        loc()->clear();
        cliquer("Editer");
        QCOMPARE(elements().at(2), QStringLiteral("F6ABC      2        "));
        QCOMPARE(elements().at(2).size(), 20);
    }

    void refusEdition_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<QString>("departement");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("message");
        QTest::newRow("sans indicatif") << "" << "75" << "JN18EU" << "Selectionnez une ligne d'abord";
        QTest::newRow("11 caracteres") << "F1ABCDEFGHI" << "75" << "JN18EU" << "Attention Indicatif superieur a 10 caracteres";
        QTest::newRow("locator de 7") << "F1AAA" << "75" << "JN18EUX" << "Attention locator superieur a 6 caracteres";
        QTest::newRow("departement de 3") << "F1AAA" << "975" << "JN18EU" << "Attention departement superieur a 2 caracteres";
    }

    void refusEdition()
    {
        QFETCH(QString, indicatif);
        QFETCH(QString, departement);
        QFETCH(QString, locator);
        QFETCH(QString, message);
        liste()->setCurrentRow(0);
        saisir(indicatif, departement, locator);
        cliquer("Editer");
        QCOMPARE(env->textes(), QStringList({message}));
        QCOMPARE(elements(), Enregistrements);
    }

    void editionSansLigneChoisie()
    {
        saisir("F1AAA", "75", "JN18EU");
        cliquer("Editer");
        QCOMPARE(env->textes(), QStringList({"Selectionnez une ligne d'abord"}));
        QCOMPARE(elements(), Enregistrements);
    }

    void suppression()
    {
        liste()->setCurrentRow(0);
        cliquer("Supprimer");
        QCOMPARE(env->textes(), QStringList());
        QCOMPARE(elements(), Enregistrements.mid(1));
        // The department box keeps its text; no other line gets chosen.
        QVERIFY(ind()->text().isEmpty() && loc()->text().isEmpty());
        QCOMPARE(dep()->text(), QStringLiteral("75"));
        cliquer("Supprimer");
        QCOMPARE(env->textes(), QStringList({"Selectionnez une ligne d'abord"}));
        QCOMPARE(liste()->count(), 2);
    }

    void fermerSansSauvegarder()
    {
        saisir("F1XYZ", "21", "JN23");
        cliquer("Ajouter");
        liste()->setCurrentRow(0);
        cliquer("Supprimer");
        env->reponses.push_back(plateforme::Reponse::Non);
        fenetre()->close();
        QCOMPARE(env->textes(), QStringList({"Sauvegarder fichier Nomenclature.txt avant de quitter?"}));
        QVERIFY(env->messages.front().boutons == plateforme::Boutons::OuiNon);
        QVERIFY(!fenetre()->isVisible());
        QCOMPARE(fichier(), original);
        // Opened again, the list comes from the file.
        Fichier_Nomenclature::Afficher(false);
        QCOMPARE(elements(), Enregistrements);
    }

    void fermerEnSauvegardant()
    {
        saisir("F1XYZ", "21", "JN23");
        cliquer("Ajouter");
        liste()->setCurrentRow(0);
        cliquer("Supprimer");
        const QStringList attendu = elements();
        env->reponses.push_back(plateforme::Reponse::Oui);
        fenetre()->close();
        QVERIFY(!fenetre()->isVisible());
        QCOMPARE(fichier(), test::enAnsi(attendu));
        QCOMPARE(attendu, QStringList({"DL1XYZ        JO31AA", "F5ZZZ      2  JN03", "F1XYZ      21   JN23"}));
        QVERIFY(!QFile::exists(env->chemin("Temporaire5.txt")));
    }

    void fichierManquant()
    {
        cleanup();
        env = std::make_unique<test::Environnement>();
        QFile::remove(env->chemin("Nomenclature.txt"));
        Fichier_Nomenclature::Afficher(false);
        QCOMPARE(env->messages.size(), size_t(1));
        QVERIFY(!fenetre() || !fenetre()->isVisible());
        QVERIFY(!QFile::exists(env->chemin("Nomenclature.txt")));
    }

    void virguleEtGuillemetRefuses()
    {
        // The reader would cut the record at either: its department and locator would be lost.
        const QStringList avant = elements();
        for (const char* indicatif : {"F1,AB", "F1\"AB"}) {
            saisir(QString::fromLatin1(indicatif), "31", "JN03RA");
            env->oublierMessages();
            cliquer("Ajouter");
            QCOMPARE(env->messages.size(), size_t(1));
            QVERIFY(env->textes().at(0).contains(QStringLiteral("virgule")));
            QCOMPARE(elements(), avant);
        }
        liste()->setCurrentRow(0);
        saisir("F6ABC", "7,", "JN18EU");
        env->oublierMessages();
        cliquer("Editer");
        QCOMPARE(env->messages.size(), size_t(1));
        QCOMPARE(elements(), avant);
        // Corrected, the same record goes in.
        saisir("F1AB", "31", "JN03RA");
        cliquer("Ajouter");
        QCOMPARE(elements().size(), avant.size() + 1);
    }
};

QTEST_MAIN(TestFichierNomenclature)
#include "tst_fichier_nomenclature.moc"
