// Outlines read from the map resources, projections and the cached map pictures.
#include "reports/Geographie.h"

#include "logbook/Carnet_Grille.h"
#include "station/Listes.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cmath>
#include <map>

// The resources of a static library are registered by hand.
static void chargerRessourcesCartes()
{
    static const bool fait = [] {
        Q_INIT_RESOURCE(Cartes);
        return true;
    }();
    (void)fait;
}

namespace geographie {

namespace {

constexpr double Milliemes = 1000.0;

// The lines of a resource, comments left out.
QStringList lignesRessource(const QString& nom)
{
    chargerRessourcesCartes();
    QFile f(QStringLiteral(":/cartes/") + nom);
    QStringList lignes;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return lignes;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString l = in.readLine();
        if (!l.isEmpty() && !l.startsWith(QLatin1Char('#')))
            lignes.append(l);
    }
    return lignes;
}

// Pairs of numbers in thousandths of a degree, from word `debut` on.
QPolygonF points(const QStringList& mots, int debut)
{
    QPolygonF p;
    p.reserve((mots.size() - debut) / 2);
    for (int i = debut; i + 1 < mots.size(); i += 2)
        p.append(QPointF(mots.at(i).toDouble() / Milliemes, mots.at(i + 1).toDouble() / Milliemes));
    return p;
}

QPainterPath chemin(const Projection& proj, const QPolygonF& contour)
{
    QPolygonF p;
    p.reserve(contour.size());
    for (const QPointF& pt : contour)
        p.append(proj.pixel(pt));
    QPainterPath c;
    c.addPolygon(p);
    c.closeSubpath();
    return c;
}

// The lands around: filled with `fond`, outlined with `trait` (by default the border line).
void dessinerTerres(QPainter& pinceau, const Projection& proj, const QRectF& cadre, const QBrush& fond = couleurTerre(),
                    const QPen& trait = QPen(couleurFrontiere(), 0.8))
{
    pinceau.setPen(trait);
    pinceau.setBrush(fond);
    for (const QPolygonF& t : Terres()) {
        if (!t.boundingRect().intersects(cadre))
            continue;
        pinceau.drawPath(chemin(proj, t));
    }
}

void dessinerDepartements(QPainter& pinceau, const Projection& proj, double epaisseur)
{
    pinceau.setPen(QPen(couleurFrontiere().darker(130), epaisseur));
    pinceau.setBrush(couleurFrance());
    for (const Departement& d : Departements())
        for (const QPolygonF& c : d.contours)
            pinceau.drawPath(chemin(proj, c));
}

// The France map: lands around it, the departments, the frame of the area the inset enlarges.
const QRectF ZoneFrance(-7.0, 41.0, 17.0, 10.5);
constexpr int LargeurFrance = 720;
// The inset, drawn in the Bay of Biscay, and the area it enlarges.
const QRectF CadreEncartLonLat(-6.85, 44.05, 4.2, 2.65);
const QRectF ZoneEncart(2.08, 48.66, 0.58, 0.38);
const QSize TailleCellule(22, 14);

constexpr int LargeurChamp = 640;

int indexChamp(const QString& champ)
{
    return int(station::Champs_Locator().indexOf(champ));
}

} // namespace

// --- Data -------------------------------------------------------------------------------------

const QVector<QPolygonF>& Terres()
{
    static const QVector<QPolygonF> terres = [] {
        QVector<QPolygonF> t;
        for (const QString& l : lignesRessource(QStringLiteral("monde.txt"))) {
            const QStringList mots = l.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (mots.value(0) == QLatin1String("P"))
                t.append(points(mots, 1));
        }
        return t;
    }();
    return terres;
}

const QVector<Departement>& Departements()
{
    static const QVector<Departement> departements = [] {
        std::map<QString, Departement> parCode;
        for (const QString& l : lignesRessource(QStringLiteral("france.txt"))) {
            const QStringList mots = l.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (mots.size() < 4)
                continue;
            Departement& d = parCode[mots.at(1)];
            d.code = mots.at(1);
            if (mots.at(0) == QLatin1String("P"))
                d.contours.append(points(mots, 2));
            else if (mots.at(0) == QLatin1String("C"))
                d.cellule = points(mots, 2).value(0);
        }
        QVector<Departement> v;
        for (auto& [code, d] : parCode)
            v.append(d);
        return v;
    }();
    return departements;
}

