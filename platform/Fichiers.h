#pragma once
// Files of the program folder: Windows-1252 text with CR LF line ends, names matched
// without regard to case, every whole-file replacement atomic.
//
// Made in platform/fichiers/, one concern a file: Erreurs (French causes), Disque (system
// calls, syncs), Chemins (program folder, names whatever their case), Refus (write rules,
// read-only files and folders), Noms (scratch and second names, leftover forms), Remplacement
// (atomic replace), Lecture and Lignes (reading, line split and join), Balayages (byte scans),
// Ajouts (appends), Lignes_Inachevees (torn last line), Journal_Ensemble, Ensembles and
// Reprise_Ensembles (sets of files and their journal), Restes (start-up clean-up), Verrous.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <stdexcept>

namespace plateforme {

// A failed open, read or write. `numero` is the classic run-time error number
// (53 file not found, 70 permission denied, 75 path/file access error, 61 disk full).
class ErreurFichier : public std::runtime_error {
public:
    ErreurFichier(const QString& fichier, int numero, const QString& raison);
    QString fichier;
    int numero;
    QString raison;
    // A set of files (ecrireEnsemble) failed after some of its files were replaced and could
    // not be put back as it was (a disk failing for good): everything it needs is kept, and the
    // next start finishes or undoes it whole.
    bool enSuspens = false;
    // "Erreur sur le fichier « X » : fichier introuvable (erreur 53)." and the like; for a set
    // left for the next start, followed by what becomes of it.
    QString messageFrancais(const QString& operation = QString()) const;
    // The same followed by "Aucun fichier n'a été modifié." unless a set was left for the next
    // start: for the operations that replace files all or none.
    QString messageEtBilan(const QString& operation) const;
};

constexpr int ErreurFichierIntrouvable = 53;
constexpr int ErreurDisquePlein = 61;
constexpr int ErreurPermission = 70;
constexpr int ErreurAcces = 75;
// A write that a rule of the program refuses (see definirRegleEcriture).
constexpr int ErreurEcritureRefusee = ErreurPermission;

// The program folder (no trailing separator). Created when missing.
void definirDossierProgramme(const QString& dossier);
QString dossierProgramme();
// The default per-user program folder, used by the program when nothing else was set.
QString dossierProgrammeParDefaut();
// Copies into the program folder every file of `dossierModeles` that is missing there.
void installerModeles(const QString& dossierModeles);

// Full path of `nom`: a relative name lives in the program folder; an existing file whose
// name differs only by case is found and its real path returned.
QString chemin(const QString& nom);

bool existe(const QString& nom);
qint64 longueur(const QString& nom);                       // throws ErreurFichier
QStringList lireLignes(const QString& nom);                // throws ErreurFichier
// Hands each line of the file to `ligne` in turn without keeping them all (one pass over a
// large file). Throws ErreurFichier before the first line when the file cannot be read.
void parcourirLignes(const QString& nom, const std::function<void(const QString& ligne)>& ligne);
QByteArray lireOctetsFichier(const QString& nom);          // the bytes as stored; throws ErreurFichier
void ecrireLignes(const QString& nom, const QStringList& lignes);   // atomic replace
void ecrireOctets(const QString& nom, const QByteArray& octets);    // atomic replace
// The same with the new content given as pieces, one after the other: a large file changed in
// one place is written without first being copied whole.
void ecrireMorceaux(const QString& nom, const QList<QByteArrayView>& morceaux);
void ajouterLignes(const QString& nom, const QStringList& lignes);  // append, all or nothing
void ajouterLigne(const QString& nom, const QString& ligne);
// Appends `ligne` in one write whatever the size of the file, never by a whole-file
// replacement: for a large file that grows one record at a time (a log). A program killed
// during that write may leave the start of the line without its end; the reader of the file
// sets it aside (debutLigneInachevee, deplacerFin). A failed write leaves the file as it was.
void ajouterLigneDUnTrait(const QString& nom, const QString& ligne);
// Where the last line of `octets` starts when it has no line end and is shorter than
// `longueurComplete` bytes (the start of a line whose write was cut short); -1 otherwise.
qsizetype debutLigneInachevee(const QByteArray& octets, qsizetype longueurComplete);
// Moves the bytes of `nom` from `debut` to its end to the end of `fichierCote` (followed by
// CR LF), then cuts `nom` at `debut`. The side file is written and synced first: a kill in
// between leaves the bytes in both files, never in neither. Nothing is done when `nom` is no
// longer `longueurAttendue` bytes long (changed since it was read): returns false.
bool deplacerFin(const QString& nom, qint64 longueurAttendue, qint64 debut, const QString& fichierCote);
void copier(const QString& source, const QString& cible);  // atomic replace of the target
// Several files replaced (or created) as one: every new content is written and synced beside
// its target first, and only when all are written are they renamed into place. Every refusal
// is met before anything is written; on any failure every target stays as it was (a file that
// did not exist stays absent) and the error names the file of the set that failed. Before the
// first rename the set is recorded in a journal in the program folder (each new content, the
// file it replaces and a second name of the old one, with the size and checksum of both, or
// their identity where the folder makes links),
// synced: a set cut short by a kill or a power cut is finished, or undone, whole by the next
// start (reprendreEnsembles), before anything writes. When a failure lasts (renames failing
// from one on) so that the set can be neither finished nor undone, nothing more is removed and
// the error says so (ErreurFichier::enSuspens): the next start finishes or undoes it.
struct NouveauContenu {
    QString nom;
    QByteArray octets;
};
void ecrireEnsemble(const QVector<NouveauContenu>& fichiers);
// Lines as the data files store them (Windows-1252, each ended by CR LF).
QByteArray octetsLignes(const QStringList& lignes);
void supprimer(const QString& nom);                         // missing file: error 53
// Writes `octets` to the scratch file `brouillon`, then puts it in place of `cible` in one step
// (the target is at every instant either the old or the new file); `brouillon` no longer exists
// afterwards. Errors name `cible`. Both stand in one folder: it is synced once, for both names.
void ecrireParBrouillon(const QString& brouillon, const QString& cible, const QByteArray& octets);

// A whole-file replacement whose new content another writer makes (Qt's settings): `ecrire`
// gets the name of a new empty scratch file beside `nom` and fills it (it may put another file
// in its place under the same name); false when it could not. The scratch file is then synced
// and given a modification time later, to the millisecond, than both its own and that of the
// file it replaces: a reader that keeps what it read or wrote of a file while its size and time
// stay the same reads it again, and never takes the new file for the old. `relire` then reads
// it back: false when it does not hold what was meant (a writer may cut its file short on a
// full disk and say nothing). Only then is it renamed over `nom` and the folder synced. Any
// failure removes the scratch file and leaves `nom` as it was; raises ErreurFichier naming
// `nom` (a full disk when the writer failed with too little room left).
void remplacerParEcrivain(const QString& nom, const std::function<bool(const QString& brouillon)>& ecrire,
                          const std::function<bool(const QString& brouillon)>& relire);

// Every write is pushed to the disk before it counts as done (on by default). Tests that do
// not simulate a power cut turn it off to run fast.
void synchroniserSurDisque(bool oui);

// Files the program must not write. A rule gets a file name (no folder) and returns the French
// reason of the refusal, or an empty text. Every write, append, copy onto, replacement and
// deletion of this door asks every rule first and raises ErreurFichier (ErreurEcritureRefusee,
// the reason as its text) when one refuses. `cle` names the rule; an empty function removes it.
// A file without any write right (read-only) is refused the same way, "fichier en lecture
// seule", whoever runs the program; so is any write in a folder without write rights
// ("dossier « ... » en lecture seule"): the system would let the administrator write both.
using RegleEcriture = std::function<QString(const QString& nomFichier)>;
void definirRegleEcriture(const QString& cle, RegleEcriture regle);
// Raises the refusal a write of `nom` would meet; nothing when it may be written.
void verifierEcriture(const QString& nom);
// Raises the refusal of the writes of a file of a set this run left for the next start (see
// ecrireEnsemble): until then it holds neither the set's old content nor its new one.
void verifierHorsEnsembleEnSuspens(const QString& nom);

// The start of a running copy of the program: marks the program folder as in use by it for as
// long as it runs and, when no other running copy uses the folder, first finishes or undoes the
// sets of files a killed run left half-replaced (see ecrireEnsemble), then removes what killed
// writes left in the folders sets are written into (the program folder, the folders right
// inside it, `autresDossiers`): the program's scratch files (estReste) and, in the program
// folder, the files `restePropre` names; never a file a journal kept for later names. Nothing
// is removed while another copy runs. Returns the names removed (relative to the program
// folder); `avis` gets the French notices of the sets that could not be taken up.
QStringList nettoyerRestes(const std::function<bool(const QString& nomFichier)>& restePropre,
                           const QStringList& autresDossiers = {}, QStringList* avis = nullptr);
// Finishes or undoes whole every set of files recorded in a journal of `dossier` (see
// ecrireEnsemble), touching only the files it can prove the set wrote: targets (by their real
// paths) in `dossier`, a folder right inside it (not a link) or `autresDossiers`, new and old
// contents under the door's scratch names beside them, each file in a state the set could have
// left (sizes and checksums, or file identities, of the journal). Any other journal is obeyed
// in nothing and kept aside under a name that says so; a set that cannot be taken up now
// (renames failing) is kept whole for the next start, and this run writes none of its files.
// Returns one French notice for the operator for each. Only for a folder no other running copy
// writes.
QStringList reprendreEnsembles(const QString& dossier, const QStringList& autresDossiers = {});

// The scratch files of the door: "." + the name of the file they stand in for + MarqueBrouillon +
// 6 letters or digits, a form no person gives a file. True for a name of exactly that form
// (standing in for `cible` when it is given, for any file otherwise): only those are removed
// as leftovers, whatever else a folder holds.
inline constexpr char MarqueBrouillon[] = "~velmarin~";
// Whether `n` ends with the six letters or figures that make a scratch or journal name unique.
bool finitParSixSignes(QStringView n);
bool estBrouillon(const QString& nomFichier, const QString& cible = QString());
// Whether `nomFichier` is what a killed write of the program leaves behind: a name of exactly
// one of the forms its writes give their scratch files (the door's own first, see estBrouillon),
// standing in for `cible` when it is given. The clean-ups remove such names and nothing else.
bool estReste(const QString& nomFichier, const QString& cible = QString());

// A lock held between running copies of the program (flock on a file or a folder), let go
// when the object ends or when the program ends, however it ends.
class Verrou {
public:
    // Opens `chemin`: a folder, or a lock file, made when missing (`creer`).
    explicit Verrou(const QString& chemin, bool creer = true);
    ~Verrou();
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;
    // Takes (or changes) the lock, waiting up to `attenteMs` for the other holders (-1: as long
    // as it takes). False when it is not had, or when `chemin` could not be opened.
    bool prendre(bool exclusif, int attenteMs = 0);
    bool tenu() const { return tenu_; }

private:
    int fd_ = -1;
    bool tenu_ = false;
};

// Sequential reading for the loops that work one line at a time.
class LecteurTexte {
public:
    explicit LecteurTexte(const QString& nom);  // throws ErreurFichier
    bool finFichier() const { return position_ >= lignes_.size(); }
    QString lireLigne() { return finFichier() ? QString() : lignes_.at(position_++); }
    int nombreLignes() const { return int(lignes_.size()); }

private:
    QStringList lignes_;
    qsizetype position_ = 0;
};

// Splits a decoded text into lines ended by CR LF (a lone CR or LF also ends a line).
QStringList decouperLignes(const QString& texte);
// The same split on the bytes of a file, as views into `octets` (nothing copied).
QList<QByteArrayView> decouperOctets(const QByteArray& octets);

} // namespace plateforme
