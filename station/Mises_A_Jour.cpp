#include "station/Mises_A_Jour.h"

#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Controles_Carnet.h"
#include "station/Fenetre_Progression.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"
#include "station/Retenue_Actions.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace station {

namespace {

// Log lines handled between two progress reports (and yields to the event loop).
constexpr int kLignesParPas = 2000;

// Columns of a log line read by the rebuilds (1-based start, width).
constexpr int ColIndicatif = 11, LargIndicatif = 12;
constexpr int ColDepartement = 37, LargDepartement = 2;
constexpr int ColCarre = 42, LargCarre = 4;
constexpr int ColBande = 50, LargBande = 8;
constexpr int ColEtat = 135;

QStringView champ(const QString& ligne, int debut, int largeur)
{
    return sansBlancs(QStringView(ligne).mid(debut - 1, largeur));
}

// Raises the character at `colonne` of `ligne` to the log's status when that is greater. A
// line too short to hold the column is left alone.
void eleve(QString& ligne, int colonne, QStringView etatLog)
{
    if (etatLog.size() != 1 || colonne <= 0 || colonne > ligne.size())
        return;
    const QChar nouveau = etatLog.at(0);
    if (Valeur_Etat(QStringView(&nouveau, 1)) > Valeur_Etat(QStringView(ligne).mid(colonne - 1, 1)))
        ligne[colonne - 1] = nouveau;
}

// First line (file order) of each non-empty key, the key being the first `n` columns trimmed.
QHash<QString, int> premieresCles(const QStringList& lignes, int n, bool cleVideAdmise)
{
    QHash<QString, int> index;
    index.reserve(lignes.size());
    for (int i = 0; i < lignes.size(); ++i) {
        const QString cle = sansBlancs(QStringView(lignes.at(i)).left(n)).toString();
        if (cle.isEmpty() && !cleVideAdmise)
            continue;
        if (!index.contains(cle))
            index.insert(cle, i);
    }
    return index;
}

// Runs `etape` on every log line, reporting progress every kLignesParPas lines.
template <class Etape>
void parcourir(const QStringList& journal, const Avancement& avancement, Etape etape)
{
    for (int i = 0; i < journal.size(); ++i) {
        etape(journal.at(i));
        if (avancement && ((i + 1) % kLignesParPas == 0 || i + 1 == journal.size()))
            avancement(i + 1);
    }
}

QString zeroBandes(const QString& ligne)
{
    QString z = ligne;
    for (int c = 8; c <= 24 && c <= z.size(); ++c)
        z[c - 1] = QLatin1Char('0');
    return z;
}

} // namespace

int Valeur_Etat(QStringView etat)
{
    if (etat.size() != 1)
        return 0;
    const char16_t c = etat.at(0).unicode();
    return c >= u'0' && c <= u'4' ? int(c - u'0') : 0;
}

int indexBandeMajuscule(const QString& bande)
{
    static const QStringList majuscules = [] {
        QStringList l;
        for (const QString& b : Liste_Bandes())
            l << b.toUpper();
        return l;
    }();
    return int(majuscules.indexOf(bande.toUpper()));
}

QStringList Prefixes_Ajoutes(const QStringList& modele, const QStringList& actuel)
{
    QSet<QString> connues;
    connues.reserve(modele.size());
    for (const QString& l : modele)
        connues.insert(zeroBandes(l));
    QStringList ajoutes;
    for (const QString& l : actuel) {
        if (sansBlancs(l).isEmpty())
            continue;
        const QString z = zeroBandes(l);
        if (!connues.contains(z))
            ajoutes << z;
    }
    return ajoutes;
}

QStringList Reconstruit_Prefixes(const QStringList& modele, const QStringList& actuel, const QStringList& journal,
                                 QStringList* absents, const Avancement& avancement)
{
    QStringList lignes = modele;
    lignes += Prefixes_Ajoutes(modele, actuel);
    // The first line in file order whose key begins the callsign: the keys are at most five
    // characters, so the candidates are the callsign's first 0 to 5 characters.
    const QHash<QString, int> index = premieresCles(lignes, 5, true);
    QHash<QString, int> parIndicatif;  // callsigns repeat: remember their line
    parcourir(journal, avancement, [&](const QString& l) {
        const QStringView indicatif = champ(l, ColIndicatif, LargIndicatif);
        const QString cleIndicatif = indicatif.toString();
        auto trouve = parIndicatif.constFind(cleIndicatif);
        int i = -1;
        if (trouve != parIndicatif.constEnd()) {
            i = *trouve;
        } else {
            for (qsizetype n = 0; n <= qMin<qsizetype>(5, indicatif.size()); ++n) {
                auto k = index.constFind(indicatif.left(n).toString());
                if (k != index.constEnd() && (i < 0 || *k < i))
                    i = *k;
            }
            parIndicatif.insert(cleIndicatif, i);
        }
        if (i < 0) {
            if (absents)
                absents->append(cleIndicatif);
            return;
        }
        const int b = indexBandeMajuscule(champ(l, ColBande, LargBande).toString());
        if (b >= 0)
            eleve(lignes[i], 8 + b, champ(l, ColEtat, 1));
    });
    return lignes;
}

