#include "platform/Fichiers.h"

#include "platform/Ansi.h"
#include "platform/Appels_Systeme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace plateforme {

AppelsSysteme& appelsSysteme()
{
    static AppelsSysteme appels{::write, ::fsync, ::fdatasync, ::rename, ::link, ::flock};
    return appels;
}

namespace {

QString g_dossier;
bool g_synchroniser = true;

AppelsSysteme& sys()
{
    return appelsSysteme();
}

int synchroniserFichier(int fd)
{
    return g_synchroniser ? sys().fsync(fd) : 0;
}

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

QByteArray encoderLignes(const QStringList& lignes)
{
    qsizetype taille = 0;
    for (const QString& l : lignes)
        taille += l.size() + 2;
    QByteArray octets;
    octets.reserve(taille);
    for (const QString& l : lignes) {
        ajouterAnsi(octets, l);
        octets.append("\r\n", 2);
    }
    return octets;
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
[[noreturn]] void leverErrno(const QString& chemin, int e, bool creation = false)
{
    const int numero = creation && e == ENOENT ? ErreurAcces : numeroErrno(e);
    throw ErreurFichier(chemin, numero, raisonErrno(e, creation));
}

QByteArray nomSysteme(const QString& chemin)
{
    return QFile::encodeName(chemin);
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

QString dossierDe(const QString& chemin)
{
    return QFileInfo(chemin).absolutePath();
}

// Refusals of writes (see definirRegleEcriture).
std::map<QString, RegleEcriture>& reglesEcriture()
{
    static std::map<QString, RegleEcriture> regles;
    return regles;
}

void verifierCible(const QString& chemin)
{
    const QString nom = QFileInfo(chemin).fileName();
    for (const auto& [cle, regle] : reglesEcriture()) {
        const QString raison = regle(nom);
        if (!raison.isEmpty())
            throw ErreurFichier(chemin, ErreurEcritureRefusee, raison);
    }
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

// Whether `n` ends with the six letters or figures that make a scratch or journal name unique.
bool finitParSixSignes(const QString& n)
{
    return n.size() >= 6 &&
           std::all_of(n.cend() - 6, n.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

// The start of the scratch names beside `cible` (see estBrouillon): six letters or figures follow.
QByteArray debutBrouillon(const QString& cible)
{
    return nomSysteme(dossierDe(cible) + QStringLiteral("/.") + QFileInfo(cible).fileName()) + MarqueBrouillon;
}

// A new scratch file beside `cible`, open for writing; its name in `nom`.
int creerBrouillon(const QString& cible, QByteArray& nom)
{
    nom = debutBrouillon(cible) + "XXXXXX";
    return ::mkostemp(nom.data(), O_CLOEXEC);
}

// A second name for the file `cible` (a hard link under a scratch name), or empty when the
// folder does not make links (FAT, some network shares) or the file is not there.
QByteArray secondNom(const QString& cible)
{
    static constexpr char Signes[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray c = nomSysteme(cible);
    const QByteArray debut = debutBrouillon(cible);
    // The link itself claims the name: a name already taken is refused, and another drawn.
    for (int essai = 0; essai < 100; ++essai) {
        QByteArray nom = debut;
        for (int k = 0; k < 6; ++k)
            nom += Signes[QRandomGenerator::global()->bounded(int(sizeof Signes - 1))];
        if (sys().link(c.constData(), nom.constData()) == 0)
            return nom;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

// A new content written and synced beside its target, not yet in place.
struct Brouillon {
    QString cible;    // the file it replaces (a link followed)
    QByteArray nom;   // the scratch file, in the system's encoding
};

// First half of a whole-file replacement: the new content goes to a scratch file beside the
// target, every write checked, synced. On failure nothing is left behind.
Brouillon ecrireBrouillon(const QString& cibleDemandee, const QByteArray& contenu)
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
    if (!toutEcrire(fd, contenu.constData(), contenu.size()))
        abandonner(errno);
    if (synchroniserFichier(fd) != 0)
        abandonner(errno);
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(modele.constData());
        leverErrno(cible, e);
    }
    return {cible, modele};
}

// Renames `source` over `cible` and syncs the folder. The old file keeps a second name until
// the folder is synced: when the sync fails, it is put back and the error raised.
void renommerEnPlace(const QByteArray& source, const QString& cible, bool creation = false)
{
    const QByteArray c = nomSysteme(cible);
    const bool existait = ::access(c.constData(), F_OK) == 0;
    const QByteArray ancien = g_synchroniser && existait ? secondNom(cible) : QByteArray();
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
    const Brouillon b = ecrireBrouillon(cibleDemandee, contenu);
    try {
        renommerEnPlace(b.nom, b.cible);
    } catch (const ErreurFichier&) {
        ::unlink(b.nom.constData());
        throw;
    }
}

QByteArray lireOctets(const QString& nom)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.exists())
        lever(c, ErreurFichierIntrouvable);
    if (!f.open(QIODevice::ReadOnly))
        lever(c, numeroErreur(f.error(), c));
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        lever(c, ErreurAcces);
    return octets;
}

// Calls `ajout(debut, taille)` for each line of the text; CR LF, a lone CR or a lone LF end a
// line, and a last line without an end counts too.
template <class Car, class Ajout>
void pourChaqueLigne(const Car* p, qsizetype n, Ajout ajout)
{
    qsizetype debut = 0;
    qsizetype i = 0;
    while (i < n) {
        const Car c = p[i];
        if (c == Car('\r') || c == Car('\n')) {
            ajout(p + debut, i - debut);
            if (c == Car('\r') && i + 1 < n && p[i + 1] == Car('\n'))
                ++i;
            ++i;
            debut = i;
        } else {
            ++i;
        }
    }
    if (debut < n)
        ajout(p + debut, n - debut);
}

// The same on bytes, looking for the line ends with memchr: a large file is split at the
// speed of the memory. The next CR and the next LF are each searched once.
template <class Ajout>
void pourChaqueLigne(const char* p, qsizetype n, Ajout ajout)
{
    const auto prochain = [&](char c, qsizetype depuis) {
        const void* t = std::memchr(p + depuis, c, size_t(n - depuis));
        return t ? qsizetype(static_cast<const char*>(t) - p) : n;
    };
    qsizetype debut = 0;
    qsizetype cr = -1;
    qsizetype lf = -1;
    while (debut < n) {
        if (cr < debut)
            cr = prochain('\r', debut);
        if (lf < debut)
            lf = prochain('\n', debut);
        const qsizetype fin = std::min(cr, lf);
        ajout(p + debut, fin - debut);
        if (fin == n)
            return;
        debut = fin + 1;
        if (fin == cr && debut == lf)
            ++debut;
    }
}

} // namespace

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
    return texte;
}

void definirDossierProgramme(const QString& dossier)
{
    g_dossier = QDir::cleanPath(QDir(dossier).absolutePath());
    QDir().mkpath(g_dossier);
}

QString dossierProgrammeParDefaut()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Velmarin"));
}

QString dossierProgramme()
{
    if (g_dossier.isEmpty())
        definirDossierProgramme(dossierProgrammeParDefaut());
    return g_dossier;
}

void installerModeles(const QString& dossierModeles)
{
    const QDir source(dossierModeles);
    const auto fichiers = source.entryInfoList(QDir::Files);
    for (const QFileInfo& fi : fichiers) {
        // The templates are installed whatever the write rules say.
        if (!existe(fi.fileName()))
            ecrireAtomique(chemin(fi.fileName()), lireOctets(fi.absoluteFilePath()));
    }
}

namespace {

// The name in the program folder, as written (the path of an absolute name).
QString cheminTelQuel(const QString& nom)
{
    QString complet = QDir::isAbsolutePath(nom) ? nom : dossierProgramme() + QLatin1Char('/') + nom;
    complet.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return complet;
}

} // namespace

QString chemin(const QString& nom)
{
    const QString complet = cheminTelQuel(nom);
    if (QFileInfo::exists(complet))
        return complet;
    const QFileInfo fi(complet);
    const QDir dossier = fi.dir();
    if (!dossier.exists())
        return complet;
    const QString cherche = fi.fileName();
    const auto noms = dossier.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : noms) {
        if (n.compare(cherche, Qt::CaseInsensitive) == 0)
            return dossier.filePath(n);
    }
    return complet;
}

bool existe(const QString& nom)
{
    return QFileInfo(chemin(nom)).isFile();
}

qint64 longueur(const QString& nom)
{
    const QString c = chemin(nom);
    const QFileInfo fi(c);
    if (!fi.isFile())
        lever(c, ErreurFichierIntrouvable);
    return fi.size();
}

QStringList decouperLignes(const QString& texte)
{
    QStringList lignes;
    pourChaqueLigne(reinterpret_cast<const char16_t*>(texte.constData()), texte.size(),
                    [&](const char16_t* debut, qsizetype taille) {
                        lignes.append(QString(reinterpret_cast<const QChar*>(debut), taille));
                    });
    return lignes;
}

QList<QByteArrayView> decouperOctets(const QByteArray& octets)
{
    QList<QByteArrayView> lignes;
    lignes.reserve(octets.size() / 64 + 1);
    pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { lignes.append(QByteArrayView(debut, taille)); });
    return lignes;
}

