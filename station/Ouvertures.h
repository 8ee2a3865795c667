#pragma once
// The windows that the main window's buttons and menus open but that live in the later parts of
// the program (search, maps, reports...). Each part registers its opener by the window's name
// when the program starts; a button whose window has no opener stays greyed.
#include <QString>
#include <functional>

namespace ouvertures {

void definir(const QString& fenetre, std::function<void()> ouvrir);
bool existe(const QString& fenetre);
// Opens the window; false when no opener is registered for it.
bool ouvrir(const QString& fenetre);

} // namespace ouvertures
