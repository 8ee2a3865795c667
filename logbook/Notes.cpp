#include "logbook/Notes.h"

#include "platform/Ansi.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Presse_Papiers.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace notes {

QByteArray contenuFichier(const QString& texte)
{
    // The text area holds LF alone between lines; the file has CR LF.
    QString t = texte;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    t += QStringLiteral("\r\n");
    return plateforme::versAnsi(t);
}

void enregistrer(const QString& fichier, const QString& texte)
{
    plateforme::ecrireOctets(fichier, contenuFichier(texte));
}

QStringList lire(const QString& fichier)
{
    return plateforme::lireLignes(fichier);
}

} // namespace notes

using plateforme::nomme;

Notes::Notes() : Fenetre_Chargee(QStringLiteral("Notes"))
{
    setWindowTitle(QStringLiteral("Bloc notes"));

    Barre = nomme(new QMenuBar(this), QStringLiteral("Barre"));
    Mnu_Fichiers = nomme(Barre->addMenu(QStringLiteral("Fichiers")), QStringLiteral("Mnu_Fichiers"));
    Mnu_Charger = nomme(Mnu_Fichiers->addAction(QStringLiteral("Charger un bloc-note")), QStringLiteral("Mnu_Charger"));
    Mnu_Enregistrer =
        nomme(Mnu_Fichiers->addAction(QStringLiteral("Enregistrer un bloc-note")), QStringLiteral("Mnu_Enregistrer"));

    Label2 = nomme(new QLabel(QStringLiteral("BLOC - NOTES"), this), QStringLiteral("Label2"));
    QFont gras = Label2->font();
    gras.setBold(true);
    Label2->setFont(gras);
    Label2->setAlignment(Qt::AlignCenter);
    Text1 = nomme(new QPlainTextEdit(this), QStringLiteral("Text1"));
    Effacer = nomme(new QPushButton(QStringLiteral("EFFACER"), this), QStringLiteral("Effacer"));
    Couper = nomme(new QPushButton(QStringLiteral("COUPER"), this), QStringLiteral("Couper"));
    Copier = nomme(new QPushButton(QStringLiteral("COPIER"), this), QStringLiteral("Copier"));
    Coller = nomme(new QPushButton(QStringLiteral("COLLER"), this), QStringLiteral("Coller"));

    auto* v = new QVBoxLayout(this);
    v->setMenuBar(Barre);
    v->addWidget(Label2);
    v->addWidget(Text1, 1);
    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {Effacer, Couper, Copier, Coller}) {
        b->setFocusPolicy(Qt::TabFocus);  // a click keeps the selection of the text
        boutons->addWidget(b);
    }
    v->addLayout(boutons);
    resize(480, 360);

    connect(Effacer, &QPushButton::clicked, this, [this] { Effacer_Click(); });
    connect(Couper, &QPushButton::clicked, this, [this] { Couper_Click(); });
    connect(Copier, &QPushButton::clicked, this, [this] { Copier_Click(); });
    connect(Coller, &QPushButton::clicked, this, [this] { Coller_Click(); });
    connect(Mnu_Charger, &QAction::triggered, this, [this] { Mnu_Charger_Click(); });
    connect(Mnu_Enregistrer, &QAction::triggered, this, [this] { Mnu_Enregistrer_Click(); });
}

void Notes::Form_Load()
{
    plateforme::centrer(this);
}

void Notes::Effacer_Click()
{
    plateforme::PressePapiersVider();
    Text1->clear();
}

void Notes::Couper_Click()
{
    QTextCursor c = Text1->textCursor();
    if (!c.hasSelection())
        return;
    plateforme::PressePapiersEcrire(c.selection().toPlainText());
    c.removeSelectedText();
    Text1->setTextCursor(c);
}

void Notes::Copier_Click()
{
    const QTextCursor c = Text1->textCursor();
    if (c.hasSelection())
        plateforme::PressePapiersEcrire(c.selection().toPlainText());
}

void Notes::Coller_Click()
{
    QTextCursor c = Text1->textCursor();
    c.insertText(plateforme::PressePapiersTexte());
    Text1->setTextCursor(c);
}

bool Notes::enregistrerSous()
{
    const QString fichier = plateforme::DialogueEnregistrer(QString(), notes::Filtre);
    if (fichier.isEmpty())
        return true;
    try {
        notes::enregistrer(fichier, Text1->toPlainText());
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("L'enregistrement des notes")));
        return false;
    }
    texteEnregistre_ = Text1->toPlainText();
    return true;
}

bool Notes::Accepte_Fin_Programme()
{
    const QString texte = Text1->toPlainText();
    if (!estChargee() || texte.isEmpty() || texte == texteEnregistre_)
        return true;
    switch (plateforme::MsgBox(QStringLiteral("Voulez vous sauvegarder ces notes ?"), plateforme::Boutons::OuiNonAnnuler)) {
    case plateforme::Reponse::Non:
        return true;
    case plateforme::Reponse::Oui:
        // No file chosen: nothing is written, and the program stays with its notes.
        return enregistrerSous() && Text1->toPlainText() == texteEnregistre_;
    default:
        return false;
    }
}

void Notes::Mnu_Enregistrer_Click()
{
    enregistrerSous();
}

// Each line goes in at the caret followed by a line end, as a paste would put it, but
// straight into the text: what the operator had copied stays in the clipboard.
void Notes::Mnu_Charger_Click()
{
    const QString fichier = plateforme::DialogueOuvrir(notes::Filtre);
    if (fichier.isEmpty())
        return;
    QStringList lignes;
    try {
        lignes = notes::lire(fichier);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Le chargement des notes")));
        return;
    }
    QTextCursor c = Text1->textCursor();
    c.beginEditBlock();
    for (const QString& l : lignes)
        c.insertText(l + QLatin1Char('\n'));
    c.endEditBlock();
    Text1->setTextCursor(c);
}

bool Notes::Form_Unload()
{
    if (plateforme::MsgBox(QStringLiteral("Voulez vous sauvegarder ces notes ?"), plateforme::Boutons::OuiNon) !=
        plateforme::Reponse::Oui)
        return true;
    // A failed write keeps the window open: the notes are not lost.
    return enregistrerSous();
}
