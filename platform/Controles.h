#pragma once
// Event plumbing for the windows: key-press handlers that may replace or cancel the key,
// double clicks and clicks routed to plain handler functions.
#include <QFont>
#include <QString>
#include <functional>

class QAbstractItemView;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace plateforme {

// Gives a control (or an action) its object name, the name its window uses for it.
template <class T>
T* nomme(T* objet, const QString& nom)
{
    objet->setObjectName(nom);
    return objet;
}

// `gestionnaire` receives the character code of each typed key (13 for Enter, 8 for
// backspace); it may change it (the new character is typed instead) or set it to 0 (the key
// is swallowed). Keys without a character (arrows, function keys) pass untouched.
// Works on line edits, editable combo boxes and plain widgets.
void brancherKeyPress(QWidget* controle, std::function<void(int& code)> gestionnaire);
// The click handler of a list: it runs when the selection is set, by the code or by the
// operator, and when the operator picks the item already selected; once per pick, the picked
// item selected by then, however quick or long the click. A list box's handler also runs when
// its selection is cleared.
// Enter typed in an editable combo box is a key press only: the item that the combo box
// selects by itself for its typed text, on that Enter or when it loses the focus, runs
// nothing. (The combo box is made editable before its handler is connected.)
void brancherClic(QComboBox* liste, std::function<void()> gestionnaire);
void brancherClic(QListWidget* liste, std::function<void()> gestionnaire);
// The same on a view over a model: the changes of its selection model drive it.
void brancherClic(QAbstractItemView* liste, std::function<void()> gestionnaire);
// Double click on the control (or on its line edit for an editable combo box).
void brancherDblClick(QWidget* controle, std::function<void()> gestionnaire);

// A fixed-pitch font, so that the columns of fixed-width records line up: `prefere` when the
// machine has it as a fixed-pitch font, else the first fixed-pitch font found.
QFont policeChasseFixe(const QString& prefere = QString());

// A label of the window named `nom` (its objectName), showing `texte`.
QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte);
// A list box named `nom` in the fixed-pitch font `police`, kept sorted as text or not.
QListWidget* listeChasseFixe(QWidget* parent, const QString& nom, const QString& police, bool triee);

} // namespace plateforme
