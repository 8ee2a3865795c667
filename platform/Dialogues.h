#pragma once
// Message boxes, modal and modeless windows, yielding and the end of the program.
// Tests install an answerer so that no person is needed to close a message box.
#include <QString>
#include <functional>

class QWidget;

namespace plateforme {

constexpr const char* NomProgramme = "Velmarin";

enum class Boutons { Ok, OkAnnuler, OuiNon, OuiNonAnnuler };
enum class Icone { Aucune, Critique };
enum class Reponse { Ok, Annuler, Oui, Non };

// A message box titled "Velmarin". Returns the button chosen.
Reponse MsgBox(const QString& texte, Boutons boutons = Boutons::Ok, Icone icone = Icone::Aucune);

using Repondeur = std::function<Reponse(const QString& texte, Boutons boutons, Icone icone)>;
// While an answerer is installed, message boxes are not shown: it gives the answer.
void installerRepondeur(Repondeur repondeur);
void retirerRepondeur();

// File dialogs. `filtre` is written as ".adi (adi)|*.adi". They return the full path chosen,
// or an empty text when the operator cancels.
QString DialogueOuvrir(const QString& filtre);
QString DialogueEnregistrer(const QString& nomPropose, const QString& filtre = QString());
// While a file answerer is installed, file dialogs are not shown: it gives the path.
using RepondeurFichier = std::function<QString(bool enregistrer, const QString& filtre, const QString& nomPropose)>;
void installerRepondeurFichier(RepondeurFichier repondeur);
void retirerRepondeurFichier();

// Centres the window on the screen (integer halves of the free space) at the size it shows at:
// its layout's size when its code did not size it, its frame included.
void centrer(QWidget* fenetre);
// Every push button of the window answers Enter when it has the focus, as the operator
// expects of a focused button.
void boutonsAuClavier(QWidget* fenetre);
// Shows the window without blocking.
void montrer(QWidget* fenetre);
// Shows the window modally and returns when it is hidden or closed.
void montrerModal(QWidget* fenetre);
// Lets the event loop handle what is waiting.
void ceder();

// Ends the program at once: no other window's close handler runs, nothing more is written.
void terminerProgramme();
// Waits in the event loop until the program ends (the other windows stay usable).
// Returns only when a test replaced the end of the program.
void attendreFinProgramme();
// Tests: what ending the program does instead of leaving the process.
void definirFinProgramme(std::function<void()> fin);
bool finProgrammeDemandee();
void reinitialiserFinProgramme();

} // namespace plateforme
