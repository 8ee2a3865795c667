#include "reports/Carte_Regles.h"

#include "logbook/Carnet_Grille.h"
#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"

namespace cartes {

std::array<int, 4> compteCouleurs(const std::array<QColor, NombreCellules>& couleurs)
{
    std::array<int, 4> n{};
    for (const QColor& c : couleurs)
        for (int k = 0; k < 4; ++k)
            if (c.rgb() == Couleurs_Etat::couleur(QChar(u'1' + k)).rgb())
                ++n[k];
    return n;
}

PeintureActivite peintureActivite(const QStringList& lignes, const QString& bande, const QString& activite)
{
    using station::Champ;
    PeintureActivite p;
    p.etats.fill(QLatin1Char('0'));
    const bool toutes = bande == ToutesBandes;
    for (const QString& ligne : lignes) {
        if (station::lireChamp(ligne, Champ::Numero_Activite) != activite)
            continue;
        if (!toutes && station::lireChamp(ligne, Champ::Bande_QSO) != bande)
            continue;
        ++p.total;
        const QString etat = station::lireChamp(ligne, Champ::Etat_QSL);
        const int cellule = grille::celluleDepartement(station::lireChamp(ligne, Champ::Departement_QSO));
        if (cellule < 0 || etat.size() != 1 || etat.at(0) < QLatin1Char('1') || etat.at(0) > QLatin1Char('4'))
            continue;
        if (etat.at(0) > p.etats[cellule])
            p.etats[cellule] = etat.at(0);
    }
    return p;
}

std::array<QColor, NombreCellules> couleursEtats(const std::array<QChar, NombreCellules>& etats)
{
    std::array<QColor, NombreCellules> c;
    for (int i = 0; i < NombreCellules; ++i) {
        const QColor e = Couleurs_Etat::couleur(etats[i]);
        c[i] = e.isValid() ? e : Couleurs_Etat::fondFenetre();
    }
    return c;
}

const QStringList& champsChoix()
{
    static const QStringList l = {QStringLiteral("IM"), QStringLiteral("IN"), QStringLiteral("IO"),
                                  QStringLiteral("JM"), QStringLiteral("JN"), QStringLiteral("JO"),
                                  QStringLiteral("KM"), QStringLiteral("KN"), QStringLiteral("KO")};
    return l;
}

const QStringList& bandesChoix()
{
    static const QStringList l = station::Liste_Bandes().mid(station::NombreBandesHF);
    return l;
}

} // namespace cartes
