// The program folder and the names in it: a relative name lives there, and an existing file
// is found whatever the case of its name.
#include "platform/fichiers/Interne.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace plateforme {

namespace interne {

QString dossierDe(const QString& chemin)
{
    return QFileInfo(chemin).absolutePath();
}

// The name in the program folder, as written (the path of an absolute name).
QString cheminTelQuel(const QString& nom)
{
    QString complet = QDir::isAbsolutePath(nom) ? nom : dossierProgramme() + QLatin1Char('/') + nom;
    complet.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return complet;
}

QString cheminReel(const QString& chemin)
{
    const QFileInfo fi(chemin);
    const QString reel = fi.canonicalFilePath();
    if (!reel.isEmpty())
        return reel;
    const QString dossier = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return dossier.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : dossier + QLatin1Char('/') + fi.fileName();
}

} // namespace interne

using namespace interne;

namespace {

QString g_dossier;

} // namespace

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
            ecrireAtomique(chemin(fi.fileName()), lireOctetsFichier(fi.absoluteFilePath()));
    }
}

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

} // namespace plateforme
