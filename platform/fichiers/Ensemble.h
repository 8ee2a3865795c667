#pragma once
// Sets of files replaced as one (ecrireEnsemble): their journal and the steps that finish or
// undo them, shared by the write of a set and by the start that takes it up.
#include "platform/fichiers/Interne.h"

#include <QSet>
#include <QStringList>
#include <vector>

namespace plateforme::interne {

// The journal of a set of files being replaced together, in the program folder whatever the
// set's own folders (a station's backup folder, a chosen backup place), so that the next start
// finds it:
// "velmarin ensemble 2", then one line per file: the target, the scratch file holding its new
// content, the second name or copy of its old content or "-" when it had none (each in
// hexadecimal), the size and checksum of the new content, those of the old one or "- -"; then
// "fin". Where the old content is kept by a second name of the very file, both contents are
// known by their files' identities instead (Empreinte). Renamed to the undo name when the set
// is being undone.
inline constexpr char EnteteJournal[] = "velmarin ensemble 2";
inline const QString JournalEnsemble = QStringLiteral(".Velmarin~ensemble~");
inline const QString JournalAnnulation = QStringLiteral(".Velmarin~annulation~");
// A journal the start would not obey is kept under this name, followed by its six signs.
inline const QString JournalEcarte = QStringLiteral("Velmarin journal non repris ");

// What a content is known by: its size and checksum; a size of -1 for no file. Or the identity
// of the file that holds it, where the folder makes links: "i", then its device, inode and
// modification time to the nanosecond. A copy of the folder makes other files; the door never
// writes a file in place without changing its size, and any other write changes its time.
struct Empreinte {
    qint64 taille = -1;
    QByteArray somme;
    bool operator==(const Empreinte&) const = default;
    bool existe() const { return taille >= 0; }
    bool identite() const { return somme.startsWith('i'); }
};

struct MembreEnsemble {
    QByteArray cible;    // full path, system encoding
    QByteArray nouveau;  // the new content, beside it
    QByteArray ancien;   // the old content under another name; empty when there was no file
    Empreinte neuf;      // of the new content
    Empreinte vieux;     // of the old content; none when there was no file
};

// --- The journal (Journal_Ensemble.cpp) ---
Empreinte empreinte(const QByteArray& octets);
// The file's, of the same kind as `modele` (checksum or identity); no file (or one that cannot be
// read) has none.
Empreinte empreinteFichier(const QByteArray& nom, const Empreinte& modele);
// The identity of the file (Empreinte); none when it cannot be had.
Empreinte identiteFichier(const QByteArray& nom);
QByteArray texteJournal(const std::vector<MembreEnsemble>& membres);
// Whether the journal was written whole: its end mark is there.
bool journalEntier(const QByteArray& t);
// The members of a whole journal; false when it is not of the form the door writes.
bool lireJournal(const QByteArray& t, std::vector<MembreEnsemble>& membres);
bool estJournal(const QString& n, const QString& debut);
// The journal written and synced in the program folder; its name. Errors name `premier`.
QByteArray ecrireJournal(const QString& premier, const QByteArray& texte);

// --- The steps of a set (Ensembles.cpp) ---
// Syncs the folders of the set; 0, or the first error.
int synchroniserDossiers(const std::vector<MembreEnsemble>& membres);
// Every new content not yet in place is renamed over its target; false at the first refused.
bool finirEnsemble(const std::vector<MembreEnsemble>& membres, int& erreur, qsizetype& fautif);
// The set is in place and durable: the old contents and the journal go.
void conclureEnsemble(const QByteArray& journal, const std::vector<MembreEnsemble>& membres);
// Undoes the set; 0, or errno of the failure that leaves it whole for the next start.
int annulerEnsemble(QByteArray journal, const std::vector<MembreEnsemble>& membres);
// The files of a set left for the next start: no write of this run may change them
// (fichierEnSuspens), until a start takes the sets up and forgets them.
void marquerEnSuspens(const std::vector<MembreEnsemble>& membres);
void oublierEnSuspens();

// --- The start (Reprise_Ensembles.cpp) ---
// The folders sets are written into: the program folder, the folders right inside it (the
// stations' own backup folders) and `autres`.
QStringList dossiersEnsembles(const QString& programme, const QStringList& autres);
// The scratch names that journals kept for later or set aside name: the clean-up leaves them.
// `tousLus` false when a journal could not be read (its names are not known).
QSet<QString> nommesParJournaux(const QString& dossier, bool& tousLus);

} // namespace plateforme::interne
