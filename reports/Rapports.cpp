#include "reports/Rapports.h"

#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Imprimante.h"
#include "reports/Fenetres_Statistiques.h"
#include "reports/Statistiques_Regles.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Mention_Programme.h"
#include "station/Variables_Programme.h"

#include <algorithm>

namespace rapports {

namespace {

constexpr int LargeurCorpsLog = 110;  // date to the end of the QTH field and its two blanks
constexpr double TaillePolice = 8;
constexpr double TailleMinimale = 4;

QString titreLog(const QString& indicatif)
{
    return QStringLiteral("              Log de ") + indicatif;
}

// Date to department, report received, report sent, award reference, site name, status word.
QString corpsActivite(const QString& ligne)
{
    return QStringLiteral("  ") + champFixe(ligne, 1, 41) + champFixe(ligne, 79, 8) + champFixe(ligne, 69, 8) +
           champFixe(ligne, 89, 15) + champFixe(ligne, 169, 30) + motEtat(colonnes(ligne, 135, 1));
}

// Title, empty line, heading, two empty lines.
QStringList enteteLog(const QString& titre)
{
    return {titre, QString(), EnteteLog, QString(), QString()};
}

void piedDePage(QStringList& l)
{
    l << QString() << Ligne_Auteur();
}

} // namespace

QString motEtat(QStringView etat)
{
    static const QString mots[] = {QStringLiteral("Sans"), QStringLiteral("Envoyée"), QStringLiteral("Reçue"),
                                   QStringLiteral("Confirmée")};
    const QStringView e = station::sansBlancs(etat);
    if (e.size() == 1 && e.at(0) >= QLatin1Char('1') && e.at(0) <= QLatin1Char('4'))
        return mots[e.at(0).unicode() - '1'];
    return QStringLiteral("?");
}

QStringList rapportLog(const QString& indicatif, const QString& date, const QStringList& journal)
{
    QStringList l = enteteLog(titreLog(indicatif) + QStringLiteral(" au ") + date);
    l.reserve(journal.size() + 8);
    int n = 1;
    for (const QString& ligne : journal)
        l << station::numeroListe(n++) + ligne.left(LargeurCorpsLog);
    piedDePage(l);
    return l;
}

QStringList rapportLogPartiel(const QString& indicatif, const QString& premier, const QString& dernier,
                              const QStringList& journal)
{
    const QString p = premier.trimmed();
    const QString d = dernier.trimmed();
    QStringList l = enteteLog(titreLog(indicatif) + QStringLiteral(" de la ligne N° ") + p +
                              QStringLiteral(" a la ligne N° ") + d);
    const double debut = p.toDouble();
    const double fin = d.toDouble();
    int n = 1;
    for (const QString& ligne : journal) {
        if (n >= debut && n <= fin)
            l << station::numeroListe(n) + ligne.left(LargeurCorpsLog);
        ++n;
    }
    piedDePage(l);
    return l;
}

QStringList rapportActivations(const QString& indicatif, int numeroActivite, const QString& nomActivite,
                               const QString& bande, const QString& date, const QStringList& journal)
{
    QStringList l{indicatif + QStringLiteral("            Liste des activations ") + nomActivite +
                      QStringLiteral(" contactées sur la bande ") + bande + QStringLiteral(" au ") + date,
                  QString(), QString(), EnteteActivations, QString()};
    int n = 1;
    for (const QString& ligne : journal) {
        if (valeurEntiere(colonnes(ligne, 165, 2)) != numeroActivite)
            continue;
        if (station::sansBlancs(colonnes(ligne, 50, 8)) != bande)
            continue;
        l << station::numeroListe(n++) + corpsActivite(ligne);
    }
    piedDePage(l);
    return l;
}

QStringList enteteTexteLog(const QString& indicatif, const QString& date)
{
    return {titreLog(indicatif) + QStringLiteral(" au ") + date, QString(), EnteteTexte, QString()};
}

QString ligneTexteLog(int numero, const QString& ligne)
{
    return station::numeroListe(numero) + corpsActivite(ligne);
}

QString nomTexteLog(const QString& indicatif)
{
    return QStringLiteral("Log_") + indicatif + QStringLiteral(".txt");
}

QString controlePlage(const QString& debut, const QString& fin, int nombreQSO)
{
    if (debut.isEmpty() || fin.isEmpty())
        return QStringLiteral("Entrez le N° de la première et de la dernière ligne a imprimer");
    for (const QString& boite : {debut, fin})
        for (const QChar c : boite)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QStringLiteral("Que des chiffres pour le N° de ligne");
    const double premier = debut.toDouble();
    const double dernier = fin.toDouble();
    if (premier < 1)
        return QStringLiteral("Le N° de la ligne de debut d'impression doit etre superieur a 1");
    if (dernier > nombreQSO)
        return QStringLiteral("Le N° de la ligne de fin d'impression n'existe pas");
    if (dernier < premier)
        return QStringLiteral(" Le N° de début doit etre anterieur au N° de fin");
    return QString();
}

} // namespace rapports

