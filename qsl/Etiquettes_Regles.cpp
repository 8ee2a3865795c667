#include "qsl/Etiquettes_Regles.h"

#include "station/Ligne_QSO.h"

namespace etiquettes {

namespace {

// List columns (file column + 6) of a QSO list item.
QString champ(const QString& item, int debut, int largeur, bool rogner = true)
{
    const QStringView v = debut - 1 < item.size() ? QStringView(item).mid(debut - 1, largeur) : QStringView();
    return rogner ? station::sansBlancs(v).toString() : v.toString();
}

constexpr int LargeurLigne = 42;

struct Ligne {
    QString texte;
    int valeurs;  // characters of the values, fixed words not counted
};

// The five lines of one label with the lengths of their values.
std::array<Ligne, 5> lignesEtiquette(const Valeurs& v, const Contexte& c, bool droite)
{
    std::array<Ligne, 5> l;
    l[0] = {QStringLiteral("De ") + c.station + QStringLiteral("   pour ") + v.indicatif,
            int(c.station.size() + v.indicatif.size())};
    l[1] = {QStringLiteral("Date ") + v.date + QStringLiteral("  QTR ") + v.heure, int(v.date.size() + v.heure.size())};
    l[2] = {QStringLiteral("QRG ") + v.bande + QStringLiteral("  RST ") + v.rst + QStringLiteral("  Mode ") + v.mode,
            int(v.bande.size() + v.rst.size() + v.mode.size())};
    l[3] = {QStringLiteral("TX ") + c.transceiver + QStringLiteral("  Ant ") + c.antenne,
            int(c.transceiver.size() + c.antenne.size())};
    if (c.libelle == Libelle::Type_1)
        l[4] = {QStringLiteral("Merci Pour le ") + v.reference + (droite ? QStringLiteral("  73's") : QStringLiteral(" 73's")),
                int(v.reference.size())};
    else
        l[4] = {QStringLiteral("Merci Pour le QSO   73's de ") + c.station, int(c.station.size())};
    return l;
}

// Fixed words counted in the centring of each line.
int motsFixes(int ligne, const Contexte& c, bool droite)
{
    switch (ligne) {
    case 0:
        return droite && c.format == Format::Etiqu_4 ? 9 : 11;
    case 1:
        return 11;
    case 2:
        return 17;
    case 3:
        return 9;
    default:
        return c.libelle == Libelle::Type_1 ? 20 : 28;
    }
}

int largeur(int ligne, const Contexte& c)
{
    if (ligne > 0)
        return LargeurLigne;
    return c.format == Format::Etiqu_4 ? 30 : 31;
}

// Blanks between the left label and the right one.
int ecart(int ligne, const Contexte& c)
{
    if (ligne == 0)
        return c.format == Format::Etiqu_1 || c.format == Format::Etiqu_2 ? 1 : 2;
    if (ligne == 4 && c.libelle == Libelle::Type_2)
        return 3;
    return 2;
}

QString blancs(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

Valeurs valeursDe(const QString& item)
{
    Valeurs v;
    if (item.trimmed().isEmpty())
        return v;
    v.vide = false;
    v.date = champ(item, 7, 8, false);
    v.heure = champ(item, 29, 5, false);
    v.indicatif = champ(item, 17, 12);
    v.rst = champ(item, 85, 8);
    v.mode = champ(item, 66, 7);
    v.bande = champ(item, 56, 8);
    v.reference = champ(item, 95, 12);
    return v;
}

int marge(int largeur, int longueur)
{
    return longueur >= largeur ? 0 : (largeur - longueur) / 2;
}

std::array<QString, 5> lignesRangee(const Valeurs& gauche, const Valeurs& droite, const Contexte& c)
{
    const auto g = lignesEtiquette(gauche, c, false);
    const auto d = lignesEtiquette(droite, c, true);
    std::array<QString, 5> sortie;
    for (int i = 0; i < 5; ++i) {
        const int w = largeur(i, c);
        const int pg = marge(w, g[i].valeurs + motsFixes(i, c, false));
        const int pd = marge(w, d[i].valeurs + motsFixes(i, c, true));
        QString gauchePart = gauche.vide ? blancs(w) : blancs(pg) + g[i].texte + blancs(pg);
        QString ligne = gauchePart + blancs(ecart(i, c));
        if (!droite.vide)
            ligne += blancs(pd) + d[i].texte;
        sortie[size_t(i)] = gauche.vide && droite.vide ? QString() : ligne;
    }
    return sortie;
}

QString questionPage(Format f)
{
    if (f == Format::Etiqu_1 || f == Format::Etiqu_2)
        return QStringLiteral("Page suivante ?");
    return QStringLiteral("               Page suivante ?");
}

Feuille feuille(Format f)
{
    switch (f) {
    case Format::Etiqu_1:
        return {12.9, 33.9};  // AVERY L7162
    case Format::Etiqu_2:
        return {12.5, 34.0};  // DECADRY OLW 4732
    case Format::Etiqu_3:
        return {0.5, 37.0};   // AVERY DP 167
    case Format::Etiqu_4:
        break;
    }
    return {8.5, 35.0};       // DECADRY DLW 1799
}

namespace {

constexpr double MmParPoint = 25.4 / 72;
// Courier New (and the face printed in its place): line height and character width, in ems.
constexpr double Interligne = 1.1328;
constexpr double Chasse = 0.6;

// Sizes of the five lines of a label and of the two gaps that follow lines 1 and 3.
constexpr std::array<double, 5> TaillesLignes = {15, 11, 11, 11, 11};

// Tops of the five lines from the top of their block, and the block's height, in millimetres.
struct Bloc {
    std::array<double, 5> hauts;
    double hauteur;
};

Bloc bloc(Format f)
{
    const double ecartCourt = f == Format::Etiqu_3 ? 5 : 9;
    const double ecartLong = f == Format::Etiqu_3 ? 5 : 10;
    Bloc b{};
    double y = 0;
    for (size_t i = 0; i < TaillesLignes.size(); ++i) {
        b.hauts[i] = y * Interligne * MmParPoint;
        y += TaillesLignes[i];
        if (i == 0)
            y += ecartCourt;
        else if (i == 2)
            y += ecartLong;
    }
    b.hauteur = y * Interligne * MmParPoint;
    return b;
}

} // namespace

void imprimer(const QStringList& items, const Contexte& c, bool arret, Sortie& sortie, double& compteur)
{
    const Feuille f = feuille(c.format);
    const Bloc b = bloc(c.format);
    const double retrait = (f.hauteur - b.hauteur) / 2;

    compteur = 0;
    for (qsizetype i = 0; i < items.size(); i += 2) {
        const Valeurs gauche = valeursDe(items.at(i));
        const Valeurs droite = i + 1 < items.size() ? valeursDe(items.at(i + 1)) : Valeurs{};
        const auto lignes = lignesRangee(gauche, droite, c);
        const double hautRangee = f.haut + compteur * f.hauteur + retrait;
        for (size_t l = 0; l < lignes.size(); ++l) {
            const double points = TaillesLignes[l];
            // The two labels' columns and the gap between them, centred as the labels are.
            const int colonnes = 2 * largeur(int(l), c) + ecart(int(l), c);
            const double x = (LargeurFeuille - colonnes * Chasse * points * MmParPoint) / 2;
            sortie.ligne(lignes[l], points, l == 0, x, hautRangee + b.hauts[l]);
        }
        compteur += 1;

        if (arret && compteur == RangeesParFeuille && !sortie.pageSuivante(questionPage(c.format)))
            break;
        // A full sheet goes out (after Yes too, on every format) and the next one is a new job.
        if (compteur == RangeesParFeuille) {
            compteur = 0;
            sortie.finTravail();
        }
    }
    // No job is left open when no row was printed on it.
    if (compteur != 0)
        sortie.finTravail();
    else
        sortie.abandon();
}

} // namespace etiquettes