QStringList lireLignes(const QString& nom)
{
    // Split the bytes, then decode each line: no copy of the whole text.
    const QByteArray octets = lireOctets(nom);
    QStringList lignes;
    lignes.reserve(octets.size() / 64 + 1);
    pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { lignes.append(depuisAnsi(debut, taille)); });
    return lignes;
}

void parcourirLignes(const QString& nom, const std::function<void(const QString& ligne)>& ligne)
{
    const QByteArray octets = lireOctets(nom);
    pourChaqueLigne(octets.constData(), octets.size(),
                    [&](const char* debut, qsizetype taille) { ligne(depuisAnsi(debut, taille)); });
}

void ecrireOctets(const QString& nom, const QByteArray& octets)
{
    const QString c = chemin(nom);
    verifierCible(c);
    ecrireAtomique(c, octets);
}

void ecrireLignes(const QString& nom, const QStringList& lignes)
{
    const QString c = chemin(nom);
    verifierCible(c);
    ecrireAtomique(c, encoderLignes(lignes));
}

namespace {

// Appends `texte` (whole lines, encoded) to the file, all or nothing. `dUnTrait`: one write
// whatever the file, never the whole-file replacement of a text that crosses a page.
void ajouterTexte(const QString& nom, const QByteArray& texte, bool dUnTrait)
{
    const QString c = chemin(nom);
    verifierCible(c);
    const QByteArray cs = nomSysteme(c);
    const bool existait = ::access(cs.constData(), F_OK) == 0;
    const int fd = ::open(cs.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        leverErrno(c, errno, true);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        leverErrno(c, e);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        lever(c, ErreurAcces);
    }
    const off_t avant = st.st_size;
    // A last line without its end is ended first: the new record starts a line of its own.
    QByteArray octets;
    if (avant > 0) {
        char dernier = 0;
        if (::pread(fd, &dernier, 1, avant - 1) != 1) {
            const int e = errno;
            ::close(fd);
            leverErrno(c, e);
        }
        if (dernier == '\r' && dUnTrait)
            octets.append('\n');  // a CR LF cut between its two bytes
        else if (dernier != '\r' && dernier != '\n')
            octets.append("\r\n", 2);
    }
    octets.append(texte);
    // The system may stop a write killed between two memory pages half-way: unless its reader
    // sets a torn last line aside (`dUnTrait`), a text that would cross a page boundary goes in
    // by a whole-file replacement instead, so that a killed program leaves the file old or new.
    const long page = ::sysconf(_SC_PAGESIZE) > 0 ? ::sysconf(_SC_PAGESIZE) : 4096;
    if (!dUnTrait && avant % page + octets.size() > page) {
        ::close(fd);
        ecrireAtomique(c, lireOctets(c) + octets);
        return;
    }
    // One write of the whole text; on failure the file is cut back to its old length (a file
    // made by this write is removed). A new file's entry is made durable with its content.
    int e = 0;
    if (!toutEcrire(fd, octets.constData(), octets.size()) || (g_synchroniser && sys().fdatasync(fd) != 0))
        e = errno;
    else if (!existait)
        e = synchroniserDossier(dossierDe(c));
    if (e != 0) {
        if (existait) {
            while (::ftruncate(fd, avant) != 0 && errno == EINTR) {
            }
        } else {
            ::unlink(cs.constData());
        }
        ::close(fd);
        leverErrno(c, e);
    }
    if (::close(fd) != 0)
        leverErrno(c, errno);
}

} // namespace

