#include "station/Fichiers_Etat.h"

#include "station/Ligne_QSO.h"

#include "platform/Ansi.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/fichiers/Balayages.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Listes.h"
#include "station/Variables_Programme.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringView>
#include <algorithm>
#include <cstring>

namespace station {

namespace {

const QString SuffixeDepartement = QStringLiteral("_Departement.txt");
const QString SuffixeLocator = QStringLiteral("_Locator.txt");
const QString SuffixePrefixe = QStringLiteral("_Prefixe.txt");


QStringView sansBlancsAGauche(QStringView t)
{
    qsizetype debut = 0;
    while (debut < t.size() && t.at(debut) == QLatin1Char(' '))
        ++debut;
    return t.mid(debut);
}

// The character at 1-based `colonne`, or the empty text when there is none.
QString caractere(const QString& ligne, int colonne)
{
    if (colonne <= 0 || colonne > ligne.size())
        return QString();
    return ligne.mid(colonne - 1, 1);
}

// Characters after `colonne` (1-based), empty when the line stops before.
QString apres(const QString& ligne, int colonne)
{
    return colonne < ligne.size() ? ligne.mid(colonne) : QString();
}

bool debutEgal(const QString& ligne, qsizetype n, const QString& cle)
{
    return QStringView(ligne).left(n) == cle;
}

} // namespace

QString fichierDepartement()
{
    return Prog().Indicatif_Station + SuffixeDepartement;
}

QString fichierLocator()
{
    return Prog().Indicatif_Station + SuffixeLocator;
}

QString fichierPrefixe()
{
    return Prog().Indicatif_Station + SuffixePrefixe;
}

int colonneDepartement(const QString& bande)
{
    const int i = int(Liste_Bandes().indexOf(bande));
    return i < 0 ? 0 : 4 + i;
}

int colonnePrefixe(const QString& bande)
{
    const int i = int(Liste_Bandes().indexOf(bande));
    return i < 0 ? 0 : 8 + i;
}

int colonneLocator(const QString& bande)
{
    const int i = int(Liste_Bandes().indexOf(bande));
    return i < NombreBandesHF ? 0 : 6 + (i - NombreBandesHF);
}

bool estPrefixeFrancais(const QString& prefixe)
{
    return Prefixes_Francais().contains(prefixe);
}

bool estBandeHF(const QString& bande)
{
    const int i = int(Liste_Bandes().indexOf(bande));
    return i >= 0 && i < NombreBandesHF;
}

QString clePrefixe(const QString& ligne)
{
    return sansBlancs(QStringView(ligne).left(5)).toString();
}

namespace {

// Whether the key of a prefix-file line (`debut`: its first characters) begins the callsign.
bool clePrefixeCommence(QStringView debut, const QString& indicatif)
{
    return indicatif.startsWith(sansBlancs(debut.left(5)));
}

// premierPrefixe on the lines as stored: only the key columns of each line are decoded.
int premierPrefixe(const QList<QByteArrayView>& lignes, const QString& indicatif)
{
    char16_t cle[5];
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QByteArrayView debut = lignes.at(i).first(std::min<qsizetype>(lignes.at(i).size(), 5));
        plateforme::decoderAnsi(debut.data(), debut.size(), cle);
        if (clePrefixeCommence(QStringView(cle, debut.size()), indicatif))
            return int(i);
    }
    return -1;
}

// The new content of a data file of which a few lines change: every line as stored, ended by
// CR LF as a rewrite stores it, except those `change(rang, ligne, nouvelle)` gives a new text
// for (it returns true and sets `nouvelle`). Only those are decoded and encoded again; the runs
// of lines already ended by CR LF are copied in one piece. `lignes` may leave out lines ended
// by CR LF that do not change: they are copied with the others.
template <class Change>
QByteArray recopie(const QByteArray& octets, const QList<QByteArrayView>& lignes, Change change)
{
    const char* base = octets.constData();
    const qsizetype n = octets.size();
    QByteArray sortie;
    sortie.reserve(n + 2 * 64);
    qsizetype debutCopie = 0;  // start of the lines not yet copied, all ended by CR LF
    QString nouvelle;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QByteArrayView l = lignes.at(i);
        const qsizetype debut = l.data() - base;
        const qsizetype fin = debut + l.size();
        const bool changee = change(i, l, nouvelle);
        if (!changee && fin + 2 <= n && base[fin] == '\r' && base[fin + 1] == '\n')
            continue;
        sortie.append(base + debutCopie, debut - debutCopie);
        if (changee)
            plateforme::ajouterAnsi(sortie, nouvelle);
        else
            sortie.append(l);
        sortie.append("\r\n", 2);
        // The copy starts again after the line's end as stored (CR LF, a lone CR or LF, none).
        debutCopie = fin;
        if (debutCopie < n && base[debutCopie] == '\r')
            ++debutCopie;
        if (debutCopie < n && base[debutCopie] == '\n')
            ++debutCopie;
    }
    sortie.append(base + debutCopie, n - debutCopie);
    return sortie;
}

