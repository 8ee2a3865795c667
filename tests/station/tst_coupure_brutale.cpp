// Killed at any moment: a child process appends to and rewrites the log, marks the award
// files and updates the directory in a loop, and is killed (SIGKILL) at random instants a few
// hundred times. Before each write it tells the parent the file's content before and after;
// after each kill every data file must be exactly one of the two, and the logbook must start.
// A log append is one write, which a kill may cut at a memory page: the log may also hold the
// old content and the start of the new record, which the next load sets aside.
#include "commun/Outils_Test.h"

#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Fichiers_Etat.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Nomenclature.h"
#include "station/Variables_Programme.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <fcntl.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Indicatif = QStringLiteral("F5KIL");
const QString Bande = QStringLiteral("144 Mhz");

QString fichierJournal() { return Indicatif + QStringLiteral(".log"); }
QString fichierDepartement() { return Indicatif + QStringLiteral("_Departement.txt"); }
QString fichierPrefixe() { return Indicatif + QStringLiteral("_Prefixe.txt"); }
const QString& fichierNomenclature() { return station::FichierNomenclature; }

QByteArray empreinte(const QByteArray& octets)
{
    return QCryptographicHash::hash(octets, QCryptographicHash::Sha1).toHex();
}

QByteArray contenu(const QString& nom)
{
    return test::lireOctets(plateforme::chemin(nom));
}

QByteArray encoder(const QStringList& lignes)
{
    return test::enAnsi(lignes);
}

// ---- The child: writes for ever, announcing each one ----

// `aussi`: other contents the file may be left with (a record whose line end was cut).
void annoncer(int fd, const QString& nom, const QByteArray& avant, const QByteArray& apres,
              const QList<QByteArray>& aussi = {})
{
    QByteArray ligne = nom.toUtf8() + '\t' + empreinte(avant) + '\t' + empreinte(apres);
    for (const QByteArray& a : aussi)
        ligne += '\t' + empreinte(a);
    ligne += '\n';
    if (::write(fd, ligne.constData(), size_t(ligne.size())) != ligne.size())
        ::_exit(2);
}

[[noreturn]] void enfant(int fd, quint32 graine)
{
    QRandomGenerator hasard(graine);
    Prog().Indicatif_Station = Indicatif;
    for (int pas = 0;; ++pas) {
        const int k = int(hasard.bounded(1000));
        switch (pas % 5) {
        case 0:
        case 1: {
            const QByteArray avant = contenu(fichierJournal());
            const QString ligne = test::ligneQSO(QStringLiteral("01/03/24"), QStringLiteral("F1K%1").arg(k),
                                                 QStringLiteral("10:%1").arg(k % 60, 2, 10, QLatin1Char('0')));
            QByteArray apres = avant;
            if (apres.endsWith('\r'))
                apres += '\n';
            else if (!apres.isEmpty() && !apres.endsWith('\n'))
                apres += "\r\n";
            apres += encoder({ligne});
            annoncer(fd, fichierJournal(), avant, apres, {apres.chopped(2), apres.chopped(1)});
            Ajoute_QSO_Log(ligne);
            break;
        }
        case 2: {
            QStringList lignes = plateforme::lireLignes(fichierJournal());
            if (lignes.size() > 40)
                lignes = lignes.mid(10);
            annoncer(fd, fichierJournal(), contenu(fichierJournal()), encoder(lignes));
            plateforme::ecrireOctets(station::nomJournal(Indicatif), encoder(lignes));
            break;
        }
        case 3: {
            const QString departement = QString::number(k % 95 + 1).rightJustified(2, QLatin1Char('0'));
            const QString etat = (pas / 5) % 2 ? QStringLiteral("1") : QStringLiteral("0");
            QStringList lignes = plateforme::lireLignes(fichierDepartement());
            for (QString& l : lignes)
                if (l.left(2) == departement)
                    l = station::remplaceCaractere(l, station::colonneDepartement(Bande), etat);
            annoncer(fd, fichierDepartement(), contenu(fichierDepartement()), encoder(lignes));
            Ecrit_Etat_Departement(departement, etat, Bande);
            // The prefix file through its scratch file (the state only goes from 0 to 1).
            const QString indicatif = QStringList{QStringLiteral("DL1AB"), QStringLiteral("G4XY"),
                                                  QStringLiteral("EA3ZZ"), QStringLiteral("I2AA")}.at(k % 4);
            lignes = plateforme::lireLignes(fichierPrefixe());
            const int i = station::premierPrefixe(lignes, indicatif);
            const int colonne = station::colonnePrefixe(Bande);
            if (i >= 0 && colonne > 0 && lignes[i].mid(colonne - 1, 1) == QLatin1String("0"))
                lignes[i] = station::remplaceCaractere(lignes[i], colonne, QStringLiteral("1"));
            annoncer(fd, fichierPrefixe(), contenu(fichierPrefixe()), encoder(lignes));
            QString e, pays, prefixe;
            Ecrit_Etat_Prefixe(indicatif, Bande, e, pays, prefixe);
            break;
        }
        case 4: {
            const QString indicatif = QStringLiteral("F1N%1").arg(k % 30);
            const QString departement = QString::number(k % 95 + 1);
            const QString locator = QStringLiteral("JN%1AA").arg(k % 100, 2, 10, QLatin1Char('0'));
            const QString nouvelle = station::ligneNomenclature(indicatif, departement, locator);
            QStringList lignes = plateforme::lireLignes(fichierNomenclature());
            bool trouve = false;
            for (QString& l : lignes) {
                if (station::cleNomenclature(l) == indicatif) {
                    l = nouvelle;
                    trouve = true;
                }
            }
            if (!trouve)
                lignes << nouvelle;
            annoncer(fd, fichierNomenclature(), contenu(fichierNomenclature()), encoder(lignes));
            MAJ_Nomenclature(indicatif, departement, locator);
            break;
        }
        }
    }
}

