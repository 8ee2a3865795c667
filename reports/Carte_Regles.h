#pragma once
// The rules of the map windows, apart from any window: the colour counters and the
// painting of an activity from the log.
#include <QChar>
#include <QColor>
#include <QString>
#include <QStringList>
#include <array>

namespace cartes {

constexpr int NombreCellules = 100;
inline const QString ToutesBandes = QStringLiteral("Toutes QRG");

// How many cells bear each status colour, "1" to "4" in that order (a colour that is none of
// the four counts nowhere).
std::array<int, 4> compteCouleurs(const std::array<QColor, NombreCellules>& couleurs);

// An activity painting: the best status of each cell ('0' for none, '1' to '4').
struct PeintureActivite {
    std::array<QChar, NombreCellules> etats;
    int total = 0;  // QSOs of the activity on the band, foreign ones included
};

// The departments reached by the QSOs of activity number `activite` ("1", "2" ...) on
// `bande`, or on every band for "Toutes QRG". A cell keeps the best status seen; a foreign
// QSO (no department) counts without colouring; a status other than "1" to "4" colours nothing.
PeintureActivite peintureActivite(const QStringList& lignes, const QString& bande, const QString& activite);

// The colours of the cells from their statuses ('1' to '4'; the window background otherwise).
std::array<QColor, NombreCellules> couleursEtats(const std::array<QChar, NombreCellules>& etats);

// The locator fields of the chooser and their bands, as listed there.
const QStringList& champsChoix();
const QStringList& bandesChoix();

} // namespace cartes
