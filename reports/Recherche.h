#pragma once
// The rules of the callsign search: entry checks, match rules of the five criteria, the lines
// listed and printed, and the way back from a result to its item of the QSO list.
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Modele_Liste_QSO;

namespace recherche {

enum class Mode { Indicatif = 1, Date, Departement, Locator, Reference };

// Length of a result line without its status letter: the QSO number, a blank and the record
// from the date to the first name and the blanks after it. Also the key that finds the QSO
// back in the QSO list.
constexpr int LongueurCle = 134;

// A refused entry: the message, and whether the box is emptied afterwards.
struct Refus {
    QString message;
    bool vider = false;
};

// The check made on Enter in the box of `mode`; nothing when the entry passes.
std::optional<Refus> verifierSaisie(Mode mode, const QString& texte);

// "Entrez un indicatif", "Entrez une date"...: the message of a mode whose criterion is empty.
QString messageCritereVide(Mode mode);
// The text without the carriage return and line feed it may begin with.
QString sansRetourEnTete(const QString& texte);
// The criterion as compared: callsign and date upper-cased, the others as typed.
QString critere(Mode mode, const QString& texte);

// The match rule of a mode between a record as the log stores it and a prepared criterion
// (see `critere`) in the same bytes. The callsign is searched in its whole column; Corsica's
// department ("2a", "2b") is compared without regard to case, as it may have been imported in
// capitals.
bool correspond(Mode mode, QByteArrayView ligne, QByteArrayView critere);
// The rows of the list whose record matches, in list order: matched on the bytes, nothing
// decoded.
QList<int> rangsTrouves(Mode mode, const Modele_Liste_QSO& liste, const QString& critere);

// The QSL letter of an item: "S", "E", "R", "C" for the status digits 1 to 4, a blank otherwise.
QString lettreQSL(const QString& item);
// The line listed for a matching item: its first 134 characters and the QSL letter.
QString ligneResultat(const QString& item);
// The line printed for a matching item: the listed line, or in callsign mode a shorter line
// (number, date, callsign and start time; band and mode; QTH; remarks; QSL letter).
QString ligneImprimee(Mode mode, const QString& item);

// The lines listed for the items of the list that match, in list order.
QStringList chercher(Mode mode, const Modele_Liste_QSO& liste, const QString& critere);

// The row of the list whose first 134 characters equal the key, or -1 when none does: the QSO
// was deleted or renumbered meanwhile. The key starts with the QSO's number: only the row of
// that number is looked at.
int rangDeCle(const Modele_Liste_QSO& liste, const QString& cle);

} // namespace recherche
