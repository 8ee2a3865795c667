#pragma once
// Colours of the status values on the grid and the maps, and of the entry fields. The
// numbers are written as the classic blue-green-red colour numbers (&HC0C0FF is RGB FF C0 C0)
// and converted in this one place.
#include <QColor>
#include <QString>

class QWidget;

namespace Couleurs_Etat {

// &H00BBGGRR to a colour.
QColor depuisBGR(quint32 bgr);

// Colour of an `Etat_QSL` value "1" to "4"; an invalid colour for anything else.
QColor couleur(QChar etat);
// System window background, the colour of an unworked cell.
QColor fondFenetre();
// "S", "E", "R", "C"; "Sans", "Envoyée", "Reçue", "Confirmée"; "C0C0FF", "FFFF" ...
QString lettre(QChar etat);
QString mot(QChar etat);
QString texteHex(QChar etat);

QColor aRemplir();           // field to fill, &HC0FFC0
QColor rempli();             // filled field, &HC0FFFF
QColor nouveauDepartement(); // department new on the band, &HC0C0FF
QColor carreNonContacte();   // unworked cell of the square view, &HC0FFFF
QColor faceBouton();         // system button face (&H8000000F)

// Background of a control (line edit, combo box, list) and its reading back.
void colorer(QWidget* controle, const QColor& couleur);
QColor fond(const QWidget* controle);

} // namespace Couleurs_Etat
