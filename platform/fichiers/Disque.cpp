// The system calls of the file door (through the table tests replace), whole writes and the
// syncs that make a write last.
#include "platform/fichiers/Interne.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plateforme {

namespace interne {

namespace {

bool g_synchroniser = true;

} // namespace

AppelsSysteme& sys()
{
    return appelsSysteme();
}

QByteArray nomSysteme(const QString& chemin)
{
    return QFile::encodeName(chemin);
}

bool existeFichier(const QByteArray& nom)
{
    return ::access(nom.constData(), F_OK) == 0;
}

// Writes every byte, going on after a short write; false with errno set on failure.
bool toutEcrire(int fd, const char* octets, qsizetype taille)
{
    while (taille > 0) {
        const ssize_t n = sys().write(fd, octets, size_t(taille));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        octets += n;
        taille -= n;
    }
    return true;
}

bool synchronisationsActives()
{
    return g_synchroniser;
}

int synchroniserFichier(int fd)
{
    return g_synchroniser ? sys().fsync(fd) : 0;
}

// Makes the entries of a folder (a rename, a new file) durable. 0, or the error number (a file
// system that cannot sync a folder, EINVAL, has nothing more to do).
int synchroniserDossier(const QString& dossier)
{
    if (!g_synchroniser)
        return 0;
    const int fd = ::open(nomSysteme(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int e = sys().fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return e;
}

} // namespace interne

using namespace interne;

AppelsSysteme& appelsSysteme()
{
    static AppelsSysteme appels{::write, ::fsync, ::fdatasync, ::rename, ::link, ::flock, ::close};
    return appels;
}

void synchroniserSurDisque(bool oui)
{
    g_synchroniser = oui;
}

} // namespace plateforme
