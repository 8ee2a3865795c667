#pragma once
// QSL marks on a logged QSO: the new status digit and date in its log line, the department and
// (from 50 MHz up) the square raised in the award status files.
#include <QByteArray>
#include <QChar>
#include <QString>

namespace qsl {

// The record after a received or a sent mark, from the QSO's current status `code` (1 to 4);
// the empty text when the mark changes nothing (received on 3 or 4, sent on 2 or 4).
// Received: 1 gives "3", 2 gives "4", the date in columns 146-153. Sent: 1 gives "2", 3 gives
// "4", the date in columns 137-144. The record stays 199 characters.
QString ligneRecue(const QString& ligne, int code, const QString& date);
QString ligneEnvoyee(const QString& ligne, int code, const QString& date);

// The square's new digit after a received or a sent mark.
QChar carreRecue(QChar ancien);
QChar carreEnvoyee(QChar ancien);

// The department key of a record in the department file: its two department columns trimmed,
// Corsica ("2a", "2A", "2b", "2B") as "96" and "97"; empty for a QSO without department.
QString cleDepartement(const QString& ligne);

// Replaces in the stored bytes of a file every whole line equal to `ancienne` (each followed
// by its line end or the end of the file) by `nouvelle`; returns how many were replaced.
int remplaceLignes(QByteArray& octets, const QByteArray& ancienne, const QByteArray& nouvelle);

// The refusal of a mark on a record that is no longer in the log.
QString messageQSOChange();
// When the record `ancienne` is not found whole in the stored bytes of the log `nomJournal`
// because the log itself is at fault (a line that begins with the record and goes on: a log
// saved in UTF-8 by another editor, or a line longer than a record), the refusal that says so;
// empty otherwise.
QString messageJournalIllisible(const QByteArray& octets, const QByteArray& ancienne, const QString& nomJournal);

} // namespace qsl

// Marks the QSL of the QSO of `Ligne_Selectionnee` (status `Code_QSL`) received or sent: the
// log line, the department, the square and its field's painting. Afterwards
// `Ligne_Selectionnee` and `Code_QSL` describe the rewritten line. A record that is no longer
// in the log is refused with a message and nothing is written. Returns false when the mark was
// refused or a file error was shown.
bool Enregistre_QSL_Recue();
bool Enregistre_QSL_Envoyee();
