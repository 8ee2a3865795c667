#pragma once
// The per-user settings store: one INI file per application name, every value text.
#include <QString>

namespace plateforme {

// The stored text, or `defaut` when the key or its section is absent.
QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut);
// Creates or replaces the value; written to disk at once.
void SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur);
// Folder that holds the INI files (tests point it elsewhere with QSettings::setPath).
QString dossierReglages();

} // namespace plateforme
