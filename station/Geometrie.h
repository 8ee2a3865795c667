#pragma once
#include <QString>
// Distance and bearing between two six-character locators, with the program's own constants.

// Sets Prog().Distance_Calculee (whole km as text). The worked locator is trimmed and cut to
// six characters; with fewer than six nothing is computed.
void Calcul_Distance(const QString& locatorStation, QString locatorContacte);
// Sets Prog().Azimut_Calcule (whole degrees, 0 to 360).
void Calcul_Azimut(const QString& locatorStation, const QString& locatorContacte);
// Centre of the subsquare, radians.
double Longitude_Locator(const QString& locator);
double Latitude_Locator(const QString& locator);
// Minus the arcsine of x, as -Atn(x / Sqr(1 - x * x)).
double Arc_Sinus_Negatif(double x);
// A or a = 0 ... Z or z = 25.
int Rang_Lettre(QChar lettre);