QStringList Reconstruit_Departements(const QStringList& modele, const QStringList& journal,
                                     const Avancement& avancement)
{
    QStringList lignes = modele;
    const QHash<QString, int> index = premieresCles(lignes, 2, false);
    parcourir(journal, avancement, [&](const QString& l) {
        QString departement = plateforme::majusculesAnsi(champ(l, ColDepartement, LargDepartement));
        if (departement == QLatin1String("2A"))
            departement = QStringLiteral("96");
        else if (departement == QLatin1String("2B"))
            departement = QStringLiteral("97");
        if (departement.isEmpty())
            return;
        const auto k = index.constFind(departement);
        if (k == index.constEnd())
            return;
        const int b = indexBandeMajuscule(champ(l, ColBande, LargBande).toString());
        if (b >= 0)
            eleve(lignes[*k], 4 + b, champ(l, ColEtat, 1));
    });
    return lignes;
}

QStringList Reconstruit_Locators(const QStringList& modele, const QStringList& journal, const Avancement& avancement)
{
    QStringList lignes = modele;
    const QHash<QString, int> index = premieresCles(lignes, 4, false);
    parcourir(journal, avancement, [&](const QString& l) {
        const QString bande = champ(l, ColBande, LargBande).toString();
        if (colonneLocator(bande) == 0)  // only the eight bands from "50 Mhz", exact texts
            return;
        const QString carre = champ(l, ColCarre, LargCarre).toString();
        if (carre.isEmpty())
            return;
        const auto k = index.constFind(carre);
        if (k == index.constEnd())
            return;
        const int b = indexBandeMajuscule(bande);
        eleve(lignes[*k], 6 + (b - NombreBandesHF), champ(l, ColEtat, 1));
    });
    return lignes;
}

QString fichierAbsent()
{
    return Prog().Indicatif_Station + QStringLiteral("_Absent.txt");
}

QString modele(const QString& suffixe)
{
    return Cles_Registre::Indicatif_Vide + suffixe;
}

bool Station_Modele()
{
    const QString& s = Prog().Indicatif_Station;
    return s.isEmpty() || s.compare(Cles_Registre::Indicatif_Vide, Qt::CaseInsensitive) == 0;
}

QString Message_Station_Modele()
{
    return QStringLiteral("Aucune station n'est définie : les fichiers FXXXX sont les modèles de toute nouvelle "
                          "station et ne doivent pas etre modifiés.\r\n"
                          "Dans 'Station', renseignez d'abord l'indicatif et le locator de votre station.");
}

namespace {

QStringList lireJournal()
{
    return plateforme::lireLignes(nomJournal(Prog().Indicatif_Station));
}

QString prefixesDepuis(const QStringList& journal, const Avancement& avancement)
{
    const QStringList gabarit = plateforme::lireLignes(modele(QStringLiteral("_Prefixe.txt")));
    const QStringList actuel =
        plateforme::existe(fichierPrefixe()) ? plateforme::lireLignes(fichierPrefixe()) : QStringList();
    QStringList absents;
    const QStringList lignes = Reconstruit_Prefixes(gabarit, actuel, journal, &absents, avancement);
    plateforme::ecrireLignes(fichierPrefixe(), lignes);
    try {
        plateforme::ecrireLignes(fichierAbsent(), absents);
    } catch (const plateforme::ErreurFichier& e) {
        return QStringLiteral("Le fichier Prefixe a été mis a jour, mais pas la liste des indicatifs absents ") +
               fichierAbsent() + QStringLiteral(" (elle est restée telle qu'avant).\r\n") + e.messageFrancais();
    }
    return QString();
}

void departementsDepuis(const QStringList& journal, const Avancement& avancement)
{
    const QStringList gabarit = plateforme::lireLignes(modele(QStringLiteral("_Departement.txt")));
    plateforme::ecrireLignes(fichierDepartement(), Reconstruit_Departements(gabarit, journal, avancement));
}

void locatorsDepuis(const QStringList& journal, const Avancement& avancement)
{
    const QStringList gabarit = plateforme::lireLignes(modele(QStringLiteral("_Locator.txt")));
    plateforme::ecrireLignes(fichierLocator(), Reconstruit_Locators(gabarit, journal, avancement));
}

} // namespace

QString Reconstruit_Fichier_Prefixe(const Avancement& avancement)
{
    return prefixesDepuis(lireJournal(), avancement);
}

