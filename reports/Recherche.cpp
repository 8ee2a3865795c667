#include "reports/Recherche.h"

#include "station/Champs_Ansi.h"
#include "station/Couleurs_Etat.h"
#include "station/Ligne_QSO.h"
#include "station/Modele_Liste_QSO.h"

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

bool memeTexteSansCasse(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), a.size()) == 0;
}

bool estCorse(QByteArrayView code)
{
    return memeTexteSansCasse(code, "2a") || memeTexteSansCasse(code, "2b");
}

station::ChampAnsi champ(QByteArrayView ligne, Champ c, int largeur = 0)
{
    const station::Colonne col = station::colonne(c);
    return station::ChampAnsi(ligne, col.debut, largeur > 0 ? largeur : col.largeur);
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

bool correspond(Mode mode, QByteArrayView ligne, QByteArrayView critere)
{
    switch (mode) {
    case Mode::Indicatif:
        // The whole callsign column: a callsign of 11 or 12 characters is found too.
        return champ(ligne, Champ::Indicatif_QSO).sansBlancs().contains(critere);
    case Mode::Date:
        return champ(ligne, Champ::Date_QSO).sansBlancs() == critere;
    case Mode::Departement: {
        const station::ChampAnsi code = champ(ligne, Champ::Departement_QSO, 2);
        if (code.complet() == critere)
            return true;
        return estCorse(critere) && memeTexteSansCasse(code.complet(), critere);
    }
    case Mode::Locator:
        return champ(ligne, Champ::Locator_QSO, 4).complet() == critere;
    case Mode::Reference:
        return champ(ligne, Champ::QTH_QSO).complet().contains(critere);
    }
    return false;
}

QList<int> rangsTrouves(Mode mode, const Modele_Liste_QSO& liste, const QString& critere)
{
    QList<int> rangs;
    const std::optional<QByteArray> octets = station::ansiExact(critere);
    if (!octets)
        return rangs;
    for (int i = 0; i < liste.nombre(); ++i)
        if (correspond(mode, liste.ligneAnsi(i), *octets))
            rangs << i;
    return rangs;
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

QStringList chercher(Mode mode, const Modele_Liste_QSO& liste, const QString& critere)
{
    QStringList trouves;
    for (const int rang : rangsTrouves(mode, liste, critere))
        trouves << ligneResultat(liste.item(rang));
    return trouves;
}

int rangDeCle(const Modele_Liste_QSO& liste, const QString& cle)
{
    return liste.rangDeCle(cle, LongueurCle);
}

} // namespace recherche
