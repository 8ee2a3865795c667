// Errors of the file door: system and Qt errors turned into the classic error numbers and
// into the causes the operator reads, in French.
#include "platform/fichiers/Interne.h"

#include <QFileInfo>
#include <cerrno>

namespace plateforme {

namespace interne {

int numeroErreur(QFileDevice::FileError e, const QString& chemin)
{
    switch (e) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::OpenError:
        if (!QFileInfo::exists(chemin))
            return ErreurFichierIntrouvable;
        return ErreurPermission;
    case QFileDevice::PermissionsError:
        return ErreurPermission;
    case QFileDevice::ResourceError:
        return ErreurDisquePlein;
    default:
        return ErreurAcces;
    }
}

QString raisonErreur(int numero)
{
    switch (numero) {
    case ErreurFichierIntrouvable:
        return QStringLiteral("fichier introuvable");
    case ErreurPermission:
        return QStringLiteral("accès refusé");
    case ErreurDisquePlein:
        return QStringLiteral("disque plein");
    default:
        return QStringLiteral("erreur d'accès au fichier");
    }
}

[[noreturn]] void lever(const QString& chemin, int numero)
{
    throw ErreurFichier(chemin, numero, raisonErreur(numero));
}

int numeroErrno(int e)
{
    switch (e) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErreurDisquePlein;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErreurPermission;
    case ENOENT:
        return ErreurFichierIntrouvable;
    default:
        return ErreurAcces;
    }
}

// The cause of a failed system call in the operator's words (never the system's own text).
QString raisonErrno(int e, bool creation)
{
    switch (e) {
    case ENOENT:
        return creation ? QStringLiteral("dossier introuvable") : QStringLiteral("fichier introuvable");
    case EDQUOT:
        return QStringLiteral("quota disque dépassé");
    case EFBIG:
        return QStringLiteral("fichier trop grand");
    case EROFS:
        return QStringLiteral("disque en lecture seule");
    case EIO:
        return QStringLiteral("erreur de lecture ou d'écriture sur le disque");
    case ENAMETOOLONG:
        return QStringLiteral("nom de fichier trop long");
    case EISDIR:
        return QStringLiteral("c'est un dossier, pas un fichier");
    case ENOTDIR:
        return QStringLiteral("dossier introuvable");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("trop de fichiers ouverts");
    default:
        return raisonErreur(numeroErrno(e));
    }
}

// `creation`: the call made a new file, so a missing entry is the folder, not the file.
[[noreturn]] void leverErrno(const QString& chemin, int e, bool creation)
{
    const int numero = creation && e == ENOENT ? ErreurAcces : numeroErrno(e);
    throw ErreurFichier(chemin, numero, raisonErrno(e, creation));
}

} // namespace interne

ErreurFichier::ErreurFichier(const QString& f, int n, const QString& r)
    : std::runtime_error(QStringLiteral("%1: %2").arg(f, r).toStdString()), fichier(f), numero(n), raison(r)
{
}

QString ErreurFichier::messageFrancais(const QString& operation) const
{
    const QString nom = QFileInfo(fichier).fileName();
    QString texte = QStringLiteral("Erreur sur le fichier « %1 » : %2 (erreur %3).").arg(nom, raison).arg(numero);
    if (!operation.isEmpty())
        texte = operation + QStringLiteral(" impossible.\r\n") + texte;
    if (enSuspens)
        texte += QStringLiteral("\r\nDes fichiers ont déjà été remplacés et n'ont pas pu être remis comme avant : "
                                "Velmarin terminera ou annulera ce remplacement au prochain démarrage.");
    return texte;
}

QString ErreurFichier::messageEtBilan(const QString& operation) const
{
    return enSuspens ? messageFrancais(operation)
                     : messageFrancais(operation) + QStringLiteral("\r\nAucun fichier n'a été modifié.");
}

} // namespace plateforme
