#include "exchange/Adif.h"

#include "platform/Ansi.h"

#include <QStringDecoder>
#include <cstring>

namespace echange {

namespace {

bool egalSansCasse(const char* a, const char* b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y) return false;
    }
    return true;
}

// Position of the first "<EOH>" in any case, or -1.
qsizetype chercherEOH(const char* d, qsizetype n, qsizetype depuis)
{
    for (qsizetype i = depuis; i + 5 <= n; ++i) {
        if (d[i] == '<' && egalSansCasse(d + i, "<EOH>", 5)) return i;
    }
    return -1;
}

bool utf8Valide(const char* d, qsizetype n)
{
    qsizetype i = 0;
    const auto* u = reinterpret_cast<const unsigned char*>(d);
    while (i < n) {
        const unsigned char c = u[i];
        if (c < 0x80) { ++i; continue; }
        int suite;
        unsigned int min;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) { suite = 1; min = 0x80; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { suite = 2; min = 0x800; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { suite = 3; min = 0x10000; cp = c & 0x07; }
        else return false;
        for (int k = 1; k <= suite; ++k) {
            if (i + k >= n) return false;
            const unsigned char s = u[i + k];
            if ((s & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += suite + 1;
    }
    return true;
}

} // namespace

QString decoderValeur(const char* octets, qsizetype taille)
{
    bool ascii = true;
    for (qsizetype i = 0; i < taille; ++i) {
        if (static_cast<unsigned char>(octets[i]) >= 0x80) { ascii = false; break; }
    }
    if (ascii) return QString::fromLatin1(octets, taille);
    if (utf8Valide(octets, taille)) return QString::fromUtf8(octets, taille);
    return plateforme::depuisAnsi(octets, taille);
}

const QString* EnregistrementAdif::champ(QStringView nom) const
{
    for (const ChampAdif& c : champs) {
        if (c.nom == nom) return &c.valeur;
    }
    return nullptr;
}

const QString* EnregistrementAdif::champ(const char* nom) const
{
    const QLatin1String cherche(nom);
    for (const ChampAdif& c : champs) {
        if (c.nom == cherche) return &c.valeur;
    }
    return nullptr;
}

QString EnregistrementAdif::valeur(const char* nom) const
{
    const QString* v = champ(nom);
    return v ? *v : QString();
}

QString EnregistrementAdif::valeur(QStringView nom) const
{
    const QString* v = champ(nom);
    return v ? *v : QString();
}

FichierAdif lireAdif(const QByteArray& octets)
{
    FichierAdif fichier;
    fichier.avecEntete = parcourirAdif(octets, [&](const EnregistrementAdif& e) { fichier.enregistrements.append(e); });
    return fichier;
}

namespace {

// Where the records start: after a leading UTF-8 byte order mark and, in a file that does not
// start with "<", after the header ended by the first <EOH> (`avecEntete` is then set).
qsizetype debutEnregistrements(const char* d, qsizetype n, bool& avecEntete)
{
    qsizetype i = 0;
    if (n >= 3 && std::memcmp(d, "\xEF\xBB\xBF", 3) == 0) i = 3;
    if (i < n && d[i] != '<') {
        const qsizetype eoh = chercherEOH(d, n, i);
        if (eoh >= 0) {
            avecEntete = true;
            i = eoh + 5;
        }
    }
    return i;
}

// A tag: "<" name [":" length [":" type]] ">".
struct Balise {
    bool fermee = false;   // false: no ">" before the next "<" or the end, not a tag
    qsizetype fin = 0;     // its ">"; when not closed, where the reading goes on
    qsizetype finNom = 0;  // the ":" that ends the name, or `fin`
    QString nom;           // upper-cased, blanks left out
};

// The name of a tag upper-cased, blanks left out, in one allocation.
QString nomBalise(const char* d, qsizetype debut, qsizetype fin)
{
    QString nom;
    nom.reserve(fin - debut);
    for (qsizetype k = debut; k < fin; ++k) {
        char x = d[k];
        if (x == ' ' || x == '\t' || x == '\r' || x == '\n') continue;
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        nom.append(QLatin1Char(x));
    }
    return nom;
}

// The tag opened by the "<" at `i`.
Balise lireBalise(const char* d, qsizetype n, qsizetype i)
{
    Balise b;
    qsizetype j = i + 1;
    while (j < n && d[j] != '>' && d[j] != '<') ++j;
    b.fin = j;
    if (j >= n || d[j] == '<')
        return b;
    b.fermee = true;
    b.finNom = i + 1;
    while (b.finNom < j && d[b.finNom] != ':') ++b.finNom;
    b.nom = nomBalise(d, i + 1, b.finNom);
    return b;
}

// The length a tag gives its value: false when it has none, or when it is no number followed
// by the ">" or by ":" and a type.
bool longueurBalise(const char* d, const Balise& b, qint64& longueur)
{
    if (b.finNom == b.fin) return false;
    qsizetype k = b.finNom + 1;
    longueur = 0;
    bool chiffres = false;
    while (k < b.fin && d[k] >= '0' && d[k] <= '9') {
        chiffres = true;
        if (longueur < (qint64(1) << 40)) longueur = longueur * 10 + (d[k] - '0');
        ++k;
    }
    return chiffres && (k == b.fin || d[k] == ':');
}

// The bytes of a value that starts at `debut`: its `longueur` bytes (what is left when the file
// ends before), or, when anything but blanks follows them before the next "<" (a length
// counted in characters, a UTF-8 character cut), every byte up to that "<".
struct EtendueValeur {
    qsizetype fin = 0;
    bool prolongee = false;  // runs to the next "<": to be trimmed
};

EtendueValeur etendueValeur(const char* d, qsizetype n, qsizetype debut, qint64 longueur)
{
    const qsizetype reste = n - debut;
    const qsizetype comptee = debut + (longueur > reste ? reste : qsizetype(longueur));
    qsizetype fin = comptee;
    bool prolongee = false;
    while (fin < n && d[fin] != '<') {
        if (static_cast<unsigned char>(d[fin]) > ' ') prolongee = true;
        ++fin;
    }
    return prolongee ? EtendueValeur{fin, true} : EtendueValeur{comptee, false};
}

// The record being read, handed over when it ends.
class EnregistrementEnCours {
public:
    explicit EnregistrementEnCours(const std::function<void(const EnregistrementAdif&)>& recevoir)
        : recevoir_(recevoir)
    {
        courant_.champs.reserve(24);
    }
    void ajouter(QString nom, QString valeur)
    {
        // A second CALL or QSO_DATE starts the next record.
        if ((nom == QLatin1String("CALL") || nom == QLatin1String("QSO_DATE")) && courant_.contient(nom))
            terminer(true);
        courant_.champs.append(ChampAdif{std::move(nom), std::move(valeur)});
    }
    // Hands the record over when it holds a field.
    void terminer(bool sansEOR)
    {
        if (!courant_.champs.isEmpty()) {
            courant_.sansEOR = sansEOR;
            recevoir_(courant_);
            unEnregistrement_ = true;
        }
        courant_.champs.clear();
    }
    // An <EOH>: before any record, what was read so far was the header's fields (true).
    bool finEntete()
    {
        if (unEnregistrement_) return false;
        courant_.champs.clear();
        return true;
    }

private:
    const std::function<void(const EnregistrementAdif&)>& recevoir_;
    EnregistrementAdif courant_;
    bool unEnregistrement_ = false;
};

} // namespace

bool parcourirAdif(const QByteArray& octets, const std::function<void(const EnregistrementAdif&)>& recevoir)
{
    const char* d = octets.constData();
    const qsizetype n = octets.size();
    bool avecEntete = false;
    qsizetype i = debutEnregistrements(d, n, avecEntete);
    EnregistrementEnCours enregistrement(recevoir);
    while (i < n) {
        if (d[i] != '<') { ++i; continue; }
        Balise b = lireBalise(d, n, i);
        if (!b.fermee) { i = b.fin; continue; }
        i = b.fin + 1;
        // "<EOR:0>" ends a record as "<EOR>" does.
        if (b.nom == QLatin1String("EOR")) {
            enregistrement.terminer(false);
            continue;
        }
        if (b.nom == QLatin1String("EOH")) {
            avecEntete = enregistrement.finEntete() || avecEntete;
            continue;
        }
        // Any other tag without a name and a length is skipped.
        qint64 longueur = 0;
        if (b.nom.isEmpty() || !longueurBalise(d, b, longueur)) continue;
        const EtendueValeur v = etendueValeur(d, n, i, longueur);
        QString valeur = decoderValeur(d + i, v.fin - i);
        if (v.prolongee) valeur = std::move(valeur).trimmed();
        enregistrement.ajouter(std::move(b.nom), std::move(valeur));
        i = v.fin;
    }
    enregistrement.terminer(true);
    return avecEntete;
}

namespace {

// The log modes whose ADIF form differs from their text. `retour`: the ADIF form reads back
// as this mode (FM is FM, not always a repeater).
struct FormeModeAdif {
    const char* journal;
    const char* mode;
    const char* sousMode;  // nullptr: none written, any read
    bool retour;
};

constexpr FormeModeAdif kModesAdif[] = {
    {"PSK31", "PSK", "PSK31", true},
    {"PACKET", "PKT", nullptr, true},
    {"THROB", "THRB", nullptr, true},
    {"RELAIS", "FM", nullptr, false},
};

} // namespace

ModeAdif modeVersAdif(const QString& modeJournal)
{
    const QString m = modeJournal.trimmed();
    for (const FormeModeAdif& f : kModesAdif) {
        if (m.compare(QLatin1String(f.journal), Qt::CaseInsensitive) == 0)
            return {QString::fromLatin1(f.mode), QString::fromLatin1(f.sousMode)};
    }
    return {modeJournal, QString()};
}

QString modeDepuisAdif(const QString& mode, const QString& sousMode)
{
    for (const FormeModeAdif& f : kModesAdif) {
        if (f.retour && mode.compare(QLatin1String(f.mode), Qt::CaseInsensitive) == 0 &&
            (!f.sousMode || sousMode.compare(QLatin1String(f.sousMode), Qt::CaseInsensitive) == 0))
            return QString::fromLatin1(f.journal);
    }
    return mode;
}

const std::array<BandeAdif, 17>& Table_Bandes_Adif()
{
    static const std::array<BandeAdif, 17> table = {{
        {"1.8 Mhz", "160m", 1.8, 2.0},
        {"3.5 Mhz", "80m", 3.5, 4.0},
        {"7.0 Mhz", "40m", 7.0, 7.3},
        {"10 Mhz", "30m", 10.1, 10.15},
        {"14 Mhz", "20m", 14.0, 14.35},
        {"18 Mhz", "17m", 18.068, 18.168},
        {"21 Mhz", "15m", 21.0, 21.45},
        {"24 Mhz", "12m", 24.89, 24.99},
        {"28 Mhz", "10m", 28.0, 29.7},
        {"50 Mhz", "6m", 50.0, 54.0},
        {"144 Mhz", "2m", 144.0, 148.0},
        {"432 Mhz", "70cm", 420.0, 450.0},
        {"1.3 Ghz", "23cm", 1240.0, 1300.0},
        {"2.3 Ghz", "13cm", 2300.0, 2450.0},
        {"5.7 Ghz", "6cm", 5650.0, 5925.0},
        {"10 Ghz", "3cm", 10000.0, 10500.0},
        {"24 Ghz", "1.25cm", 24000.0, 24250.0},
    }};
    return table;
}

QString bandeVersAdif(const QString& bandeJournal)
{
    const QString b = bandeJournal.trimmed();
    for (const BandeAdif& e : Table_Bandes_Adif()) {
        if (b.compare(QLatin1String(e.bande), Qt::CaseInsensitive) == 0) return QString::fromLatin1(e.adif);
    }
    return QString();
}

QString bandeDepuisAdif(const QString& bandeAdif)
{
    const QString b = bandeAdif.trimmed();
    for (const BandeAdif& e : Table_Bandes_Adif()) {
        if (b.compare(QLatin1String(e.adif), Qt::CaseInsensitive) == 0) return QString::fromLatin1(e.bande);
    }
    return QString();
}

QString bandeDepuisFrequence(double mhz)
{
    for (const BandeAdif& e : Table_Bandes_Adif()) {
        if (mhz >= e.basMHz && mhz <= e.hautMHz) return QString::fromLatin1(e.bande);
    }
    return QString();
}

QString nomBandeAdif(double mhz)
{
    const QString b = bandeDepuisFrequence(mhz);
    if (!b.isEmpty()) return bandeVersAdif(b);
    // The ADIF bands the log has no text for.
    static const BandeAdif autres[] = {
        {"", "2190m", 0.1357, 0.1378}, {"", "630m", 0.472, 0.479}, {"", "560m", 0.501, 0.504},
        {"", "60m", 5.06, 5.45},       {"", "8m", 40.0, 45.0},     {"", "5m", 54.000001, 69.9},
        {"", "4m", 70.0, 71.0},        {"", "1.25m", 222.0, 225.0}, {"", "33cm", 902.0, 928.0},
        {"", "9cm", 3300.0, 3500.0},   {"", "6mm", 47000.0, 47200.0}, {"", "4mm", 75500.0, 81000.0},
        {"", "2.5mm", 119980.0, 123000.0}, {"", "2mm", 134000.0, 149000.0}, {"", "1mm", 241000.0, 250000.0},
    };
    for (const BandeAdif& e : autres) {
        if (mhz >= e.basMHz && mhz <= e.hautMHz) return QString::fromLatin1(e.adif);
    }
    return QString();
}

} // namespace echange
