#pragma once
// The spot page of the web cluster: its address by band, the read of its first table, the
// three line layouts and the two filters. No window and no network here.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace cluster {

// The 13 entries of the band list, "All HF" to "All VHF".
const QStringList& Bandes_Cluster();
// Path of the page of band index `index` ("/dxc/top_250_HF.html", "/dxc/top_50_7_MHz.html");
// an index outside the list gives the single-band form with an empty band word.
QString Chemin_Page(int index);

// The largest page read (bytes); a longer one is refused.
constexpr qint64 Taille_Max_Page = 2 * 1024 * 1024;

// The page text as the program reads it: Windows-1252, upper case.
QString Texte_Page(const QByteArray& octets);
// The lines of a page, LF or CR LF alike.
QStringList Lignes_Page(const QString& texte);

struct Spot {
    QString dx;         // cut to 12 characters
    QString qrg;        // kHz as the page writes it ("14025.0")
    QString date;
    QString spotter;
    QString remarques;
};

enum class Etat_Lecture {
    Lue,              // the table was read to its end or to the end of the page
    Sans_Table,       // no "<TABLE>" line, or the page ends inside its header
    Marqueur_Absent,  // a cell lacks the marker of its layout: garbage would be cut
    Ligne_Tronquee,   // the page ends inside a row
    Trop_Grande,      // longer than Taille_Max_Page
};

struct Lecture_Page {
    QList<Spot> spots;   // the rows read before the end or the fault
    Etat_Lecture etat = Etat_Lecture::Lue;
    int ligne = 0;       // 1-based line of the fault, 0 when read
    bool reussie() const { return etat == Etat_Lecture::Lue; }
};

// Reads the rows of the first table of an upper-cased page (see Texte_Page).
Lecture_Page Lit_Page(const QString& texte);

// Column orders of a spot line: by time, by callsign, by frequency.
enum class Disposition { QTR = 1, Indicatif = 2, QRG = 3 };

constexpr int Largeur_DX = 12;
constexpr int Largeur_QRG = 8;
constexpr int Largeur_Spotter = 11;

// One blank, three fields in the order of the layout each followed by a blank, the spotter
// and one blank, then the remarks. A QRG or spotter longer than its column is kept whole.
QString Ligne_Spot(const Spot& spot, Disposition disposition);
// The column header over the spot list, and over the memo list.
QString Entete_Spots(Disposition disposition);
QString Entete_Memoire(Disposition disposition);

// French stations: "F" or one of the French two-letter prefixes.
bool Filtre_Francais(const QString& dx);
// The DX field (blank padded to 12) begins with `prefixe` (upper-cased); an empty prefix lets
// every spot pass.
bool Filtre_Prefixe(const QString& dx, const QString& prefixe);

// The frequency of a QRG text in units of 10 Hz (14025.0 kHz gives 1402500); nothing when it
// cannot be read or does not fit the transceiver's eight digits.
std::optional<qint32> Frequence_QRG(const QString& qrg);

} // namespace cluster
