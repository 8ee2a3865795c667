// The notepad: ".not" files in Windows-1252 with CR LF, the load at the caret that leaves the
// clipboard alone, the clipboard buttons and the save question on closing.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "logbook/Notes.h"
#include "platform/Dialogues.h"
#include "platform/Presse_Papiers.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

namespace {

// Answers the file dialogs with the queued names (empty: cancelled) and notes what was asked.
struct Dialogues {
    std::deque<QString> noms;
    QList<bool> enregistrements;  // true for a save dialog, false for an open dialog
    QStringList filtres;
    Dialogues()
    {
        plateforme::installerRepondeurFichier([this](bool enregistrer, const QString& filtre, const QString&) {
            enregistrements << enregistrer;
            filtres << filtre;
            if (noms.empty())
                return QString();
            const QString n = noms.front();
            noms.pop_front();
            return n;
        });
    }
    ~Dialogues() { plateforme::retirerRepondeurFichier(); }
};

Notes& ouvrir()
{
    Notes::afficher(false);
    return Notes::instance();
}

void selectionner(QPlainTextEdit* t, int debut, int fin)
{
    QTextCursor c = t->textCursor();
    c.setPosition(debut);
    c.setPosition(fin, QTextCursor::KeepAnchor);
    t->setTextCursor(c);
}

} // namespace

class TestNotes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void accentsEtSymbolesAllerRetour();
    void chargementAuCurseurSansToucherLePressePapiers();
    void boutonsDuPressePapiers();
    void questionALaFermeture();
    void depuisLeMenu();
    void finDuProgrammeDemandeLesNotes();
};

void TestNotes::cleanup()
{
    Notes::detruireInstance();
    plateforme::PressePapiersVider();
}

void TestNotes::accentsEtSymbolesAllerRetour()
{
    test::Environnement env;
    Dialogues d;
    const QString fichier = env.dossier() + QStringLiteral("/mes notes.not");
    Notes& n = ouvrir();
    n.Text1->setPlainText(QStringLiteral("Émile à 14h : 5 € d'œufs\nsecond"));
    d.noms = {fichier};
    n.Mnu_Enregistrer->trigger();
    QCOMPARE(d.enregistrements, QList<bool>{true});
    QCOMPARE(d.filtres, QStringList{".not |*.not"});
    QCOMPARE(test::lireOctets(fichier), QByteArray("\xc9mile \xe0 14h : 5 \x80 d'\x9c" "ufs\r\nsecond\r\n"));

    n.Text1->clear();
    d.noms = {fichier};
    n.Mnu_Charger->trigger();
    QCOMPARE(d.enregistrements.last(), false);
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("Émile à 14h : 5 € d'œufs\nsecond\n"));

    // An empty notepad is saved as one line end; a cancelled dialog writes nothing.
    n.Text1->clear();
    d.noms = {fichier};
    n.Mnu_Enregistrer->trigger();
    QCOMPARE(test::lireOctets(fichier), QByteArray("\r\n"));
    n.Text1->setPlainText(QStringLiteral("perdu"));
    n.Mnu_Enregistrer->trigger();
    QCOMPARE(test::lireOctets(fichier), QByteArray("\r\n"));
    QCOMPARE(env.textes(), QStringList());
}

// The lines go in at the caret; what the operator had copied stays in the clipboard.
void TestNotes::chargementAuCurseurSansToucherLePressePapiers()
{
    test::Environnement env;
    Dialogues d;
    const QString fichier = env.dossier() + QStringLiteral("/unix.not");
    test::ecrireOctets(fichier, "un\ndeux\ntrois\n");
    plateforme::PressePapiersEcrire(QStringLiteral("copié ailleurs"));
    Notes& n = ouvrir();

    d.noms = {fichier};
    n.Mnu_Charger->trigger();
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("un\ndeux\ntrois\n"));
    QCOMPARE(plateforme::PressePapiersTexte(), QStringLiteral("copié ailleurs"));

    // Loaded again with the caret after "un\n": inserted there, the rest kept after.
    QTextCursor c = n.Text1->textCursor();
    c.setPosition(3);
    n.Text1->setTextCursor(c);
    d.noms = {fichier};
    n.Mnu_Charger->trigger();
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("un\nun\ndeux\ntrois\ndeux\ntrois\n"));
    n.Coller->click();
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("un\nun\ndeux\ntrois\ncopié ailleursdeux\ntrois\n"));

    // A file that cannot be read: said, nothing inserted.
    d.noms = {env.dossier() + QStringLiteral("/absent.not")};
    n.Mnu_Charger->trigger();
    QCOMPARE(env.messages.size(), std::size_t(1));
    QVERIFY(env.textes().at(0).contains(QStringLiteral("absent.not")));
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("un\nun\ndeux\ntrois\ncopié ailleursdeux\ntrois\n"));
}

