#pragma once
// The map windows as the rest of the program reaches them.
namespace Cartes {

// Wires the main window's "Cartes" menu to the map windows and registers the painter of the
// locator-field maps with the grid, so that every square painting also paints the field's map.
// Called once the main window is built; the map windows go away with it.
void Installer();

void Afficher_Carte();
void Afficher_Carte_Acti();
void Afficher_Select_Locator();

// Tests: forget every map window.
void Detruire_Fenetres();

} // namespace Cartes
