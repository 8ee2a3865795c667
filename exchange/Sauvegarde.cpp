#include "exchange/Sauvegarde.h"

#include "platform/Fichiers.h"

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

QStringList sauvegarder(const QString& indicatif, const QString& prefixe)
{
    QStringList echecs;
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        try {
            plateforme::copier(indicatif + f.suffixeSource, prefixe + f.suffixeSauvegarde);
        } catch (const plateforme::ErreurFichier& e) {
            echecs.append(e.messageFrancais());
        }
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
    for (const FichierSauvegarde& f : Jeu_Sauvegarde()) {
        if (f.restaure) plateforme::copier(prefixe + f.suffixeSauvegarde, indicatif + f.suffixeSource);
    }
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
