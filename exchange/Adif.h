#pragma once
// ADIF files as other loggers write them: an optional header ended by <EOH>, then fields
// "<NAME:LEN[:TYPE]>" each followed by LEN bytes, records ended by <EOR>. Some loggers count
// LEN in characters rather than bytes; their values are read up to the next tag.
// Also the one table that links the log's 17 band texts to the ADIF band names and edges.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>
#include <array>
#include <functional>

namespace echange {

// One field as read: its name upper-cased, its value decoded (UTF-8 when the bytes are valid
// UTF-8, else Windows-1252), untouched otherwise.
struct ChampAdif {
    QString nom;
    QString valeur;
};

struct EnregistrementAdif {
    QVector<ChampAdif> champs;
    // The record had no <EOR>: it was ended by a second CALL or QSO_DATE, or by the end of
    // the file.
    bool sansEOR = false;
    // The first field of exactly that name (upper case) or nullptr.
    const QString* champ(QStringView nom) const;
    bool contient(QStringView nom) const { return champ(nom) != nullptr; }
    // The value of the first field of that name, or an empty text.
    QString valeur(QStringView nom) const;
    // The same with a name written in ASCII ("CALL").
    const QString* champ(const char* nom) const;
    bool contient(const char* nom) const { return champ(nom) != nullptr; }
    QString valeur(const char* nom) const;
};

struct FichierAdif {
    bool avecEntete = false;  // a header ended by <EOH> was found
    QVector<EnregistrementAdif> enregistrements;
};

// Reads a whole ADIF file. Never fails: text outside fields is ignored, a malformed tag is
// skipped, a last record without <EOR> is kept when it holds a field, a length that runs past
// the end takes what is left. A leading UTF-8 byte order mark is skipped. When the LEN bytes
// of a value are followed by more than blanks before the next "<" (a length counted in
// characters, a UTF-8 character cut), the value runs to that "<", blanks trimmed. A record
// that meets a second CALL or QSO_DATE before its <EOR> ends there. Fields before an <EOH>
// found after them are header fields, not a record.
FichierAdif lireAdif(const QByteArray& octets);
// The same reading, each record handed over as soon as it ends (the record is reused after the
// call). Returns whether a header was found.
bool parcourirAdif(const QByteArray& octets, const std::function<void(const EnregistrementAdif&)>& recevoir);

// Decodes a value: UTF-8 when valid, else Windows-1252. Value by value, so a file that mixes
// both reads whole; the older exports of this program (Windows-1252) read as Windows-1252, as
// accented text in that code page is valid UTF-8 only where an accented capital is directly
// followed by a sign of 0x80-0xBF (as in "É’").
QString decoderValeur(const char* octets, qsizetype taille);

// ---- Modes -------------------------------------------------------------------------------

// The ADIF form of a log mode: "PSK31" is MODE "PSK" with SUBMODE "PSK31", "PACKET" is "PKT",
// "THROB" is "THRB", "RELAIS" (through a repeater) is "FM". Any other mode is written as it
// stands, with no submode ("SAT" and "AUTRE" have no ADIF form).
struct ModeAdif {
    QString mode;
    QString sousMode;  // empty when none
};
ModeAdif modeVersAdif(const QString& modeJournal);
// The log mode of an ADIF MODE and SUBMODE: "PSK31" for PSK with PSK31, "PACKET" for PKT,
// "THROB" for THRB; any other MODE as it stands (FM stays "FM").
QString modeDepuisAdif(const QString& mode, const QString& sousMode);

// ---- Bands -------------------------------------------------------------------------------

struct BandeAdif {
    const char* bande;     // the log's band text ("144 Mhz")
    const char* adif;      // the ADIF band name, lower case ("2m")
    double basMHz;         // band edges of the ADIF band enumeration, MHz
    double hautMHz;
};

// The 17 bands in the log's order (the order of station::Liste_Bandes()).
const std::array<BandeAdif, 17>& Table_Bandes_Adif();
// "2m" for "144 Mhz" (compared without regard to case, blanks trimmed); empty when unknown.
QString bandeVersAdif(const QString& bandeJournal);
// "144 Mhz" for "2M" or "2m"; empty when unknown.
QString bandeDepuisAdif(const QString& bandeAdif);
// The band whose edges hold `mhz` ("1.3 Ghz" for 1296.2); empty when none does.
QString bandeDepuisFrequence(double mhz);
// The ADIF band name of a frequency, also for the bands the log does not have ("60m" for
// 5.357); empty when none holds it.
QString nomBandeAdif(double mhz);

} // namespace echange