// The values of a settings file as Qt reads them, one "key=value" line each, in key order.
QByteArray valeursReglages(const QString& fichier)
{
    QByteArray texte;
    const QSettings s(fichier, QSettings::IniFormat);
    QStringList cles = s.allKeys();
    cles.sort();
    for (const QString& cle : cles)
        texte += (cle + QLatin1Char('=') + s.value(cle).toString()).toUtf8() + '\n';
    return texte;
}

// The settings child: changes one key after another for ever, announcing the file's values
// before and after each change.
[[noreturn]] void enfantReglages(int fd, quint32 graine)
{
    QRandomGenerator hasard(graine);
    plateforme::synchroniserSurDisque(true);
    const QString fichier = plateforme::fichierReglages(Cles_Registre::Application);
    for (int n = 0;;) {
        const QString section = hasard.bounded(2) ? Cles_Registre::Section_Setup : Cles_Registre::Section_Station(Indicatif);
        const QString cle = QStringLiteral("Cle %1").arg(hasard.bounded(40));
        const QString valeur = QStringLiteral("valeur é %1").arg(hasard.generate());
        const QByteArray avant = valeursReglages(fichier);
        // The values after the change, foreseen on a copy beside the program folder (a new
        // name each time: Qt would take a file of the same size and time for the one it read,
        // and a killed child leaves its copy).
        const QString prevision =
            plateforme::dossierProgramme() + QStringLiteral("/../prevision-%1-%2.ini").arg(::getpid()).arg(++n);
        if (QFile::exists(fichier) && !QFile::copy(fichier, prevision))
            ::_exit(4);
        QSettings(prevision, QSettings::IniFormat).setValue(section + QLatin1Char('/') + cle, valeur);
        annoncer(fd, QStringLiteral("reglages"), avant, valeursReglages(prevision));
        QFile::remove(prevision);
        if (!plateforme::SaveSetting(Cles_Registre::Application, section, cle, valeur))
            ::_exit(3);
    }
}

