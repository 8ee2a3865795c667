#pragma once
// The system's text clipboard, shared with the other programs.
#include <QString>

namespace plateforme {

QString PressePapiersTexte();
void PressePapiersEcrire(const QString& texte);
void PressePapiersVider();

} // namespace plateforme