void Reconstruit_Fichier_Departement(const Avancement& avancement)
{
    departementsDepuis(lireJournal(), avancement);
}

void Reconstruit_Fichier_Locator(const Avancement& avancement)
{
    locatorsDepuis(lireJournal(), avancement);
}

void Remet_A_Zero_Fichiers()
{
    // All four files or none.
    const QString indicatif = Prog().Indicatif_Station;
    const auto depuisModele = [](const QString& suffixe, const QString& cible) {
        return plateforme::NouveauContenu{cible, plateforme::lireOctetsFichier(modele(suffixe))};
    };
    plateforme::ecrireEnsemble({depuisModele(QStringLiteral(".log"), nomJournal(indicatif)),
                                depuisModele(QStringLiteral("_Departement.txt"), fichierDepartement()),
                                depuisModele(QStringLiteral("_Prefixe.txt"), fichierPrefixe()),
                                depuisModele(QStringLiteral("_Locator.txt"), fichierLocator())});
}

} // namespace station

using namespace station;

namespace {

enum class Sorte { Prefixe, Departement, Locator };

QString nomFichier(Sorte s)
{
    switch (s) {
    case Sorte::Prefixe:
        return QStringLiteral("Prefixe");
    case Sorte::Departement:
        return QStringLiteral("Departement");
    case Sorte::Locator:
        break;
    }
    return QStringLiteral("Locator");
}

// One rebuild with its window. `journal`: the log already read by the caller, or null.
bool miseAJour(Sorte sorte, const QStringList* journal)
{
    if (Station_Modele()) {
        plateforme::MsgBox(Message_Station_Modele());
        return false;
    }
    plateforme::MsgBox(QStringLiteral("Le fichier ") + nomFichier(sorte) +
                       QStringLiteral(" va etre mis a jour a partir du fichier log"));

    const Retenue_Actions retenue;
    Fenetre_Progression& progression = Fenetre_Progression::instance();
    progression.Ouvrir();
    progression.Afficher_Ligne(1);
    plateforme::ceder();
    const Avancement avancement = [&progression](int lues) {
        progression.Afficher_Ligne(lues + 1);
        plateforme::ceder();
    };

    QString avertissement;
    try {
        const QStringList lu = journal ? QStringList() : lireJournal();
        const QStringList& lignes = journal ? *journal : lu;
        switch (sorte) {
        case Sorte::Prefixe:
            avertissement = prefixesDepuis(lignes, avancement);
            break;
        case Sorte::Departement:
            departementsDepuis(lignes, avancement);
            break;
        case Sorte::Locator:
            locatorsDepuis(lignes, avancement);
            break;
        }
    } catch (const plateforme::ErreurFichier& e) {
        progression.decharger();
        const QString gabaritCarres = modele(QStringLiteral("_Locator.txt"));
        if (sorte == Sorte::Locator && e.numero == plateforme::ErreurFichierIntrouvable &&
            QFileInfo(e.fichier).fileName().compare(gabaritCarres, Qt::CaseInsensitive) == 0)
            plateforme::MsgBox(QStringLiteral("Fichier ") + gabaritCarres + QStringLiteral(" Absent du repertoire"));
        else
            plateforme::MsgBox(e.messageFrancais(QStringLiteral("Mise a jour du fichier ") + nomFichier(sorte)));
        return false;
    }
    if (!avertissement.isEmpty())
        plateforme::MsgBox(avertissement);

    if (sorte != Sorte::Prefixe) {
        if (Controles_Carnet* c = carnet()) {
            Variables_Programme& v = Prog();
            if (sorte == Sorte::Locator)
                c->Affiche_Locators(c->Bande_Grille->currentText(), c->Carre_Grille->currentText(), v.Compteur_Carte);
            v.Bande_Affichee = v.Bande_Courante;
            c->Affiche_Departements(v.Bande_Affichee, v.Compteur_Carte);
        }
    }
    progression.Terminer();
    return true;
}

} // namespace

bool MAJ_Prefixe()
{
    return miseAJour(Sorte::Prefixe, nullptr);
}

bool MAJ_Departement()
{
    return miseAJour(Sorte::Departement, nullptr);
}

bool MAJ_Locator()
{
    return miseAJour(Sorte::Locator, nullptr);
}

bool MAJ_Fichiers_Etat()
{
    if (Station_Modele()) {
        plateforme::MsgBox(Message_Station_Modele());
        return false;
    }
    const Retenue_Actions retenue;
    QStringList journal;
    try {
        journal = plateforme::lireLignes(nomJournal(Prog().Indicatif_Station));
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Mise a jour des fichiers de la station")));
        return false;
    }
    return miseAJour(Sorte::Prefixe, &journal) && miseAJour(Sorte::Departement, &journal) &&
           miseAJour(Sorte::Locator, &journal);
}
