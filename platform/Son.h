#pragma once
// Wave sounds of the program folder, played one after another without holding up the window.
#include <QString>
#include <functional>

namespace plateforme {

// Plays the wave file at `chemin` after the sounds already waiting; returns at once. A missing
// file gives the system's default sound. Without any audio output nothing is played.
void Joue_Son(const QString& chemin);

// Tests: while a listener is installed, sounds are handed to it instead of being played.
void installerEcouteSons(std::function<void(const QString& chemin)> ecoute);
void retirerEcouteSons();

} // namespace plateforme
