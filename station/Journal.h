#pragma once
// The log store: the log file of a station and its working copy, the main window's list
// `Liste_QSO` (one `Ligne_Liste_QSO` per QSO).
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QByteArrayView>

class Modele_Liste_QSO;

namespace station {

// "<callsign>.log" in the program folder.
QString nomJournal(const QString& indicatif);
// "<callsign>_QSO_Incomplets.txt": where a load puts a record whose save was cut short.
QString nomQSOIncomplets(const QString& indicatif);

// List items numbered 1 to N from the log lines, each line kept whole.
QStringList itemsDepuisLignes(const QStringList& lignes);
// The records (199 characters from column 7) of list items, renumbered from 1.
QStringList renumeroter(const QStringList& items);
// The items with `ligne` inserted before the first record whose date and start time are the
// same or later (at the end when none is), renumbered from 1. `position` receives the
// 0-based place of the new record. Throws std::invalid_argument when `ligne` holds no
// readable date and time.
QStringList insererParDate(const QStringList& items, const QString& ligne, int* position = nullptr);
// Every item equal to `ancien` replaced by `nouveau`; no renumbering.
QStringList remplacerItem(const QStringList& items, const QString& ancien, const QString& nouveau);
// The items without item `index`, renumbered from 1.
QStringList supprimerItem(const QStringList& items, int index);

// Sort key of a record: its date (two-digit year: 50-99 are 19xx, 00-49 are 20xx) and start
// time, as minutes since 1 January 1900; -1 when they cannot be read.
qint64 cleDate(const QString& ligne);
qint64 cleDate(QStringView ligne);
qint64 cleDate(QByteArrayView ligne);
// Where a date-order insert puts `ligne` in the list: before the first record whose date and
// start time are the same or later, at the end when none is. Throws std::invalid_argument
// when `ligne` holds no readable date and time.
int rangParDate(const Modele_Liste_QSO& modele, const QString& ligne);

// Rewrites the log of `indicatif` from the items (record of each), replacing it atomically.
void reecrireJournal(const QString& indicatif, const QStringList& items);

} // namespace station

// The shared procedures of the log store. They work on the main window's `Liste_QSO` and
// `Liste_QSO_Bis` and on the log of `Indicatif_Station`; a file error raises
// plateforme::ErreurFichier and leaves the list and the file as they were.
void Ajoute_QSO_Log(const QString& ligne);
void Charge_Liste_QSO(const QString& indicatif);
void Supprime_QSO();
void Remplace_QSO(const QString& ancienItem, const QString& nouvelItem);
void Insere_QSO_Date(const QString& ligne);
