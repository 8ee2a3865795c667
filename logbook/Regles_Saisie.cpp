#include "logbook/Regles_Saisie.h"

#include "station/Listes.h"

#include <array>

namespace saisie {

namespace {

// Award reference forms, keyed by the exact text of the activity.
struct FormeReference {
    const char16_t* activite;
    int longueur;
    int positionDepartement;  // 1-based first of the two department characters; 0: no test
    const char16_t* exemple;
};

constexpr std::array<FormeReference, 9> kFormes = {{
    {u"DFCF", 10, 6, u"DFCF 89125"},
    {u"DMF", 9, 5, u"DMF 59025"},
    {u"DCI", 9, 0, u"DCI IM122"},
    {u"DAI", 10, 0, u"DAI PM0571"},
    {u"DPLF", 10, 0, u"DPLF PB141"},
    {u"DIFI", 11, 6, u"DIFI 55012R"},
    {u"ARLH", 11, 0, u"ARLH FRA373"},
    {u"IOTA", 10, 0, u"IOTA EU064"},
    {u"BCA", 9, 0, u"BCA LG060"},
}};

// Prefill of the QTH and remarks fields by activity; a null remark leaves the field alone.
struct Prefixage {
    const char16_t* activite;
    const char16_t* remarque;
};

constexpr std::array<Prefixage, 17> kPrefixages = {{
    {u"DFCF", u"C. "}, {u"DMF", u"M. "},  {u"DIFI", u"I. "}, {u"DIFM", u"I. "},   {u"DPLF", u"P. "},
    {u"ARLH", u"P. "}, {u"IOTA", u"I. "}, {u"BCA", u"C. "},  {u"DCI", u"C. "},    {u"DCS", u"C. "},
    {u"CASHOTA", u"C. "}, {u"ARP", nullptr}, {u"DLI", u"L. "}, {u"WIM", u"M. "}, {u"WAB", nullptr},
    {u"WASL", u"L. "}, {u"DAI", u"A. "},
}};

QString texte(const char16_t* t)
{
    return QString::fromUtf16(t);
}

QStringView champVue(QStringView item, int debut, int largeur)
{
    if (debut - 1 >= item.size())
        return {};
    return item.mid(debut - 1, largeur).trimmed();
}

} // namespace

int majuscule(int code)
{
    return (code >= 'a' && code <= 'z') ? code - 32 : code;
}

bool estBandeListee(const QString& bande)
{
    return station::Liste_Bandes().contains(bande);
}

int indexBande(const QString& bande)
{
    return int(station::Liste_Bandes().indexOf(bande));
}

QString departementAffiche(const QString& departement)
{
    // Only the key form is turned back: a "2A" kept by hand in the directory is shown as kept.
    if (departement == QLatin1String("96"))
        return QStringLiteral("2a");
    if (departement == QLatin1String("97"))
        return QStringLiteral("2b");
    return departement;
}

QString departementCle(const QString& departement)
{
    if (departement.compare(QLatin1String("2a"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("96");
    if (departement.compare(QLatin1String("2b"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("97");
    return departement;
}

Suite suiteApresIndicatif(const QString& prefixe, const QString& bande)
{
    if (station::Prefixes_Francais().contains(prefixe))
        return Suite::Departement;
    return suiteApresDepartement(bande);
}

Suite suiteApresDepartement(const QString& bande)
{
    // Only the eight listed bands from 50 MHz up have locators; anything else counts as HF.
    const int i = indexBande(bande);
    return i >= station::NombreBandesHF ? Suite::Locator : Suite::Mode;
}

Historique chercheHistorique(int nombre, const std::function<QString(int)>& item, const QString& indicatif)
{
    Historique h;
    for (int i = 0; i < nombre; ++i) {
        const QString t = item(i);
        if (champVue(t, 17, 12) == indicatif) {
            h.libelle = Historique::Contacte;
            h.index = i;
            h.date = champVue(t, 7, 10).toString();
            h.prenom = champVue(t, 117, 15).toString();
            return h;
        }
        h.libelle = Historique::NouvelIndicatif;
    }
    return h;
}

Historique chercheHistorique(const QStringList& items, const QString& indicatif)
{
    return chercheHistorique(int(items.size()), [&items](int i) { return items.at(i); }, indicatif);
}

QString controleReference(const QString& activite, const QString& qth, const QString& departement)
{
    for (const FormeReference& f : kFormes) {
        const QString nom = texte(f.activite);
        if (activite != nom)
            continue;
        if (qth.size() != f.longueur)
            return QStringLiteral("Attention %1 caracteres pour le %2 ex '%3'")
                .arg(f.longueur)
                .arg(nom, texte(f.exemple));
        // Corsica: the department field holds "2a"/"2b" while references are typed in capitals,
        // so the letters compare without regard to case.
        if (f.positionDepartement > 0 &&
            qth.mid(f.positionDepartement - 1, 2).compare(departement, Qt::CaseInsensitive) != 0)
            return QStringLiteral("Le n° du %1 ne correspond pas au n° du departement").arg(nom);
        return QString();
    }
    return QString();
}

PreRemplissage preRemplissage(const QString& activite)
{
    PreRemplissage p;
    for (const Prefixage& x : kPrefixages) {
        if (activite != texte(x.activite))
            continue;
        p.qth = activite + QLatin1Char(' ');
        p.curseurQth = int(p.qth.size());
        if (x.remarque) {
            p.remarques = true;
            p.texteRemarques = texte(x.remarque);
            p.curseurRemarques = int(p.texteRemarques.size());
        }
        return p;
    }
    return p;  // any other activity: the QTH is emptied, the remarks left alone
}

bool activiteExportable(const QString& activite)
{
    static const QStringList exportables = {QStringLiteral("DPLF"), QStringLiteral("DAI"), QStringLiteral("DCI"),
                                            QStringLiteral("DMF"), QStringLiteral("DFCF")};
    return exportables.contains(activite);
}

bool separateurDate(const QString& texte)
{
    return texte.size() == 2 || texte.size() == 5;
}

bool separateurHeure(const QString& texte)
{
    return texte.size() == 2;
}

QString questionNomenclature(const QString& indicatif, const QString& departementLu, const QString& locatorLu,
                             const QString& departement, const QString& locator)
{
    const QString ancienDep = departementLu.isEmpty() ? QStringLiteral("XX") : departementAffiche(departementLu);
    const QString ancienLoc = locatorLu.isEmpty() ? QStringLiteral("XXXXXX") : locatorLu;
    return QStringLiteral("Remplacer ") + indicatif + QStringLiteral(" Département ") + ancienDep +
           QStringLiteral(" Locator ") + ancienLoc + QStringLiteral("\r\n\r\n") + QStringLiteral("      par ") +
           indicatif + QStringLiteral(" département ") + departementAffiche(departement) +
           QStringLiteral(" Locator ") + locator + QStringLiteral(" ?");
}

MarquesQSL marquesQSL(const QString& etat)
{
    MarquesQSL m;
    m.envoyee = etat == QLatin1String("2") || etat == QLatin1String("4");
    m.recue = etat == QLatin1String("3") || etat == QLatin1String("4");
    return m;
}

QString champItem(const QString& item, int debut, int largeur)
{
    return champVue(item, debut, largeur).toString();
}

} // namespace saisie
