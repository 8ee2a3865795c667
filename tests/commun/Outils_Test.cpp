#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Ansi.h"
#include "platform/Appels_Systeme.h"
#include "platform/Fichiers.h"
#include "platform/Horloge.h"
#include "platform/Imprimante.h"
#include "platform/Reglages.h"
#include "qsl/Select_QSO.h"
#include "reports/Recherche_Indicatif.h"
#include "station/Cles_Registre.h"
#include "station/Couleurs_Etat.h"
#include "station/Gardes_Ecriture.h"
#include "station/Listes.h"
#include "station/Modele_Liste_QSO.h"
#include "station/Vue_Liste_QSO.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

Environnement::Environnement(bool modeles)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages_.path());
    ancienneExecution_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(execution_.path()));
    plateforme::synchroniserSurDisque(false);
    station::autoriserTousLesJournaux();
    // The program folder is a folder inside the temporary one, so that whatever the program
    // reads or writes beside its folder stays inside it too and goes with it.
    QDir().mkpath(dossier());
    plateforme::definirDossierProgramme(dossier());
    if (modeles)
        plateforme::installerModeles(dossierModeles());
    Prog() = Variables_Programme{};
    plateforme::libererHorloge();
    plateforme::reinitialiserFinProgramme();
    plateforme::definirFinProgramme([this] { fin_ = true; });
    plateforme::installerRepondeur([this](const QString& t, plateforme::Boutons b, plateforme::Icone i) {
        messages.push_back({t, b, i});
        if (!reponses.empty()) {
            const auto r = reponses.front();
            reponses.pop_front();
            return r;
        }
        switch (b) {
        case plateforme::Boutons::OuiNon:
        case plateforme::Boutons::OuiNonAnnuler:
            return plateforme::Reponse::Oui;
        default:
            return plateforme::Reponse::Ok;
        }
    });
    Installer_Fenetres_Rapports();
    Installer_Fenetres_Etiquettes();
    plateforme::Imprimante::instance().KillDoc();
    plateforme::definirDossierImpression(impressions_.path());
    plateforme::installerRepondeurImpression([this] {
        ++dialoguesImpression;
        if (reponsesImpression.empty())
            return true;
        const bool r = reponsesImpression.front();
        reponsesImpression.pop_front();
        return r;
    });
}

