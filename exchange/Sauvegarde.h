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

// Where a station backs up when no "Chemin Sauvegarde" was chosen: a folder of its own inside
// the program folder, named with its callsign (F5ABC/F5ABC.bak, F5ABC/F5ABC_Departement.bak ...).
QString prefixeSauvegardeDefaut(const QString& indicatif);
// Where such a station used to back up: one set beside the program folder ("Velmarin.bak" ...),
// shared by every station without a chosen place.
QString prefixeSauvegardeCommun();
// Where earlier versions backed up a new station: its callsign beside its log, in the program
// folder ("F5ABC.bak" ...).
QString prefixeSauvegardeAncien(const QString& indicatif);
// The prefix of the station's backups: its "Chemin Sauvegarde", or the default above.
QString prefixeSauvegarde(const QString& indicatif);

// The set a restore reads. A station without a chosen place reads its own folder; only when
// that holds no complete set is an earlier place read: the station's former set beside its log
// when complete, else the former shared set when complete, and then `commun` is set so that
// the operator can be warned it may be another station's.
QString prefixeRestauration(const QString& indicatif, bool& commun);

// The five files of the set in their order: log, departments, squares, prefixes, activities.
const QVector<FichierSauvegarde>& Jeu_Sauvegarde();

// Copies the five files of the station over their backups, all together (plateforme::
// ecrireEnsemble): a failed write leaves every backup as it was, so that the log and the award
// files of a backup always match. A station file that cannot be read keeps its old backup and
// does not stop the others. The default folder of the station is made when missing. Returns
// one French line per file that could not be read and one naming the file at fault when the
// set could not be written (empty: all done). Nothing is done while a file of the station
// belongs to a set left for the next start (one line says so).
QStringList sauvegarder(const QString& indicatif, const QString& prefixe);

// The backup files the restore needs that are missing (full names); empty when all are there.
QStringList sauvegardesManquantes(const QString& prefixe);
// Puts the four restored backups in place of the station's files, all or none: on any failure
// (a missing backup, a full disk, a read-only file) every file stays as it was and
// plateforme::ErreurFichier names the file at fault.
void restaurer(const QString& indicatif, const QString& prefixe);

// The activity names of the backup activity file, one a line (trailing empty lines dropped).
// Throws plateforme::ErreurFichier when it cannot be read.
QStringList lireActivitesSauvegarde(const QString& prefixe);

// The activity backup file of a prefix.
QString fichierActivitesSauvegarde(const QString& prefixe);

} // namespace echange
