#pragma once
// What every map window shares: the map picture `Picture1`, drawn once, and the 100 cells
// `Dep` laid over it, recoloured by each painting.
#include "reports/Carte_Regles.h"
#include "station/Fenetre_Chargee.h"

#include <QLabel>
#include <array>

class QImage;

// One cell of a map: a small box with its text whose background is the status colour, or the
// window background when unworked. A cell that covers a square of a field map draws the lines
// of the map (`traits`, in the coordinates of the picture it lies on) over its colour.
class Cellule_Carte : public QLabel {
public:
    Cellule_Carte(const QString& texte, const QImage* traits, QWidget* parent);
    QColor couleur() const;
    void colorer(const QColor& c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QImage* traits_;
};

class Carte_Base : public Fenetre_Chargee {
public:
    QLabel* Picture1 = nullptr;
    std::array<Cellule_Carte*, cartes::NombreCellules> Dep{};

    // Every cell back to the window background.
    void effacerCellules();
    void colorerCellules(const std::array<QColor, cartes::NombreCellules>& couleurs);
    std::array<QColor, cartes::NombreCellules> couleursCellules() const;
    // The cells of each status colour, "1" to "4", counted on the map as painted.
    std::array<int, 4> compteCellules() const;

protected:
    // `traits`: the lines that the cells draw over their colour; null for cells that are
    // boxes of their own.
    Carte_Base(const QString& nom, const QImage& image, const QImage* traits);
    // Cells over the departments of the France map (96 "2a", 97 "2b", 20, 98 and 99 "X" in a
    // corner), or over the squares of a locator field (each its two-digit index).
    void placerSurFrance();
    void placerSurChamp(const QString& champ);
    // The lines of a file of the program folder for a painting; false, the operator told
    // (`operation` names what failed), when it cannot be read.
    static bool lireFichier(const QString& nom, const QString& operation, QStringList& lignes);
    // A label of the window named as the window names it.
    QLabel* etiquette(const QString& nom, const QString& texte = QString());
    // The legend of the four status colours, each line a swatch, its text and the label of its
    // count ("Sans QSL", "QSL Envoyée non R", "QSL Reçue non E", "Dpt Confirmé").
    QLayout* legende(QLabel* n1, QLabel* n2, QLabel* n3, QLabel* n4);
};
