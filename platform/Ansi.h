#pragma once
// Conversion between the program's text and the bytes of its data files (Windows-1252).
// Characters the code page cannot hold are written as "?"; the five bytes it leaves
// undefined read back as the control characters of the same number.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace plateforme {

// Decodes `taille` bytes into `sortie`, which has room for `taille` characters.
void decoderAnsi(const char* octets, qsizetype taille, char16_t* sortie);
QByteArray versAnsi(QStringView texte);
// Appends the Windows-1252 bytes of `texte` to `sortie`.
void ajouterAnsi(QByteArray& sortie, QStringView texte);
QString depuisAnsi(const QByteArray& octets);
QString depuisAnsi(const char* octets, qsizetype taille);

// Upper case for a value that goes into a fixed column: character by character, so the
// length never changes ("ß" stays "ß", not "SS"), and a character whose capital Windows-1252
// cannot hold ("µ", "ƒ") is kept as it is.
QString majusculesAnsi(QStringView texte);

} // namespace plateforme
