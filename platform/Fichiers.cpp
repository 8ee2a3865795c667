#include "platform/Fichiers.h"

#include "platform/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include <unistd.h>

namespace plateforme {

namespace {

QString g_dossier;

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

[[noreturn]] void lever(const QString& chemin, int numero, const QString& detail = QString())
{
    QString raison = raisonErreur(numero);
    if (!detail.isEmpty() && numero != ErreurFichierIntrouvable)
        raison += QStringLiteral(" (") + detail + QLatin1Char(')');
    throw ErreurFichier(chemin, numero, raison);
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

void ecrireAtomique(const QString& cible, const QByteArray& contenu)
{
    QSaveFile f(cible);
    if (!f.open(QIODevice::WriteOnly))
        lever(cible, numeroErreur(f.error(), QFileInfo(cible).absolutePath()), f.errorString());
    if (f.write(contenu) != contenu.size()) {
        const int n = numeroErreur(f.error(), cible);
        f.cancelWriting();
        lever(cible, n ? n : ErreurDisquePlein, f.errorString());
    }
    if (!f.commit())
        lever(cible, numeroErreur(f.error(), cible) ? numeroErreur(f.error(), cible) : ErreurAcces,
              f.errorString());
}

QByteArray lireOctets(const QString& nom)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.exists())
        lever(c, ErreurFichierIntrouvable);
    if (!f.open(QIODevice::ReadOnly))
        lever(c, numeroErreur(f.error(), c), f.errorString());
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        lever(c, ErreurAcces, f.errorString());
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
        if (!existe(fi.fileName()))
            copier(fi.absoluteFilePath(), fi.fileName());
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

void ecrireOctets(const QString& nom, const QByteArray& octets)
{
    ecrireAtomique(chemin(nom), octets);
}

void ecrireLignes(const QString& nom, const QStringList& lignes)
{
    ecrireAtomique(chemin(nom), encoderLignes(lignes));
}

void ajouterLignes(const QString& nom, const QStringList& lignes)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        lever(c, numeroErreur(f.error(), QFileInfo(c).absolutePath()), f.errorString());
    const qint64 avant = f.size();
    const QByteArray octets = encoderLignes(lignes);
    const bool ok = f.write(octets) == octets.size() && f.flush();
    if (!ok) {
        const int n = numeroErreur(f.error(), c);
        const QString detail = f.errorString();
        f.resize(avant);  // nothing half-written
        f.close();
        lever(c, n ? n : ErreurDisquePlein, detail);
    }
    f.close();
}

void ajouterLigne(const QString& nom, const QString& ligne)
{
    ajouterLignes(nom, QStringList{ligne});
}

void copier(const QString& source, const QString& cible)
{
    ecrireAtomique(chemin(cible), lireOctets(source));
}

void supprimer(const QString& nom)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.exists())
        lever(c, ErreurFichierIntrouvable);
    if (!f.remove())
        lever(c, numeroErreur(f.error(), c) ? numeroErreur(f.error(), c) : ErreurAcces, f.errorString());
}

void remplacerPar(const QString& source, const QString& cible)
{
    const QString s = chemin(source);
    const QString c = chemin(cible);
    if (!QFileInfo::exists(s))
        lever(s, ErreurFichierIntrouvable);
    // rename(2) replaces the target atomically on one file system.
    if (::rename(QFile::encodeName(s).constData(), QFile::encodeName(c).constData()) != 0) {
        const int e = errno;
        lever(c, e == ENOSPC ? ErreurDisquePlein : (e == EACCES || e == EPERM) ? ErreurPermission : ErreurAcces,
              QString::fromLocal8Bit(std::strerror(e)));
    }
}

LecteurTexte::LecteurTexte(const QString& nom) : lignes_(lireLignes(nom)) {}

QByteArray lireFichierOctets(const QString& nom)
{
    return lireOctets(nom);
}

} // namespace plateforme
