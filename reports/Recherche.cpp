#include "reports/Recherche.h"

#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"

using station::Champ;

namespace recherche {

namespace {

// Columns of a field in a list item, the QSO number in front: (0-based start, width).
struct Zone {
    int debut;
    int largeur;
};

Zone zone(Champ champ)
{
    const station::Colonne c = station::colonne(champ);
    return {c.debut - 1 + station::DecalageListe, c.largeur};
}

// `largeur` characters of the item from 0-based `debut`, blank-padded when the item is short.
QString extrait(const QString& item, int debut, int largeur)
{
    return item.mid(debut, largeur).leftJustified(largeur, QLatin1Char(' '));
}

QString extrait(const QString& item, Zone z)
{
    return extrait(item, z.debut, z.largeur);
}

bool estCorse(const QString& code)
{
    return code.compare(QLatin1String("2a"), Qt::CaseInsensitive) == 0 ||
           code.compare(QLatin1String("2b"), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<Refus> verifierSaisie(Mode mode, const QString& texte)
{
    const auto refus = [](const char16_t* message, bool vider) {
        return std::optional<Refus>(Refus{QString::fromUtf16(message), vider});
    };
    switch (mode) {
    case Mode::Indicatif:
        if (texte.size() >= 13)
            return refus(u"Attention 12 caracteres maxi pour l'indicatif", false);
        if (texte.isEmpty())
            return refus(u"Entrez un indicatif", true);
        break;
    case Mode::Date:
        if (texte.size() < 6 || texte.at(2) != QLatin1Char('/') || texte.at(5) != QLatin1Char('/'))
            return refus(u"Attention le format date doit etre JJ/MM/AA", false);
        if (texte.size() >= 9)
            return refus(u"Attention 8 caracteres maxi pour la date (format jj/mm/aa)", false);
        break;
    case Mode::Departement:
        if (texte.size() >= 3)
            return refus(u"Attention 2 caracteres maxi pour le departement", false);
        if (texte.isEmpty())
            return refus(u"Entrez un departement", true);
        break;
    case Mode::Locator:
        if (texte.size() != 4)
            return refus(u"Attention seulement les 4 premiers caracteres du locator", true);
        break;
    case Mode::Reference:
        if (texte.size() >= 9)
            return refus(u"Attention 8 caracteres maxi pour la reference", false);
        if (texte.isEmpty())
            return refus(u"Entrez une reference", true);
        break;
    }
    return std::nullopt;
}

QString messageCritereVide(Mode mode)
{
    switch (mode) {
    case Mode::Indicatif: return QStringLiteral("Entrez un indicatif");
    case Mode::Date: return QStringLiteral("Entrez une date");
    case Mode::Departement: return QStringLiteral("Entrez un departement");
    case Mode::Locator: return QStringLiteral("Entrez un locator");
    case Mode::Reference: return QStringLiteral("Entrez une reference");
    }
    return QString();
}

QString sansRetourEnTete(const QString& texte)
{
    return texte.startsWith(QLatin1String("\r\n")) ? texte.mid(2) : texte;
}

QString critere(Mode mode, const QString& texte)
{
    const QString t = sansRetourEnTete(texte);
    return mode == Mode::Indicatif || mode == Mode::Date ? t.toUpper() : t;
}

bool correspond(Mode mode, const QString& item, const QString& critere)
{
    switch (mode) {
    case Mode::Indicatif:
        // The whole callsign column: a callsign of 11 or 12 characters is found too.
        return station::sansBlancs(extrait(item, zone(Champ::Indicatif_QSO))).contains(critere);
    case Mode::Date:
        return station::sansBlancs(extrait(item, zone(Champ::Date_QSO))) == critere;
    case Mode::Departement: {
        const QString code = extrait(item, zone(Champ::Departement_QSO).debut, 2);
        if (code == critere)
            return true;
        return estCorse(critere) && code.compare(critere, Qt::CaseInsensitive) == 0;
    }
    case Mode::Locator:
        return extrait(item, zone(Champ::Locator_QSO).debut, 4) == critere;
    case Mode::Reference:
        return extrait(item, zone(Champ::QTH_QSO)).contains(critere);
    }
    return false;
}

QString lettreQSL(const QString& item)
{
    const Zone z = zone(Champ::Etat_QSL);
    const QString l = z.debut < item.size() ? Couleurs_Etat::lettre(item.at(z.debut)) : QString();
    return l.isEmpty() ? QStringLiteral(" ") : l;
}

QString ligneResultat(const QString& item)
{
    return extrait(item, 0, LongueurCle) + lettreQSL(item);
}

QString ligneImprimee(Mode mode, const QString& item)
{
    if (mode != Mode::Indicatif)
        return ligneResultat(item);
    // Number to the start time and its two blanks; band and mode; QTH; remarks.
    const Zone bande = zone(Champ::Bande_QSO);
    const Zone qth = zone(Champ::QTH_QSO);
    const Zone remarques = zone(Champ::Remarques_QSO);
    const station::Colonne debut = station::colonne(Champ::Heure_Debut);
    const station::Colonne mode_ = station::colonne(Champ::Mode_QSO);
    const station::Colonne qthCol = station::colonne(Champ::QTH_QSO);
    return extrait(item, 0, debut.debut - 1 + debut.largeur + debut.ecart + station::DecalageListe) +
           extrait(item, bande.debut, mode_.debut + mode_.largeur + 1 - station::colonne(Champ::Bande_QSO).debut) +
           extrait(item, qth.debut, qthCol.largeur + qthCol.ecart) + extrait(item, remarques) + lettreQSL(item);
}

QStringList chercher(Mode mode, const QStringList& items, const QString& critere)
{
    QStringList trouves;
    for (const QString& item : items)
        if (correspond(mode, item, critere))
            trouves << ligneResultat(item);
    return trouves;
}

int rangDeCle(const QStringList& items, const QString& cle)
{
    int rang = -1;
    for (int i = 0; i < items.size(); ++i)
        if (QStringView(items.at(i)).left(LongueurCle) == QStringView(cle).left(LongueurCle))
            rang = i;
    return rang;
}

} // namespace recherche