using namespace rapports;

bool Imprime_Texte(const QStringList& lignes)
{
    auto& p = plateforme::Imprimante::instance();
    const QString ancienNom = p.FontName();
    const double ancienneTaille = p.FontSize();
    const bool ancienPaysage = p.paysage();
    const auto remettre = [&] {
        p.setFontBold(false);
        p.setFontName(ancienNom);
        p.setFontSize(ancienneTaille);
        p.setPaysage(ancienPaysage);
    };
    p.setFontName(QStringLiteral("Courier New"));
    p.setFontBold(true);
    p.setFontSize(TaillePolice);
    if (!plateforme::DialogueImpression()) {
        remettre();
        return false;
    }

    // The font is fixed pitch: the line with the most characters is the widest. Portrait when
    // it fits, else landscape, else a smaller size on landscape.
    const auto plusLongue = std::max_element(lignes.begin(), lignes.end(),
                                             [](const QString& a, const QString& b) { return a.size() < b.size(); });
    p.setPaysage(false);
    if (plusLongue != lignes.end()) {
        const double largeur = p.largeurTexte(*plusLongue);
        if (largeur > p.largeurPage())
            p.setPaysage(true);
        if (largeur > p.largeurPage()) {
            double taille = TaillePolice * p.largeurPage() / largeur;
            taille = std::max(TailleMinimale, std::floor(taille * 4) / 4);
            p.setFontSize(taille);
            while (taille > TailleMinimale && p.largeurTexte(*plusLongue) > p.largeurPage()) {
                taille = std::max(TailleMinimale, taille - 0.25);
                p.setFontSize(taille);
            }
        }
    }
    for (const QString& l : lignes)
        p.Print(l);
    const bool ok = p.EndDoc();
    remettre();
    if (!ok)
        plateforme::MsgBox(QStringLiteral("L'impression n'a pas pu être faite : l'imprimante ou le fichier "
                                          "d'impression a refusé le document."));
    return ok;
}

void Imprime_Log(const QString& indicatif)
{
    QStringList journal;
    if (Lit_Journal(indicatif, journal))
        Imprime_Texte(rapportLog(indicatif, Date_Du_Jour(), journal));
}

void Imprime_Log_Partiel(const QString& indicatif, const QString& premier, const QString& dernier)
{
    QStringList journal;
    if (Lit_Journal(indicatif, journal))
        Imprime_Texte(rapportLogPartiel(indicatif, premier, dernier, journal));
}

void Exporte_Log_Texte(const QString& indicatif)
{
    // Built in memory line by line as the log is read, then written beside and renamed.
    QByteArray octets;
    const auto ajouter = [&octets](const QString& ligne) {
        plateforme::ajouterAnsi(octets, ligne);
        octets.append("\r\n", 2);
    };
    for (const QString& l : enteteTexteLog(indicatif, Date_Du_Jour()))
        ajouter(l);
    int numero = 1;
    try {
        plateforme::parcourirLignes(station::nomJournal(indicatif),
                                    [&](const QString& ligne) { ajouter(ligneTexteLog(numero++, ligne)); });
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais());
        return;
    }
    try {
        plateforme::ecrireOctets(nomTexteLog(indicatif), octets);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Enregistrement du log en texte")));
    }
}

void Imprime_Activations(int numeroActivite, const QString& nomActivite, const QString& bande)
{
    const QString indicatif = Prog().Indicatif_Station;
    QStringList journal;
    if (Lit_Journal(indicatif, journal))
        Imprime_Texte(rapportActivations(indicatif, numeroActivite, nomActivite, bande, Date_Du_Jour(), journal));
}
