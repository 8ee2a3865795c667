// Writes the program refuses: the rules other parts set, read-only files and folders.
#include "platform/fichiers/Interne.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

namespace interne {

namespace {

// Refusals of writes (see definirRegleEcriture).
std::map<QString, RegleEcriture>& reglesEcriture()
{
    static std::map<QString, RegleEcriture> regles;
    return regles;
}

} // namespace

void refuserSiEnSuspens(const QString& chemin)
{
    if (fichierEnSuspens(chemin))
        throw ErreurFichier(chemin, ErreurEcritureRefusee,
                            QStringLiteral("ce fichier fait partie d'un remplacement de fichiers resté inachevé, que "
                                           "Velmarin terminera ou annulera à son prochain redémarrage : quittez puis "
                                           "relancez Velmarin avant de le modifier ou de le sauvegarder"));
}

void verifierCible(const QString& chemin)
{
    const QString nom = QFileInfo(chemin).fileName();
    for (const auto& [cle, regle] : reglesEcriture()) {
        const QString raison = regle(nom);
        if (!raison.isEmpty())
            throw ErreurFichier(chemin, ErreurEcritureRefusee, raison);
    }
    // Written now, a file of a set left half-replaced would no longer be one the next start
    // recognises: the set could then be neither finished nor undone.
    refuserSiEnSuspens(chemin);
    // A file the operator has made read-only is never replaced nor added to. Its rights are
    // looked at here, since the system lets the administrator write such a file all the same.
    struct stat st {};
    const QByteArray c = nomSysteme(chemin);
    if (::stat(c.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw ErreurFichier(chemin, ErreurPermission, QStringLiteral("fichier en lecture seule"));
        if (::access(c.constData(), W_OK) != 0)
            throw ErreurFichier(chemin, ErreurPermission, raisonErreur(ErreurPermission));
    }
    // The same for its folder, where the file is replaced, made or removed.
    const QFileInfo info(chemin);
    const QString dossier = info.isSymLink() ? dossierDe(info.symLinkTarget()) : info.absolutePath();
    const QByteArray d = nomSysteme(dossier);
    if (::stat(d.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
        const QString nom = QDir::toNativeSeparators(dossier);
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw ErreurFichier(chemin, ErreurPermission, QStringLiteral("dossier « %1 » en lecture seule").arg(nom));
        if (::access(d.constData(), W_OK) != 0)
            throw ErreurFichier(chemin, ErreurPermission, QStringLiteral("accès refusé au dossier « %1 »").arg(nom));
    }
}

} // namespace interne

using namespace interne;

void definirRegleEcriture(const QString& cle, RegleEcriture regle)
{
    if (regle)
        reglesEcriture()[cle] = std::move(regle);
    else
        reglesEcriture().erase(cle);
}

void verifierEcriture(const QString& nom)
{
    verifierCible(chemin(nom));
}

void verifierHorsEnsembleEnSuspens(const QString& nom)
{
    refuserSiEnSuspens(chemin(nom));
}

} // namespace plateforme
