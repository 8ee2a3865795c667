// The start of a running copy: the program folder marked as in use, and what killed writes
// left there removed, by exact names only.
#include "platform/fichiers/Ensemble.h"

#include <QDir>
#include <map>
#include <memory>
#include <unistd.h>

namespace plateforme {

namespace interne {

namespace {

// Folder -> the shared lock that says this copy uses it (kept while the program runs).
std::map<QString, std::unique_ptr<Verrou>>& presences()
{
    static std::map<QString, std::unique_ptr<Verrou>> p;
    return p;
}

} // namespace

} // namespace interne

using namespace interne;

QStringList nettoyerRestes(const std::function<bool(const QString& nomFichier)>& restePropre,
                           const QStringList& autresDossiers, QStringList* avis)
{
    const QString dossier = dossierProgramme();
    auto& p = presences();
    p.erase(dossier);
    QStringList enleves;
    auto verrou = std::make_unique<Verrou>(dossier);
    // Every running copy holds a shared lock on the folder: the exclusive one is had only when
    // no other copy may be writing there. The system drops the locks of a copy that ends.
    if (verrou->prendre(true)) {
        const QStringList a = reprendreEnsembles(dossier, autresDossiers);
        if (avis)
            *avis = a;
        // The files of a set kept for the next start, or whose journal was set aside, stay; no
        // scratch file goes while a journal cannot be read.
        bool tousLus = true;
        const QSet<QString> gardes = nommesParJournaux(dossier, tousLus);
        for (const QString& d : dossiersEnsembles(dossier, autresDossiers)) {
            const auto noms = QDir(d).entryList(QDir::Files | QDir::Hidden | QDir::System);
            for (const QString& n : noms) {
                const QString c = d + QLatin1Char('/') + n;
                const bool reste = (tousLus && estReste(n)) || (d == dossier && restePropre && restePropre(n));
                if (reste && !gardes.contains(c) && ::unlink(nomSysteme(c).constData()) == 0)
                    enleves.append(d == dossier ? n : QDir(dossier).relativeFilePath(c));
            }
        }
    }
    verrou->prendre(false, -1);
    p[dossier] = std::move(verrou);
    return enleves;
}

} // namespace plateforme
