#include "exchange/Sauvegarde.h"

#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"

#include <QDir>
#include <QFileInfo>

namespace echange {

const QVector<FichierSauvegarde>& Jeu_Sauvegarde()
{
    static const QVector<FichierSauvegarde> jeu = {
        {QStringLiteral(".bak"), QStringLiteral(".log"), true},
        {QStringLiteral("_Departement.bak"), QStringLiteral("_Departement.txt"), true},
        {QStringLiteral("_Locator.bak"), QStringLiteral("_Locator.txt"), true},
        {QStringLiteral("_Prefixe.bak"), QStringLiteral("_Prefixe.txt"), true},
        {QStringLiteral("_Activite.bak"), QStringLiteral("_Activite.txt"), false},
    };
    return jeu;
}

QString prefixeSauvegardeDefaut(const QString& indicatif)
{
    return Station::Chemin_Sauvegarde_Defaut(indicatif);
}

QString prefixeSauvegardeCommun()
{
    return plateforme::dossierProgramme();
}

QString prefixeSauvegardeAncien(const QString& indicatif)
{
    return plateforme::dossierProgramme() + QLatin1Char('/') + indicatif;
}

QString prefixeSauvegarde(const QString& indicatif)
{
    // Earlier versions wrote "\" between folders: the same place. Two stored values are no
    // choice of the operator's: the shared place their backup settings window showed by
    // default, and the "<program folder>\<callsign>" their station setup stored for a new
    // station. Both mean the station's own folder.
    const QString lu = Lit_Station(Cles_Registre::Chemin_Sauvegarde, QString());
    const QString choisi = QDir::cleanPath(QString(lu).replace(QLatin1Char('\\'), QLatin1Char('/')));
    const bool commun = choisi == QDir::cleanPath(prefixeSauvegardeCommun());
    const bool ancienDefaut = lu.contains(QLatin1Char('\\')) && choisi == QDir::cleanPath(prefixeSauvegardeAncien(indicatif));
    return lu.isEmpty() || commun || ancienDefaut ? prefixeSauvegardeDefaut(indicatif) : choisi;
}

QString prefixeRestauration(const QString& indicatif, bool& commun)
{
    commun = false;
    const QString prefixe = prefixeSauvegarde(indicatif);
    if (prefixe != prefixeSauvegardeDefaut(indicatif) || sauvegardesManquantes(prefixe).isEmpty())
        return prefixe;
    // No complete set in the station's folder yet: the places earlier versions backed up to,
    // the station's own names first.
    const QString ancien = prefixeSauvegardeAncien(indicatif);
    if (sauvegardesManquantes(ancien).isEmpty())
        return ancien;
    if (!sauvegardesManquantes(prefixeSauvegardeCommun()).isEmpty())
        return prefixe;
    commun = true;
    return prefixeSauvegardeCommun();
}

QStringList sauvegarder(const QString& indicatif, const QString& prefixe)
{
    if (prefixe == prefixeSauvegardeDefaut(indicatif))
        QDir().mkpath(QFileInfo(plateforme::chemin(prefixe)).absolutePath());
    // Files a restore left half-replaced for the next start are of neither the old station nor
    // the new one: no backup of them replaces a whole one.
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        try {
            plateforme::verifierHorsEnsembleEnSuspens(indicatif + f.suffixeSource);
        } catch (const plateforme::ErreurFichier& e) {
            return {e.messageFrancais()};
        }
    }
    // A file of the station that cannot be read (no activity file yet) is told and keeps its
    // old backup; the others are backed up together.
    QStringList echecs;
    QVector<plateforme::NouveauContenu> copies;
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        try {
            copies.append({prefixe + f.suffixeSauvegarde, plateforme::lireOctetsFichier(indicatif + f.suffixeSource)});
        } catch (const plateforme::ErreurFichier& e) {
            echecs.append(e.messageFrancais());
        }
    }
    try {
        plateforme::ecrireEnsemble(copies);
    } catch (const plateforme::ErreurFichier& e) {
        echecs.append(e.messageFrancais());
    }
    return echecs;
}

QStringList sauvegardesManquantes(const QString& prefixe)
{
    QStringList manquants;
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        if (f.restaure && !plateforme::existe(prefixe + f.suffixeSauvegarde))
            manquants.append(plateforme::chemin(prefixe + f.suffixeSauvegarde));
    }
    return manquants;
}

void restaurer(const QString& indicatif, const QString& prefixe)
{
    const QStringList manquants = sauvegardesManquantes(prefixe);
    if (!manquants.isEmpty())
        throw plateforme::ErreurFichier(manquants.first(), plateforme::ErreurFichierIntrouvable,
                                        QStringLiteral("fichier introuvable"));
    QVector<plateforme::NouveauContenu> fichiers;
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        if (f.restaure)
            fichiers.append({indicatif + f.suffixeSource, plateforme::lireOctetsFichier(prefixe + f.suffixeSauvegarde)});
    }
    plateforme::ecrireEnsemble(fichiers);
}

QString fichierActivitesSauvegarde(const QString& prefixe)
{
    return prefixe + QStringLiteral("_Activite.bak");
}

QStringList lireActivitesSauvegarde(const QString& prefixe)
{
    QStringList noms = plateforme::lireLignes(fichierActivitesSauvegarde(prefixe));
    while (!noms.isEmpty() && noms.last().trimmed().isEmpty()) noms.removeLast();
    return noms;
}

} // namespace echange
