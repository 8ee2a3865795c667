// A line whose write a kill cut short: found at the end of a file, and set aside in a file of
// its own.
#include "platform/fichiers/Interne.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

using namespace interne;

qsizetype debutLigneInachevee(const QByteArray& octets, qsizetype longueurComplete)
{
    const qsizetype n = octets.size();
    if (n == 0 || octets.endsWith('\r') || octets.endsWith('\n'))
        return -1;
    const qsizetype borne = std::max<qsizetype>(0, n - longueurComplete);
    for (qsizetype i = n - 1; i >= borne; --i) {
        if (octets.at(i) == '\r' || octets.at(i) == '\n')
            return i + 1;
    }
    // No line end among the last `longueurComplete` bytes: a whole line, unless the file is
    // shorter than that.
    return n < longueurComplete ? 0 : -1;
}

bool deplacerFin(const QString& nom, qint64 longueurAttendue, qint64 debut, const QString& fichierCote)
{
    const QString c = chemin(nom);
    verifierCible(c);
    const int fd = ::open(nomSysteme(c).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        leverErrno(c, e);
    }
    const auto echec = [&](int e) {
        ::close(fd);
        leverErrno(c, e);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        echec(errno);
    if (!S_ISREG(st.st_mode) || st.st_size != longueurAttendue || debut < 0 || debut > longueurAttendue) {
        ::close(fd);
        return false;
    }
    QByteArray fin(qsizetype(longueurAttendue - debut), Qt::Uninitialized);
    for (qsizetype lu = 0; lu < fin.size();) {
        const ssize_t n = ::pread(fd, fin.data() + lu, size_t(fin.size() - lu), off_t(debut + lu));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            echec(n < 0 ? errno : EIO);
        lu += n;
    }
    try {
        ajouterSansDechirure(fichierCote, fin + "\r\n");
    } catch (...) {
        ::close(fd);
        throw;
    }
    int r;
    while ((r = ::ftruncate(fd, off_t(debut))) != 0 && errno == EINTR) {
    }
    if (r != 0 || synchroniserFichier(fd) != 0)
        echec(errno);
    if (sys().close(fd) != 0)
        leverErrno(c, errno);
    return true;
}

} // namespace plateforme
