#pragma once
// QSL labels: the five lines of a label pair (left and right label side by side), centred in
// fixed-pitch character counts, and the printing of the chosen QSOs sheet by sheet on the four
// sheet formats (16 labels, 2 across and 8 down).
#include <QString>
#include <QStringList>
#include <array>

namespace etiquettes {

enum class Format { Etiqu_1 = 1, Etiqu_2, Etiqu_3, Etiqu_4 };
enum class Libelle { Type_1 = 1, Type_2 };

constexpr int RangeesParFeuille = 8;
constexpr int LongueurMaxTransceiver = 15;
constexpr int LongueurMaxAntenne = 13;

// What a label shows of one QSO, taken from a QSO list item (number prefix then the record).
struct Valeurs {
    QString date, heure, indicatif, rst, mode, bande, reference;
    bool vide = true;  // no QSO: the label stays blank
};
Valeurs valeursDe(const QString& item);

struct Contexte {
    QString station;      // the station's own callsign, trimmed
    QString transceiver;  // trimmed
    QString antenne;      // trimmed
    Format format = Format::Etiqu_1;
    Libelle libelle = Libelle::Type_2;
};

// Blanks in front of a line of `longueur` characters centred in `largeur`: half the free
// room, never below zero for a line wider than the label.
int marge(int largeur, int longueur);

// The five printed lines of a row: the left label's line, its margins and the gap, then the
// right label's line. A blank label gives only blanks.
std::array<QString, 5> lignesRangee(const Valeurs& gauche, const Valeurs& droite, const Contexte& c);

// Where the labels lie on their A4 sheet, in millimetres: 8 rows of labels `hauteur` high,
// the first one `haut` below the top edge of the sheet; the two columns side by side, centred
// across the sheet's width.
struct Feuille {
    double haut;
    double hauteur;
};
Feuille feuille(Format f);
constexpr double LargeurFeuille = 210.0;

// The printer as the label printing uses it. Each line is placed on the sheet: its start at
// `xMm` and the top of its line at `yMm` from the sheet's top-left corner.
class Sortie {
public:
    virtual ~Sortie() = default;
    virtual void ligne(const QString& texte, double points, bool gras, double xMm, double yMm) = 0;
    virtual bool finTravail() = 0;      // the sheet goes out
    virtual void abandon() = 0;         // the open job is dropped
    virtual bool pageSuivante(const QString& question) = 0;  // Yes: go on
};

// Prints the labels of the list items, two per row, eight rows per sheet, each sheet one job.
// `compteur` counts the rows on the current sheet. With `arret`, each full sheet asks the
// question; No stops after that sheet. Each row's five lines are placed on its own labels:
// the block of lines, spaced as the font's lines with the format's gaps between them, stands
// in the middle of the label's height, each line's two labels centred across the sheet.
void imprimer(const QStringList& items, const Contexte& c, bool arret, Sortie& sortie, double& compteur);

// The question asked after each sheet.
QString questionPage(Format f);

} // namespace etiquettes