// The lines of `octets` (stored as a rewrite stores it) that start with `cle`, not empty.
QList<QByteArrayView> lignesCommencantPar(const QByteArray& octets, QByteArrayView cle)
{
    QList<QByteArrayView> lignes;
    const char* p = octets.constData();
    const qsizetype n = octets.size();
    for (qsizetype pos = plateforme::balayage::chercheOctets(octets, cle, 0); pos >= 0;) {
        if (pos > 0 && p[pos - 1] != '\n') {
            pos = plateforme::balayage::chercheOctets(octets, cle, pos + 1);
            continue;
        }
        const void* cr = std::memchr(p + pos, '\r', size_t(n - pos));
        const qsizetype fin = cr ? static_cast<const char*>(cr) - p : n;
        lignes.append(QByteArrayView(p + pos, fin - pos));
        pos = plateforme::balayage::chercheOctets(octets, cle, fin);
    }
    return lignes;
}

} // namespace

int premierPrefixe(const QStringList& lignes, const QString& indicatif)
{
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (clePrefixeCommence(lignes.at(i), indicatif))
            return int(i);
    }
    return -1;
}

QString remplaceCaractere(const QString& ligne, int colonne, const QString& etat)
{
    if (colonne <= 0 || colonne > ligne.size() || etat.size() != 1)
        return ligne;
    QString nouvelle = ligne;
    nouvelle[colonne - 1] = etat.at(0);
    return nouvelle;
}

