#pragma once
// Shared test fixture: a temporary program folder filled with the shipped templates, a
// temporary settings folder, a fixed clock and an answerer that records every message box.
#include "platform/Dialogues.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <cerrno>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class Carnet;
class QComboBox;
class QListWidget;
class Vue_Liste_QSO;

namespace test {

struct Message {
    QString texte;
    plateforme::Boutons boutons;
    plateforme::Icone icone;
};

class Environnement {
public:
    // `modeles`: copy the shipped templates into the program folder.
    explicit Environnement(bool modeles = true);
    ~Environnement();
    Environnement(const Environnement&) = delete;
    Environnement& operator=(const Environnement&) = delete;

    QString dossier() const;            // the program folder
    QString chemin(const QString& nom) const;

    // Message boxes shown since the start (or the last `oublierMessages`).
    std::vector<Message> messages;
    QStringList textes() const;
    void oublierMessages() { messages.clear(); }
    // Answers given in order; when none is queued: Ok, or Oui for a Yes/No question.
    std::deque<plateforme::Reponse> reponses;

    // Fixes the clocks: UTC instant, local = UTC + decalage seconds.
    void fixerHorloge(const QDateTime& utc, int decalageSecondes = 3600);

    bool finDemandee() const { return fin_; }

    // Printer dialogs shown, and the answers given in order (none queued: the operator prints).
    int dialoguesImpression = 0;
    std::deque<bool> reponsesImpression;
    // Ended print jobs are written here as job-1.pdf, job-2.pdf...
    QString dossierImpression() const;
    // The number of jobs that went out.
    int travauxImprimes() const;
    // The text of job n (from 1) as laid out on the page, read back with pdftotext -layout.
    QString texteImprime(int n) const;
    // Its lines that hold text, blanks runs reduced to one.
    QStringList lignesImprimees(int n) const;

private:
    QTemporaryDir programme_;
    QTemporaryDir impressions_;
    QTemporaryDir reglages_;
    QTemporaryDir execution_;  // the runtime folder, where the settings are read from a copy
    QByteArray ancienneExecution_;
    bool fin_ = false;
};

// The folder of the shipped templates.
QString dossierModeles();
// Test data folder (tests/).
QString dossierDonnees();

// The lines of a text that hold something, each with its runs of blanks reduced to one.
QStringList lignesNonVides(const QString& texte);

// A word of a printed PDF and its box, in millimetres from the top-left corner of its page
// (read back with pdftotext -bbox); pages count from 1.
struct MotImprime {
    int page;
    double x0, y0, x1, y1;
    QString texte;
};
QList<MotImprime> motsImprimes(const QString& pdf);
// The number of pages of a PDF (0 when it cannot be read).
int pagesImprimees(const QString& pdf);

QByteArray lireOctets(const QString& cheminComplet);
// Every file of a folder (hidden ones too, not those of its subfolders) with its bytes.
std::map<QString, QByteArray> instantane(const QString& dossier);
void ecrireOctets(const QString& cheminComplet, const QByteArray& octets);
// Lines joined with CR LF (each line ended), as Windows-1252.
QByteArray enAnsi(const QStringList& lignes);

// Types text into a widget key by key (accented letters too), as an operator does.
void taper(QWidget* controle, const QString& texte);
void entree(QWidget* controle);
// Builds a 199-character record from a few fields (the others blank or defaults).
QString ligneQSO(const QString& date, const QString& indicatif, const QString& debut,
                 const QString& bande = QStringLiteral("144 Mhz"), const QString& prenom = QString());
// `n` records of 01/03/24, callsigns F1A000, F1A001... started at 10:00, 10:01...
QStringList journalEssai(int n);
// A record with the fields the award files and the QSL marks read; the others blank or defaults.
QString ligneEtat(const QString& indicatif, const QString& bande, const QString& departement,
                  const QString& locator, const QString& etat, const QString& date = QStringLiteral("01/02/24"));
// The records of a station's log, in file order.
QStringList lignesJournal(const Environnement& env, const QString& indicatif);

// --- Faults of the system calls of the file door --------------------------------------------------

enum class Appel { Write, Fsync, Fdatasync, Rename, Link, Flock, Close };
// What the n-th call (from 1) of a system call does.
enum class Effet { Normal, Echec, TuerAvant, TuerApres };

// While it lives, the calls of one kind the file door makes go through `regle`, which gets the
// number of the call and says what it does: Echec fails it with `erreur`, TuerAvant and
// TuerApres kill the program (SIGKILL, as a power cut would stop it) before or after the call
// is made. One fault per kind of call at a time.
class Panne {
public:
    Panne(Appel appel, std::function<Effet(int numero)> regle, int erreur = EIO);
    // The n-th call only (every one from the n-th when `toutes`).
    Panne(Appel appel, int n, Effet effet, int erreur = EIO, bool toutes = false);
    ~Panne();
    Panne(const Panne&) = delete;
    Panne& operator=(const Panne&) = delete;
    // The calls seen so far.
    int appels() const;

private:
    Appel appel_;
};

// `action` done by a child process killed (SIGKILL, as a power cut) before its n-th call
// `appel`. True when the child ended so.
bool tuerAvantAppel(Appel appel, int n, const std::function<void()>& action);

// `action` done by a child process that may not make any file larger than `octets`: the write
// that passes the limit is cut there and the next one kills the child (SIGXFSZ), as a kill in
// the middle of a write would. True when the child ended so.
bool tuerAuDelaDe(qint64 octets, const std::function<void()>& action);

// Another copy of the program: a child process that does `action` (true when it succeeded),
// tells the parent, then waits, keeping what it took (a lock) until it is killed with the object.
class AutreCopie {
public:
    explicit AutreCopie(const std::function<bool()>& action);
    ~AutreCopie();
    AutreCopie(const AutreCopie&) = delete;
    AutreCopie& operator=(const AutreCopie&) = delete;
    bool reussie() const { return reussie_; }

private:
    int pid_ = -1;
    bool reussie_ = false;
};

// --- Settings of the application ----------------------------------------------------------------

// What a key that is not there reads as.
inline const QString Absent = QStringLiteral("<absent>");
QString reglage(const QString& section, const QString& cle);
void ecrireReglage(const QString& section, const QString& cle, const QString& valeur);
// Section "Setup".
QString reglageSetup(const QString& cle);
// Section of a station ("Setup " followed by its callsign).
QString reglageStation(const QString& indicatif, const QString& cle);
void ecrireReglageStation(const QString& indicatif, const QString& cle, const QString& valeur);

// --- A station started in the main window ---------------------------------------------------------

struct StationTest {
    QString indicatif = QStringLiteral("F5XYZ");
    QString locator = QStringLiteral("JN03TJ");
    // Written with their count, the first one current; none: no activity setting written.
    QStringList activites = {QStringLiteral("QSO"), QStringLiteral("DFCF"), QStringLiteral("DMF"),
                             QStringLiteral("DPLF"), QStringLiteral("IOTA")};
    // Settings of the station; std::nullopt: not written (the program's default applies).
    std::optional<int> bande = 10;  // "144 Mhz"
    std::optional<int> mode = 0;
    std::optional<bool> dateAuto = true;
    std::optional<bool> utc = true;
    std::optional<bool> separateurs = true;
    // Station files copied from the FXXXX templates (an empty file where there is no template).
    QStringList fichiers = {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                            QStringLiteral("_Prefixe.txt"), QStringLiteral("_Absent.txt")};
    QStringList journal;
    // The callsign directory; std::nullopt: the installed one is kept.
    std::optional<QStringList> nomenclature = QStringList();
    // The clock fixed at this UTC instant, local time an hour ahead; std::nullopt: not fixed.
    std::optional<QDateTime> horloge = QDateTime(QDate(2024, 3, 15), QTime(14, 35, 20), Qt::UTC);
};

// Writes the station's settings and files, then starts the main window as at launch; the
// messages of the start-up are forgotten.
Carnet& demarrerStation(Environnement& env, const StationTest& station = {});

// What the operator types for one QSO; empty texts are only Enter.
struct QSO {
    QString indicatif;
    QString departement;
    QString locator;
    int activite = 0;
    QString date;     // manual date mode: typed digits
    QString debut;
    QString fin;
    QString prenom;
    QString qth;
    QString remarques;
};

// The whole entry chain, from the band to the remarks, following the focus as the operator
// does; the save button is then enabled.
void taperQSO(Carnet& c, const QSO& q);

// The focus of `fenetre` is on `controle` (for an editable combo box: on it or its line edit).
bool aLeFocus(const QWidget& fenetre, QWidget* controle);
// Types `texte` into a field, then Enter.
void saisir(QWidget* champ, const QString& texte);

// --- Windows and controls -------------------------------------------------------------------------

// The top-level window of that object name, or null.
QWidget* fenetre(const QString& nom);

// The control of that name in that window, or null.
template <class T>
T* controle(const QString& nomFenetre, const QString& nom)
{
    QWidget* f = fenetre(nomFenetre);
    return f ? f->findChild<T*>(nom) : nullptr;
}

// The texts of a list's items, in order.
QStringList elements(const QComboBox* liste);
QStringList elements(const QListWidget* liste);
// The rows of the QSO list, as it shows them.
QStringList elements(const Vue_Liste_QSO* liste);

// --- Award status lines and their colours -----------------------------------------------------------

// A department line: code, blank, 17 band digits (`etat` on `bande`, "0" elsewhere), blank, name.
QString ligneDepartement(const QString& code, const QString& bande, QChar etat, const QString& nom = QStringLiteral("Nom"));
// A square line: square, blank, 8 band digits from 50 MHz.
QString ligneCarre(const QString& carre, const QString& bande, QChar etat);

// The status colours of the grid and the maps, and the unworked cell of the square view.
extern const QColor Contacte, Envoyee, Recue, Confirme, JauneClair;

} // namespace test
