#pragma once
// Export of the station log to "<callsign>.adi": the whole log or a range of QSO numbers.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace echange {

// The ADIF band name of a log band text ("1.25cm" for "24 Ghz"); "XX.m" for any other text.
QString bandeExportAdif(const QString& bandeJournal);
// "19980314" for "14/03/98", "20070101" for "01/01/07": two-digit years 50 to 99 are 19yy,
// 00 to 49 are 20yy, as everywhere in the log.
QString dateAdif(const QString& dateJournal);
// One exported field: "<name:n>value", n the number of bytes the value takes in UTF-8.
QString champAdif(const char* nom, const QString& valeur);
// The QSO line of one log record (without line end), ended by "<eor>"; the mode in its ADIF
// form (modeVersAdif).
QString ligneExportAdif(const QString& record);
// The six header lines; `indicatifAffiche` is the callsign as shown ("/" restored).
QStringList enteteExportAdif(const QString& indicatifAffiche);

// The export file of a station: "<callsign>.adi" in the program folder.
QString nomFichierAdif(const QString& indicatif);

// What the window asks of the export.
struct DemandeExportAdif {
    bool partiel = false;       // a range of QSO numbers, not the whole log
    QString debut, fin;         // the boxes' texts (read only for a range)
};

// The refusal of a range before anything is read, empty when the range may go on.
QString controleIntervalle(const DemandeExportAdif& demande);
// The refusal of a range against the log's count of lines, empty when it is accepted.
QString controleFinIntervalle(const DemandeExportAdif& demande, int nombreLignes);

// Writes "<indicatif>.adi" from the log "<indicatif>.log": the header, then the QSOs asked for,
// in UTF-8 (the log itself is Windows-1252).
// The file is written beside and renamed, so a failed export leaves any older file whole.
// A blank or damaged log line (no callsign, unreadable date or start time) gives no ADIF
// record; their number is put in `ecartees` when given.
// Returns the refusal of the range (nothing written) or an empty text.
// Raises plateforme::ErreurFichier (missing log, full disk ...).
QString exporterAdif(const QString& indicatif, const QString& indicatifAffiche, const DemandeExportAdif& demande,
                     int* ecartees = nullptr);
// Whether a log line can become an ADIF record.
bool ligneExportable(const QString& record);

// The message of a failed export: "Erreur " with the error number, the classic words of
// errors 70 and 71, then the file and the reason.
QString messageErreurExport(int numero, const QString& detail);

} // namespace echange
