#pragma once
// The geography under the map windows: land outlines of Europe and its surroundings, the
// French departments, the projections of the France map and of the nine locator fields, and
// the pictures drawn from them. The outlines are text resources (reports/cartes) made once by
// tools/maps; the pictures are drawn on first use and kept.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVector>

namespace geographie {

// A department: its code as written in the log ("01" ... "95", "2A", "2B"), its outlines
// (longitude, latitude) and the point where its cell stands.
struct Departement {
    QString code;
    QVector<QPolygonF> contours;
    QPointF cellule;
};

const QVector<QPolygonF>& Terres();
const QVector<Departement>& Departements();

// A longitude/latitude frame drawn on a picture: longitudes shortened by the cosine of the
// middle latitude, so that shapes look as on a globe, and every meridian and parallel a
// straight line (a locator square is an exact rectangle).
class Projection {
public:
    Projection() = default;
    // `zone`: x longitude west to east, y latitude south to north; `largeur` in pixels.
    Projection(const QRectF& zone, int largeur, QPoint origine = QPoint());
    QPointF pixel(double lon, double lat) const;
    QPointF pixel(const QPointF& lonLat) const { return pixel(lonLat.x(), lonLat.y()); }
    QRectF pixels(const QRectF& zone) const;
    QSize taille() const;
    QRectF zone() const { return zone_; }

private:
    QRectF zone_;
    double echelleX_ = 1;
    double echelleY_ = 1;
    QPoint origine_;
};

// --- France -----------------------------------------------------------------------------------

// The France map and the enlarged inset of Paris and the petite couronne (75, 92, 93, 94).
Projection projectionFrance();
Projection projectionEncart();
// True for the departments whose cells stand in the inset.
bool dansEncart(const QString& code);
// Top-left corner, on the France picture, of each cell, centred on its department; cells 0,
// 20, 98 and 99 stand in the picture's top-left corner, in the sea.
QPointF positionCelluleFrance(int cellule);
QSize tailleCelluleFrance();
const QImage& imageFrance();

// --- Locator fields ---------------------------------------------------------------------------

// "JN" covers 0°-20°E, 40°N-50°N. An empty rectangle for a text that is no field.
QRectF zoneChamp(const QString& champ);
Projection projectionChamp(const QString& champ);
// The square with digits n (west to east) and m (south to north) is cell 10n + m.
QRectF rectangleCarre(const QString& champ, int cellule);
const QImage& imageChamp(const QString& champ);
// The lines of that picture alone (coastlines, borders, squares) on a transparent ground, to
// draw over what covers the picture.
const QImage& traitsChamp(const QString& champ);

// --- Colours of the pictures --------------------------------------------------------------------
QColor couleurMer();
QColor couleurTerre();        // land outside France
QColor couleurFrance();       // the departments
QColor couleurFrontiere();

} // namespace geographie