bool estFichierTemporaire(const QString& nomFichier)
{
    static const QRegularExpression modele(QStringLiteral("^Temporaire[0-9]*\\.txt$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return modele.match(nomFichier).hasMatch();
}

void Nettoie_Restes()
{
    // Besides the program folder and the stations' own folders, the backups of the current
    // station may go to a place of the operator's choice.
    QStringList dossiers;
    const QString indicatif = Lit_Setup(Cles_Registre::Indicatif_Station, QString());
    QString choisi = plateforme::GetSetting(Cles_Registre::Application, Cles_Registre::Section_Station(indicatif),
                                            Cles_Registre::Chemin_Sauvegarde, QString());
    if (!indicatif.isEmpty() && !choisi.isEmpty())
        dossiers.append(QFileInfo(plateforme::chemin(choisi.replace(QLatin1Char('\\'), QLatin1Char('/')))).absolutePath());
    QStringList avis;
    plateforme::nettoyerRestes(estFichierTemporaire, dossiers, &avis);
    for (const QString& a : avis)
        plateforme::MsgBox(a);
    plateforme::nettoyerRestesReglages({Cles_Registre::Application});
}

void Ecrit_Par_Temporaire(const QString& fichier, const QString& temporaire, const QStringList& lignes)
{
    plateforme::ecrireParBrouillon(temporaire, fichier, plateforme::octetsLignes(lignes));
}

void Reecriture_Temporaire(const QString& fichier, const QString& temporaire,
                           const std::function<QString(const QString&)>& transforme, const QString& debut)
{
    const QByteArray octets = plateforme::lireOctetsFichier(fichier);
    // The lines that do not start with the bytes of `debut` are copied as stored. In a file
    // stored as a rewrite stores it, only those lines are looked for, not every line.
    const QByteArray cle = plateforme::versAnsi(debut);
    const QList<QByteArrayView> lignes =
        cle.isEmpty() || !plateforme::balayage::toutEnCRLF(octets) ? plateforme::decouperOctets(octets) : lignesCommencantPar(octets, cle);
    const QByteArray nouveau = recopie(octets, lignes, [&](qsizetype, QByteArrayView l, QString& nouvelle) {
        if (!l.startsWith(cle))
            return false;
        nouvelle = transforme(plateforme::depuisAnsi(l.data(), l.size()));
        return true;
    });
    plateforme::ecrireParBrouillon(temporaire, fichier, nouveau);
}

QString texteNombre(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

void Erreur_Fichier_Station(int numeroErreur, const QString& suffixe)
{
    if (numeroErreur == plateforme::ErreurFichierIntrouvable) {
        Gestion_Erreur::Afficher(suffixe);
        plateforme::attendreFinProgramme();
        return;
    }
    plateforme::MsgBox(QStringLiteral("Erreur N° ") + texteNombre(numeroErreur));
    plateforme::terminerProgramme();
}

} // namespace station

using namespace station;

void Lit_Etat_Departement(const QString& departement, QString& etat, QString& nom, const QString& bande,
                          QString& ligne)
{
    etat.clear();
    const QStringList lignes = plateforme::lireLignes(fichierDepartement());
    for (const QString& l : lignes) {
        if (!debutEgal(l, 2, departement))
            continue;
        etat = caractere(l, colonneDepartement(bande));
        ligne = l;
        nom = l.size() > 21 ? sansBlancsAGauche(QStringView(l).mid(21)).toString() : QString();
        return;
    }
}

bool Lit_Etat_Locator(const QString& locator, QString& etat, const QString& bande, QString& ligne)
{
    try {
        const QStringList lignes = plateforme::lireLignes(fichierLocator());
        const QString carre = locator.left(4);
        for (const QString& l : lignes) {
            if (!debutEgal(l, 4, carre))
                continue;
            etat = caractere(l, colonneLocator(bande));
            ligne = l;
            break;
        }
        return true;
    } catch (const plateforme::ErreurFichier& e) {
        Erreur_Fichier_Station(e.numero, SuffixeLocator);
        return false;
    }
}

bool Cherche_Prefixe(const QString& indicatif, const QString& bande, QString& etat, QString& pays,
                     QString& prefixe)
{
    QStringList lignes;
    try {
        lignes = plateforme::lireLignes(fichierPrefixe());
    } catch (const plateforme::ErreurFichier& e) {
        Erreur_Fichier_Station(e.numero, SuffixePrefixe);
        return false;
    }
    const int i = premierPrefixe(lignes, indicatif);
    if (i < 0) {
        plateforme::MsgBox(QStringLiteral("            Prefixe Inconnu, annulez la saisie du QSO\r\n"
                                          "Dans 'Outils' puis 'Ajout d'un Prefixe', renseignez les 2 fenetres\r\n"
                                          "                    Saisissez a nouveau le QSO"));
        return true;
    }
    const QString& l = lignes.at(i);
    prefixe = clePrefixe(l);
    const int colonne = colonnePrefixe(bande);
    if (colonne > 0)
        etat = caractere(l, colonne);
    pays = apres(l, 26);
    if (etat == QLatin1String("0"))
        plateforme::MsgBox(QStringLiteral("Nouveau prefixe : ") + prefixe + QStringLiteral("   Pays : ") + pays +
                           QStringLiteral("   sur Bande : ") + bande);
    return true;
}

bool Ecrit_Etat_Prefixe(const QString& indicatif, const QString& bande, QString& etat, QString& pays,
                        QString& prefixe)
{
    QByteArray octets;
    try {
        octets = plateforme::lireOctetsFichier(fichierPrefixe());
    } catch (const plateforme::ErreurFichier& e) {
        Erreur_Fichier_Station(e.numero, SuffixePrefixe);
        return false;
    }
    const QList<QByteArrayView> lignes = plateforme::decouperOctets(octets);
    const int i = premierPrefixe(lignes, indicatif);
    QString marquee;
    if (i >= 0) {
        const QString l = plateforme::depuisAnsi(lignes.at(i).data(), lignes.at(i).size());
        prefixe = clePrefixe(l);
        const int colonne = colonnePrefixe(bande);
        const QString ancien = caractere(l, colonne);
        if (colonne > 0)
            etat = ancien;
        pays = apres(l, 26);
        if (ancien == QLatin1String("0"))
            marquee = remplaceCaractere(l, colonne, QStringLiteral("1"));
    }
    // A failed write reaches the caller (the file is left as it was).
    const QByteArray nouveau = recopie(octets, lignes, [&](qsizetype rang, QByteArrayView, QString& nouvelle) {
        if (rang != i || marquee.isNull())
            return false;
        nouvelle = marquee;
        return true;
    });
    plateforme::ecrireParBrouillon(TemporairePrefixe, fichierPrefixe(), nouveau);
    if (i < 0)
        plateforme::MsgBox(QStringLiteral("Prefixe Inconnu, annulez la saisie du QSO\r\n"
                                          "Dans Fichier puis Ajout Prefixe, renseignez les 2 fenetres\r\n"
                                          "Saisissez a nouveau le QSO"));
    return true;
}

void Ecrit_Etat_Departement(const QString& departement, const QString& etat, const QString& bande)
{
    const int colonne = colonneDepartement(bande);
    Reecriture_Temporaire(
        fichierDepartement(), TemporaireDepartement,
        [&](const QString& l) { return debutEgal(l, 2, departement) ? remplaceCaractere(l, colonne, etat) : l; },
        departement);
}

void Ecrit_Etat_Locator(const QString& carre, const QString& etat, const QString& bande)
{
    const int colonne = colonneLocator(bande);
    Reecriture_Temporaire(
        fichierLocator(), TemporaireLocator,
        [&](const QString& l) { return debutEgal(l, 4, carre) ? remplaceCaractere(l, colonne, etat) : l; }, carre);
}

void Remplace_Ligne(const QString& ancienne, const QString& nouvelle, const QString& nomFichier)
{
    Reecriture_Temporaire(
        nomFichier, TemporaireRemplace, [&](const QString& l) { return l == ancienne ? nouvelle : l; }, ancienne);
}
