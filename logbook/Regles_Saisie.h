#pragma once
// The rules of the QSO entry chain and of the save, apart from the window: the award reference
// forms, the prefill of an activity, the routing after the callsign and the department, the
// history scan of the QSO list, Corsica's two spellings and the directory question.
#include <QString>
#include <QStringList>
#include <functional>

namespace saisie {

// A key typed into a field that upper-cases: "a" to "z" become "A" to "Z", anything else passes.
int majuscule(int code);

// Band texts: exactly one of the 17 listed.
bool estBandeListee(const QString& bande);
// Index of a band in the list of 17, -1 when not listed.
int indexBande(const QString& bande);

// Corsica: typed "2A"/"2a" is shown "2a" and keyed "96"; "2B"/"2b" is "2b" and "97".
QString departementAffiche(const QString& departement);  // "96" -> "2a", "97" -> "2b", others as given
QString departementCle(const QString& departement);      // "2a", "2A" -> "96" ...

// Where the focus goes after a check.
enum class Suite { Departement, Locator, Mode };
// After the callsign: a French prefix goes to the department, a foreign station to the
// locator from 50 MHz up and to the mode on the HF bands.
Suite suiteApresIndicatif(const QString& prefixe, const QString& bande);
// After the department: the mode on the HF bands, the locator from 50 MHz up.
Suite suiteApresDepartement(const QString& bande);

// History of a callsign in the QSO list, scanned from the oldest item.
struct Historique {
    enum Libelle { Inchange, NouvelIndicatif, Contacte };
    Libelle libelle = Inchange;  // Inchange only for an empty list
    int index = -1;              // first item that matches
    QString date;                // its date, list columns 7-16 trimmed
    QString prenom;              // its first name, list columns 117-131 trimmed
};
// `item(i)` gives the text of item i (0 to nombre - 1).
Historique chercheHistorique(int nombre, const std::function<QString(int)>& item, const QString& indicatif);
Historique chercheHistorique(const QStringList& items, const QString& indicatif);

// The award reference typed in the QTH field checked against the activity: the message of
// the refusal, or an empty text when the reference passes (or the activity has no form).
QString controleReference(const QString& activite, const QString& qth, const QString& departement);

// What choosing an activity writes into the QTH and remarks fields.
struct PreRemplissage {
    QString qth;                 // "" empties the QTH field
    int curseurQth = 0;
    bool remarques = false;      // false: the remarks field is left alone
    QString texteRemarques;
    int curseurRemarques = 0;
};
PreRemplissage preRemplissage(const QString& activite);

// Activities whose QSO may be exported to a companion award programme after an append.
bool activiteExportable(const QString& activite);

// Automatic separators: "/" before the 3rd and 6th character of a date, ":" before the 3rd
// of a time (the field's current length decides).
bool separateurDate(const QString& texte);
bool separateurHeure(const QString& texte);

// The question of the save when the department or the locator differs from the directory's.
// `departementLu` and `locatorLu` as the directory gave them, `departement` in key form.
QString questionNomenclature(const QString& indicatif, const QString& departementLu, const QString& locatorLu,
                             const QString& departement, const QString& locator);

// QSL marks of a recalled QSO from its status digit: "2" sent, "3" received, "4" both.
struct MarquesQSL {
    bool envoyee = false;
    bool recue = false;
};
MarquesQSL marquesQSL(const QString& etat);

// A field of a list item (1-based list column, width), blanks trimmed.
QString champItem(const QString& item, int debut, int largeur);

} // namespace saisie