void ajouterLignes(const QString& nom, const QStringList& lignes)
{
    ajouterTexte(nom, encoderLignes(lignes), false);
}

void ajouterLigne(const QString& nom, const QString& ligne)
{
    ajouterLignes(nom, QStringList{ligne});
}

void ajouterLigneDUnTrait(const QString& nom, const QString& ligne)
{
    ajouterTexte(nom, encoderLignes({ligne}), true);
}

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
        ajouterTexte(fichierCote, fin + "\r\n", false);
    } catch (...) {
        ::close(fd);
        throw;
    }
    int r;
    while ((r = ::ftruncate(fd, off_t(debut))) != 0 && errno == EINTR) {
    }
    if (r != 0 || synchroniserFichier(fd) != 0)
        echec(errno);
    if (::close(fd) != 0)
        leverErrno(c, errno);
    return true;
}

void copier(const QString& source, const QString& cible)
{
    const QString c = chemin(cible);
    verifierCible(c);
    ecrireAtomique(c, lireOctets(source));
}

QByteArray octetsLignes(const QStringList& lignes)
{
    return encoderLignes(lignes);
}

namespace {

// The journal of a set of files being replaced together, in the program folder whatever the
// set's own folders (a station's backup folder, a chosen backup place), so that the next start
// finds it:
// "velmarin ensemble 1", then one line per file (the target, the scratch file holding its new
// content, the second name or copy of its old content or "-" when it had none, each in
// hexadecimal), then "fin". Renamed to the undo name when the set is being undone.
constexpr char EnteteJournal[] = "velmarin ensemble 1";
const QString JournalEnsemble = QStringLiteral(".Velmarin~ensemble~");
const QString JournalAnnulation = QStringLiteral(".Velmarin~annulation~");

struct MembreEnsemble {
    QByteArray cible;    // full path, system encoding
    QByteArray nouveau;  // the new content, beside it
    QByteArray ancien;   // the old content under another name; empty when there was no file
};

bool existeFichier(const QByteArray& nom)
{
    return ::access(nom.constData(), F_OK) == 0;
}

QByteArray texteJournal(const std::vector<MembreEnsemble>& membres)
{
    QByteArray t = QByteArray(EnteteJournal) + '\n';
    for (const MembreEnsemble& m : membres)
        t += m.cible.toHex() + ' ' + m.nouveau.toHex() + ' ' + (m.ancien.isEmpty() ? QByteArray("-") : m.ancien.toHex()) + '\n';
    return t + "fin\n";
}

// False for a journal that is not whole: cut before it was synced, before any rename.
bool lireJournal(const QByteArray& t, std::vector<MembreEnsemble>& membres)
{
    const QList<QByteArray> lignes = t.split('\n');
    if (lignes.size() < 4 || lignes.first() != EnteteJournal || lignes.at(lignes.size() - 2) != "fin" ||
        !lignes.last().isEmpty())
        return false;
    for (qsizetype i = 1; i < lignes.size() - 2; ++i) {
        const QList<QByteArray> champs = lignes.at(i).split(' ');
        if (champs.size() != 3)
            return false;
        membres.push_back({QByteArray::fromHex(champs[0]), QByteArray::fromHex(champs[1]),
                           champs[2] == "-" ? QByteArray() : QByteArray::fromHex(champs[2])});
    }
    return true;
}

bool estJournal(const QString& n, const QString& debut)
{
    return n.size() == debut.size() + 6 && n.startsWith(debut) && finitParSixSignes(n);
}

// Syncs the folders of the set; 0, or the first error.
int synchroniserDossiers(const std::vector<MembreEnsemble>& membres)
{
    QStringList dossiers;
    int erreur = 0;
    for (const MembreEnsemble& m : membres) {
        const QString d = dossierDe(QFile::decodeName(m.cible));
        if (dossiers.contains(d))
            continue;
        dossiers.append(d);
        if (const int e = synchroniserDossier(d); e && !erreur)
            erreur = e;
    }
    return erreur;
}

// Every new content not yet in place is renamed over its target; false at the first refused.
bool finirEnsemble(const std::vector<MembreEnsemble>& membres, int& erreur, qsizetype& fautif)
{
    for (qsizetype i = 0; i < qsizetype(membres.size()); ++i) {
        const MembreEnsemble& m = membres[size_t(i)];
        if (existeFichier(m.nouveau) && sys().rename(m.nouveau.constData(), m.cible.constData()) != 0) {
            erreur = errno;
            fautif = i;
            return false;
        }
    }
    return true;
}

// Each target gets its old content back, or is removed when it had none; the new contents are
// dropped. A new content no longer beside its target is the one in place. False when an old
// content could not be put back.
bool defaireEnsemble(const std::vector<MembreEnsemble>& membres)
{
    bool ok = true;
    for (const MembreEnsemble& m : membres) {
        const bool enPlace = !existeFichier(m.nouveau);
        if (!m.ancien.isEmpty()) {
            if (existeFichier(m.ancien) && sys().rename(m.ancien.constData(), m.cible.constData()) != 0)
                ok = false;
            else
                ::unlink(m.ancien.constData());  // a second name of the very file still in place
        } else if (enPlace) {
            ::unlink(m.cible.constData());
        }
        ::unlink(m.nouveau.constData());
    }
    return ok;
}

// The set is in place and durable: the old contents and the journal go. Their removal needs no
// sync: a journal that a power cut brings back finds its set whole, and the next start only
// removes it.
void conclureEnsemble(const QByteArray& journal, const std::vector<MembreEnsemble>& membres)
{
    for (const MembreEnsemble& m : membres) {
        if (!m.ancien.isEmpty())
            ::unlink(m.ancien.constData());
    }
    ::unlink(journal.constData());
}

// Undoes the set. The journal is first given the undo name, so that a run killed during the
// undo is undone too by the next start; it stays when an old content could not be put back.
void annulerEnsemble(QByteArray journal, const std::vector<MembreEnsemble>& membres)
{
    const QString nom = QFile::decodeName(journal);
    const QString dossier = dossierDe(nom);
    if (QFileInfo(nom).fileName().startsWith(JournalEnsemble)) {
        const QByteArray annulation = nomSysteme(dossier + QLatin1Char('/') + JournalAnnulation + nom.right(6));
        if (sys().rename(journal.constData(), annulation.constData()) == 0) {
            journal = annulation;
            synchroniserDossier(dossier);
        }
    }
    if (defaireEnsemble(membres) && synchroniserDossiers(membres) == 0) {
        ::unlink(journal.constData());
        synchroniserDossier(dossier);
    }
}

// The journal written and synced in the program folder; its name. Errors name `premier`, the
// set's first file.
QByteArray ecrireJournal(const QString& premier, const QByteArray& texte)
{
    const QString dossier = dossierProgramme();
    QByteArray nom = nomSysteme(dossier + QLatin1Char('/') + JournalEnsemble) + "XXXXXX";
    const int fd = ::mkostemp(nom.data(), O_CLOEXEC);
    if (fd < 0)
        leverErrno(premier, errno, true);
    int e = 0;
    if (!toutEcrire(fd, texte.constData(), texte.size()) || synchroniserFichier(fd) != 0)
        e = errno;
    if (::close(fd) != 0 && !e)
        e = errno;
    if (!e)
        e = synchroniserDossier(dossier);
    if (e) {
        ::unlink(nom.constData());
        leverErrno(premier, e);
    }
    return nom;
}

} // namespace

