#include "station/Geometrie.h"

#include "station/Ligne_QSO.h"

#include "station/Variables_Programme.h"

#include <QStringView>
#include <cmath>

namespace {

// Character code of the locator's n-th character (0-based); 0 when the text stops before.
int code(const QString& locator, int n)
{
    return n < locator.size() ? locator.at(n).unicode() : 0;
}

int rang(const QString& locator, int n)
{
    return Rang_Lettre(n < locator.size() ? locator.at(n) : QChar());
}


// Great-circle distance in km between two locators.
double distanceKm(const QString& loc1, const QString& loc2)
{
    const Variables_Programme& p = Prog();
    const double lon1 = Longitude_Locator(loc1);
    const double lat1 = Latitude_Locator(loc1);
    const double lon2 = Longitude_Locator(loc2);
    const double lat2 = Latitude_Locator(loc2);
    double x = std::cos(lon1 - lon2) * std::cos(lat1) * std::cos(lat2) + std::sin(lat2) * std::sin(lat1);
    // Rounding may push the cosine of a very small or very large angle past 1 or -1.
    if (x > 1)
        x = 1;
    else if (x < -1)
        x = -1;
    const double a = Arc_Sinus_Negatif(x) + p.Pi_Sur_2;
    return p.Circonference_Terre * a / (p.Valeur_Pi + p.Valeur_Pi);
}

} // namespace

int Rang_Lettre(QChar lettre)
{
    const int c = lettre.unicode();
    return c <= 96 ? c - 65 : c - 97;
}

double Longitude_Locator(const QString& locator)
{
    // Whole degrees summed as integers, then the subsquare's fraction added in one piece.
    const int entier = rang(locator, 0) * 20 - 180 + (code(locator, 2) - 48) * 2;
    const double fraction = rang(locator, 4) / 12.0 + 1.0 / 24.0;
    const double degres = entier + fraction;
    return degres * (Prog().Valeur_Pi / 180);
}

double Latitude_Locator(const QString& locator)
{
    const int entier = rang(locator, 1) * 10 - 90 + (code(locator, 3) - 48);
    const double fraction = rang(locator, 5) / 24.0 + 1.0 / 48.0;
    const double degres = entier + fraction;
    return degres * (Prog().Valeur_Pi / 180);
}

double Arc_Sinus_Negatif(double x)
{
    return -std::atan(x / std::sqrt(1 - x * x));
}

void Calcul_Distance(const QString& locatorStation, QString locatorContacte)
{
    locatorContacte = station::sansBlancs(locatorContacte).left(6).toString();
    if (locatorContacte.size() < 6)
        return;
    const double d = distanceKm(locatorStation, locatorContacte);
    Prog().Distance_Calculee = QString::number(static_cast<qint64>(std::floor(d + 0.5)));
}

void Calcul_Azimut(const QString& locatorStation, const QString& locatorContacte)
{
    Variables_Programme& p = Prog();
    const double lon1 = Longitude_Locator(locatorStation);
    const double lat1 = Latitude_Locator(locatorStation);
    const double lon2 = Longitude_Locator(locatorContacte);
    const double lat2 = Latitude_Locator(locatorContacte);
    const double dlon = lon1 - lon2;
    if (dlon == 0 && lat1 == lat2) {
        // Same subsquare: no direction; the formula would divide zero by zero.
        p.Azimut_Calcule = 0;
        return;
    }
    const double c = distanceKm(locatorStation, locatorContacte) / p.Rayon_Terre;
    double y = (std::sin(lat2) - std::sin(lat1) * std::cos(c)) / (std::cos(lat1) * std::sin(c));
    if (std::isnan(y))
        y = 0;
    if (y >= 1)
        y = 0.999999999;
    else if (y <= -1)
        y = -0.999999999;
    double b = (Arc_Sinus_Negatif(y) + p.Valeur_Pi / 2) * p.Radians_Degres;
    if (dlon > 0)
        b = 360 - b;
    p.Azimut_Calcule = static_cast<float>(std::floor(b + 0.5));
}
