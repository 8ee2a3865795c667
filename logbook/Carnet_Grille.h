#pragma once
// The rules of the main window's grid of 100 cells: which cell a department or a locator square
// lands in, which colour a status gives, what each cell reads in each view and how the grid's
// captions are worded. No widget here: the window puts the results on its cells.
#include <QChar>
#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace grille {

constexpr int NombreCellules = 100;

// The result of one painting: the colour of every cell, the best status character that
// coloured it ('0' when none did) and the count shown in the caption.
struct Peinture {
    std::array<QColor, NombreCellules> couleurs;
    std::array<QChar, NombreCellules> etats;
    int compteur = 0;
};

// Cell of a department code: its numeric value ("01" is 1), "2a"/"2A" 96, "2b"/"2B" 97;
// -1 for a code that is none of these.
int celluleDepartement(const QString& code);
// The department code of a cell: two digits ("05"), "2a" for 96, "2b" for 97.
QString codeCellule(int cellule);

// Department view of `bande` from the lines of the department status file: every cell
// starts with the window background; status "1" to "4" colours the line's cell, any other
// status digit but "0" counts without colouring.
Peinture peintureDepartements(const QStringList& lignes, const QString& bande);
// Square view of the field `champ` on `bande` from the lines of the locator status file:
// unworked cells light yellow, the square's digits give its cell (JN23 is cell 23); lines of
// other fields are ignored. An HF band has no column: nothing is coloured or counted.
Peinture peintureLocators(const QStringList& lignes, const QString& bande, const QString& champ);

// Text of a cell in the department view (96 "2a", 97 "2b", 20 "X", 98 and 99 empty) or in the
// square view (every cell its two-digit index).
QString texteCellule(int cellule, bool vueCarres);

// Legend captions of status "1" (Label27) and "4" (Label1) in each view.
QString legendeContacte(bool vueCarres);
QString legendeConfirme(bool vueCarres);

// " 12 Départements sur 144 Mhz" and " 7 moyens carrés dans le carré JN": the count as Str
// writes it, with a blank before a positive number or zero.
QString titreCarres(double compteur, const QString& champ);

// The refusal of the square view on an HF band.
QString messageBandeHF();

// The map window of a locator field is painted together with the main grid's square view.
// The maps register their painter here; until one is registered the square view paints the
// main grid only. It receives the field, the band and the painting (`etats` per cell).
using PeintreCarteChamp = std::function<void(const QString& champ, const QString& bande, const Peinture& peinture)>;
void definirPeintreCarteChamp(PeintreCarteChamp peintre);
void peindreCarteChamp(const QString& champ, const QString& bande, const Peinture& peinture);

} // namespace grille
