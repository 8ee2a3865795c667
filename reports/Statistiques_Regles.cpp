#include "reports/Statistiques_Regles.h"

#include "station/Ligne_QSO.h"
#include "station/Listes.h"

#include <algorithm>

namespace rapports {

using station::sansBlancs;

int valeurEntiere(QStringView champ)
{
    qsizetype i = 0;
    while (i < champ.size() && champ.at(i) == QLatin1Char(' '))
        ++i;
    bool negatif = false;
    if (i < champ.size() && (champ.at(i) == QLatin1Char('-') || champ.at(i) == QLatin1Char('+'))) {
        negatif = champ.at(i) == QLatin1Char('-');
        ++i;
    }
    long long n = 0;
    for (; i < champ.size() && champ.at(i).isDigit() && champ.at(i).unicode() < 128; ++i) {
        n = n * 10 + (champ.at(i).unicode() - '0');
        if (n > 1000000000)
            break;
    }
    return int(negatif ? -n : n);
}

QStringView colonnes(const QString& ligne, int debut, int largeur)
{
    if (debut - 1 >= ligne.size())
        return {};
    return QStringView(ligne).mid(debut - 1, largeur);
}

namespace {

// The record columns that the statistics read.
constexpr int ColBande = 50, LargBande = 8;
constexpr int ColDistance = 155, LargDistance = 5;
constexpr int ColActivite = 165, LargActivite = 2;
constexpr int ColEtat = 135;
constexpr int ColIndicatif = 11, LargIndicatif = 12;

} // namespace

QString champFixe(const QString& ligne, int debut, int largeur)
{
    return colonnes(ligne, debut, largeur).toString().leftJustified(largeur, QLatin1Char(' '));
}

// --- Distances ----------------------------------------------------------------------------------

const QStringList& Bandes_Distance()
{
    static const QStringList l = {QStringLiteral("144 Mhz"), QStringLiteral("432 Mhz"), QStringLiteral("1.3 Ghz"),
                                  QStringLiteral("2.3 Ghz"), QStringLiteral("5.7 Ghz"), QStringLiteral("10 Ghz"),
                                  QStringLiteral("24 Ghz"),  QStringLiteral("50 Mhz")};
    return l;
}

int indexBandeDistance(QStringView bande)
{
    const auto& l = Bandes_Distance();
    for (int i = 0; i < l.size(); ++i)
        if (l.at(i) == bande)
            return i;
    return -1;
}

int classeDistance(int km)
{
    if (km <= 100)
        return 1;
    if (km < 200)
        return 2;
    if (km >= 1000)
        return 11;
    return km / 100 + 1;
}

void compterDistance(TableDistances& t, const QString& ligne)
{
    const int b = indexBandeDistance(sansBlancs(colonnes(ligne, ColBande, LargBande)));
    if (b < 0)
        return;
    const int c = classeDistance(valeurEntiere(colonnes(ligne, ColDistance, LargDistance)));
    ++t[b][c - 1];
}

TableDistances compterDistances(const QStringList& lignes)
{
    TableDistances t{};
    for (const QString& ligne : lignes)
        compterDistance(t, ligne);
    return t;
}

// --- Prefixes -----------------------------------------------------------------------------------

QStringList prefixesContactes(const QStringList& lignesFichier, int numeroBande)
{
    QStringList sortie;
    const int col = 7 + numeroBande;
    for (const QString& ligne : lignesFichier) {
        if (ligne.size() < col)
            continue;
        if (valeurEntiere(colonnes(ligne, col, 1)) == 0)
            continue;
        const QString prefixe = sansBlancs(colonnes(ligne, 1, 5)).toString();
        const QString pays = ligne.size() >= 27 ? ligne.mid(26).trimmed() : QString();
        sortie.append(QStringLiteral("  ") + prefixe.leftJustified(5, QLatin1Char(' ')) + QLatin1Char(' ') + pays);
    }
    std::sort(sortie.begin(), sortie.end());
    return sortie;
}

// --- Castle list --------------------------------------------------------------------------------

bool bandeRetenue(const QString& selection, QStringView bande)
{
    const QStringList& bandes = station::Liste_Bandes();
    int index = -1;
    for (int i = 0; i < bandes.size() && index < 0; ++i)
        if (bandes.at(i) == bande)
            index = i;
    if (selection == BandesHF)
        return index >= 0 && index < station::NombreBandesHF;
    if (selection == BandesVHF)
        return index >= station::NombreBandesHF;
    return bande == selection;
}

QString lettreEtat(QStringView etat)
{
    static const QString lettres[] = {QStringLiteral("S"), QStringLiteral("E"), QStringLiteral("R"),
                                      QStringLiteral("C")};
    if (etat.size() == 1 && etat.at(0) >= QLatin1Char('1') && etat.at(0) <= QLatin1Char('4'))
        return lettres[etat.at(0).unicode() - '1'];
    return QStringLiteral("?");
}

QString ligneChateau(const QString& ligne)
{
    return QStringLiteral("  ") + champFixe(ligne, 89, 15) + champFixe(ligne, 169, 30) + champFixe(ligne, 1, 10) +
           champFixe(ligne, ColIndicatif, LargIndicatif) + champFixe(ligne, ColBande, LargBande) +
           QStringLiteral("  ") + lettreEtat(colonnes(ligne, ColEtat, 1));
}

bool chateauRetenu(const QString& ligne, int numeroActivite, const QString& selection)
{
    const QStringView activite = sansBlancs(colonnes(ligne, ColActivite, LargActivite));
    return activite == QString::number(numeroActivite) &&
           bandeRetenue(selection, sansBlancs(colonnes(ligne, ColBande, LargBande)));
}

QStringList listeChateaux(const QStringList& lignes, int numeroActivite, const QString& selection)
{
    QStringList sortie;
    for (const QString& ligne : lignes)
        if (chateauRetenu(ligne, numeroActivite, selection))
            sortie.append(ligneChateau(ligne));
    std::sort(sortie.begin(), sortie.end());
    return sortie;
}

QString nomFichierChateaux(const QString& indicatif, const QString& selection)
{
    return indicatif + QLatin1Char(' ') + selection + QStringLiteral(" Alphanumerique.txt");
}

QStringList contenuFichierChateaux(const QString& indicatif, const QString& selection, const QString& date,
                                   const QStringList& chateaux)
{
    QStringList l;
    l << indicatif + QStringLiteral(" Liste alphanumerique des Chateaux contactés sur ") + selection +
             QStringLiteral(" au ") + date
      << QString();
    l << chateaux;
    l << QString() << QStringLiteral("Nombre total de Chateaux : ") + QString::number(chateaux.size());
    return l;
}

// --- QSO and QSL totals ------------------------------------------------------------------------

bool indicatifFrancais(QStringView indicatif)
{
    if (indicatif.startsWith(QLatin1Char('F')))
        return true;
    if (indicatif.size() < 2)
        return false;
    const QStringView deux = indicatif.left(2);
    for (const QString& p : station::Prefixes_Francais())
        if (p.size() == 2 && p == deux)
            return true;
    return false;
}

void compterQSO(StatistiquesQSO& s, const QString& ligne)
{
    ++s.total;
    if (indicatifFrancais(colonnes(ligne, ColIndicatif, LargIndicatif)))
        ++s.francais;
    const int a = valeurEntiere(colonnes(ligne, ColActivite, LargActivite));
    if (a < 0 || a >= NombreActivitesComptees)
        return;
    ++s.qso[a];
    const QStringView etat = colonnes(ligne, ColEtat, 1);
    if (etat == u"2" || etat == u"4")
        ++s.envoyees[a];
    if (etat == u"3" || etat == u"4")
        ++s.recues[a];
}

StatistiquesQSO compterQSO(const QStringList& lignes)
{
    StatistiquesQSO s;
    for (const QString& ligne : lignes)
        compterQSO(s, ligne);
    return s;
}

QString pourcentage(int compte, int qso)
{
    if (qso <= 0)
        return QStringLiteral(" 0");
    // In whole numbers: 29 of 50 is 58, where a floating division would give 57.99...
    const qint64 p = qint64(compte) * 100 / qso;
    return QString::number(p).rightJustified(2, QLatin1Char(' '));
}

QString ligneActivite(const QString& nom, int qso, int envoyees, int recues)
{
    auto compte = [](int n) {
        return n == 0 ? QString(5, QLatin1Char(' ')) : QString::number(n).rightJustified(5, QLatin1Char(' '));
    };
    return QStringLiteral("    ") + nom.leftJustified(7, QLatin1Char(' ')) + QStringLiteral("     ") + compte(qso) +
           QStringLiteral("     ") + compte(envoyees) + QStringLiteral(" (") + pourcentage(envoyees, qso) +
           QStringLiteral("%)     ") + compte(recues) + QStringLiteral(" (") + pourcentage(recues, qso) +
           QStringLiteral("%)");
}

} // namespace rapports
