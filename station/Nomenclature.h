#pragma once
// The callsign directory "Nomenclature.txt": department and locator of every station worked.
//
// A record: callsign in columns 1-10 (the key, blanks trimmed), department in 12-13, locator
// in 15-20 (left-aligned when the save wrote it, right-aligned when the editor did; readers
// trim it). A record is read as one comma-separated field: a comma ends it and a double quote
// delimits it, so no record holds either.
#include <QString>
#include <QStringList>

namespace station {
inline const QString FichierNomenclature = QStringLiteral("Nomenclature.txt");
constexpr int LargeurIndicatifNomenclature = 10;

// A line of the file read as one comma-separated field: leading blanks skipped, then either
// the text between two double quotes or the text up to the first comma.
QString champNomenclature(const QString& ligne);
// The key of a record or editor item: columns 1-10, blanks trimmed.
QString cleNomenclature(const QString& enregistrement);
// The three fields of a record or editor item, each trimmed (columns 1-10, 12-13, 15-20).
// The department is returned as stored (no "0" added).
void champsNomenclature(const QString& enregistrement, QString& indicatif, QString& departement,
                        QString& locator);

// The record written by the save: callsign, (11 - length) blanks, department, (3 - length)
// blanks, then the locator as given.
QString ligneNomenclature(const QString& indicatif, const QString& departement, const QString& locator);
// The editor's item: the upper-cased callsign, (11 - length) blanks, department, (3 - length)
// blanks, and the locator right-aligned in six columns (six blanks when empty).
QString itemNomenclature(const QString& indicatif, const QString& departement, const QString& locator);

// Every record of the file, in file order, as the editor's list shows them.
// Raises plateforme::ErreurFichier (the file must exist; it may be empty).
QStringList lireNomenclature();
// The editor's save: the whole file replaced by the items, one per line, in one step.
void ecrireNomenclature(const QStringList& items);
}

// Department and locator of the first record of `indicatif` ("" and "" when none).
// A department of one character comes back with a "0" before it.
// Raises plateforme::ErreurFichier when the directory cannot be read.
void Cherche_Nomenclature(const QString& indicatif, QString& departement, QString& locator);
// Replaces every record of `indicatif`, or appends one. Callsigns longer than the key columns
// (and an empty callsign) are kept out of the directory (returns false, nothing written).
// Raises plateforme::ErreurFichier; the directory is then left as it was.
bool MAJ_Nomenclature(const QString& indicatif, const QString& departement, const QString& locator);
