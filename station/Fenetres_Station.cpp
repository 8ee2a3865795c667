#include "station/Fenetres_Station.h"

#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Dates.h"
#include "station/Fenetre_Ajout_Activite.h"
#include "station/Fenetre_Ajout_Prefixe.h"
#include "station/Fenetre_Fichier_Nomenclature.h"
#include "station/Fenetre_Gestion_Erreur.h"
#include "station/Fenetre_Station.h"
#include "station/Listes.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QLabel>

namespace {

QString blancs(qsizetype n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Station

namespace Station {

void Afficher(bool modal)
{
    Fenetre_Station::afficher(modal);
}

QString Controle_Indicatif(const QString& indicatif, bool* effacer)
{
    if (effacer)
        *effacer = false;
    if (indicatif.isEmpty())
        return QStringLiteral("Vous devez entrer un indicatif");
    if (indicatif.size() > LongueurMaxIndicatif)
        return QStringLiteral("12 caracteres maximum pour l'indicatif");
    // The placeholder names the blank templates that every new station copies.
    if (indicatif == Cles_Registre::Indicatif_Vide) {
        if (effacer)
            *effacer = true;
        return QStringLiteral("%1 est réservé aux fichiers modèles : entrez l'indicatif de votre station")
            .arg(Cles_Registre::Indicatif_Vide);
    }
    for (const QChar c : indicatif) {
        const bool permis = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
        if (!permis) {
            if (effacer)
                *effacer = true;
            return QStringLiteral("L'indicatif ne doit comporter que des lettres des chiffres ou le signe _ ");
        }
    }
    return QString();
}

QString Controle_Locator(const QString& locator)
{
    if (locator.isEmpty())
        return QStringLiteral("Vous devez entrer un locator");
    if (locator.size() != 6)
        return QStringLiteral("Le locator doit comporter 6 caracteres");
    int erreur = 0;
    Verif_Locator(locator, erreur);
    if (erreur != 0)
        return QStringLiteral("Erreur dans la saisie du locator");
    return QString();
}

QString Entree_Registre(const QString& indicatif, const QString& locator)
{
    return indicatif.leftJustified(LongueurMaxIndicatif, QLatin1Char(' ')) + QLatin1Char(' ') + locator;
}

QString Indicatif_Affiche(const QString& indicatif)
{
    QString d = indicatif;
    d.replace(QLatin1Char('_'), QLatin1Char('/'));
    return d;
}

QString Chemin_Sauvegarde_Defaut(const QString& indicatif)
{
    // A folder of the station's own in the program folder, the backups named after it.
    return plateforme::dossierProgramme() + QLatin1Char('/') + indicatif + QLatin1Char('/') + indicatif;
}

} // namespace Station

// ---------------------------------------------------------------------------------------------
// Gestion_Erreur

namespace Gestion_Erreur {

void Afficher(const QString& suffixe)
{
    auto& f = Fenetre_Gestion_Erreur::instance();
    f.charger();
    f.Err_Departement->setText(suffixe);
    if (!f.isVisible()) {
        // Centred with the file name it now spells.
        f.adjustSize();
        plateforme::centrer(&f);
    }
    // Not modal, so that every window stays usable while it waits. Called under a modal window
    // (the station window at first installation), it must come above that window, or its two
    // buttons could never be reached.
    f.setWindowModality(QApplication::activeModalWidget() && QApplication::activeModalWidget() != &f
                            ? Qt::ApplicationModal
                            : Qt::NonModal);
    plateforme::montrer(&f);
}

} // namespace Gestion_Erreur

// ---------------------------------------------------------------------------------------------
// Ajout_Activite

namespace Ajout_Activite {

void Afficher(bool modal)
{
    Fenetre_Ajout_Activite::afficher(modal);
}

} // namespace Ajout_Activite

// ---------------------------------------------------------------------------------------------
// Ajout_Prefixe

namespace Ajout_Prefixe {

void Afficher(bool modal)
{
    Fenetre_Ajout_Prefixe::afficher(modal);
}

QString Controle(const QString& prefixe, const QString& pays)
{
    if (prefixe.isEmpty())
        return QStringLiteral("Entrez un prefixe");
    if (prefixe.size() > LongueurMaxPrefixe)
        return QStringLiteral("6 caracteres maximum pour le prefixe");
    if (pays.isEmpty())
        return QStringLiteral("Entrez un Pays");
    return QString();
}

QString Ligne_Prefixe(const QString& prefixe, const QString& pays)
{
    return prefixe + blancs(7 - prefixe.size()) + QStringLiteral("00000000000000000  ") + pays;
}

} // namespace Ajout_Prefixe

// ---------------------------------------------------------------------------------------------
// Fichier_Nomenclature

namespace Fichier_Nomenclature {

void Afficher(bool modal)
{
    auto& f = Fenetre_Fichier_Nomenclature::instance();
    try {
        f.charger();
    } catch (const plateforme::ErreurFichier& e) {
        // Without its file the editor has nothing to show: it does not open.
        plateforme::MsgBox(e.messageFrancais());
        return;
    }
    if (modal)
        plateforme::montrerModal(&f);
    else
        plateforme::montrer(&f);
}

// A comma ends a directory record and a double quote delimits it when the file is read:
// neither may enter a field, or the fields after it would be lost.
QString Controle_Caracteres(const QString& indicatif, const QString& departement, const QString& locator)
{
    for (const QString* champ : {&indicatif, &departement, &locator}) {
        if (champ->contains(QLatin1Char(',')) || champ->contains(QLatin1Char('"')))
            return QStringLiteral("Attention la virgule et le guillemet (\") ne sont pas admis dans le fichier "
                                  "Nomenclature : corrigez la saisie");
    }
    return QString();
}

QString Controle_Ajout(const QString& indicatif, const QString& departement, const QString& locator,
                       const QStringList& items)
{
    const QString caracteres = Controle_Caracteres(indicatif, departement, locator);
    if (!caracteres.isEmpty())
        return caracteres;
    if (indicatif.isEmpty() || indicatif.size() > 10)
        return QStringLiteral("Attention pas d'indicatif ou indicatif superieur a 10 caracteres");
    if (locator.isEmpty() || locator.size() > 6)
        return QStringLiteral("Attention pas de locator ou locator superieur a 6 caracteres");
    if (departement.size() > 2)
        return QStringLiteral("Attention departement superieur a 2 caracteres");
    // Items are stored upper case: a callsign pasted in lower case is the same station.
    const QString cle = indicatif.toUpper();
    for (const QString& item : items) {
        if (station::cleNomenclature(item) == cle)
            return QStringLiteral("Attention l'indicatif ") + indicatif +
                   QStringLiteral(" est deja present dans le fichier");
    }
    return QString();
}

QString Controle_Edition(const QString& indicatif, const QString& departement, const QString& locator)
{
    if (indicatif.isEmpty())
        return QStringLiteral("Selectionnez une ligne d'abord");
    const QString caracteres = Controle_Caracteres(indicatif, departement, locator);
    if (!caracteres.isEmpty())
        return caracteres;
    if (indicatif.size() > 10)
        return QStringLiteral("Attention Indicatif superieur a 10 caracteres");
    if (locator.size() > 6)
        return QStringLiteral("Attention locator superieur a 6 caracteres");
    if (departement.size() > 2)
        return QStringLiteral("Attention departement superieur a 2 caracteres");
    return QString();
}

} // namespace Fichier_Nomenclature

// ---------------------------------------------------------------------------------------------
// Shared procedures

void Detruire_Fenetres_Station()
{
    Fenetre_Station::detruireInstance();
    Fenetre_Gestion_Erreur::detruireInstance();
    Fenetre_Ajout_Activite::detruireInstance();
    Fenetre_Ajout_Prefixe::detruireInstance();
    Fenetre_Fichier_Nomenclature::detruireInstance();
}

void Cree_Fichiers_Indicatif(const QString& indicatif)
{
    const QString modele = Cles_Registre::Indicatif_Vide;
    const QString log = QStringLiteral(".log");
    const std::pair<QString, QString> copies[] = {
        {modele + log, indicatif + log},
        {modele + QStringLiteral("_Departement.txt"), indicatif + QStringLiteral("_Departement.txt")},
        {modele + QStringLiteral("_Locator.txt"), indicatif + QStringLiteral("_Locator.txt")},
        {modele + QStringLiteral("_Prefixe.txt"), indicatif + QStringLiteral("_Prefixe.txt")},
        {modele + log, indicatif + QStringLiteral("_Absent.txt")},
    };
    // Every file of the set, or none.
    QVector<plateforme::NouveauContenu> fichiers;
    for (const auto& [source, cible] : copies)
        fichiers.append({cible, plateforme::lireOctetsFichier(source)});
    fichiers.append({indicatif + QStringLiteral("_Activite.txt"), plateforme::octetsLignes(station::Activites_Defaut())});
    plateforme::ecrireEnsemble(fichiers);
}

void Ecrit_Fichier_Activite()
{
    using namespace Cles_Registre;
    const int n = Lit_Station_Entier(NB_Activite, 2, 0, Max_Activites);
    Prog().Nombre_Activites = n;
    QStringList lignes;
    for (int i = 0; i < n; ++i)
        lignes << Lit_Station(Activite_N(i), QStringLiteral("XXX"));
    plateforme::ecrireLignes(Prog().Indicatif_Station + QStringLiteral("_Activite.txt"), lignes);
}
