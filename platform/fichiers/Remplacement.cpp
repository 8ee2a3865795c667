// The whole-file replacement: the new content written and synced beside the target, renamed
// over it, the folder synced; any failure leaves the target byte for byte.
#include "platform/fichiers/Interne.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace plateforme {

namespace interne {

// First half of a whole-file replacement: the new content goes to a scratch file beside the
// target, every write checked, synced. On failure nothing is left behind.
Brouillon ecrireBrouillon(const QString& cibleDemandee, const QByteArray& contenu)
{
    return ecrireBrouillon(cibleDemandee, QList<QByteArrayView>{contenu});
}

Brouillon ecrireBrouillon(const QString& cibleDemandee, const QList<QByteArrayView>& morceaux)
{
    // A link is followed: the file it names is replaced, the link stays.
    QString cible = cibleDemandee;
    const QFileInfo infoCible(cible);
    if (infoCible.isSymLink())
        cible = infoCible.symLinkTarget();
    QByteArray modele;
    const int fd = creerBrouillon(cible, modele);
    if (fd < 0)
        leverErrno(cible, errno, true);
    const auto abandonner = [&](int e) {
        ::close(fd);
        ::unlink(modele.constData());
        leverErrno(cible, e);
    };
    // The new file gets the rights of the old one, or the usual rights of a new file.
    struct stat st {};
    mode_t droits;
    if (::stat(nomSysteme(cible).constData(), &st) == 0) {
        droits = st.st_mode & 07777;
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        droits = 0666 & ~masque;
    }
    if (::fchmod(fd, droits) != 0)
        abandonner(errno);
    for (const QByteArrayView& m : morceaux) {
        if (!toutEcrire(fd, m.data(), m.size()))
            abandonner(errno);
    }
    if (synchroniserFichier(fd) != 0)
        abandonner(errno);
    if (sys().close(fd) != 0) {
        const int e = errno;
        ::unlink(modele.constData());
        leverErrno(cible, e);
    }
    return {cible, modele};
}

// Renames `source` over `cible` and syncs the folder. The old file keeps a second name until
// the folder is synced: when the sync fails, it is put back and the error raised.
void renommerEnPlace(const QByteArray& source, const QString& cible, bool creation)
{
    const QByteArray c = nomSysteme(cible);
    const bool existait = ::access(c.constData(), F_OK) == 0;
    const QByteArray ancien = synchronisationsActives() && existait ? secondNom(cible) : QByteArray();
    if (sys().rename(source.constData(), c.constData()) != 0) {
        const int e = errno;
        if (!ancien.isEmpty())
            ::unlink(ancien.constData());
        leverErrno(cible, e, creation);
    }
    if (const int e = synchroniserDossier(dossierDe(cible))) {
        if (!existait)
            ::unlink(c.constData());
        else if (!ancien.isEmpty() && sys().rename(ancien.constData(), c.constData()) != 0)
            ::unlink(ancien.constData());
        synchroniserDossier(dossierDe(cible));
        leverErrno(cible, e);
    }
    if (!ancien.isEmpty())
        ::unlink(ancien.constData());
}

// The whole-file replacement: the scratch file is renamed over the target and the folder
// synced. Any failure removes the scratch file and leaves the target as it was.
void ecrireAtomique(const QString& cibleDemandee, const QByteArray& contenu)
{
    ecrireAtomique(cibleDemandee, QList<QByteArrayView>{contenu});
}

void ecrireAtomique(const QString& cibleDemandee, const QList<QByteArrayView>& morceaux)
{
    const Brouillon b = ecrireBrouillon(cibleDemandee, morceaux);
    try {
        renommerEnPlace(b.nom, b.cible);
    } catch (const ErreurFichier&) {
        ::unlink(b.nom.constData());
        throw;
    }
}

} // namespace interne

using namespace interne;

void ecrireOctets(const QString& nom, const QByteArray& octets)
{
    ecrireMorceaux(nom, QList<QByteArrayView>{octets});
}

void ecrireMorceaux(const QString& nom, const QList<QByteArrayView>& morceaux)
{
    const QString c = chemin(nom);
    verifierCible(c);
    ecrireAtomique(c, morceaux);
}

void ecrireLignes(const QString& nom, const QStringList& lignes)
{
    const QString c = chemin(nom);
    verifierCible(c);
    ecrireAtomique(c, octetsLignes(lignes));
}

void copier(const QString& source, const QString& cible)
{
    const QString c = chemin(cible);
    verifierCible(c);
    ecrireAtomique(c, lireOctetsFichier(source));
}

