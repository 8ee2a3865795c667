#pragma once
// The log record: one QSO per line, 199 fixed columns (plus CR LF in the file), and the
// item of the QSO list, which puts the QSO number in front of it.
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <stdexcept>

namespace station {

constexpr int LongueurLigneQSO = 199;
constexpr int LargeurNumero = 5;         // list item: number right-aligned in 5 columns
constexpr int DecalageListe = 6;         // list column = file column + 6
constexpr int NombreMaxQSO = 99999;      // what five columns can number

enum class Champ {
    Date_QSO,
    Indicatif_QSO,
    Heure_Debut,
    Heure_Fin,
    Departement_QSO,
    Locator_QSO,
    Bande_QSO,
    Mode_QSO,
    RST_Envoye,
    RST_Recu,
    QTH_QSO,
    Prenom_QSO,
    Reserve,
    Etat_QSL,
    Date_QSL_Envoyee,
    Date_QSL_Recue,
    Distance_QSO,
    Azimut_QSO,
    Numero_Activite,
    Remarques_QSO,
    Marque_Fin,
};

struct Colonne {
    int debut;    // 1-based first column
    int largeur;  // width of the value
    int ecart;    // blanks that follow before the next field
};

Colonne colonne(Champ champ);
// French name of a field for the messages ("l'indicatif", "les remarques" ...).
QString nomChamp(Champ champ);

// The text without its leading and trailing blanks (only blanks: the files are blank padded).
QStringView sansBlancs(QStringView texte);

// The value of a field, blanks trimmed (text outside a short line reads as empty).
QString lireChamp(const QString& ligne, Champ champ);

// A value longer than its field: never written.
class ChampTropLong : public std::runtime_error {
public:
    ChampTropLong(Champ c, const QString& v);
    Champ champ;
    QString valeur;
};

// The record's date (jj/mm/aa, a real day) and start time (hh:mm, a real time) can be read.
bool dateEtHeureLisibles(const QString& ligne);

// Every field of one record, as text.
struct Ligne_QSO {
    QString Date_QSO;
    QString Indicatif_QSO;
    QString Heure_Debut;
    QString Heure_Fin;
    QString Departement_QSO;
    QString Locator_QSO;
    QString Bande_QSO;
    QString Mode_QSO;
    QString RST_Envoye;
    QString RST_Recu;
    QString QTH_QSO;
    QString Prenom_QSO;
    QString Etat_QSL = QStringLiteral("1");
    QString Date_QSL_Envoyee;
    QString Date_QSL_Recue;
    QString Distance_QSO;
    QString Azimut_QSO;
    QString Numero_Activite = QStringLiteral("0");
    QString Remarques_QSO;

    // The 199-character record; throws ChampTropLong when a value does not fit.
    QString texte() const;
    // Cuts a record into its fields (trimmed).
    static Ligne_QSO depuis(const QString& ligne);
};

// "    7 " for 7: the number right-aligned in five columns, then one blank.
QString numeroListe(int numero);
// A `Ligne_Liste_QSO`: number prefix then the record.
QString itemListe(int numero, QStringView ligne);
// The same from the record's bytes as stored in the log (Windows-1252).
QString itemListeAnsi(int numero, QByteArrayView ligne);
// The record of a list item (199 characters from column 7, fewer for a short line).
QString ligneDeItem(const QString& item);
// The number of a list item (its first five columns, trimmed).
int numeroDeItem(const QString& item);

} // namespace station