// --- Projection -------------------------------------------------------------------------------

Projection::Projection(const QRectF& zone, int largeur, QPoint origine) : zone_(zone), origine_(origine)
{
    const double k = std::cos((zone.y() + zone.height() / 2) * M_PI / 180.0);
    echelleX_ = largeur / zone.width();
    echelleY_ = echelleX_ / k;
}

QPointF Projection::pixel(double lon, double lat) const
{
    return QPointF(origine_.x() + (lon - zone_.x()) * echelleX_,
                   origine_.y() + (zone_.y() + zone_.height() - lat) * echelleY_);
}

QRectF Projection::pixels(const QRectF& zone) const
{
    return QRectF(pixel(zone.x(), zone.y() + zone.height()), pixel(zone.x() + zone.width(), zone.y()));
}

QSize Projection::taille() const
{
    return QSize(qRound(zone_.width() * echelleX_), qRound(zone_.height() * echelleY_));
}

// --- France -----------------------------------------------------------------------------------

Projection projectionFrance()
{
    return Projection(ZoneFrance, LargeurFrance);
}

Projection projectionEncart()
{
    const QRectF cadre = projectionFrance().pixels(CadreEncartLonLat);
    // The widest projection of the area that fits the frame, centred in it.
    Projection essai(ZoneEncart, 100);
    const QSize t = essai.taille();
    const double facteur = std::min(cadre.width() / t.width(), cadre.height() / t.height());
    const int largeur = int(100 * facteur);
    const QSize finale = Projection(ZoneEncart, largeur).taille();
    const QPoint origine(qRound(cadre.x() + (cadre.width() - finale.width()) / 2),
                         qRound(cadre.y() + (cadre.height() - finale.height()) / 2));
    return Projection(ZoneEncart, largeur, origine);
}

bool dansEncart(const QString& code)
{
    return code == QLatin1String("75") || code == QLatin1String("92") || code == QLatin1String("93") ||
           code == QLatin1String("94");
}

QSize tailleCelluleFrance()
{
    return TailleCellule;
}

QPointF positionCelluleFrance(int cellule)
{
    static const std::map<int, QPointF> positions = [] {
        std::map<int, QPointF> h;
        const Projection france = projectionFrance();
        const Projection encart = projectionEncart();
        const QPointF demi(TailleCellule.width() / 2.0, TailleCellule.height() / 2.0);
        for (const Departement& d : Departements()) {
            const int c = grille::celluleDepartement(d.code);
            if (c < 0)
                continue;
            h[c] = (dansEncart(d.code) ? encart : france).pixel(d.cellule) - demi;
        }
        // Neighbouring small departments (Belfort and Haut-Rhin, Rhône and Loire): cells that
        // would overlap are pushed apart up and down.
        for (int tour = 0; tour < 20; ++tour) {
            bool bouge = false;
            for (auto a = h.begin(); a != h.end(); ++a)
                for (auto b = std::next(a); b != h.end(); ++b) {
                    const QRectF ra(a->second, QSizeF(TailleCellule)), rb(b->second, QSizeF(TailleCellule));
                    if (!ra.adjusted(-1, -1, 1, 1).intersects(rb))
                        continue;
                    const double ecart = (TailleCellule.height() + 2 - std::abs(ra.top() - rb.top())) / 2;
                    const double sens = ra.top() <= rb.top() ? 1 : -1;
                    a->second.ry() -= sens * ecart;
                    b->second.ry() += sens * ecart;
                    bouge = true;
                }
            if (!bouge)
                break;
        }
        // The cells of no department, one under the other in the corner.
        int rang = 0;
        for (int c : {0, 20, 98, 99})
            h[c] = QPointF(6, 6 + rang++ * (TailleCellule.height() + 4));
        return h;
    }();
    const auto it = positions.find(cellule);
    return it == positions.end() ? QPointF() : it->second;
}

