// The start takes up the sets of files a killed or failing run left half-replaced: finished or
// undone whole when it can prove every file is one the set wrote, else left alone and told.
#include "platform/fichiers/Ensemble.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace plateforme {

namespace interne {

// The folders sets are written into: the program folder, the folders right inside it (the
// stations' own backup folders; not a link to a folder elsewhere) and `autres`.
QStringList dossiersEnsembles(const QString& programme, const QStringList& autres)
{
    QStringList dossiers{programme};
    const auto sous = QDir(programme).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& s : sous)
        dossiers.append(programme + QLatin1Char('/') + s);
    for (const QString& a : autres) {
        const QString d = QDir::cleanPath(QDir(a).absolutePath());
        if (!dossiers.contains(d) && QFileInfo(d).isDir())
            dossiers.append(d);
    }
    return dossiers;
}

// The scratch names that journals kept for later or set aside name: the clean-up leaves them.
QSet<QString> nommesParJournaux(const QString& dossier, bool& tousLus)
{
    tousLus = true;
    QSet<QString> noms;
    const QDir d(dossier);
    const auto fichiers = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : fichiers) {
        const bool ecarte = n.startsWith(JournalEcarte);
        if (!ecarte && !estJournal(n, JournalEnsemble) && !estJournal(n, JournalAnnulation))
            continue;
        QFile f(d.filePath(n));
        const QByteArray texte = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (f.error() != QFileDevice::NoError) {
            tousLus = false;
            continue;
        }
        for (const QByteArray& ligne : texte.split('\n')) {
            const QList<QByteArray> c = ligne.split(' ');
            for (qsizetype i = 1; i < 3 && i < c.size(); ++i)
                noms.insert(QFile::decodeName(QByteArray::fromHex(c[i])));
        }
    }
    return noms;
}

