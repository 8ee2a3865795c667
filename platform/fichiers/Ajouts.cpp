// Appends to the files of the program: all or nothing, the record on a line of its own.
#include "platform/fichiers/Interne.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

namespace interne {

namespace {

// A file open for an append.
struct FichierOuvert {
    QString chemin;
    QByteArray nom;       // in the system's encoding
    int fd = -1;
    bool existait = false;
    off_t avant = 0;      // its length before the append
    char dernier = 0;     // its last byte; 0 for an empty file
};

// Opens (or makes) the regular file `nom` for an append, after the write rules.
FichierOuvert ouvrirPourAjout(const QString& nom)
{
    FichierOuvert f;
    f.chemin = chemin(nom);
    verifierCible(f.chemin);
    f.nom = nomSysteme(f.chemin);
    f.existait = ::access(f.nom.constData(), F_OK) == 0;
    f.fd = ::open(f.nom.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (f.fd < 0)
        leverErrno(f.chemin, errno, true);
    const auto echec = [&](int e) {
        ::close(f.fd);
        e ? leverErrno(f.chemin, e) : lever(f.chemin, ErreurAcces);
    };
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        echec(errno);
    if (!S_ISREG(st.st_mode))
        echec(0);
    f.avant = st.st_size;
    if (f.avant > 0 && ::pread(f.fd, &f.dernier, 1, f.avant - 1) != 1)
        echec(errno);
    return f;
}

// One write of the whole text; on failure the file is cut back to its old length (a file
// made by this write is removed). A new file's entry is made durable with its content.
void ecrireALaFin(const FichierOuvert& f, const QByteArray& octets)
{
    // The file back to its old length (a file this append made removed); by its name once the
    // file is closed.
    const auto defaire = [&f](bool ouvert) {
        if (!f.existait) {
            ::unlink(f.nom.constData());
            return;
        }
        while ((ouvert ? ::ftruncate(f.fd, f.avant) : ::truncate(f.nom.constData(), f.avant)) != 0 && errno == EINTR) {
        }
    };
    int e = 0;
    if (!toutEcrire(f.fd, octets.constData(), octets.size()) || (synchronisationsActives() && sys().fdatasync(f.fd) != 0))
        e = errno;
    else if (!f.existait)
        e = synchroniserDossier(dossierDe(f.chemin));
    if (e != 0) {
        defaire(true);
        ::close(f.fd);
        leverErrno(f.chemin, e);
    }
    // A late write error told by the close: the text may be in the file or not.
    if (sys().close(f.fd) != 0) {
        e = errno;
        defaire(false);
        leverErrno(f.chemin, e);
    }
}

} // namespace

void ajouterSansDechirure(const QString& nom, const QByteArray& texte)
{
    const FichierOuvert f = ouvrirPourAjout(nom);
    // A last line without its end is ended first: the new record starts a line of its own.
    QByteArray octets;
    if (f.dernier && f.dernier != '\r' && f.dernier != '\n')
        octets.append("\r\n", 2);
    octets.append(texte);
    // The system may stop a write killed between two memory pages half-way: a text that would
    // cross a page boundary goes in by a whole-file replacement instead, so that a killed
    // program leaves the file old or new.
    const long page = ::sysconf(_SC_PAGESIZE) > 0 ? ::sysconf(_SC_PAGESIZE) : 4096;
    if (f.avant % page + octets.size() > page) {
        ::close(f.fd);
        ecrireAtomique(f.chemin, lireOctetsFichier(f.chemin) + octets);
        return;
    }
    ecrireALaFin(f, octets);
}

void ajouterDUnTrait(const QString& nom, const QByteArray& texte)
{
    const FichierOuvert f = ouvrirPourAjout(nom);
    QByteArray octets;
    if (f.dernier == '\r')
        octets.append('\n');  // a CR LF cut between its two bytes
    else if (f.dernier && f.dernier != '\n')
        octets.append("\r\n", 2);
    octets.append(texte);
    ecrireALaFin(f, octets);
}

} // namespace interne

using namespace interne;

void ajouterLignes(const QString& nom, const QStringList& lignes)
{
    ajouterSansDechirure(nom, octetsLignes(lignes));
}

void ajouterLigne(const QString& nom, const QString& ligne)
{
    ajouterLignes(nom, QStringList{ligne});
}

void ajouterLigneDUnTrait(const QString& nom, const QString& ligne)
{
    ajouterDUnTrait(nom, octetsLignes({ligne}));
}

} // namespace plateforme
