// The platform layer: settings store, program-folder files and Windows-1252 text.
#include "commun/Outils_Test.h"
#include "platform/Ansi.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QTest>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace plateforme;

namespace {

// While it lives, this thread meets the rights of files as an ordinary user does, the
// administrator too (its power to read and write any file set aside).
class SansPasseDroits {
public:
    SansPasseDroits()
    {
        ::syscall(SYS_capget, &entete_, avant_);
        __user_cap_data_struct sans[2] = {avant_[0], avant_[1]};
        sans[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &entete_, sans);
    }
    ~SansPasseDroits() { ::syscall(SYS_capset, &entete_, avant_); }
    SansPasseDroits(const SansPasseDroits&) = delete;
    SansPasseDroits& operator=(const SansPasseDroits&) = delete;

private:
    __user_cap_header_struct entete_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct avant_[2]{};
};

} // namespace

class TestPlateforme : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reglagesAllerRetour()
    {
        test::Environnement env(false);
        QCOMPARE(GetSetting("Velmarin", "Setup", "Indicatif Station", "FXXXX"), QStringLiteral("FXXXX"));
        SaveSetting("Velmarin", "Setup", "Indicatif Station", "F5ABC");
        SaveSetting("Velmarin", "Setup F5ABC", "Baud", "9600,n,8,1");
        SaveSetting("Velmarin", "Setup F5ABC", "Revision", " 5.6.9d");
        SaveSetting("Velmarin", "Setup F5ABC", "Chemin Sauvegarde", "C:\\Velmarin\\F5ABC");
        QCOMPARE(GetSetting("Velmarin", "Setup", "Indicatif Station", "FXXXX"), QStringLiteral("F5ABC"));
        QCOMPARE(GetSetting("Velmarin", "Setup F5ABC", "Baud", "0"), QStringLiteral("9600,n,8,1"));
        QCOMPARE(GetSetting("Velmarin", "Setup F5ABC", "Revision", ""), QStringLiteral(" 5.6.9d"));
        QCOMPARE(GetSetting("Velmarin", "Setup F5ABC", "Chemin Sauvegarde", ""), QStringLiteral("C:\\Velmarin\\F5ABC"));
        // "Setup" and "Setup " are two sections; another application is another file.
        QCOMPARE(GetSetting("Velmarin", "Setup ", "Indicatif Station", "FXXXX"), QStringLiteral("FXXXX"));
        SaveSetting("Velmarin", "Setup ", "Indicatif Station", "AUTRE");
        QCOMPARE(GetSetting("Velmarin", "Setup", "Indicatif Station", "FXXXX"), QStringLiteral("F5ABC"));
        QCOMPARE(GetSetting("Velmarin", "Setup ", "Indicatif Station", "FXXXX"), QStringLiteral("AUTRE"));
        QCOMPARE(GetSetting("DAI", "Setup ", "Indicatif Station", "FXXXX"), QStringLiteral("FXXXX"));
        // Keys are case-sensitive texts: "bande Utilisee" is not "Bande Utilisee".
        SaveSetting("Velmarin", "Setup F5ABC", "bande Utilisee", "10");
        QCOMPARE(GetSetting("Velmarin", "Setup F5ABC", "Bande Utilisee", "0"), QStringLiteral("0"));
    }

    void valeurNumerique()
    {
        QCOMPARE(Valeur_Numerique("12"), 12.0);
        QCOMPARE(Valeur_Numerique("-1"), -1.0);
        QCOMPARE(Valeur_Numerique("3abc"), 3.0);
        QCOMPARE(Valeur_Numerique("abc"), 0.0);
        QCOMPARE(Valeur_Numerique(""), 0.0);
        QCOMPARE(Valeur_Numerique(" 2.5"), 2.5);
    }

    void ansiAllerRetour()
    {
        const QString texte = QStringLiteral("Hélène € œ Œ ‰ “x” çàù");
        const QByteArray octets = versAnsi(texte);
        QCOMPARE(octets.size(), texte.size());
        QCOMPARE(octets.at(7), char(0x80));
        QCOMPARE(depuisAnsi(octets), texte);
        // The five bytes the code page leaves undefined come back as themselves.
        QCOMPARE(depuisAnsi(QByteArray("\x81")).at(0).unicode(), char16_t(0x81));
    }

    void lignesCRLF()
    {
        QCOMPARE(decouperLignes("a\r\nb\r\n"), QStringList({"a", "b"}));
        QCOMPARE(decouperLignes("a\nb"), QStringList({"a", "b"}));
        QCOMPARE(decouperLignes("a\r\n\r\nb"), QStringList({"a", "", "b"}));
        QCOMPARE(decouperLignes(""), QStringList());
        // The split of a file's bytes gives the same lines, whatever mix of line ends it holds.
        for (const QByteArray& octets : {QByteArray("a\r\nb\r\n"), QByteArray("a\nb"), QByteArray("a\r\n\r\nb"),
                                        QByteArray("un\rdeux\rtrois"), QByteArray("\r\n\n\r"), QByteArray("x\n\r\ny\r"),
                                        QByteArray("seule"), QByteArray()}) {
            QStringList lignes;
            for (const QByteArrayView l : decouperOctets(octets))
                lignes << QString::fromLatin1(l);
            QCOMPARE(lignes, decouperLignes(QString::fromLatin1(octets)));
        }
    }

    void ansiQuelQueSoitLaPlace()
    {
        // Every byte, at many places of a long ASCII run: decoded as on its own.
        QString attendu;
        for (int b = 0; b < 256; ++b)
            attendu += depuisAnsi(QByteArray(1, char(b)));
        QCOMPARE(attendu.at(0x80), QChar(0x20AC));
        QCOMPARE(attendu.at(0xE9), QChar(u'é'));
        for (int b = 0; b < 256; ++b) {
            for (int place = 0; place < 40; place += 3) {
                QByteArray octets(40, 'a');
                octets[place] = char(b);
                QString voulu(40, QLatin1Char('a'));
                voulu[place] = attendu.at(b);
                QCOMPARE(depuisAnsi(octets), voulu);
                // And back: every character the code page holds gives its byte again.
                if (voulu.at(place) != QChar(u'?') || b == '?')
                    QCOMPARE(versAnsi(voulu), octets);
            }
        }
        QCOMPARE(versAnsi(QString(20, QLatin1Char('a')) + QChar(0x4E2D) + QLatin1Char('b')),
                 QByteArray(20, 'a') + "?b");
    }

    void fichiersDuDossierProgramme()
    {
        test::Environnement env(false);
        ecrireLignes("F5ABC.log", {"un", "Hélène"});
        QCOMPARE(test::lireOctets(env.chemin("F5ABC.log")), QByteArray("un\r\nH\xE9l\xE8ne\r\n"));
        // Names are matched without regard to case.
        QVERIFY(existe("f5abc.LOG"));
        ajouterLigne("F5ABC.Log", "trois");
        QCOMPARE(lireLignes("f5abc.log"), QStringList({"un", "Hélène", "trois"}));
        QCOMPARE(longueur("F5ABC.LOG"), qint64(4 + 8 + 7));
        QVERIFY(!QFile::exists(env.chemin("F5ABC.Log")));
        // Copy, replace in one step, delete.
        copier("F5ABC.log", "Copie.txt");
        QCOMPARE(lireLignes("Copie.txt"), lireLignes("F5ABC.log"));
        ecrireParBrouillon("Temporaire.txt", "Copie.txt", octetsLignes({"nouveau"}));
        QVERIFY(!existe("Temporaire.txt"));
        QCOMPARE(lireLignes("Copie.txt"), QStringList({"nouveau"}));
        supprimer("Copie.txt");
        QVERIFY(!existe("Copie.txt"));
    }

    void erreursDeFichier()
    {
        test::Environnement env(false);
        try {
            lireLignes("Absent.txt");
            QFAIL("no error for a missing file");
        } catch (const ErreurFichier& e) {
            QCOMPARE(e.numero, ErreurFichierIntrouvable);
            QVERIFY(e.messageFrancais().contains(QStringLiteral("Absent.txt")));
            QVERIFY(e.messageFrancais().contains(QStringLiteral("introuvable")));
        }
        QVERIFY_THROWS_EXCEPTION(ErreurFichier, supprimer("Absent.txt"));
        // A write that cannot take place leaves the old file whole.
        ecrireLignes("Garde.txt", {"ancien"});
        QVERIFY(QDir(env.dossier()).mkdir("Dossier.txt"));
        QVERIFY_THROWS_EXCEPTION(ErreurFichier, ecrireLignes("Dossier.txt", {"x"}));
        QVERIFY_THROWS_EXCEPTION(ErreurFichier, ajouterLigne("Dossier.txt", "x"));
        QCOMPARE(lireLignes("Garde.txt"), QStringList({"ancien"}));
    }

    void entreeSurUnBoutonLeClique()
    {
        QWidget fenetre;
        auto* bouton = new QPushButton(QStringLiteral("Validez"), &fenetre);
        int clics = 0;
        QObject::connect(bouton, &QPushButton::clicked, [&] { ++clics; });
        QTest::keyClick(bouton, Qt::Key_Return);
        QCOMPARE(clics, 0);  // a plain button ignores Enter
        boutonsAuClavier(&fenetre);
        QTest::keyClick(bouton, Qt::Key_Return);
        QTest::keyClick(bouton, Qt::Key_Enter);
        QCOMPARE(clics, 2);
    }

    void clicDUneListeUneFoisParChoix()
    {
        QComboBox liste;
        liste.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        int clics = 0;
        brancherClic(&liste, [&] { ++clics; });
        // The operator picks another item: change then pick, one run.
        liste.setCurrentIndex(1);
        Q_EMIT liste.activated(1);
        QCOMPARE(clics, 1);
        QCoreApplication::processEvents();
        // The item already selected, picked again: it runs.
        Q_EMIT liste.activated(1);
        QCOMPARE(clics, 2);
        // A selection made by the code runs it; a later pick of that item runs it again.
        liste.setCurrentIndex(2);
        QCOMPARE(clics, 3);
        QCoreApplication::processEvents();
        Q_EMIT liste.activated(2);
        QCOMPARE(clics, 4);
        // Clearing the selection of a combo box runs nothing.
        liste.setCurrentIndex(-1);
        QCOMPARE(clics, 4);
    }

    // Enter in the text of an editable combo box is a key press: the item that the combo box
    // selects for the text typed, on that Enter or when the focus leaves it, runs no click;
    // a pick with the arrow keys and a selection by the code still do.
    void entreeDansUneListeEditableNEstPasUnClic()
    {
        QWidget fenetre;
        auto* liste = new QComboBox(&fenetre);
        liste->setEditable(true);
        liste->setInsertPolicy(QComboBox::NoInsert);
        liste->addItems({QStringLiteral("7.0 Mhz"), QStringLiteral("14 Mhz"), QStringLiteral("144 Mhz")});
        auto* suivant = new QLineEdit(&fenetre);
        suivant->move(0, 40);
        auto* autre = new QComboBox(&fenetre);
        autre->setEditable(true);
        autre->addItems({QStringLiteral("SSB"), QStringLiteral("CW")});
        autre->move(0, 80);
        int clics = 0;
        int clicsAutre = 0;
        brancherClic(liste, [&] { ++clics; });
        brancherClic(autre, [&] { ++clicsAutre; });
        // Enter moves the focus on, as the entry chain does; the key never reaches the list.
        brancherKeyPress(liste, [&](int& k) {
            if (k == 13)
                suivant->setFocus();
        });
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));

        liste->setFocus();
        liste->lineEdit()->selectAll();
        test::taper(liste, QStringLiteral("14 mhz"));
        QTest::keyClick(liste, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), suivant);
        QCOMPARE(liste->currentIndex(), 1);
        // The text typed, then the focus elsewhere.
        liste->setFocus();
        liste->lineEdit()->selectAll();
        test::taper(liste, QStringLiteral("144 Mhz"));
        suivant->setFocus();
        QCOMPARE(liste->currentIndex(), 2);
        // Enter reaching the combo box itself.
        autre->setFocus();
        autre->lineEdit()->selectAll();
        test::taper(autre, QStringLiteral("cw"));
        QTest::keyClick(autre, Qt::Key_Return);
        QCOMPARE(autre->currentIndex(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(clics, 0);
        QCOMPARE(clicsAutre, 0);

        liste->setFocus();
        QTest::keyClick(liste, Qt::Key_Up);
        QCOMPARE(liste->currentIndex(), 1);
        QCOMPARE(clics, 1);
        QCoreApplication::processEvents();
        liste->setCurrentIndex(0);
        QCOMPARE(clics, 2);
    }

    // A list box: every pick by the mouse runs the handler once, with the picked line selected.
    void clicDUneListeBoxUneFoisParChoix()
    {
        QListWidget liste;
        liste.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        QStringList vus;
        brancherClic(&liste, [&] {
            const QListWidgetItem* it = liste.currentItem();
            vus << (it && it->isSelected() ? it->text() : QStringLiteral("-"));
        });
        liste.show();
        QVERIFY(QTest::qWaitForWindowExposed(&liste));
        QWidget* vue = liste.viewport();
        const auto centre = [&liste](int l) { return liste.visualItemRect(liste.item(l)).center(); };
        QTest::mouseClick(vue, Qt::LeftButton, {}, centre(1));
        QTest::mousePress(vue, Qt::LeftButton, {}, centre(2));
        QTest::qWait(50);
        QTest::mouseRelease(vue, Qt::LeftButton, {}, centre(2));
        QTest::mouseClick(vue, Qt::LeftButton, {}, centre(2));  // the line already selected
        QCOMPARE(vus, QStringList({"b", "c", "c"}));
        // Dragging from a line to the next runs it for the line reached.
        QTest::mousePress(vue, Qt::LeftButton, {}, centre(0));
        QTest::mouseMove(vue, centre(1));
        QTest::mouseRelease(vue, Qt::LeftButton, {}, centre(1));
        QCOMPARE(vus, QStringList({"b", "c", "c", "a", "b"}));
        // The code's selection runs it, and so does clearing the selection.
        liste.setCurrentRow(2);
        liste.setCurrentRow(-1);
        QCoreApplication::processEvents();
        QCOMPARE(vus, QStringList({"b", "c", "c", "a", "b", "c", "-"}));
    }

    void policeAChasseFixe()
    {
        QVERIFY(QFontInfo(policeChasseFixe(QStringLiteral("Terminal"))).fixedPitch());
    }

    // Another copy holding the settings lock past the wait: the write is refused with one
    // message, nothing written; the start-up clean-up does not wait for it and removes nothing.
    // Only the program's own scratch files are leftovers, never the operator's files of the
    // shared settings folder.
    void verrouDesReglages()
    {
        test::Environnement env(false);
        QVERIFY(SaveSetting("Velmarin", "Setup", "Indicatif Station", "F5ABC"));
        const QString fichier = fichierReglages("Velmarin");
        const QString dossier = QFileInfo(fichier).absolutePath();
        const QStringList aGarder = {"Velmarin.ini.backup", "Velmarin.ini.ancien", ".Velmarin.ini.Qw1234",
                                     ".Velmarin.ini~velmarin~Qw12345", ".Autre.ini~velmarin~Qw1234",
                                     ".Autre.ini~velmarin~Qw1234.lock", ".Velmarin.ini~velmarin~Qw1234.lock2",
                                     ".Velmarin.ini~velmarin~Qw1234.AbCdE", ".Velmarin.ini~velmarin~Qw1234.AbCdEfG",
                                     ".Velmarin.ini~velmarin~Qw1234.Ab-dEf", "Velmarin.ini.AbCdEf"};
        for (const QString& n : aGarder)
            test::ecrireOctets(dossier + '/' + n, "à garder\r\n");
        // The scratch file, and the lock and scratch file Qt's INI writer makes beside it.
        QStringList restes;
        for (const char* n : {"/.Velmarin.ini~velmarin~Qw1234", "/.Velmarin.ini~velmarin~Qw1234.lock",
                              "/.Velmarin.ini~velmarin~Qw1234.AbCdEf"}) {
            restes << dossier + QLatin1String(n);
            test::ecrireOctets(restes.last(), "reste\r\n");
        }
        env.oublierMessages();

        // The program's lock is not the one Qt's settings take to write the file: a program
        // writing it through them takes theirs at once.
        {
            QLockFile qt(fichier + ".lock");
            QVERIFY(qt.tryLock(0));
        }
        std::optional<test::AutreCopie> autre;
        autre.emplace([&] {
            const int fd = ::open(QFile::encodeName(fichier + ".verrou").constData(), O_RDWR | O_CREAT, 0644);
            return fd >= 0 && ::flock(fd, LOCK_EX) == 0;
        });
        QVERIFY(autre->reussie());
        const QByteArray avant = test::lireOctets(fichier);
        nettoyerRestesReglages({"Velmarin"});
        for (const QString& r : restes)
            QVERIFY(QFile::exists(r));
        QVERIFY(!SaveSettings("Velmarin", "Setup", {{"Indicatif Station", "F6XYZ"}, {"Locator Station", "JN18AA"}}));
        QCOMPARE(test::lireOctets(fichier), avant);
        QCOMPARE(env.textes(), QStringList(QStringLiteral(
                                   "Enregistrement des réglages impossible.\r\nErreur sur le fichier « Velmarin.ini » : les "
                                   "réglages sont en cours d'enregistrement par une autre copie du programme (erreur "
                                   "75).\r\nLes réglages enregistrés restent ceux d'avant.")));

        // The other copy killed: the clean-up removes those, and only those, and the next write
        // goes through.
        autre.reset();
        nettoyerRestesReglages({"Velmarin"});
        for (const QString& r : restes)
            QVERIFY2(!QFile::exists(r), qPrintable(r));
        for (const QString& n : aGarder)
            QVERIFY2(QFile::exists(dossier + '/' + n), qPrintable(n));
        QVERIFY(SaveSetting("Velmarin", "Setup", "Indicatif Station", "F6XYZ"));
    }

    void ecritureGroupeeDesReglages()
    {
        // Several values of one write are stored all together or not at all.
        test::Environnement env(false);
        const QList<std::pair<QString, QString>> valeurs = {{"Indicatif Station", "F5ABC"}, {"Locator Station", "JN18AA"},
                                                            {"Revision", "2"}};
        const auto stockees = [] {
            int n = 0;
            for (const char* cle : {"Indicatif Station", "Locator Station", "Revision"})
                n += GetSetting("Velmarin", "Setup", cle, QString()).isEmpty() ? 0 : 1;
            return n;
        };
        {
            const test::Panne panne(test::Appel::Rename, 1, test::Effet::Echec, ENOSPC);
            QVERIFY(!SaveSettings("Velmarin", "Setup", valeurs));
        }
        QCOMPARE(stockees(), 0);
        {
            const test::Panne panne(test::Appel::Rename, 2, test::Effet::Echec, ENOSPC);
            QVERIFY(SaveSettings("Velmarin", "Setup", valeurs));
        }
        QCOMPARE(stockees(), 3);
    }

    // A scratch file whose close reports a late write error, and a settings file the operator
    // may write but not read (another user's, "write only" for the others): the write is
    // refused, the file kept byte for byte.
    void reglagesNonRemplacesSurEchec()
    {
        test::Environnement env(false);
        QVERIFY(SaveSettings("Velmarin", "Setup", {{"Indicatif Station", "F5ABC"}, {"Locator Station", "JN18AA"}}));
        const QString fichier = fichierReglages("Velmarin");
        QByteArray avant = test::lireOctets(fichier);
        {
            const test::Panne panne(test::Appel::Close, 2, test::Effet::Echec, EIO);
            QVERIFY(!SaveSetting("Velmarin", "Setup", "Revision", "2"));
        }
        QCOMPARE(test::lireOctets(fichier), avant);

        // Written by another user meanwhile, at another size: Qt would take a file of the same
        // size and time (the program's own write may be dated a little ahead) for the one it read.
        avant = "[Setup]\nIndicatif%20Station=F6ABC\nLocator%20Station=JN03TJ\nRevision=1\n";
        test::ecrireOctets(fichier, avant);
        if (::chown(QFile::encodeName(fichier).constData(), 65534, 65534) != 0)
            QSKIP("giving the file to another user needs root (the CI runs the tests as root)");
        QVERIFY(QFile::setPermissions(fichier, QFile::ReadOwner | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
        QCoreApplication::processEvents();
        env.oublierMessages();
        {
            const SansPasseDroits droits;
            QVERIFY(!SaveSetting("Velmarin", "Setup", "Revision", "2"));
        }
        QCOMPARE(test::lireOctets(fichier), avant);
        QCOMPARE(env.textes().size(), 1);
        QVERIFY2(env.textes().constFirst().contains(QStringLiteral("accès refusé")), qPrintable(env.textes().constFirst()));
    }

    void modelesInstallesSansEcraser()
    {
        test::Environnement env(false);
        ecrireLignes("Nomenclature.txt", {"F5ABC      75 JN18AA"});
        installerModeles(test::dossierModeles());
        QVERIFY(existe("FXXXX.log"));
        QVERIFY(existe("FXXXX_Prefixe.txt"));
        QCOMPARE(lireLignes("Nomenclature.txt"), QStringList({"F5ABC      75 JN18AA"}));
    }
};

QTEST_MAIN(TestPlateforme)
#include "tst_plateforme.moc"