void TestNotes::boutonsDuPressePapiers()
{
    test::Environnement env;
    Notes& n = ouvrir();
    n.Text1->setPlainText(QStringLiteral("bonjour le monde"));
    plateforme::PressePapiersEcrire(QStringLiteral("avant"));

    // Nothing selected: the clipboard is left as it was.
    n.Copier->click();
    n.Couper->click();
    QCOMPARE(plateforme::PressePapiersTexte(), QStringLiteral("avant"));
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("bonjour le monde"));

    selectionner(n.Text1, 8, 10);
    n.Copier->click();
    QCOMPARE(plateforme::PressePapiersTexte(), QStringLiteral("le"));
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("bonjour le monde"));

    selectionner(n.Text1, 0, 8);
    n.Couper->click();
    QCOMPARE(plateforme::PressePapiersTexte(), QStringLiteral("bonjour "));
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("le monde"));

    // The paste replaces the selection.
    selectionner(n.Text1, 3, 8);
    n.Coller->click();
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("le bonjour "));

    n.Effacer->click();
    QCOMPARE(n.Text1->toPlainText(), QString());
    QCOMPARE(plateforme::PressePapiersTexte(), QString());
}

void TestNotes::questionALaFermeture()
{
    test::Environnement env;
    Dialogues d;
    const QString fichier = env.dossier() + QStringLiteral("/fin.not");

    // No: closed, nothing asked of the dialogs.
    Notes& n = ouvrir();
    n.Text1->setPlainText(QStringLiteral("notes"));
    env.reponses = {plateforme::Reponse::Non};
    QVERIFY(n.close());
    QCOMPARE(env.textes(), QStringList{"Voulez vous sauvegarder ces notes ?"});
    QCOMPARE(env.messages.at(0).boutons, plateforme::Boutons::OuiNon);
    QVERIFY(d.enregistrements.isEmpty());

    // Yes, dialog cancelled: closed without writing.
    ouvrir().Text1->setPlainText(QStringLiteral("notes"));
    QVERIFY(n.close());
    QCOMPARE(d.enregistrements.size(), 1);
    QVERIFY(!QFile::exists(fichier));

    // Yes, a file that cannot be written: said, and the window stays with its notes.
    ouvrir();
    d.noms = {env.dossier() + QStringLiteral("/dossier absent/fin.not")};
    env.oublierMessages();
    QVERIFY(!n.close());
    QVERIFY(n.isVisible());
    QCOMPARE(env.messages.size(), std::size_t(2));
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("notes"));

    // Yes, a name: written, closed.
    d.noms = {fichier};
    QVERIFY(n.close());
    QVERIFY(!n.isVisible());
    QCOMPARE(test::lireOctets(fichier), QByteArray("notes\r\n"));
}

void TestNotes::depuisLeMenu()
{
    test::Environnement env;
    Carnet& c = test::demarrerStation(env);
    QVERIFY(c.Mnu_Notes->isEnabled());
    c.Mnu_Notes->trigger();
    QWidget* f = test::fenetre(QStringLiteral("Notes"));
    QVERIFY(f && f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("Bloc notes"));
    QVERIFY(!f->isModal());
    QVERIFY(c.isEnabled());
    QCOMPARE(test::controle<QPushButton>(QStringLiteral("Notes"), QStringLiteral("Effacer"))->text(),
             QStringLiteral("EFFACER"));
}

// Closing the program from the main window asks for open notes not yet saved; "Annuler" keeps
// the program running with its notes.
void TestNotes::finDuProgrammeDemandeLesNotes()
{
    test::Environnement env;
    Dialogues d;
    Carnet& c = test::demarrerStation(env);
    const QString fichier = env.dossier() + QStringLiteral("/fin.not");
    Notes& n = ouvrir();
    n.Text1->setPlainText(QStringLiteral("à garder"));

    // Annuler, then Oui with the save dialog cancelled: still running, the notes kept.
    env.reponses = {plateforme::Reponse::Annuler, plateforme::Reponse::Oui};
    QVERIFY(!c.close());
    c.Mnu_Quitter_Click();
    QVERIFY(!env.finDemandee());
    QVERIFY(c.isVisible());
    QCOMPARE(env.textes(), (QStringList{"Voulez vous sauvegarder ces notes ?", "Voulez vous sauvegarder ces notes ?"}));
    QCOMPARE(env.messages.at(0).boutons, plateforme::Boutons::OuiNonAnnuler);
    QCOMPARE(n.Text1->toPlainText(), QStringLiteral("à garder"));

    // Oui with a name: written, then the program ends.
    d.noms = {fichier};
    env.oublierMessages();
    c.Mnu_Quitter_Click();
    QVERIFY(env.finDemandee());
    QCOMPARE(test::lireOctets(fichier), QByteArray("\xE0 garder\r\n"));

    // Saved notes, or a notepad closed already, or no text: nothing asked.
    test::Environnement env2;
    Carnet& c2 = test::demarrerStation(env2);
    Notes::afficher(false);
    QVERIFY(n.Text1->toPlainText() == QStringLiteral("à garder"));
    c2.Mnu_Quitter_Click();
    QVERIFY(env2.finDemandee());
    QVERIFY(env2.messages.empty());
    n.Text1->setPlainText(QStringLiteral("autre"));
    env2.reponses = {plateforme::Reponse::Non};
    QVERIFY(n.close());
    c2.Mnu_Quitter_Click();
    QCOMPARE(env2.messages.size(), std::size_t(1));

    // Non: the program ends without writing.
    Notes::afficher(false);
    env2.oublierMessages();
    env2.reponses = {plateforme::Reponse::Non};
    c2.Mnu_Quitter_Click();
    QCOMPARE(env2.messages.size(), std::size_t(1));
    QCOMPARE(d.enregistrements.size(), 2);
}

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
