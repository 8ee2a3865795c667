#include "exchange/Export_Programmes.h"

#include "platform/Ansi.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"

#include <QFileInfo>

namespace echange {

namespace {

QString colonnes(const QString& texte, int debut, int largeur)
{
    // A short line reads as blanks past its end.
    return texte.mid(debut - 1, largeur).leftJustified(largeur, QLatin1Char(' '));
}

QString blancs(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

const std::array<Programme_Compagnon, 5>& Programmes_Compagnons()
{
    static const std::array<Programme_Compagnon, 5> table = {{
        {Code_DFCF, "DFCF", "Bravik_DFCF", "Bravik DFCF", 5, true, 11, 1, nullptr},
        {Code_DMF, "DMF", "Bravik_DMF", "Bravik DMF", 5, true, 11, 1, nullptr},
        {Code_DCI, "DCI", "DCI", "DCI", 5, false, 35, 41, " Nouvelle Province"},
        {Code_DAI, "DAI", "DAI", "DAI", 6, false, 35, 42, " Nouvelle Region"},
        {Code_DPLF, "DPLF", "DPLF", "DPLF", 5, false, 35, 41, nullptr},
    }};
    return table;
}

const Programme_Compagnon* programme(int code)
{
    if (code < Code_DFCF || code > Code_DPLF)
        return nullptr;
    return &Programmes_Compagnons()[std::size_t(code - 1)];
}

Award_Reconnu reconnaitreAward(const QString& qth)
{
    Award_Reconnu r;
    for (const Programme_Compagnon& p : Programmes_Compagnons()) {
        const QString mot = QLatin1String(p.mot);
        if (qth.contains(mot))
            r.trouve = p.code;
        if (qth.startsWith(mot + QLatin1Char(' ')))
            r.code = p.code;
    }
    return r;
}

QString referenceAward(const QString& record, int code)
{
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return QString();
    // The QTH starts at column 89 with the award word and one blank.
    const int debut = 89 + int(qstrlen(p->mot)) + 1;
    const QString ref = colonnes(record, debut, p->largeur);
    return p->referenceSansBlancs ? ref.trimmed() : ref;
}

QString ligneCompagnon(const QString& record, int code, const QString& reference)
{
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return QString();
    const QString date = colonnes(record, 1, 8);
    const QString indicatif = colonnes(record, 11, 12);
    const QString prenom = plateforme::majusculesAnsi(colonnes(record, 111, 15));
    const QString heure = colonnes(record, 23, 5);
    const QString mode = colonnes(record, 60, 3);
    const QString bande = colonnes(record, 50, 7);
    const QString envoye = colonnes(record, 69, 3);
    const QString recu = colonnes(record, 79, 3);
    const QString departement = plateforme::majusculesAnsi(colonnes(record, 37, 2));
    // The reference keeps its width, so that every column after it stays in place.
    const QString ref = reference.leftJustified(p->largeur, QLatin1Char(' '), true);
    const QString suite = ref + QLatin1Char(' ') + date + QLatin1Char(' ') + heure + QLatin1Char(' ') + mode +
                          QLatin1Char(' ') + bande + QLatin1Char(' ') + recu + QLatin1Char(' ') + envoye +
                          QLatin1Char(' ');
    switch (code) {
    case Code_DFCF:
        return date + blancs(2) + ref + blancs(2) + QStringLiteral("Chateau Contacte      ") + blancs(2) + indicatif;
    case Code_DMF:
        return date + blancs(2) + ref + blancs(2) + QStringLiteral("Moulin Contacte       ") + blancs(2) + indicatif;
    case Code_DCI:
        return indicatif + blancs(6) + prenom + QLatin1Char(' ') + suite + blancs(60) + blancs(7);
    case Code_DAI:
        return indicatif + blancs(6) + prenom + QLatin1Char(' ') + suite + blancs(60) + blancs(2);
    case Code_DPLF:
        return indicatif + QLatin1Char(' ') + departement + blancs(3) + prenom + QLatin1Char(' ') + suite +
               blancs(30) + blancs(2);
    default:
        return QString();
    }
}

QString indicatifCompagnon(int code)
{
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return Cles_Registre::Indicatif_Vide;
    return plateforme::GetSetting(QLatin1String(p->application), Cles_Registre::Section_Compagnon,
                                  Cles_Registre::Indicatif_Station, Cles_Registre::Indicatif_Vide);
}

Reglages_Compagnon reglagesCompagnon(int code)
{
    Reglages_Compagnon r;
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return r;
    const QString application = QLatin1String(p->application);
    r.dossier = plateforme::GetSetting(application, Cles_Registre::Section_Compagnon, Cles_Registre::Chemin_Repertoire,
                                       Cles_Registre::Chemin_Vide);
    r.indicatif = indicatifCompagnon(code);
    if (code == Code_DFCF || code == Code_DMF)
        r.annee = plateforme::GetSetting(application, Cles_Registre::Section_Station(r.indicatif),
                                         Cles_Registre::Annee_Bravik, Cles_Registre::Annee_Vide);
    return r;
}

bool compagnonInstalle(int code)
{
    return indicatifCompagnon(code) != Cles_Registre::Indicatif_Vide;
}

QString fichierCompagnon(int code, const Reglages_Compagnon& r)
{
    const QString base = r.dossier + QLatin1Char('\\') + r.indicatif;
    switch (code) {
    case Code_DFCF:
        return base + QStringLiteral("_Bravik_DFCF_") + r.annee + QStringLiteral(".txt");
    case Code_DMF:
        return base + QStringLiteral("_Bravik_DMF_") + r.annee + QStringLiteral(".txt");
    case Code_DCI:
        return base + QStringLiteral("_DCI.log");
    case Code_DAI:
        return base + QStringLiteral("_DAI.log");
    case Code_DPLF:
        return base + QStringLiteral("_DPLF.log");
    default:
        return QString();
    }
}

Recherche_Double chercherDouble(const QStringList& lignes, int code, const QString& reference)
{
    Recherche_Double r;
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return r;
    const QString ref = reference.leftJustified(p->largeur, QLatin1Char(' '), true);
    const QString zone = reference.left(2);
    r.nouvelleZone = p->nouvelleZone != nullptr;
    for (const QString& l : lignes) {
        if (colonnes(l, p->colonneReference, p->largeur) == ref) {
            r.dejaContacte = true;
            r.date = colonnes(l, p->colonneDate, 8);
        }
        if (r.nouvelleZone && colonnes(l, p->colonneReference, 2) == zone)
            r.nouvelleZone = false;
    }
    return r;
}

QStringList Cherche_Double(int code, const QString& reference, const QString& ligne)
{
    const Programme_Compagnon* p = programme(code);
    if (!p)
        return {};
    const Reglages_Compagnon r = reglagesCompagnon(code);
    const QString nom = QLatin1String(p->nom);
    const QString fichier = fichierCompagnon(code, r);
    const QString rien = QStringLiteral("\r\nLe QSO n'a pas été exporté.");

    // The folder first, then the file: the operator is told which one is missing.
    if (!QFileInfo(plateforme::chemin(r.dossier)).isDir())
        return {QStringLiteral("Le répertoire ") + r.dossier + QStringLiteral(" du programme ") + nom +
                QStringLiteral(" est introuvable.") + rien};
    if (!plateforme::existe(fichier))
        return {QStringLiteral("Le fichier ") + fichier + QStringLiteral(" du programme ") + nom +
                QStringLiteral(" est introuvable.") + rien};

    QStringList messages;
    Recherche_Double d;
    try {
        d = chercherDouble(plateforme::lireLignes(fichier), code, reference);
        if (d.dejaContacte)
            messages << QStringLiteral("Activation ") + QLatin1String(p->mot) + QLatin1Char(' ') + reference +
                            QStringLiteral(" deja contactée le ") + d.date;
        else
            plateforme::ajouterLigne(fichier, ligne);
    } catch (const plateforme::ErreurFichier& e) {
        return {e.messageFrancais(QStringLiteral("L'exportation du QSO vers ") + nom)};
    }
    if (d.nouvelleZone)
        messages << reference.left(2) + QLatin1String(p->nouvelleZone);
    return messages;
}

} // namespace echange
