#pragma once
// Conversion between the program's text and the bytes of its data files (Windows-1252).
#include <QByteArray>
#include <QString>

namespace plateforme {

QByteArray versAnsi(const QString& texte);
QString depuisAnsi(const QByteArray& octets);

} // namespace plateforme
