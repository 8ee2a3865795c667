#pragma once
// The straightforward rebuild of the award status files, one complete rewrite of the award
// file per log line, as the program first did it. Kept as the reference that the in-memory
// rebuilds must match byte for byte (tests), and to time the old way (bench).
#include "platform/Fichiers.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Mises_A_Jour.h"
#include "station/Variables_Programme.h"

#include <QStringList>

namespace reference {

inline QString coupe(const QString& ligne, int debut, int largeur)
{
    return station::sansBlancs(QStringView(ligne).mid(debut - 1, largeur)).toString();
}

// A status is one digit 0 to 4; anything else, a damaged line's "9" included, counts as 0.
inline int val(const QString& t)
{
    return (t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('4')) ? t.at(0).digitValue() : 0;
}

// One step: rewrites the whole file, the first line whose key (first `largeurCle` columns
// trimmed) matches gets the status at `colonne` when it is greater. Returns whether a line
// matched.
inline bool etape(const QString& fichier, int largeurCle, bool prefixe, const QString& cle, int colonne,
                  const QString& etat)
{
    bool trouve = false;
    station::Reecriture_Temporaire(fichier, station::TemporaireMiseAJour, [&](const QString& l) {
        if (trouve)
            return l;
        const QString k = coupe(l, 1, largeurCle);
        const bool correspond = prefixe ? QStringView(cle).left(k.size()) == k : (!k.isEmpty() && k == cle);
        if (!correspond)
            return l;
        trouve = true;
        if (colonne <= 0 || colonne > l.size())
            return l;
        if (val(etat) > val(l.mid(colonne - 1, 1)))
            return l.left(colonne - 1) + etat + l.mid(colonne);
        return l;
    });
    return trouve;
}

inline int colonneMaj(const QString& bande, int premiere)
{
    const int i = station::indexBandeMajuscule(bande);
    return i < 0 ? 0 : premiere + i;
}

inline QStringList journal()
{
    return plateforme::lireLignes(station::nomJournal(Prog().Indicatif_Station));
}

inline void prefixes()
{
    const QString modele = station::modele(QStringLiteral("_Prefixe.txt"));
    QStringList depart = plateforme::lireLignes(modele);
    const QStringList actuel = plateforme::existe(station::fichierPrefixe())
                                   ? plateforme::lireLignes(station::fichierPrefixe())
                                   : QStringList();
    depart += station::Prefixes_Ajoutes(depart, actuel);
    plateforme::ecrireLignes(station::fichierPrefixe(), depart);
    plateforme::copier(station::modele(QStringLiteral(".log")), station::fichierAbsent());
    for (const QString& l : journal()) {
        const QString indicatif = coupe(l, 11, 12);
        if (!etape(station::fichierPrefixe(), 5, true, indicatif, colonneMaj(coupe(l, 50, 8), 8), coupe(l, 135, 1)))
            plateforme::ajouterLigne(station::fichierAbsent(), indicatif);
    }
}

inline void departements()
{
    plateforme::copier(station::modele(QStringLiteral("_Departement.txt")), station::fichierDepartement());
    for (const QString& l : journal()) {
        QString d = coupe(l, 37, 2).toUpper();
        if (d == QLatin1String("2A"))
            d = QStringLiteral("96");
        if (d == QLatin1String("2B"))
            d = QStringLiteral("97");
        etape(station::fichierDepartement(), 2, false, d, colonneMaj(coupe(l, 50, 8), 4), coupe(l, 135, 1));
    }
}

inline void locators()
{
    plateforme::copier(station::modele(QStringLiteral("_Locator.txt")), station::fichierLocator());
    const QStringList vhf = station::Liste_Bandes().mid(station::NombreBandesHF);
    for (const QString& l : journal()) {
        const QString bande = coupe(l, 50, 8);
        const QString carre = coupe(l, 42, 4);
        if (!vhf.contains(bande) || carre.isEmpty())
            continue;
        etape(station::fichierLocator(), 4, false, carre, colonneMaj(bande, 6 - station::NombreBandesHF),
              coupe(l, 135, 1));
    }
}

} // namespace reference