namespace {

// Whether the names of the member are those the door gives: a target in one of `dossiers` (real
// paths, so that no link leads elsewhere), not itself a link, its new and old contents under
// scratch names beside it.
bool nomsDeLaPorte(const MembreEnsemble& m, const QSet<QString>& dossiers)
{
    const QString cible = QFile::decodeName(m.cible);
    if (!QDir::isAbsolutePath(cible) || QDir::cleanPath(cible) != cible || QFileInfo(cible).isSymLink() ||
        !dossiers.contains(cheminReel(dossierDe(cible))))
        return false;
    const QString nomCible = QFileInfo(cible).fileName();
    const auto beside = [&](const QByteArray& n) {
        const QString c = QFile::decodeName(n);
        return dossierDe(c) == dossierDe(cible) && estBrouillon(QFileInfo(c).fileName(), nomCible);
    };
    return beside(m.nouveau) && (m.ancien.isEmpty() ? !m.vieux.existe() : m.vieux.existe() && beside(m.ancien));
}

// What the start may do with a set whose every file it can prove it wrote.
struct Possible {
    bool finir = true;    // every new content is at hand
    bool defaire = true;  // every old content is at hand
};

// False when a file of the set is not in a state the set could have left: a target, a new or
// an old content that changed since (the set was replaced by later writes, the journal is a
// stale copy).
bool etatsReconnus(const std::vector<MembreEnsemble>& membres, Possible& possible)
{
    for (const MembreEnsemble& m : membres) {
        const Empreinte nouveau = empreinteFichier(m.nouveau, m.neuf);
        const Empreinte ancien = m.ancien.isEmpty() ? Empreinte{} : empreinteFichier(m.ancien, m.vieux);
        // The target read once when both contents are known the same way.
        const Empreinte cible = empreinteFichier(m.cible, m.neuf);
        const bool cibleNeuve = cible == m.neuf;
        const bool cibleVieille = m.vieux.existe() && (m.vieux.identite() == m.neuf.identite()
                                                           ? cible == m.vieux
                                                           : empreinteFichier(m.cible, m.vieux) == m.vieux);
        if ((nouveau.existe() && nouveau != m.neuf) || (ancien.existe() && ancien != m.vieux))
            return false;
        if (existeFichier(m.cible) && !cibleNeuve && !cibleVieille)
            return false;
        possible.finir = possible.finir && (nouveau.existe() || cibleNeuve);
        possible.defaire = possible.defaire && (!m.vieux.existe() || ancien.existe() || cibleVieille);
    }
    return true;
}

// The journal, not obeyed, under a name that says so; the French notice for the operator.
QString ecarterJournal(const QByteArray& journal)
{
    const QString nom = QFile::decodeName(journal);
    const QString ecarte = dossierDe(nom) + QLatin1Char('/') + JournalEcarte + nom.right(6) + QStringLiteral(".txt");
    const bool garde = sys().rename(journal.constData(), nomSysteme(ecarte).constData()) == 0;
    return QStringLiteral("Un remplacement de fichiers interrompu lors d'une exécution précédente n'a pas été repris : "
                          "son journal nomme des fichiers que Velmarin ne peut pas reconnaître comme ceux qu'il a écrits "
                          "(fichiers hors de ses dossiers, ou modifiés depuis). Aucun de ces fichiers n'a été touché.\r\n"
                          "Le journal est gardé sous le nom « %1 ».")
        .arg(QDir::toNativeSeparators(garde ? ecarte : nom));
}

QString avisEnSuspens(int e)
{
    return QStringLiteral("Un remplacement de fichiers interrompu lors d'une exécution précédente n'a pu être ni terminé "
                          "ni annulé (%1). Tous ses fichiers sont gardés : Velmarin le reprendra au prochain démarrage.")
        .arg(raisonErrno(e, false));
}

// Finishes or undoes one set; its notice for the operator, empty when done.
QString reprendreEnsemble(const QByteArray& journal, bool annulation, const QSet<QString>& dossiers)
{
    QFile f(QFile::decodeName(journal));
    if (!f.open(QIODevice::ReadOnly))
        return avisEnSuspens(f.error() == QFileDevice::PermissionsError ? EACCES : EIO);
    const QByteArray texte = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return avisEnSuspens(EIO);
    f.close();
    if (!journalEntier(texte)) {
        // Cut before it was synced: nothing was renamed, and the scratch files go with the
        // other leftovers.
        ::unlink(journal.constData());
        return {};
    }
    std::vector<MembreEnsemble> membres;
    Possible possible;
    bool reconnu = lireJournal(texte, membres);
    for (const MembreEnsemble& m : membres)
        reconnu = reconnu && nomsDeLaPorte(m, dossiers);
    reconnu = reconnu && etatsReconnus(membres, possible);
    // A set being undone is never finished: the operator was told it failed.
    const bool finir = reconnu && !annulation && possible.finir;
    if (!finir && !(reconnu && possible.defaire))
        return ecarterJournal(journal);
    int erreur = 0;
    qsizetype fautif = 0;
    if (finir && finirEnsemble(membres, erreur, fautif) && (erreur = synchroniserDossiers(membres)) == 0) {
        conclureEnsemble(journal, membres);
        return {};
    }
    if (!possible.defaire) {
        marquerEnSuspens(membres);
        return avisEnSuspens(erreur);
    }
    if (const int e = annulerEnsemble(journal, membres)) {
        marquerEnSuspens(membres);
        return avisEnSuspens(e);
    }
    return {};
}

} // namespace

} // namespace interne

using namespace interne;

QStringList reprendreEnsembles(const QString& dossier, const QStringList& autresDossiers)
{
    QSet<QString> dossiers;
    for (const QString& d : dossiersEnsembles(dossier, autresDossiers))
        dossiers.insert(cheminReel(d));
    // Every set is taken up anew: only those kept again for the next start stay refused.
    oublierEnSuspens();
    QStringList avis;
    const QDir d(dossier);
    const auto noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : noms) {
        const bool annulation = estJournal(n, JournalAnnulation);
        if (!annulation && !estJournal(n, JournalEnsemble))
            continue;
        const QString a = reprendreEnsemble(nomSysteme(d.filePath(n)), annulation, dossiers);
        if (!a.isEmpty())
            avis.append(a);
    }
    return avis;
}

} // namespace plateforme
