#include "cluster/Page_Spots.h"

#include "platform/Ansi.h"
#include "station/Listes.h"

#include <QLocale>
#include <cmath>

namespace cluster {

namespace {

struct Bande {
    const char* entree;
    const char* mot;
    bool gamme;  // "/dxc/top_250_" page of a whole range
};

constexpr Bande Table_Bandes[] = {
    {"All HF", "HF", true},    {"1.8 Mhz", "1.8", false}, {"3.5 Mhz", "3.5", false}, {"7.0 Mhz", "7", false},
    {"10 Mhz", "10", false},   {"14 Mhz", "14", false},   {"18 Mhz", "18", false},   {"21 Mhz", "21", false},
    {"24 Mhz", "24", false},   {"28 Mhz", "28", false},   {"50 Mhz", "50", false},   {"144 Mhz", "144", false},
    {"All VHF", "VHF", true},
};

constexpr int Lignes_Entete = 7;

// 1-based position of the first occurrence of `marqueur`, 0 when absent.
int position(const QString& ligne, QLatin1StringView marqueur)
{
    return int(ligne.indexOf(marqueur)) + 1;
}

// The text between `debut` (1-based) and the marker `fin`, both markers required and in order.
std::optional<QString> entre(const QString& ligne, QLatin1StringView marqueurDebut, int decalage,
                             QLatin1StringView marqueurFin, int retrait = 0)
{
    const int p = position(ligne, marqueurDebut);
    const int f = position(ligne, marqueurFin);
    if (p == 0 || f == 0)
        return std::nullopt;
    const int debut = p + decalage;
    const int longueur = f - debut - retrait;
    if (longueur < 0 || debut - 1 > ligne.size())
        return std::nullopt;
    return ligne.mid(debut - 1, longueur);
}

QString gauche(const QString& t, int largeur)
{
    return t.size() >= largeur ? t : t + QString(largeur - t.size(), QLatin1Char(' '));
}

QString droite(const QString& t, int largeur)
{
    return t.size() >= largeur ? t : QString(largeur - t.size(), QLatin1Char(' ')) + t;
}

} // namespace

const QStringList& Bandes_Cluster()
{
    static const QStringList l = [] {
        QStringList r;
        for (const Bande& b : Table_Bandes)
            r << QString::fromLatin1(b.entree);
        return r;
    }();
    return l;
}

QString Chemin_Page(int index)
{
    if (index >= 0 && index < int(std::size(Table_Bandes))) {
        const Bande& b = Table_Bandes[index];
        if (b.gamme)
            return QStringLiteral("/dxc/top_250_") + QLatin1String(b.mot) + QStringLiteral(".html");
        return QStringLiteral("/dxc/top_50_") + QLatin1String(b.mot) + QStringLiteral("_MHz.html");
    }
    return QStringLiteral("/dxc/top_50__MHz.html");
}

QString Texte_Page(const QByteArray& octets)
{
    return plateforme::majusculesAnsi(plateforme::depuisAnsi(octets));
}

QStringList Lignes_Page(const QString& texte)
{
    QStringList lignes = texte.split(QLatin1Char('\n'));
    for (QString& l : lignes)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line end does not open another line.
    if (!lignes.isEmpty() && lignes.last().isEmpty())
        lignes.removeLast();
    return lignes;
}

Lecture_Page Lit_Page(const QString& texte)
{
    Lecture_Page r;
    if (texte.size() > Taille_Max_Page) {
        r.etat = Etat_Lecture::Trop_Grande;
        return r;
    }
    const QStringList lignes = Lignes_Page(texte);
    const int n = int(lignes.size());
    int i = 0;
    while (i < n && lignes.at(i) != QLatin1String("<TABLE>"))
        ++i;
    if (i == n) {
        r.etat = Etat_Lecture::Sans_Table;
        r.ligne = n;
        return r;
    }
    ++i;  // past "<TABLE>"
    if (i + Lignes_Entete > n) {
        r.etat = Etat_Lecture::Sans_Table;
        r.ligne = n;
        return r;
    }
    i += Lignes_Entete;

    const auto faute = [&r](Etat_Lecture etat, int ligne) {
        r.etat = etat;
        r.ligne = ligne + 1;
        return r;
    };
    while (i < n) {
        if (lignes.at(i) == QLatin1String("</TABLE>"))
            return r;
        if (i + 7 > n)
            return faute(Etat_Lecture::Ligne_Tronquee, n - 1);
        const auto dx = entre(lignes.at(i + 1), QLatin1String("_BLANK"), 8, QLatin1String("</A>"));
        if (!dx)
            return faute(Etat_Lecture::Marqueur_Absent, i + 1);
        const auto qrg = entre(lignes.at(i + 2), QLatin1String("RIGHT"), 7, QLatin1String("&NBSP"), 1);
        if (!qrg)
            return faute(Etat_Lecture::Marqueur_Absent, i + 2);
        const auto date = entre(lignes.at(i + 3), QLatin1String("LEFT"), 7, QLatin1String("&NBSP"));
        if (!date)
            return faute(Etat_Lecture::Marqueur_Absent, i + 3);
        const auto spotter = entre(lignes.at(i + 4), QLatin1String("_BLANK"), 8, QLatin1String("</A>"));
        if (!spotter)
            return faute(Etat_Lecture::Marqueur_Absent, i + 4);
        const auto remarques = entre(lignes.at(i + 5), QLatin1String("LEFT"), 7, QLatin1String("</TD>"));
        if (!remarques)
            return faute(Etat_Lecture::Marqueur_Absent, i + 5);
        r.spots.append(Spot{dx->left(Largeur_DX), *qrg, *date, *spotter, *remarques});
        i += 7;
    }
    return r;
}

QString Ligne_Spot(const Spot& s, Disposition d)
{
    const QString dx = gauche(s.dx.left(Largeur_DX), Largeur_DX);
    const QString qrg = droite(s.qrg, Largeur_QRG);
    const QString b = QStringLiteral(" ");
    QString debut;
    switch (d) {
    case Disposition::QTR:
        debut = b + s.date + b + dx + b + qrg + b;
        break;
    case Disposition::Indicatif:
        debut = b + dx + b + qrg + b + s.date + b;
        break;
    case Disposition::QRG:
        debut = b + qrg + b + dx + b + s.date + b;
        break;
    }
    return debut + gauche(s.spotter, Largeur_Spotter) + b + s.remarques;
}

QString Entete_Spots(Disposition d)
{
    switch (d) {
    case Disposition::QTR:
        return QStringLiteral("    Date   QTR(TU)          DX                                  QRG      Spotter                                                 Remarques");
    case Disposition::Indicatif:
        return QStringLiteral("       DX                                  QRG      Date   QTR(TU)       Spotter                                                 Remarques");
    case Disposition::QRG:
        return QStringLiteral("            QRG         DX                          Date   QTR(TU)       Spotter                                                 Remarques");
    }
    return QString();
}

QString Entete_Memoire(Disposition d)
{
    switch (d) {
    case Disposition::QTR:
        return QStringLiteral("    QTR                DX                QRG   Spotter                       Remarques        ");
    case Disposition::Indicatif:
        return QStringLiteral("     DX               QRG        QTR          Spotter                       Remarques        ");
    case Disposition::QRG:
        return QStringLiteral("     QRG     DX                  QTR           Spotter                       Remarques        ");
    }
    return QString();
}

bool Filtre_Francais(const QString& dx)
{
    return dx.startsWith(QLatin1Char('F')) || station::Prefixes_Francais().contains(dx.left(2));
}

bool Filtre_Prefixe(const QString& dx, const QString& prefixe)
{
    // Compared with the field as the line shows it, blank padded to its width.
    return gauche(dx.left(Largeur_DX), Largeur_DX).startsWith(prefixe.toUpper());
}

std::optional<qint32> Frequence_QRG(const QString& qrg)
{
    bool ok = false;
    const double khz = QLocale::c().toDouble(qrg.trimmed(), &ok);
    if (!ok || !std::isfinite(khz) || khz <= 0)
        return std::nullopt;
    const double valeur = std::round(khz * 100);
    // Eight packed decimal digits.
    if (valeur > 99999999.0)
        return std::nullopt;
    return qint32(valeur);
}

} // namespace cluster
