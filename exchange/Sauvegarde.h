#pragma once
// The backup set of a station: its log, its three award files and its activity file, copied
// to a path prefix chosen by the operator (the files are the prefix followed by a suffix).
#include <QString>
#include <QStringList>
#include <QVector>

namespace echange {

struct FichierSauvegarde {
    QString suffixeSauvegarde;  // ".bak", "_Departement.bak" ...
    QString suffixeSource;      // ".log", "_Departement.txt" ...
    bool restaure;              // copied back by the restore
};

// The five files of the set in their order: log, departments, squares, prefixes, activities.
const QVector<FichierSauvegarde>& Jeu_Sauvegarde();

// Copies the five files of the station over their backups, each one atomically (written
// beside, then renamed): a failed copy leaves that backup as it was. Every file is tried;
// returns one French line per file that could not be backed up (empty: all done).
QStringList sauvegarder(const QString& indicatif, const QString& prefixe);

// The backup files the restore needs that are missing (full names); empty when all are there.
QStringList sauvegardesManquantes(const QString& prefixe);
// Copies the four restored backups over the station's files, each atomically. Checks first
// that all four exist and throws plateforme::ErreurFichier (53) on the first missing one,
// before anything is written.
void restaurer(const QString& indicatif, const QString& prefixe);

// The activity names of the backup activity file, one a line (trailing empty lines dropped).
// Throws plateforme::ErreurFichier when it cannot be read.
QStringList lireActivitesSauvegarde(const QString& prefixe);

// The activity backup file of a prefix.
QString fichierActivitesSauvegarde(const QString& prefixe);

} // namespace echange
