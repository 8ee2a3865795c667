#pragma once
// The per-user settings store: one INI file per application name, every value text, read and
// written by Qt's INI settings. Every write replaces the whole file through the file door
// (written beside, synced, renamed): a failed write leaves the old file as it was and is told
// to the operator.
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace plateforme {

// The stored text, or `defaut` when the key or its section is absent.
QString GetSetting(const QString& application, const QString& section, const QString& cle,
                   const QString& defaut);
// Creates or replaces the value; written to disk at once, under the settings lock. False when
// it could not be written (another copy holding the lock for more than 5 s too): the file is
// left as it was and the operator has been told (once for a run of failed writes made by one
// action).
bool SaveSetting(const QString& application, const QString& section, const QString& cle,
                 const QString& valeur);
// Several values of one section in one write: all of them are stored, or none.
bool SaveSettings(const QString& application, const QString& section,
                  const QList<std::pair<QString, QString>>& valeurs);
// The INI file of an application, the program's own by default (tests point its folder
// elsewhere with QSettings::setPath).
QString fichierReglages(const QString& application = QStringLiteral("Velmarin"));

// Removes what a killed settings write left in the settings folder (estResteEcritureReglages),
// nothing else of that folder, which other programs share. When another running copy holds
// the settings lock the clean-up is skipped at once: its scratch file may be one being written.
void nettoyerRestesReglages(const QStringList& applications);
// Whether `nomFichier` is what a killed write of the settings file `fichier` (a name, no
// folder) may have left: the file door's scratch file (plateforme::estBrouillon), or the lock
// ("<scratch>.lock") or scratch file ("<scratch>." and six letters or figures) Qt's INI writer
// makes beside it. Exactly those names.
bool estResteEcritureReglages(const QString& nomFichier, const QString& fichier);

} // namespace plateforme