const QImage& imageFrance()
{
    static const QImage image = [] {
        const Projection proj = projectionFrance();
        QImage img(proj.taille(), QImage::Format_RGB32);
        img.fill(couleurMer());
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        dessinerTerres(p, proj, ZoneFrance);
        dessinerDepartements(p, proj, 0.7);

        // Where the inset comes from, and the inset itself.
        const Projection encart = projectionEncart();
        const QRectF cadre = proj.pixels(CadreEncartLonLat);
        const QRectF origine = proj.pixels(ZoneEncart);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        p.drawRect(origine);
        p.drawLine(origine.bottomLeft(), cadre.topRight());
        p.save();
        p.setClipRect(cadre);
        p.fillRect(cadre, couleurMer());
        dessinerTerres(p, encart, ZoneEncart);
        dessinerDepartements(p, encart, 1.2);
        p.restore();
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.drawRect(cadre);
        QFont f = p.font();
        f.setPointSize(7);
        p.setFont(f);
        p.setPen(QColor(40, 40, 40));
        p.drawText(cadre.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("Paris et petite couronne"));
        return img;
    }();
    return image;
}

// --- Locator fields ---------------------------------------------------------------------------

QRectF zoneChamp(const QString& champ)
{
    if (champ.size() != 2 || indexChamp(champ) < 0)
        return QRectF();
    const double lon = (champ.at(0).unicode() - u'A') * 20.0 - 180.0;
    const double lat = (champ.at(1).unicode() - u'A') * 10.0 - 90.0;
    return QRectF(lon, lat, 20.0, 10.0);
}

Projection projectionChamp(const QString& champ)
{
    return Projection(zoneChamp(champ), LargeurChamp);
}

QRectF rectangleCarre(const QString& champ, int cellule)
{
    const QRectF z = zoneChamp(champ);
    if (z.isEmpty() || cellule < 0 || cellule > 99)
        return QRectF();
    const QRectF carre(z.x() + (cellule / 10) * 2.0, z.y() + (cellule % 10) * 1.0, 2.0, 1.0);
    return projectionChamp(champ).pixels(carre);
}

namespace {

// A picture of a field, drawn on first use by `dessiner` (projection, zone) and kept.
template <class Dessin>
const QImage& imageEnCache(std::map<QString, QImage>& images, const QString& champ, Dessin dessiner)
{
    static const QImage vide;
    const QRectF zone = zoneChamp(champ);
    if (zone.isEmpty())
        return vide;
    auto it = images.find(champ);
    if (it == images.end())
        it = images.emplace(champ, dessiner(projectionChamp(champ), zone)).first;
    return it->second;
}

} // namespace

const QImage& traitsChamp(const QString& champ)
{
    static std::map<QString, QImage> images;
    return imageEnCache(images, champ, [](const Projection& proj, const QRectF& zone) {
        QImage img(proj.taille(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // The coastlines and borders.
        dessinerTerres(p, proj, zone.adjusted(-1, -1, 1, 1), Qt::NoBrush);
        // The French departments, faintly, where the field shows France.
        p.setPen(QPen(couleurFrontiere().lighter(140), 0.5));
        for (const Departement& d : Departements())
            for (const QPolygonF& c : d.contours)
                if (c.boundingRect().intersects(zone))
                    p.drawPath(chemin(proj, c));
        // The squares: a meridian every 2°, a parallel every 1°.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(70, 90, 140), 1));
        const QSize t = proj.taille();
        for (int n = 1; n < 10; ++n) {
            const int x = qRound(proj.pixel(zone.x() + 2.0 * n, zone.y()).x());
            p.drawLine(x, 0, x, t.height());
            const int y = qRound(proj.pixel(zone.x(), zone.y() + n).y());
            p.drawLine(0, y, t.width(), y);
        }
        p.drawRect(0, 0, t.width() - 1, t.height() - 1);
        return img;
    });
}

const QImage& imageChamp(const QString& champ)
{
    static std::map<QString, QImage> images;
    return imageEnCache(images, champ, [&champ](const Projection& proj, const QRectF& zone) {
        QImage img(proj.taille(), QImage::Format_RGB32);
        img.fill(couleurMer());
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        dessinerTerres(p, proj, zone.adjusted(-1, -1, 1, 1), couleurTerre(), Qt::NoPen);
        p.drawImage(0, 0, traitsChamp(champ));
        return img;
    });
}

QColor couleurMer() { return QColor(0xC6, 0xDD, 0xF0); }
QColor couleurTerre() { return QColor(0xE4, 0xE0, 0xD4); }
QColor couleurFrance() { return QColor(0xF6, 0xEC, 0xC8); }
QColor couleurFrontiere() { return QColor(0x80, 0x78, 0x68); }

} // namespace geographie
