// Several files replaced as one, and the steps that finish or undo such a set.
#include "platform/fichiers/Ensemble.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace plateforme {

namespace interne {

namespace {

// The real paths of the files of the sets left for the next start by this run.
QSet<QString>& enSuspens()
{
    static QSet<QString> fichiers;
    return fichiers;
}

} // namespace

bool fichierEnSuspens(const QString& chemin)
{
    return !enSuspens().isEmpty() && enSuspens().contains(cheminReel(chemin));
}

void marquerEnSuspens(const std::vector<MembreEnsemble>& membres)
{
    for (const MembreEnsemble& m : membres)
        enSuspens().insert(cheminReel(QFile::decodeName(m.cible)));
}

void oublierEnSuspens()
{
    enSuspens().clear();
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

// Each target gets its old content back; errno of the first that could not. An old content is
// removed only once it is back in place: one that could not be put back keeps its second name.
int remettreAnciens(const std::vector<MembreEnsemble>& membres)
{
    int erreur = 0;
    for (const MembreEnsemble& m : membres) {
        if (m.ancien.isEmpty() || !existeFichier(m.ancien))
            continue;
        if (sys().rename(m.ancien.constData(), m.cible.constData()) != 0) {
            if (!erreur)
                erreur = errno;
            continue;
        }
        ::unlink(m.ancien.constData());  // a second name of the very file still in place
    }
    return erreur;
}

// Once every old content is back: a target that had none is removed when its new content is in
// place, and the new contents are dropped.
void oterNouveaux(const std::vector<MembreEnsemble>& membres)
{
    for (const MembreEnsemble& m : membres) {
        if (m.ancien.isEmpty() && !existeFichier(m.nouveau))
            ::unlink(m.cible.constData());
        ::unlink(m.nouveau.constData());
    }
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
// undo is undone too by the next start. When an old content cannot be put back, nothing more
// is removed: the journal, the new contents and the old ones stay for the next start, which
// finishes or undoes the set whole; errno of the failure then, 0 when the set is undone.
int annulerEnsemble(QByteArray journal, const std::vector<MembreEnsemble>& membres)
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
    if (const int e = remettreAnciens(membres))
        return e;
    if (const int e = synchroniserDossiers(membres))
        return e;
    oterNouveaux(membres);
    ::unlink(journal.constData());
    synchroniserDossier(dossier);
    return 0;
}

namespace {

// The error of a set that could be neither finished nor undone: it stays for the next start.
[[noreturn]] void leverEnSuspens(const QString& fichier, int e)
{
    const int numero = numeroErrno(e);
    ErreurFichier erreur(fichier, numero, raisonErrno(e, false));
    erreur.enSuspens = true;
    throw erreur;
}

} // namespace

} // namespace interne

using namespace interne;

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
            membres.push_back({nomSysteme(b.cible), b.nom, {}, {}, {}});
        }
        // Each old file keeps a second name until the whole set is in place, so that a failed
        // rename can put back those already replaced; a copy where the folder makes no links.
        // Where it makes links, its files are known by their identity (Empreinte): neither the
        // old content is read again nor the new one summed, which on a full log cost twice the
        // write (bench_sauvegarde). Elsewhere (no links, or inode numbers a share may make up
        // anew), by their checksums, of the bytes in memory.
        for (qsizetype i = 0; i < fichiers.size(); ++i) {
            MembreEnsemble& m = membres[size_t(i)];
            if (!existeFichier(m.cible)) {
                m.neuf = empreinte(fichiers.at(i).octets);
                continue;
            }
            m.ancien = secondNom(cibles.at(i));
            if (!m.ancien.isEmpty()) {
                m.vieux = identiteFichier(m.ancien);
                m.neuf = identiteFichier(m.nouveau);
                if (!m.vieux.existe() || !m.neuf.existe())
                    leverErrno(cibles.at(i), errno ? errno : EIO);
                continue;
            }
            const QByteArray ancien = lireOctetsFichier(cibles.at(i));
            m.vieux = empreinte(ancien);
            m.neuf = empreinte(fichiers.at(i).octets);
            m.ancien = ecrireBrouillon(cibles.at(i), ancien).nom;
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
        if (const int e = annulerEnsemble(journal, membres)) {
            marquerEnSuspens(membres);
            leverEnSuspens(cibles.at(fautif), e);
        }
        leverErrno(cibles.at(fautif), erreur);
    }
    conclureEnsemble(journal, membres);
}

} // namespace plateforme