void ecrireEnsemble(const QVector<NouveauContenu>& fichiers)
{
    if (fichiers.isEmpty())
        return;
    // Every refusal is met before anything is written.
    QStringList cibles;
    for (const NouveauContenu& f : fichiers) {
        cibles.append(chemin(f.nom));
        verifierCible(cibles.last());
    }
    std::vector<MembreEnsemble> membres;
    QByteArray journal;
    try {
        for (qsizetype i = 0; i < fichiers.size(); ++i) {
            const Brouillon b = ecrireBrouillon(cibles.at(i), fichiers.at(i).octets);
            cibles[i] = b.cible;
            membres.push_back({nomSysteme(b.cible), b.nom, {}});
        }
        // Each old file keeps a second name until the whole set is in place, so that a failed
        // rename can put back those already replaced; a copy where the folder makes no links.
        for (qsizetype i = 0; i < fichiers.size(); ++i) {
            MembreEnsemble& m = membres[size_t(i)];
            if (!existeFichier(m.cible))
                continue;
            m.ancien = secondNom(cibles.at(i));
            if (m.ancien.isEmpty())
                m.ancien = ecrireBrouillon(cibles.at(i), lireOctets(cibles.at(i))).nom;
        }
        if (const int e = synchroniserDossiers(membres))
            leverErrno(cibles.first(), e);
        journal = ecrireJournal(cibles.first(), texteJournal(membres));
    } catch (const ErreurFichier&) {
        for (const MembreEnsemble& m : membres) {
            ::unlink(m.nouveau.constData());
            if (!m.ancien.isEmpty())
                ::unlink(m.ancien.constData());
        }
        throw;
    }
    int erreur = 0;
    qsizetype fautif = 0;
    if (finirEnsemble(membres, erreur, fautif))
        erreur = synchroniserDossiers(membres);
    if (erreur) {
        annulerEnsemble(journal, membres);
        leverErrno(cibles.at(fautif), erreur);
    }
    conclureEnsemble(journal, membres);
}

