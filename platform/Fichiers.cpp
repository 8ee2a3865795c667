#include "platform/Fichiers.h"

#include "platform/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include <algorithm>

#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plateforme {

namespace {

QString g_dossier;
bool g_synchroniser = true;

int synchroniserFichier(int fd)
{
    return g_synchroniser ? ::fsync(fd) : 0;
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
        const ssize_t n = ::write(fd, octets, size_t(taille));
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

// Makes the entries of a folder (a rename, a new file) durable.
bool synchroniserDossier(const QString& dossier)
{
    if (!g_synchroniser)
        return true;
    const int fd = ::open(nomSysteme(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
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
    const QString dossier = QFileInfo(cible).absolutePath();
    QByteArray modele = nomSysteme(dossier + QStringLiteral("/.") + QFileInfo(cible).fileName() +
                                   QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(modele.data(), O_CLOEXEC);
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

// The whole-file replacement: the scratch file is renamed over the target and the folder
// synced. Any failure before the rename removes the scratch file and leaves the target as it
// was.
void ecrireAtomique(const QString& cibleDemandee, const QByteArray& contenu)
{
    const Brouillon b = ecrireBrouillon(cibleDemandee, contenu);
    if (::rename(b.nom.constData(), nomSysteme(b.cible).constData()) != 0) {
        const int e = errno;
        ::unlink(b.nom.constData());
        leverErrno(b.cible, e);
    }
    synchroniserDossier(QFileInfo(b.cible).absolutePath());
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

QString chemin(const QString& nom)
{
    QString complet = QDir::isAbsolutePath(nom) ? nom : dossierProgramme() + QLatin1Char('/') + nom;
    complet.replace(QLatin1Char('\\'), QLatin1Char('/'));
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
    const int fd = ::open(nomSysteme(c).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
    // One write of the whole text; on failure the file is cut back to its old length.
    if (!toutEcrire(fd, octets.constData(), octets.size()) || (g_synchroniser && ::fdatasync(fd) != 0)) {
        const int e = errno;
        while (::ftruncate(fd, avant) != 0 && errno == EINTR) {
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

void ecrireEnsemble(const QVector<NouveauContenu>& fichiers)
{
    // Every refusal is met before anything is written.
    QStringList cibles;
    for (const NouveauContenu& f : fichiers) {
        cibles.append(chemin(f.nom));
        verifierCible(cibles.last());
    }
    struct Etape {
        Brouillon brouillon;
        bool existait = false;
        QByteArray ancien;  // a second name of the old file while the set goes in place
    };
    std::vector<Etape> etapes;
    try {
        for (qsizetype i = 0; i < fichiers.size(); ++i)
            etapes.push_back({ecrireBrouillon(cibles.at(i), fichiers.at(i).octets), false, {}});
    } catch (const ErreurFichier&) {
        for (const Etape& e : etapes)
            ::unlink(e.brouillon.nom.constData());
        throw;
    }
    // Each old file keeps a second name until all the new ones are in place, so that a failed
    // rename can put back those already replaced.
    for (Etape& e : etapes) {
        const QByteArray cible = nomSysteme(e.brouillon.cible);
        e.existait = ::access(cible.constData(), F_OK) == 0;
        if (!e.existait)
            continue;
        QByteArray nom = e.brouillon.nom;
        nom.chop(6);
        nom += "XXXXXX";
        const int fd = ::mkostemp(nom.data(), O_CLOEXEC);
        if (fd < 0)
            continue;
        ::close(fd);
        ::unlink(nom.constData());
        if (::link(cible.constData(), nom.constData()) == 0)
            e.ancien = nom;
    }
    const auto oublierAnciens = [&etapes] {
        for (const Etape& e : etapes) {
            if (!e.ancien.isEmpty())
                ::unlink(e.ancien.constData());
        }
    };
    for (auto en = etapes.begin(); en != etapes.end(); ++en) {
        if (::rename(en->brouillon.nom.constData(), nomSysteme(en->brouillon.cible).constData()) == 0)
            continue;
        const int erreur = errno;
        for (auto e = etapes.begin(); e != en; ++e) {
            const QByteArray cible = nomSysteme(e->brouillon.cible);
            if (!e->ancien.isEmpty() && ::rename(e->ancien.constData(), cible.constData()) == 0)
                e->ancien.clear();
            else if (!e->existait)
                ::unlink(cible.constData());
        }
        for (auto e = en; e != etapes.end(); ++e)
            ::unlink(e->brouillon.nom.constData());
        oublierAnciens();
        leverErrno(en->brouillon.cible, erreur);
    }
    oublierAnciens();
    QStringList dossiers;
    for (const Etape& e : etapes) {
        const QString d = QFileInfo(e.brouillon.cible).absolutePath();
        if (!dossiers.contains(d)) {
            dossiers.append(d);
            synchroniserDossier(d);
        }
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

void remplacerPar(const QString& source, const QString& cible)
{
    const QString s = chemin(source);
    const QString c = chemin(cible);
    if (!QFileInfo::exists(s))
        lever(s, ErreurFichierIntrouvable);
    verifierCible(c);
    // rename(2) replaces the target atomically on one file system; the folder is synced so
    // that the new entry outlives a power cut.
    if (::rename(nomSysteme(s).constData(), nomSysteme(c).constData()) != 0) {
        leverErrno(c, errno, true);
    }
    synchroniserDossier(QFileInfo(c).absolutePath());
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

namespace {

// The scratch name the whole-file replacement gives: "." + target name + "." + 6 letters or digits.
bool estBrouillonRemplacement(const QString& n)
{
    if (n.size() < 9 || !n.startsWith(QLatin1Char('.')) || n.at(n.size() - 7) != QLatin1Char('.'))
        return false;
    return std::all_of(n.cend() - 6, n.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

// Folder -> the descriptor whose shared lock says this copy uses it (kept while the program runs).
std::map<QString, int>& presences()
{
    static std::map<QString, int> p;
    return p;
}

} // namespace

QStringList nettoyerRestes(const std::function<bool(const QString& nomFichier)>& restePropre)
{
    const QString dossier = dossierProgramme();
    auto& p = presences();
    if (const auto it = p.find(dossier); it != p.end()) {
        ::close(it->second);
        p.erase(it);
    }
    QStringList enleves;
    const int fd = ::open(nomSysteme(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return enleves;
    // Every running copy holds a shared lock on the folder: the exclusive one is had only when
    // no other copy may be writing there. The system drops the locks of a copy that ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const auto noms = QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& n : noms) {
            if (estBrouillonRemplacement(n) || (restePropre && restePropre(n))) {
                if (::unlink(nomSysteme(dossier + QLatin1Char('/') + n).constData()) == 0)
                    enleves.append(n);
            }
        }
    }
    while (::flock(fd, LOCK_SH) != 0 && errno == EINTR) {
    }
    p[dossier] = fd;
    return enleves;
}

LecteurTexte::LecteurTexte(const QString& nom) : lignes_(lireLignes(nom)) {}

} // namespace plateforme