// Starts `enfant` in a child process and, once it has announced its first write, kills it at a
// random instant of its next few writes. `recu` gets every announcement. False when the child
// stopped by itself.
bool tuerEnPleinTravail(QRandomGenerator& hasard, int delaiMaxMicro, void (*enfant)(int, quint32), QByteArray& recu)
{
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0)
        return false;
    const quint32 graine = hasard.generate();
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::close(tube[0]);
        enfant(tube[1], graine);
    }
    ::close(tube[1]);
    char tampon[65536];
    while (!recu.contains('\n')) {
        const ssize_t n = ::read(tube[0], tampon, sizeof tampon);
        if (n <= 0)
            break;
        recu.append(tampon, n);
    }
    ::usleep(useconds_t(hasard.bounded(0, delaiMaxMicro)));
    ::kill(pid, SIGKILL);
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
        recu.append(tampon, n);
    ::close(tube[0]);
    return WIFSIGNALED(statut);
}

QStringList fichiersDe(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// The log, cut in the middle of an append, back to `empreinteAvant` (the content before it)
// once the load has set the start of the record aside into the side file.
bool miseDeCote(const QByteArray& empreinteAvant)
{
    const QByteArray octets = contenu(fichierJournal());
    const qsizetype debut = plateforme::debutLigneInachevee(octets, station::LongueurLigneQSO);
    if (debut < 0)
        return false;
    const QString cote = station::nomQSOIncomplets(Indicatif);
    const QByteArray coteAvant = plateforme::existe(cote) ? contenu(cote) : QByteArray();
    if (!plateforme::deplacerFin(fichierJournal(), octets.size(), debut, cote))
        return false;
    return empreinte(contenu(fichierJournal())) == empreinteAvant &&
           contenu(cote) == coteAvant + octets.mid(debut) + "\r\n";
}

} // namespace