Environnement::~Environnement()
{
    if (ancienneExecution_.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", ancienneExecution_);
    Detruire_Fenetres_Rapports();
    Carnet::detruireInstance();
    plateforme::retirerRepondeur();
    plateforme::Imprimante::instance().KillDoc();
    plateforme::retirerRepondeurImpression();
    plateforme::definirDossierImpression(QString());
    plateforme::definirFinProgramme(nullptr);
    plateforme::reinitialiserFinProgramme();
    plateforme::libererHorloge();
    Prog() = Variables_Programme{};
}

QString Environnement::dossier() const
{
    return programme_.path() + QStringLiteral("/Velmarin");
}

QString Environnement::chemin(const QString& nom) const
{
    return dossier() + QLatin1Char('/') + nom;
}

QString Environnement::dossierImpression() const
{
    return impressions_.path();
}

int Environnement::travauxImprimes() const
{
    return int(QDir(impressions_.path()).entryList({QStringLiteral("job-*.pdf")}, QDir::Files).size());
}

QString Environnement::texteImprime(int n) const
{
    const QString pdf = impressions_.path() + QStringLiteral("/job-%1.pdf").arg(n);
    if (!QFile::exists(pdf))
        return QString();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                          QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList Environnement::lignesImprimees(int n) const
{
    return lignesNonVides(texteImprime(n));
}

namespace {

QString sortiePdf(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QList<MotImprime> motsImprimes(const QString& pdf)
{
    const QString html = sortiePdf(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                                   QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    static const QRegularExpression balise(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    constexpr double mm = 25.4 / 72;
    QList<MotImprime> mots;
    int page = 0;
    for (auto it = balise.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        QString texte = m.captured(5);
        texte.replace(QLatin1String("&amp;"), QLatin1String("&")).replace(QLatin1String("&apos;"), QLatin1String("'"));
        texte.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&gt;"), QLatin1String(">"));
        texte.replace(QLatin1String("&quot;"), QLatin1String("\""));
        mots.append({page, m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm, m.captured(3).toDouble() * mm,
                     m.captured(4).toDouble() * mm, texte});
    }
    return mots;
}

int pagesImprimees(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto m = pages.match(sortiePdf(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList lignesNonVides(const QString& texte)
{
    QStringList l;
    for (const QString& ligne : texte.split(QLatin1Char('\n')))
        if (!ligne.trimmed().isEmpty())
            l << ligne.simplified();
    return l;
}

QStringList Environnement::textes() const
{
    QStringList l;
    for (const auto& m : messages)
        l << m.texte;
    return l;
}

void Environnement::fixerHorloge(const QDateTime& utc, int decalageSecondes)
{
    plateforme::fixerHorloge(utc, decalageSecondes);
}

QString dossierModeles()
{
    return QStringLiteral(VELMARIN_MODELES);
}

QString dossierDonnees()
{
    return QStringLiteral(VELMARIN_DONNEES_TEST);
}

QByteArray lireOctets(const QString& cheminComplet)
{
    QFile f(cheminComplet);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

std::map<QString, QByteArray> instantane(const QString& dossier)
{
    std::map<QString, QByteArray> fichiers;
    const auto noms = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    for (const QString& n : noms)
        fichiers[n] = lireOctets(dossier + QLatin1Char('/') + n);
    return fichiers;
}

void ecrireOctets(const QString& cheminComplet, const QByteArray& octets)
{
    QFile f(cheminComplet);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(octets);
}

QByteArray enAnsi(const QStringList& lignes)
{
    QString t;
    for (const QString& l : lignes)
        t += l + QStringLiteral("\r\n");
    return plateforme::versAnsi(t);
}

void taper(QWidget* controle, const QString& texte)
{
    for (QChar c : texte) {
        if (c.unicode() < 128) {
            QTest::keyClick(controle, c.toLatin1());
        } else {
            QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(controle, &appui);
            QKeyEvent relache(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(controle, &relache);
        }
    }
}

void entree(QWidget* controle)
{
    QTest::keyClick(controle, Qt::Key_Return);
}

QString ligneQSO(const QString& date, const QString& indicatif, const QString& debut, const QString& bande,
                 const QString& prenom)
{
    station::Ligne_QSO l;
    l.Date_QSO = date;
    l.Indicatif_QSO = indicatif;
    l.Heure_Debut = debut;
    l.Heure_Fin = debut;
    l.Bande_QSO = bande;
    l.Mode_QSO = QStringLiteral("SSB");
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("59");
    l.Prenom_QSO = prenom;
    l.Distance_QSO = QStringLiteral("?");
    l.Azimut_QSO = QStringLiteral("?");
    return l.texte();
}

QStringList journalEssai(int n)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << ligneQSO(QStringLiteral("01/03/24"), QStringLiteral("F1A%1").arg(i, 3, 10, QLatin1Char('0')),
                      QStringLiteral("10:%1").arg(i % 60, 2, 10, QLatin1Char('0')));
    return l;
}

QString ligneEtat(const QString& indicatif, const QString& bande, const QString& departement,
                  const QString& locator, const QString& etat, const QString& date)
{
    station::Ligne_QSO l = station::Ligne_QSO::depuis(ligneQSO(date, indicatif, QStringLiteral("10:00"), bande));
    l.Departement_QSO = departement;
    l.Locator_QSO = locator;
    l.Etat_QSL = etat;
    return l.texte();
}

QStringList lignesJournal(const Environnement& env, const QString& indicatif)
{
    QStringList l = plateforme::depuisAnsi(lireOctets(env.chemin(indicatif + QStringLiteral(".log"))))
                        .split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

QString reglage(const QString& section, const QString& cle)
{
    return plateforme::GetSetting(Cles_Registre::Application, section, cle, Absent);
}

void ecrireReglage(const QString& section, const QString& cle, const QString& valeur)
{
    plateforme::SaveSetting(Cles_Registre::Application, section, cle, valeur);
}

QString reglageSetup(const QString& cle)
{
    return reglage(Cles_Registre::Section_Setup, cle);
}

QString reglageStation(const QString& indicatif, const QString& cle)
{
    return reglage(Cles_Registre::Section_Station(indicatif), cle);
}

void ecrireReglageStation(const QString& indicatif, const QString& cle, const QString& valeur)
{
    ecrireReglage(Cles_Registre::Section_Station(indicatif), cle, valeur);
}

Carnet& demarrerStation(Environnement& env, const StationTest& s)
{
    using namespace Cles_Registre;
    ecrireReglage(Section_Setup, Indicatif_Station, s.indicatif);
    ecrireReglage(Section_Setup, Locator_Station, s.locator);
    const auto ecrire = [&s](const QString& cle, const QString& valeur) {
        ecrireReglageStation(s.indicatif, cle, valeur);
    };
    const auto option = [&ecrire](const QString& cle, const std::optional<bool>& valeur) {
        if (valeur)
            ecrire(cle, *valeur ? Vrai : Faux);
    };
    if (!s.activites.isEmpty()) {
        ecrire(NB_Activite, QString::number(s.activites.size()));
        for (int i = 0; i < s.activites.size(); ++i)
            ecrire(Activite_N(i), s.activites.at(i));
        ecrire(Activite, QStringLiteral("0"));
    }
    if (s.bande)
        ecrire(Bande_Utilisee, QString::number(*s.bande));
    if (s.mode)
        ecrire(Mode_Utilise, QString::number(*s.mode));
    option(Date_Automatique, s.dateAuto);
    option(Heure_UTC, s.utc);
    option(Separateur, s.separateurs);
    for (const QString& suffixe : s.fichiers) {
        const QString modele = env.chemin(Indicatif_Vide + suffixe);
        if (QFile::exists(modele))
            QFile::copy(modele, env.chemin(s.indicatif + suffixe));
        else
            ecrireOctets(env.chemin(s.indicatif + suffixe), QByteArray());
    }
    ecrireOctets(env.chemin(s.indicatif + QStringLiteral(".log")), enAnsi(s.journal));
    if (s.nomenclature)
        ecrireOctets(env.chemin(QStringLiteral("Nomenclature.txt")), enAnsi(*s.nomenclature));
    if (s.horloge)
        env.fixerHorloge(*s.horloge, 3600);
    Carnet& c = Carnet::instance();
    c.Form_Load();
    env.oublierMessages();
    return c;
}

// The whole chain, from the band to the remarks, following the focus as the operator does.
void taperQSO(Carnet& c, const QSO& q)
{
    entree(c.Bande_A);
    saisir(c.Indicatif_A, q.indicatif);
    if (aLeFocus(c, c.Depart_A)) {
        c.Depart_A->clear();
        saisir(c.Depart_A, q.departement);
    }
    if (aLeFocus(c, c.Locator_A)) {
        c.Locator_A->clear();
        saisir(c.Locator_A, q.locator);
    }
    QVERIFY(aLeFocus(c, c.Mode_A));
    entree(c.Mode_A);
    c.Activ_A->setCurrentIndex(q.activite);
    entree(c.Activ_A);
    if (aLeFocus(c, c.Date_A)) {
        saisir(c.Date_A, q.date);
        saisir(c.Debut_A, q.debut);
        if (q.fin.isEmpty())
            taper(c.Fin_A, QStringLiteral("+"));
        else
            saisir(c.Fin_A, q.fin);
    }
    if (aLeFocus(c, c.RSTE_A))
        entree(c.RSTE_A);
    entree(c.RSTR_A);
    saisir(c.Prenom_A, q.prenom);
    saisir(c.QTH_A, q.qth);
    saisir(c.Remarques_A, q.remarques);
    QVERIFY(c.Enregistrer->isEnabled());
}

bool aLeFocus(const QWidget& fenetre, QWidget* controle)
{
    QWidget* f = fenetre.focusWidget();
    if (auto* cb = qobject_cast<QComboBox*>(controle))
        return f == cb || f == cb->lineEdit();
    return f == controle;
}

void saisir(QWidget* champ, const QString& texte)
{
    taper(champ, texte);
    entree(champ);
}

QWidget* fenetre(const QString& nom)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == nom)
            return w;
    return nullptr;
}

QStringList elements(const QComboBox* liste)
{
    QStringList t;
    for (int i = 0; i < liste->count(); ++i)
        t << liste->itemText(i);
    return t;
}

QStringList elements(const QListWidget* liste)
{
    QStringList t;
    for (int i = 0; i < liste->count(); ++i)
        t << liste->item(i)->text();
    return t;
}

QStringList elements(const Vue_Liste_QSO* liste)
{
    return liste->modele()->items();
}

// --- Award status lines and their colours -----------------------------------------------------------

QString ligneDepartement(const QString& code, const QString& bande, QChar etat, const QString& nom)
{
    QString bandes(17, QLatin1Char('0'));
    const auto i = station::Liste_Bandes().indexOf(bande);
    if (i >= 0)
        bandes[i] = etat;
    return code + QLatin1Char(' ') + bandes + QLatin1Char(' ') + nom;
}

QString ligneCarre(const QString& carre, const QString& bande, QChar etat)
{
    QString bandes(8, QLatin1Char('0'));
    const auto i = station::Liste_Bandes().indexOf(bande) - station::NombreBandesHF;
    if (i >= 0)
        bandes[i] = etat;
    return carre + QLatin1Char(' ') + bandes;
}

const QColor Contacte = Couleurs_Etat::depuisBGR(0xC0C0FF);
const QColor Envoyee = Couleurs_Etat::depuisBGR(0xFFFF);
const QColor Recue = Couleurs_Etat::depuisBGR(0xFFFF80);
const QColor Confirme = Couleurs_Etat::depuisBGR(0x80FF80);
const QColor JauneClair = Couleurs_Etat::depuisBGR(0xC0FFFF);


// ---- Faults of the system calls ----

namespace {

struct EtatPanne {
    std::function<Effet(int)> regle;
    int erreur = 0;
    int appels = 0;
};

EtatPanne g_pannes[7];

// What the next call of `a` does: true when it must fail (errno set); kills before it if asked.
bool avant(Appel a)
{
    EtatPanne& p = g_pannes[int(a)];
    const Effet e = p.regle ? p.regle(++p.appels) : Effet::Normal;
    if (e == Effet::TuerAvant)
        ::kill(::getpid(), SIGKILL);
    if (e == Effet::Echec) {
        errno = p.erreur;
        return true;
    }
    return false;
}

template <class R>
R apres(Appel a, R resultat)
{
    const EtatPanne& p = g_pannes[int(a)];
    if (p.regle && p.regle(p.appels) == Effet::TuerApres)
        ::kill(::getpid(), SIGKILL);
    return resultat;
}

ssize_t ecrirePanne(int fd, const void* o, size_t t)
{
    return avant(Appel::Write) ? -1 : apres(Appel::Write, ::write(fd, o, t));
}
int fsyncPanne(int fd)
{
    return avant(Appel::Fsync) ? -1 : apres(Appel::Fsync, ::fsync(fd));
}
int fdatasyncPanne(int fd)
{
    return avant(Appel::Fdatasync) ? -1 : apres(Appel::Fdatasync, ::fdatasync(fd));
}
int renamePanne(const char* a, const char* n)
{
    return avant(Appel::Rename) ? -1 : apres(Appel::Rename, ::rename(a, n));
}
int linkPanne(const char* a, const char* n)
{
    return avant(Appel::Link) ? -1 : apres(Appel::Link, ::link(a, n));
}
int flockPanne(int fd, int op)
{
    return avant(Appel::Flock) ? -1 : apres(Appel::Flock, ::flock(fd, op));
}
// A failed close still closes the file, as the system's does.
int closePanne(int fd)
{
    if (avant(Appel::Close)) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    return apres(Appel::Close, ::close(fd));
}

void brancher(Appel a, bool panne)
{
    plateforme::AppelsSysteme& t = plateforme::appelsSysteme();
    switch (a) {
    case Appel::Write:
        t.write = panne ? ecrirePanne : ::write;
        break;
    case Appel::Fsync:
        t.fsync = panne ? fsyncPanne : ::fsync;
        break;
    case Appel::Fdatasync:
        t.fdatasync = panne ? fdatasyncPanne : ::fdatasync;
        break;
    case Appel::Rename:
        t.rename = panne ? renamePanne : ::rename;
        break;
    case Appel::Link:
        t.link = panne ? linkPanne : ::link;
        break;
    case Appel::Flock:
        t.flock = panne ? flockPanne : ::flock;
        break;
    case Appel::Close:
        t.close = panne ? closePanne : ::close;
        break;
    }
}

} // namespace

namespace {

// The signal that ended a child doing `preparer` then `action`; 0 when it ended by itself.
int signalDeFin(const std::function<void()>& preparer, const std::function<void()>& action)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return 0;
    if (pid == 0) {
        preparer();
        try {
            action();
        } catch (...) {
        }
        ::_exit(0);
    }
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    return WIFSIGNALED(statut) ? WTERMSIG(statut) : 0;
}

} // namespace

bool tuerAvantAppel(Appel appel, int n, const std::function<void()>& action)
{
    return signalDeFin([] {}, [&] {
        const Panne panne(appel, n, Effet::TuerAvant);
        action();
    }) == SIGKILL;
}

bool tuerAuDelaDe(qint64 octets, const std::function<void()>& action)
{
    const auto limiter = [octets] {
        const rlimit pasDeCoeur{0, 0};
        ::setrlimit(RLIMIT_CORE, &pasDeCoeur);
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit taille{};
        ::getrlimit(RLIMIT_FSIZE, &taille);
        taille.rlim_cur = rlim_t(octets);
        ::setrlimit(RLIMIT_FSIZE, &taille);
    };
    return signalDeFin(limiter, action) == SIGXFSZ;
}

AutreCopie::AutreCopie(const std::function<bool()>& action)
{
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        const char c = action() ? 'x' : 'e';
        if (::write(tube[1], &c, 1) != 1)
            ::_exit(2);
        ::pause();
        ::_exit(0);
    }
    ::close(tube[1]);
    char c = 0;
    reussie_ = pid_ > 0 && ::read(tube[0], &c, 1) == 1 && c == 'x';
    ::close(tube[0]);
}

AutreCopie::~AutreCopie()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

Panne::Panne(Appel appel, std::function<Effet(int)> regle, int erreur) : appel_(appel)
{
    g_pannes[int(appel)] = {std::move(regle), erreur, 0};
    brancher(appel, true);
}

Panne::Panne(Appel appel, int n, Effet effet, int erreur, bool toutes)
    : Panne(appel, [=](int numero) { return numero == n || (toutes && numero > n) ? effet : Effet::Normal; }, erreur)
{
}

Panne::~Panne()
{
    brancher(appel_, false);
    g_pannes[int(appel_)] = {};
}

int Panne::appels() const
{
    return g_pannes[int(appel_)].appels;
}

} // namespace test
