#pragma once
// The maker's line: in the About box, and at the foot of every printed report.
#include <QString>

inline const QString Mention_Auteur = QStringLiteral("Réalisé pour les radioamateurs");

// "Velmarin 5.6.9d - Réalisé pour les radioamateurs": the program, its revision and its maker.
QString Ligne_Auteur();
