#pragma once
// What the files of the file door share and the rest of the program does not see.
#include "platform/Appels_Systeme.h"
#include "platform/Fichiers.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace plateforme::interne {

// --- Errors (Erreurs.cpp) ---
// The error number of a failed QFile operation on `chemin`.
int numeroErreur(QFileDevice::FileError e, const QString& chemin);
QString raisonErreur(int numero);
[[noreturn]] void lever(const QString& chemin, int numero);
// The error number and the French cause of a failed system call (errno `e`).
int numeroErrno(int e);
QString raisonErrno(int e, bool creation);
[[noreturn]] void leverErrno(const QString& chemin, int e, bool creation = false);

// --- The disk (Disque.cpp) ---
AppelsSysteme& sys();
QByteArray nomSysteme(const QString& chemin);
bool existeFichier(const QByteArray& nom);
bool toutEcrire(int fd, const char* octets, qsizetype taille);
// Whether writes are pushed to the disk (synchroniserSurDisque).
bool synchronisationsActives();
int synchroniserFichier(int fd);
int synchroniserDossier(const QString& dossier);

// --- Paths (Chemins.cpp) ---
QString dossierDe(const QString& chemin);
QString cheminTelQuel(const QString& nom);
// The path with every symbolic link resolved, its folder's when the file does not exist.
QString cheminReel(const QString& chemin);

// --- Refusals (Refus.cpp) ---
// Raises the refusal a write of the file `chemin` (full path) would meet.
void verifierCible(const QString& chemin);
// Whether `chemin` is a file of a set left for the next start (Ensembles.cpp).
bool fichierEnSuspens(const QString& chemin);
void refuserSiEnSuspens(const QString& chemin);

// --- The door's own names (Noms.cpp) ---
QByteArray debutBrouillon(const QString& cible);
int creerBrouillon(const QString& cible, QByteArray& nom);
QByteArray secondNom(const QString& cible);

// --- The whole-file replacement (Remplacement.cpp) ---
// A new content written and synced beside its target, not yet in place.
struct Brouillon {
    QString cible;    // the file it replaces (a link followed)
    QByteArray nom;   // the scratch file, in the system's encoding
};
Brouillon ecrireBrouillon(const QString& cibleDemandee, const QByteArray& contenu);
// The same with the content given as pieces, written one after the other.
Brouillon ecrireBrouillon(const QString& cibleDemandee, const QList<QByteArrayView>& morceaux);
void renommerEnPlace(const QByteArray& source, const QString& cible, bool creation = false);
void ecrireAtomique(const QString& cibleDemandee, const QByteArray& contenu);
void ecrireAtomique(const QString& cibleDemandee, const QList<QByteArrayView>& morceaux);

// --- Appends (Ajouts.cpp) ---
// Appends whole lines, encoded, all or nothing; a killed program leaves the file old or new:
// a text that would cross a page of the file goes in by a whole-file replacement.
void ajouterSansDechirure(const QString& nom, const QByteArray& texte);
// Appends whole lines in one write whatever the file: a killed program may leave the start of
// the text without its end, which the file's reader sets aside.
void ajouterDUnTrait(const QString& nom, const QByteArray& texte);

} // namespace plateforme::interne
