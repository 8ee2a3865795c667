#pragma once
// The notepad "Notes": free text beside the logbook, the clipboard buttons and ".not" files.
#include "station/Fenetre_Chargee.h"

#include <QString>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace notes {

// The filter of the file dialogs.
inline const QString Filtre = QStringLiteral(".not |*.not");
// The bytes of a notes file: the text with CR LF line ends, then one CR LF.
QByteArray contenuFichier(const QString& texte);
// Writes a notes file (replaced in one step; a failed write leaves the old file).
// Raises plateforme::ErreurFichier.
void enregistrer(const QString& fichier, const QString& texte);
// The lines of a notes file (CR LF, LF or CR ends). Raises plateforme::ErreurFichier.
QStringList lire(const QString& fichier);

} // namespace notes

class Notes : public Fenetre_Chargee, public Instance_Unique<Notes> {
public:
    void Effacer_Click();
    void Couper_Click();
    void Copier_Click();
    void Coller_Click();
    void Mnu_Charger_Click();
    void Mnu_Enregistrer_Click();
    // The end of the program from the main window: open notes not yet saved get the close
    // box's question, with "Annuler" besides. False keeps the program running (cancelled, or
    // the notes were not written).
    bool Accepte_Fin_Programme();

    QLabel* Label2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Effacer = nullptr;
    QPushButton* Couper = nullptr;
    QPushButton* Copier = nullptr;
    QPushButton* Coller = nullptr;
    QMenuBar* Barre = nullptr;
    QMenu* Mnu_Fichiers = nullptr;
    QAction* Mnu_Charger = nullptr;
    QAction* Mnu_Enregistrer = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Notes();
    friend class Instance_Unique<Notes>;
    // Save dialog then write; false when the write failed (the operator was told).
    bool enregistrerSous();
    // The text as last written to a file.
    QString texteEnregistre_;
};
