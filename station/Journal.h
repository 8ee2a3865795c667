#pragma once
// The log store: the log file of a station and its working copy, the main window's list
// `Liste_QSO` (one `Ligne_Liste_QSO` per QSO).
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class Modele_Liste_QSO;

namespace station {

// "<callsign>.log" in the program folder.
QString nomJournal(const QString& indicatif);
// "<callsign>_QSO_Incomplets.txt": where a load puts a record whose save was cut short.
QString nomQSOIncomplets(const QString& indicatif);

// Sort key of a record: its date (two-digit year: 50-99 are 19xx, 00-49 are 20xx) and start
// time, as minutes since 1 January 1900; -1 when they cannot be read.
qint64 cleDate(const QString& ligne);
qint64 cleDate(QStringView ligne);
qint64 cleDate(QByteArrayView ligne);
// Where a date-order insert puts `ligne` in the list: before the first record whose date and
// start time are the same or later, at the end when none is. Throws std::invalid_argument
// when `ligne` holds no readable date and time.
int rangParDate(const Modele_Liste_QSO& modele, const QString& ligne);

} // namespace station

// The shared procedures of the log store. They work on the main window's `Liste_QSO` and
// on the log of `Indicatif_Station`; a file error raises
// plateforme::ErreurFichier and leaves the list and the file as they were.
void Ajoute_QSO_Log(const QString& ligne);
void Charge_Liste_QSO(const QString& indicatif);
void Supprime_QSO();
void Remplace_QSO(const QString& ancienItem, const QString& nouvelItem);
void Insere_QSO_Date(const QString& ligne);
