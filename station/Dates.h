#pragma once
// Today's date and the current time from the UTC or local clock, and the shape checks of a
// typed date, time and locator.
#include <QString>

QString Lit_Date_UTC();      // "jj/mm/aa"
QString Lit_Date_Locale();   // "jj/mm/aa"
QString Lit_Heure_UTC();     // "hh:mm:ss"
QString Lit_Heure_Locale();  // "hh:mm:ss"

// Sets `erreur` to 0, then to 1 when `texte` is not of the shape "jj/mm/aa".
void Verif_Date(const QString& texte, int& erreur);
// Sets `erreur` to 0, then to 1 when `texte` is not of the shape "hh:mm".
void Verif_Heure(const QString& texte, int& erreur);
// Sets `erreur` to 1 when `texte` is not of the shape of a locator (AA00AA, upper case);
// never sets it to 0.
void Verif_Locator(const QString& texte, int& erreur);
