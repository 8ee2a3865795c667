#pragma once
// The three imports (own format, ADIF, EDI): each turns a file into log records, then one
// merge puts them into the log as one block at the date and start time of the first one.
#include <QByteArray>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <stdexcept>

namespace echange {

// The end record an older version put at the end of the log during an import; such lines are
// dropped by every merge.
QString Ligne_Sentinelle(bool edi = false);
bool estSentinelle(QStringView ligne);

// Sort key of a date and time (minutes, calendar-free, same order as real dates).
qint64 cleFusion(int annee, int mois, int jour, int heure, int minute);
// Key of a log line: two-digit years 51-99 are 19yy, 00-50 are 20yy; -1 when the date or the
// start time cannot be read.
qint64 cleLigneJournal(QStringView ligne);

// What a conversion gives: the records in file order, the key of the first one, each
// default message with the number of QSOs concerned (in the order first met), the QSOs left
// out with their number per reason, and the ADIF records that had no <EOR>. A non-empty
// `refus` says why the file cannot be imported at all.
struct Conversion {
    QStringList lignes;
    qint64 clePremier = -1;
    QVector<QPair<QString, int>> messages;
    QVector<QPair<QString, int>> omis;
    int sansFin = 0;
    QString refus;
    void compter(const QString& message);
    void omettre(const QString& raison);
    // Something the operator must see before the log is written.
    bool aSignaler() const { return !messages.isEmpty() || !omis.isEmpty() || sansFin > 0; }
};

// Own format: lines of the log kept as they are; only well-formed records are accepted.
Conversion convertirVLM(const QStringList& lignesFichier);
// ADIF: the whole file at once.
Conversion convertirAdif(const QByteArray& octets);
// EDI (REG1TEST): header, then "[QSORecords" and one record a line.
Conversion convertirEdi(const QStringList& lignesFichier);

// The band of the log for an EDI "PBand" text ("145 MHz", "1,3 GHz"); empty when none.
QString bandeDepuisPBand(const QString& pband);

// The text of the one box that lists the QSOs left out, the records without end and the
// defaults used, each with its count.
QString resumeMessages(const Conversion& c);
// The QSOs left out and the records without end alone (empty when there are none).
QString resumeOmis(const Conversion& c);

// The log lines with the block put in place: before the first line whose key is the same as
// or later than `clePremier` (an unreadable line keeps the key of the line before it), at the
// end when none is; the block keeps its own order; old end records are dropped everywhere.
QStringList fusionner(const QStringList& journal, const QStringList& bloc, qint64 clePremier);

// The import refused before anything was written (message in French).
class ImportRefuse : public std::runtime_error {
public:
    explicit ImportRefuse(const QString& m) : std::runtime_error(m.toStdString()), message(m) {}
    QString message;
};

// Reads the log of `indicatif`, merges the converted records and replaces the log in one
// atomic step. Throws ImportRefuse when the log would pass 99,999 QSOs (nothing written) and
// plateforme::ErreurFichier when a file cannot be read or written (the log left as it was).
// Returns the number of QSOs in the log afterwards.
int importerDansJournal(const QString& indicatif, const Conversion& c);

} // namespace echange