void reprendreEnsembles(const QString& dossier)
{
    const QDir d(dossier);
    const auto noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : noms) {
        const bool annulation = estJournal(n, JournalAnnulation);
        if (!annulation && !estJournal(n, JournalEnsemble))
            continue;
        const QByteArray journal = nomSysteme(d.filePath(n));
        QFile f(d.filePath(n));
        std::vector<MembreEnsemble> membres;
        if (!f.open(QIODevice::ReadOnly) || !lireJournal(f.readAll(), membres)) {
            // Cut before it was synced: nothing was renamed, and the scratch files go with
            // the other leftovers.
            ::unlink(journal.constData());
            continue;
        }
        f.close();
        int erreur = 0;
        qsizetype fautif = 0;
        if (!annulation && finirEnsemble(membres, erreur, fautif) && synchroniserDossiers(membres) == 0)
            conclureEnsemble(journal, membres);
        else
            annulerEnsemble(journal, membres);
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

namespace {

// The scratch file `nom` that another writer filled (keeping the rights the door gave it), made
// ready to replace `cible`: a modification time later than that of `cible` to the millisecond,
// synced. 0 or the error.
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
    if (!e && ::stat(nomSysteme(cible).constData(), &ancien) == 0 && ms(nouveau.st_mtim) <= ms(ancien.st_mtim)) {
        timespec dates[2] = {{0, UTIME_OMIT}, ancien.st_mtim};
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
    if (::close(fd) != 0 && !e)
        e = errno;
    return e;
}

} // namespace

void remplacerParEcrivain(const QString& nom, const std::function<bool(const QString& brouillon)>& ecrire)
{
    const QString c = chemin(nom);
    verifierCible(c);
    const Brouillon b = ecrireBrouillon(c, QByteArray());
    try {
        if (!ecrire(QFile::decodeName(b.nom))) {
            // The writer does not say why: the disk is full, or it failed to read or write.
            struct statvfs v {};
            const bool plein = ::statvfs(nomSysteme(dossierDe(b.cible)).constData(), &v) == 0 && v.f_bavail == 0;
            leverErrno(b.cible, plein ? ENOSPC : EIO);
        }
        if (const int e = finirBrouillonEcrit(b.nom, b.cible))
            leverErrno(b.cible, e);
        renommerEnPlace(b.nom, b.cible);
    } catch (const ErreurFichier&) {
        ::unlink(b.nom.constData());
        throw;
    }
}

void synchroniserSurDisque(bool oui)
{
    g_synchroniser = oui;
}

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

QByteArray lireOctetsFichier(const QString& nom)
{
    return lireOctets(nom);
}

bool estBrouillon(const QString& n, const QString& cible)
{
    const QLatin1String marque(MarqueBrouillon);
    const qsizetype debutMarque = n.size() - 6 - marque.size();
    if (debutMarque < 2 || !n.startsWith(QLatin1Char('.')) || QStringView(n).sliced(debutMarque, marque.size()) != marque)
        return false;
    if (!cible.isEmpty() && QStringView(n).sliced(1, debutMarque - 1) != cible)
        return false;
    return finitParSixSignes(n);
}

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

namespace {

// Folder -> the shared lock that says this copy uses it (kept while the program runs).
std::map<QString, std::unique_ptr<Verrou>>& presences()
{
    static std::map<QString, std::unique_ptr<Verrou>> p;
    return p;
}

} // namespace

QStringList nettoyerRestes(const std::function<bool(const QString& nomFichier)>& restePropre)
{
    const QString dossier = dossierProgramme();
    auto& p = presences();
    p.erase(dossier);
    QStringList enleves;
    auto verrou = std::make_unique<Verrou>(dossier);
    // Every running copy holds a shared lock on the folder: the exclusive one is had only when
    // no other copy may be writing there. The system drops the locks of a copy that ends.
    if (verrou->prendre(true)) {
        reprendreEnsembles(dossier);
        const auto noms = QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& n : noms) {
            if (estBrouillon(n) || (restePropre && restePropre(n))) {
                if (::unlink(nomSysteme(dossier + QLatin1Char('/') + n).constData()) == 0)
                    enleves.append(n);
            }
        }
    }
    verrou->prendre(false, -1);
    p[dossier] = std::move(verrou);
    return enleves;
}

LecteurTexte::LecteurTexte(const QString& nom) : lignes_(lireLignes(nom)) {}

} // namespace plateforme