void ecrireParBrouillon(const QString& brouillon, const QString& cible, const QByteArray& octets)
{
    // The scratch file is replaced whatever is there: no other spelling of its name is looked
    // for (one left by an earlier run goes at the next start).
    const QString b = cheminTelQuel(brouillon);
    const QString c = chemin(cible);
    // A failure names the data file the operator knows, not the scratch file.
    try {
        verifierCible(c);
        verifierCible(b);
        const Brouillon nouveau = ecrireBrouillon(b, octets);
        const QByteArray nomBrouillon = nomSysteme(nouveau.cible);
        // The scratch file's own name needs no folder sync: the one after the data file's
        // rename makes the folder's state last, and a scratch file left by a power cut is
        // removed at the next start.
        if (sys().rename(nouveau.nom.constData(), nomBrouillon.constData()) != 0) {
            const int e = errno;
            ::unlink(nouveau.nom.constData());
            leverErrno(b, e);
        }
        try {
            // rename(2) replaces the target atomically on one file system.
            renommerEnPlace(nomBrouillon, c, true);
        } catch (const ErreurFichier&) {
            ::unlink(nomBrouillon.constData());
            throw;
        }
    } catch (const ErreurFichier& e) {
        if (e.fichier == c)
            throw;
        throw ErreurFichier(c, e.numero, e.raison);
    }
}

void supprimer(const QString& nom)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.exists())
        lever(c, ErreurFichierIntrouvable);
    verifierCible(c);
    if (!f.remove())
        lever(c, numeroErreur(f.error(), c) ? numeroErreur(f.error(), c) : ErreurAcces);
}

namespace {

// The scratch file `nom` that another writer filled (keeping the rights the door gave it), made
// ready to replace `cible`: a modification time later, to the millisecond, than both its own
// and that of `cible`, synced. 0 or the error.
int finirBrouillonEcrit(const QByteArray& nom, const QString& cible)
{
    const int fd = ::open(nom.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat ancien {};
    struct stat nouveau {};
    int e = 0;
    if (::fstat(fd, &nouveau) != 0)
        e = errno;
    const auto ms = [](const timespec& t) { return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000; };
    if (!e) {
        timespec dates[2] = {{0, UTIME_OMIT}, nouveau.st_mtim};
        if (::stat(nomSysteme(cible).constData(), &ancien) == 0 && ms(ancien.st_mtim) >= ms(nouveau.st_mtim))
            dates[1] = ancien.st_mtim;
        dates[1].tv_nsec += 1000000;
        if (dates[1].tv_nsec >= 1000000000) {
            dates[1].tv_nsec -= 1000000000;
            ++dates[1].tv_sec;
        }
        if (::futimens(fd, dates) != 0)
            e = errno;
    }
    if (!e && synchroniserFichier(fd) != 0)
        e = errno;
    if (sys().close(fd) != 0 && !e)
        e = errno;
    return e;
}

// The error of a writer that failed without saying why, its scratch file `nom` removed: the
// disk is full when the room left cannot hold the old content of `cible` again, with a block
// for the writer's lock and one for its last part.
[[noreturn]] void leverEchecEcrivain(const QByteArray& nom, const QString& cible)
{
    ::unlink(nom.constData());
    struct stat st {};
    const qint64 taille = ::stat(nomSysteme(cible).constData(), &st) == 0 ? st.st_size : 0;
    struct statvfs v {};
    const bool plein = ::statvfs(nomSysteme(dossierDe(cible)).constData(), &v) == 0 &&
                       qint64(v.f_bavail) * qint64(v.f_frsize) < taille + 2 * qint64(v.f_frsize);
    leverErrno(cible, plein ? ENOSPC : EIO);
}

} // namespace

void remplacerParEcrivain(const QString& nom, const std::function<bool(const QString& brouillon)>& ecrire,
                          const std::function<bool(const QString& brouillon)>& relire)
{
    const QString c = chemin(nom);
    verifierCible(c);
    const Brouillon b = ecrireBrouillon(c, QByteArray());
    try {
        if (!ecrire(QFile::decodeName(b.nom)))
            leverEchecEcrivain(b.nom, b.cible);
        if (const int e = finirBrouillonEcrit(b.nom, b.cible))
            leverErrno(b.cible, e);
        if (!relire(QFile::decodeName(b.nom)))
            leverEchecEcrivain(b.nom, b.cible);
        renommerEnPlace(b.nom, b.cible);
    } catch (const ErreurFichier&) {
        ::unlink(b.nom.constData());
        throw;
    }
}

} // namespace plateforme
