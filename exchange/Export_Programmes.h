#pragma once
// Export of an activation QSO to the data file of its companion award programme (castles,
// mills and three award logs), after a search for the same reference in that file.
#include <QString>
#include <QStringList>
#include <array>

namespace echange {

enum Code_Programme { Aucun = 0, Code_DFCF = 1, Code_DMF, Code_DCI, Code_DAI, Code_DPLF };

struct Programme_Compagnon {
    int code;
    const char* mot;             // the award word sought in the QTH
    const char* application;     // the companion's settings application
    const char* nom;             // its name as shown
    int largeur;                 // width of the reference
    bool referenceSansBlancs;    // reference trimmed (castles and mills)
    int colonneReference;        // 1-based column of the reference in the companion's file
    int colonneDate;             // 1-based column of the date (8 characters) there
    const char* nouvelleZone;    // words after the first two characters of a new zone, or null
};

// The five programmes, codes 1 to 5 in this order.
const std::array<Programme_Compagnon, 5>& Programmes_Compagnons();
// The programme of a code 1-5, nullptr for any other code.
const Programme_Compagnon* programme(int code);

// What the QTH says of the award. `code` is the programme whose word starts the QTH followed
// by a blank, the only place where its reference can be read; `trouve` the last word found
// anywhere in the QTH (plain search, in the order of the table), 0 when none is.
struct Award_Reconnu {
    int code = Aucun;
    int trouve = Aucun;
};
Award_Reconnu reconnaitreAward(const QString& qth);

// The reference of a record for a programme, from the columns that follow the award word.
QString referenceAward(const QString& record, int code);
// The line appended to the companion's file for a record (without line end).
QString ligneCompagnon(const QString& record, int code, const QString& reference);

// The companion's own settings.
struct Reglages_Compagnon {
    QString indicatif;  // "FXXXX": not installed
    QString dossier;
    QString annee;
};
// Its callsign only (read for the window), then the whole set (read by the search).
QString indicatifCompagnon(int code);
Reglages_Compagnon reglagesCompagnon(int code);
bool compagnonInstalle(int code);
// The companion's data file for its settings.
QString fichierCompagnon(int code, const Reglages_Compagnon& r);

// What the lines of the companion's file say of a reference.
struct Recherche_Double {
    bool dejaContacte = false;
    QString date;              // of the last line holding the reference
    bool nouvelleZone = false; // no line holds its first two characters (DCI, DAI)
};
Recherche_Double chercherDouble(const QStringList& lignes, int code, const QString& reference);

// The whole search of one programme: reads its settings and file, appends the line when the
// reference is new there. Returns the messages to show, in order. A missing folder or file
// is named and nothing is written; a failed append leaves the file as it was.
QStringList Cherche_Double(int code, const QString& reference, const QString& ligne);

} // namespace echange