class TestCoupureBrutale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tueAuHasard()
    {
        test::Environnement env;
        for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                       QStringLiteral("_Prefixe.txt"), QStringLiteral(".log")})
            plateforme::copier(QStringLiteral("FXXXX") + suffixe, Indicatif + suffixe);
        const QStringList fichiers = {fichierJournal(), fichierDepartement(), fichierPrefixe(), fichierNomenclature()};

        QRandomGenerator hasard(20261208);
        constexpr int Coupures = 300;
        int annonces = 0;
        int dechirures = 0;
        for (int coupure = 0; coupure < Coupures; ++coupure) {
            std::map<QString, QByteArray> avant;
            for (const QString& f : fichiers)
                avant[f] = empreinte(contenu(f));
            QByteArray recu;
            QVERIFY(tuerEnPleinTravail(hasard, 5000, enfant, recu));

            // The last announcement of each file: its content before and after that write.
            std::map<QString, QList<QByteArray>> derniere;
            for (const QByteArray& ligne : recu.split('\n')) {
                const QList<QByteArray> champs = ligne.split('\t');
                if (champs.size() >= 3) {
                    derniere[QString::fromUtf8(champs[0])] = champs.mid(1);
                    ++annonces;
                }
            }
            for (const QString& f : fichiers) {
                const QByteArray maintenant = empreinte(contenu(f));
                const auto it = derniere.find(f);
                if (it == derniere.end()) {
                    QVERIFY2(maintenant == avant[f], qPrintable(QStringLiteral("%1 changed unannounced (kill %2)").arg(f).arg(coupure)));
                } else if (!it->second.contains(maintenant)) {
                    // Only the log may hold a torn record, and the load puts it aside.
                    QVERIFY2(f == fichierJournal() && miseDeCote(it->second.first()),
                             qPrintable(QStringLiteral("%1 is neither its old nor its new content (kill %2, %3 bytes, ends %4)")
                                            .arg(f)
                                            .arg(coupure)
                                            .arg(contenu(f).size())
                                            .arg(QString::fromLatin1(contenu(f).right(12).toHex()))));
                    ++dechirures;
                }
            }
        }
        qInfo("%d kills, %d announced writes, %d torn records set aside", Coupures, annonces, dechirures);
        // The kills came in the middle of the work, not before it.
        QVERIFY2(annonces > Coupures, qPrintable(QString::number(annonces)));

        // The next start loads the log whole and says nothing.
        const QStringList lignes = plateforme::lireLignes(fichierJournal());
        for (const QString& l : lignes)
            QCOMPARE(l.size(), station::LongueurLigneQSO);
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Indicatif_Station, Indicatif);
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Locator_Station, QStringLiteral("JN03TJ"));
        Carnet& c = Carnet::instance();
        c.Form_Load();
        QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
        QCOMPARE(c.Liste_QSO->count(), lignes.size());
        for (const QString& l : station::lireNomenclature())
            QVERIFY(l.startsWith(QStringLiteral("F1N")));
    }

    // Settings writes killed at random: the file is always its old or new self, and the next
    // start neither waits on the lock nor keeps the scratch files.
    void reglagesTuesAuHasard()
    {
        test::Environnement env;
        for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                       QStringLiteral("_Prefixe.txt"), QStringLiteral(".log")})
            plateforme::copier(QStringLiteral("FXXXX") + suffixe, Indicatif + suffixe);
        const QString fichier = plateforme::fichierReglages(Cles_Registre::Application);
        const QString reglages = QFileInfo(fichier).absolutePath();
        QRandomGenerator hasard(20261209);
        constexpr int Coupures = 150;
        for (int coupure = 0; coupure < Coupures; ++coupure) {
            QByteArray recu;
            QVERIFY(tuerEnPleinTravail(hasard, 3000, enfantReglages, recu));
            QList<QByteArray> champs;
            for (const QByteArray& ligne : recu.split('\n'))
                if (ligne.split('\t').size() == 3)
                    champs = ligne.split('\t');
            QVERIFY(champs.size() == 3);
            const QByteArray maintenant = empreinte(valeursReglages(fichier));
            QVERIFY2(maintenant == champs[1] || maintenant == champs[2], qPrintable(QString::number(coupure)));
        }

        // What a kill may leave, planted so that the start has something to remove for sure,
        // beside files that are not the program's leftovers: the operator's own, whatever their
        // names look like.
        const auto planter = [](const QString& chemin) { test::ecrireOctets(chemin, "reste\r\n"); };
        const QStringList restes = {QStringLiteral(".F5KIL.log~velmarin~Ab3xY9"), QStringLiteral("Temporaire.txt"),
                                    QStringLiteral("Temporaire2.txt")};
        const QStringList autres = {QStringLiteral(".F5KIL.log~velmarin~Ab3xY9.bak"), QStringLiteral("Temporaire_notes.txt"),
                                    QStringLiteral("Notes.txt"), QStringLiteral(".F5KIL.log.backup"),
                                    QStringLiteral(".F5KIL.log.Ab3xY9"), QStringLiteral("F5KIL.log~velmarin~Ab3xY9")};
        for (const QString& n : restes + autres)
            planter(env.chemin(n));
        const QStringList autresReglages = {QStringLiteral("Autre.ini.a1B2c3"), QStringLiteral("Velmarin.ini.ancien"),
                                            QStringLiteral("Velmarin.ini.backup"), QStringLiteral(".Velmarin.ini.Qw1234"),
                                            QStringLiteral(".Autre.ini~velmarin~Qw1234")};
        for (const QString& n : autresReglages)
            planter(reglages + QLatin1Char('/') + n);
        planter(reglages + QStringLiteral("/.Velmarin.ini~velmarin~Qw1234"));
        planter(reglages + QStringLiteral("/.Velmarin.ini~velmarin~Qw1234.lock"));
        planter(reglages + QStringLiteral("/.Velmarin.ini~velmarin~Qw1234.AbCdEf"));
        // A lock left with something in it: naming a process long gone.
        test::ecrireOctets(fichier + QStringLiteral(".verrou"), "999999\nVelmarin\nailleurs\n");

        // Another copy of the program running on the same folder: nothing of the program folder
        // is removed, since it may be writing those very files.
        {
            const test::AutreCopie autre([] {
                plateforme::nettoyerRestes(station::estFichierTemporaire);
                return true;
            });
            QVERIFY(autre.reussie());
            planter(env.chemin(QStringLiteral("Temporaire3.txt")));
            QVERIFY(plateforme::nettoyerRestes(station::estFichierTemporaire).isEmpty());
            QVERIFY(fichiersDe(env.dossier()).contains(QStringLiteral("Temporaire3.txt")));
        }

        // The next start: prompt (a lock waited for would take half a minute), the leftovers gone.
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Indicatif_Station, Indicatif);
        test::ecrireReglage(Cles_Registre::Section_Setup, Cles_Registre::Locator_Station, QStringLiteral("JN03TJ"));
        QElapsedTimer montre;
        montre.start();
        Carnet& carnet = Carnet::instance();
        carnet.Form_Load();
        QVERIFY2(montre.elapsed() < 10000, qPrintable(QString::number(montre.elapsed())));
        QVERIFY(plateforme::SaveSetting(Cles_Registre::Application, Cles_Registre::Section_Setup, QStringLiteral("Cle 0"), QStringLiteral("fin")));
        const QStringList dansProgramme = fichiersDe(env.dossier());
        for (const QString& n : restes + QStringList{QStringLiteral("Temporaire3.txt")})
            QVERIFY2(!dansProgramme.contains(n), qPrintable(n));
        for (const QString& n : autres)
            QVERIFY2(dansProgramme.contains(n), qPrintable(n));
        QStringList attendus = autresReglages + QStringList{QStringLiteral("Velmarin.ini"), QStringLiteral("Velmarin.ini.verrou")};
        attendus.sort();
        QCOMPARE(fichiersDe(reglages), attendus);
        QCOMPARE(plateforme::GetSetting(Cles_Registre::Application, Cles_Registre::Section_Setup, QStringLiteral("Cle 0"), QString()),
                 QStringLiteral("fin"));
    }

    // A save killed in the middle of its one write: the file size limit stops the write after
    // `garde` bytes of the record, and the signal the next write raises kills the program
    // there. The next start sets the start of the record aside, or keeps a record that lost
    // only its line end; every QSO saved before stays, and the saves go on.
    void enregistrementCoupe_data()
    {
        QTest::addColumn<int>("garde");
        QTest::newRow("un octet") << 1;
        QTest::newRow("au milieu") << 120;
        QTest::newRow("sans CR LF") << station::LongueurLigneQSO;
        QTest::newRow("sans LF") << station::LongueurLigneQSO + 1;
    }
    void enregistrementCoupe()
    {
        QFETCH(int, garde);
        test::Environnement env;
        test::StationTest s;
        s.indicatif = Indicatif;
        s.journal = test::journalEssai(30);
        test::demarrerStation(env, s);
        const QByteArray avant = contenu(fichierJournal());
        const QString ligne = test::ligneQSO(QStringLiteral("02/03/24"), QStringLiteral("F1KIL"), QStringLiteral("11:00"));
        const QByteArray record = encoder({ligne});
        QVERIFY2(test::tuerAuDelaDe(avant.size() + garde, [&] { Ajoute_QSO_Log(ligne); }), "the save was not killed in its write");
        QCOMPARE(contenu(fichierJournal()), avant + record.left(garde));

        Carnet::detruireInstance();
        Carnet& c = Carnet::instance();
        c.Form_Load();
        const QString cote = station::nomQSOIncomplets(Indicatif);
        int qso = 30;
        if (garde < station::LongueurLigneQSO) {
            QCOMPARE(env.textes().size(), 1);
            QVERIFY(env.textes().at(0).contains(QStringLiteral("« %1 »").arg(cote)));
            QCOMPARE(contenu(fichierJournal()), avant);
            QCOMPARE(contenu(cote), record.left(garde) + "\r\n");
        } else {
            QVERIFY2(env.messages.empty(), qPrintable(env.textes().join(QLatin1Char('|'))));
            QVERIFY(!plateforme::existe(cote));
            ++qso;
        }
        QCOMPARE(c.Liste_QSO->count(), qso);
        Ajoute_QSO_Log(ligne);
        const QStringList lignes = plateforme::lireLignes(fichierJournal());
        QCOMPARE(lignes.size(), qso + 1);
        QCOMPARE(lignes.mid(0, 30), s.journal);
        for (const QString& l : lignes)
            QCOMPARE(l.size(), station::LongueurLigneQSO);
        QVERIFY(contenu(fichierJournal()).endsWith(record));
    }
};

QTEST_MAIN(TestCoupureBrutale)
#include "tst_coupure_brutale.moc"
