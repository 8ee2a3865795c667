// Locks held between running copies of the program.
#include "platform/fichiers/Interne.h"

#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plateforme {

using namespace interne;

Verrou::Verrou(const QString& chemin, bool creer)
{
    const QByteArray c = nomSysteme(chemin);
    const int drapeaux = QFileInfo(chemin).isDir() ? O_RDONLY | O_DIRECTORY : O_RDWR | (creer ? O_CREAT : 0);
    fd_ = ::open(c.constData(), drapeaux | O_CLOEXEC, 0644);
}

Verrou::~Verrou()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool Verrou::prendre(bool exclusif, int attenteMs)
{
    if (fd_ < 0)
        return false;
    const int mode = exclusif ? LOCK_EX : LOCK_SH;
    // A live holder keeps it for one file replacement: the lock is asked again every 10 ms.
    for (int attendu = 0;; attendu += 10) {
        const int r = sys().flock(fd_, attenteMs < 0 ? mode : mode | LOCK_NB);
        if (r == 0)
            return tenu_ = true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (errno == EWOULDBLOCK && attenteMs >= 0 && attendu >= attenteMs)
            break;
        if (errno == EWOULDBLOCK)
            ::usleep(10000);
    }
    // A lock that could not be changed is no longer what it was.
    if (tenu_ && sys().flock(fd_, LOCK_UN) == 0)
        tenu_ = false;
    return false;
}

} // namespace plateforme
