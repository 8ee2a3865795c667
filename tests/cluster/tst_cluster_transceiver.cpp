// Tuning the transceiver: the frames read back byte for byte from the other end of a
// pseudo-terminal that stands for the serial port, and the port and speed menus.
#include "Pages_Spots.h"
#include "Serveur_Spots.h"
#include "cluster/Cluster.h"
#include "cluster/Fenetre_Cluster.h"
#include "cluster/Fenetre_Memoire_CL.h"
#include "cluster/Yaesu.h"
#include "commun/Outils_Test.h"
#include "platform/Serie.h"
#include "platform/Son.h"
#include "station/Cles_Registre.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace Cles_Registre;

namespace {

const QString Station = QStringLiteral("F5XYZ");

// The far end of the serial link: what the program writes to the slave is read here.
class Pseudo_Terminal {
public:
    Pseudo_Terminal()
    {
        if (openpty(&maitre_, &esclave_, nullptr, nullptr, nullptr) != 0)
            return;
        termios t{};
        tcgetattr(esclave_, &t);
        cfmakeraw(&t);
        tcsetattr(esclave_, TCSANOW, &t);
        fcntl(maitre_, F_SETFL, fcntl(maitre_, F_GETFL) | O_NONBLOCK);
        nom = QString::fromLocal8Bit(ttyname(esclave_));
    }
    ~Pseudo_Terminal()
    {
        if (maitre_ >= 0)
            ::close(maitre_);
        if (esclave_ >= 0)
            ::close(esclave_);
    }

    // What arrives within `ms` milliseconds, stopping once `attendus` bytes are there.
    QByteArray lire(int attendus, int ms = 2000)
    {
        QByteArray recu;
        (void)QTest::qWaitFor(
            [&] {
                char tampon[256];
                ssize_t n;
                while ((n = ::read(maitre_, tampon, sizeof tampon)) > 0)
                    recu.append(tampon, n);
                return recu.size() >= attendus;
            },
            ms);
        return recu;
    }

    QString nom;

private:
    int maitre_ = -1;
    int esclave_ = -1;
};

QByteArray octets(std::initializer_list<int> l)
{
    QByteArray r;
    for (int o : l)
        r.append(char(o));
    return r;
}

// The four frames around a packed frequency P1 to P4.
QByteArray sequence(int p1, int p2, int p3, int p4)
{
    return octets({0, 0, 0, 0, 0x00, p1, p2, p3, p4, 0x01, 0, 0, 0, 0, 0x07, 0, 0, 0, 0, 0x80});
}

} // namespace

class TestClusterTransceiver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void trameDeFrequence();
    void accordSurRafraichissementEtClic();
    void accordsSuccessifsEnFile();
    void accordAuClicRapideOuTenu();
    void accordDepuisLaMemoire();
    void rienSansPortOuvert();
    void portEtVitesseALOuverture();
    void menusDeVitesseEtDePort();

private:
    Fenetre_Cluster& ouvrir(const QString& port, const QString& baud);
    bool rafraichir(Fenetre_Cluster& f);

    std::unique_ptr<test::Environnement> env;
    std::unique_ptr<test::Serveur_Spots> serveur;
    std::unique_ptr<Pseudo_Terminal> pty;
};

void TestClusterTransceiver::init()
{
    env = std::make_unique<test::Environnement>();
    Prog().Indicatif_Station = Station;
    serveur = std::make_unique<test::Serveur_Spots>();
    serveur->servir(200, test::page(test::lignesPage(test::troisSpots())));
    test::ecrireReglage(Section_Setup, Cluster::Cle_Hote, serveur->adresse());
    test::ecrireReglage(Section_Setup, Cluster::Cle_Delai, QStringLiteral("3000"));
    pty = std::make_unique<Pseudo_Terminal>();
    QVERIFY(!pty->nom.isEmpty());
    test::ecrireReglage(Section_Setup, plateforme::clePeripheriquePort(1), pty->nom);
    test::ecrireReglage(Section_Setup, plateforme::clePeripheriquePort(2), QStringLiteral("/nonexistent/ttyVelmarin"));
    plateforme::installerEcouteSons([](const QString&) {});
}

void TestClusterTransceiver::cleanup()
{
    Cluster::Detruire_Fenetres();
    plateforme::retirerEcouteSons();
    pty.reset();
    serveur.reset();
    env.reset();
}

Fenetre_Cluster& TestClusterTransceiver::ouvrir(const QString& port, const QString& baud)
{
    test::ecrireReglageStation(Station, Port_Com, port);
    test::ecrireReglageStation(Station, Baud, baud);
    Cluster::Afficher();
    return Fenetre_Cluster::instance();
}

bool TestClusterTransceiver::rafraichir(Fenetre_Cluster& f)
{
    f.Afficher_Click();
    return QTest::qWaitFor([&f] { return !f.Recherche_En_Cours(); }, 5000);
}

void TestClusterTransceiver::trameDeFrequence()
{
    cluster::Commande_CAT c;
    c.octets = {9, 9, 9, 9, 0x07};
    cluster::ClearCmd_Yaesu(c);
    QCOMPARE(c.octets, (std::array<std::uint8_t, 5>{0, 0, 0, 0, 0x07}));
    cluster::MakeFreqKhz_Yaesu(c, 1402500);
    QCOMPARE(cluster::Trame(c, cluster::Op_Frequence), octets({0x01, 0x40, 0x25, 0x00, 0x01}));
    cluster::MakeFreqKhz_Yaesu(c, 99999999);
    QCOMPARE(cluster::Trame(c, cluster::Op_Frequence), octets({0x99, 0x99, 0x99, 0x99, 0x01}));
    QCOMPARE(cluster::Sequence_Yaesu(14430000), sequence(0x14, 0x43, 0x00, 0x00));
}

void TestClusterTransceiver::accordSurRafraichissementEtClic()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("9600,n,8,1"));
    QVERIFY(f.Port().estOuvert());
    QVERIFY(env->messages.empty());

    // The refresh selects the newest spot (F5KTR, 7012.5 kHz) and tunes to it.
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20), sequence(0x00, 0x70, 0x12, 0x50));

    f.Liste_Stations->setCurrentRow(0);  // DL1ABC 14025.0
    QCOMPARE(pty->lire(20), sequence(0x01, 0x40, 0x25, 0x00));
    f.Liste_Stations->setCurrentRow(1);  // TM5C 144300.0
    QCOMPARE(pty->lire(20), sequence(0x14, 0x43, 0x00, 0x00));

    // In the callsign order the frequency stands elsewhere in the line: same frames.
    {
        const QSignalBlocker b(f.Option2);
        f.Option2->setChecked(true);
    }
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20), sequence(0x01, 0x40, 0x25, 0x00));  // first entry: DL1ABC
    const int f5ktr = f.Liste_Stations->row(f.Liste_Stations->findItems(QStringLiteral(" F5KTR"), Qt::MatchStartsWith).value(0));
    QVERIFY(f5ktr >= 0);
    f.Liste_Stations->setCurrentRow(f5ktr);
    QCOMPARE(pty->lire(20), sequence(0x00, 0x70, 0x12, 0x50));

    // Another model of the list gets the same frames.
    f.Emetteur->setCurrentIndex(1);
    f.Liste_Stations->setCurrentRow(0);
    QCOMPARE(pty->lire(20), sequence(0x01, 0x40, 0x25, 0x00));
}

void TestClusterTransceiver::accordsSuccessifsEnFile()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("57600,n,8,1"));
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20).size(), 20);
    // Three picks before anything is sent: three whole sequences, in order.
    f.Liste_Stations->setCurrentRow(0);
    f.Liste_Stations->setCurrentRow(1);
    f.Liste_Stations->setCurrentRow(2);
    QCOMPARE(pty->lire(60), sequence(0x01, 0x40, 0x25, 0x00) + sequence(0x14, 0x43, 0x00, 0x00) +
                                sequence(0x00, 0x70, 0x12, 0x50));
}

// The operator's clicks on the spot list: a tap (press and release handled together) and a
// click held a while each tune exactly once, to the spot clicked.
void TestClusterTransceiver::accordAuClicRapideOuTenu()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("57600,n,8,1"));
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20).size(), 20);  // the refresh tuned to the newest spot, line 2
    QWidget* vue = f.Liste_Stations->viewport();
    const auto centre = [&f](int ligne) { return f.Liste_Stations->visualItemRect(f.Liste_Stations->item(ligne)).center(); };
    const QByteArray dl1abc = sequence(0x01, 0x40, 0x25, 0x00), tm5c = sequence(0x14, 0x43, 0x00, 0x00),
                     f5ktr = sequence(0x00, 0x70, 0x12, 0x50);
    const auto clicTenu = [&](int ligne) {
        QTest::mousePress(vue, Qt::LeftButton, {}, centre(ligne));
        QTest::qWait(100);
        QTest::mouseRelease(vue, Qt::LeftButton, {}, centre(ligne));
    };

    for (int tour = 0; tour < 5; ++tour) {
        QTest::mouseClick(vue, Qt::LeftButton, {}, centre(0));
        QCOMPARE(Prog().Ligne_Spot, f.Liste_Stations->item(0)->text());
        QCOMPARE(pty->lire(21, 400), dl1abc);
        QTest::mouseClick(vue, Qt::LeftButton, {}, centre(1));
        QCOMPARE(pty->lire(21, 400), tm5c);
    }
    clicTenu(2);
    QCOMPARE(pty->lire(21, 400), f5ktr);
    // The spot already selected, clicked again, quickly or held: it tunes again, once.
    QTest::mouseClick(vue, Qt::LeftButton, {}, centre(2));
    QCOMPARE(pty->lire(21, 400), f5ktr);
    clicTenu(2);
    QCOMPARE(pty->lire(21, 400), f5ktr);
    // A click below the last spot picks nothing and sends nothing.
    QTest::mouseClick(vue, Qt::LeftButton, {}, QPoint(5, vue->height() - 3));
    QCOMPARE(pty->lire(1, 300), QByteArray());
}

void TestClusterTransceiver::accordDepuisLaMemoire()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("9600,n,8,1"));
    f.Memoriser_Click();  // nothing selected yet: an empty line
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20).size(), 20);
    f.Liste_Stations->setCurrentRow(0);
    QCOMPARE(pty->lire(20).size(), 20);
    f.Memoriser_Click();

    auto& memo = Fenetre_Memoire_CL::instance();
    QCOMPARE(memo.Mem_Cluster->count(), 2);
    f.Voir_Mem_Click();
    QTest::mouseClick(memo.Mem_Cluster->viewport(), Qt::LeftButton, {},
                      memo.Mem_Cluster->visualItemRect(memo.Mem_Cluster->item(1)).center());
    QCOMPARE(Prog().Ligne_Spot, memo.Mem_Cluster->item(1)->text());
    QCOMPARE(pty->lire(20), sequence(0x01, 0x40, 0x25, 0x00));

    // The empty line sends nothing.
    memo.Mem_Cluster->setCurrentRow(0);
    memo.Mem_Cluster_Click();
    QCOMPARE(Prog().Ligne_Spot, QString());
    QCOMPARE(pty->lire(1, 300), QByteArray());
}

void TestClusterTransceiver::rienSansPortOuvert()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("9600,n,8,1"));
    QVERIFY(rafraichir(f));
    QCOMPARE(pty->lire(20).size(), 20);

    // A port that cannot be opened: the message, the menus and settings as they were, the
    // port closed; picking a spot sends nothing.
    f.Mnu_Com2->trigger();
    QCOMPARE(env->textes(), QStringList{QStringLiteral("Le port com2 n'existe pas")});
    QVERIFY(f.Mnu_Com1->isChecked());
    QVERIFY(!f.Mnu_Com2->isChecked());
    QCOMPARE(f.NumPort->text(), QStringLiteral("1"));
    QCOMPARE(test::reglageStation(Station, Port_Com), QStringLiteral("1"));
    QVERIFY(!f.Port().estOuvert());
    f.Liste_Stations->setCurrentRow(0);
    QCOMPARE(pty->lire(1, 300), QByteArray());

    // "Sans Com": nothing is sent either.
    f.Mnu_Com1->trigger();
    QVERIFY(f.Port().estOuvert());
    f.Mnu_SansCom->trigger();
    QVERIFY(!f.Port().estOuvert());
    QVERIFY(f.Mnu_SansCom->isChecked() && !f.Mnu_Com1->isChecked());
    QCOMPARE(f.NumPort->text(), QStringLiteral("0"));
    QCOMPARE(f.DebitPort->text(), QStringLiteral("0"));
    QCOMPARE(test::reglageStation(Station, Port_Com), QStringLiteral("0"));
    QCOMPARE(test::reglageStation(Station, Baud), QStringLiteral("0"));
    f.Liste_Stations->setCurrentRow(1);
    QCOMPARE(pty->lire(1, 300), QByteArray());
}

void TestClusterTransceiver::portEtVitesseALOuverture()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("1"), QStringLiteral("19200,n,8,1"));
    QVERIFY(f.Port().estOuvert());
    QCOMPARE(f.Port().vitesseEnCours(), 19200);
    QCOMPARE(f.NumPort->text(), QStringLiteral("1"));
    QCOMPARE(f.DebitPort->text(), QStringLiteral("19200"));
    QVERIFY(f.Mnu_19200->isChecked());
    QVERIFY(!f.Mnu_4800->isChecked() && !f.Mnu_9600->isChecked() && !f.Mnu_57600->isChecked());
    QVERIFY(f.Mnu_Com1->isChecked() && !f.Mnu_SansCom->isChecked());
    QVERIFY(env->messages.empty());

    // Closing the window closes the port.
    f.close();
    QVERIFY(!f.Port().estOuvert());

    // A port saved without a speed opens at 9600 baud, no speed ticked.
    ouvrir(QStringLiteral("1"), QStringLiteral("0"));
    QVERIFY(f.Port().estOuvert());
    QCOMPARE(f.Port().vitesseEnCours(), 9600);
    QCOMPARE(f.DebitPort->text(), QStringLiteral("0"));
    for (QAction* a : {f.Mnu_4800, f.Mnu_9600, f.Mnu_19200, f.Mnu_57600})
        QVERIFY(!a->isChecked());
    f.close();

    // A saved port absent from the machine is reported, and stays closed.
    ouvrir(QStringLiteral("2"), QStringLiteral("9600,n,8,1"));
    QCOMPARE(env->textes(), QStringList{QStringLiteral("Le port com2 n'existe pas")});
    QVERIFY(!f.Port().estOuvert());
    QCOMPARE(f.NumPort->text(), QStringLiteral("2"));
}

void TestClusterTransceiver::menusDeVitesseEtDePort()
{
    Fenetre_Cluster& f = ouvrir(QStringLiteral("0"), QStringLiteral("0"));
    QVERIFY(!f.Port().estOuvert());
    f.Mnu_Com1->trigger();
    QVERIFY(f.Port().estOuvert());
    QVERIFY(f.Mnu_Com1->isChecked() && !f.Mnu_SansCom->isChecked());
    QCOMPARE(f.NumPort->text(), QStringLiteral("1"));
    QCOMPARE(test::reglageStation(Station, Port_Com), QStringLiteral("1"));

    f.Mnu_4800->trigger();
    QCOMPARE(f.Port().vitesseEnCours(), 4800);
    QVERIFY(f.Port().estOuvert());
    QCOMPARE(f.DebitPort->text(), QStringLiteral("4800"));
    QCOMPARE(test::reglageStation(Station, Baud), QStringLiteral("4800,n,8,1"));
    f.Mnu_57600->trigger();
    QVERIFY(f.Mnu_57600->isChecked() && !f.Mnu_4800->isChecked());
    QCOMPARE(test::reglageStation(Station, Baud), QStringLiteral("57600,n,8,1"));

    QCOMPARE(plateforme::lireReglagesSerie(QStringLiteral("9600,e,7,2"))->parite, QSerialPort::EvenParity);
    QCOMPARE(plateforme::lireReglagesSerie(QStringLiteral("9600,e,7,2"))->arret, QSerialPort::TwoStop);
    for (const char* faux : {"0", "", "9600", "9600,n,8", "9600,x,8,1", "9600,n,9,1", "vite,n,8,1", "9600,n,8,3"})
        QVERIFY2(!plateforme::lireReglagesSerie(QString::fromLatin1(faux)), faux);
}

QTEST_MAIN(TestClusterTransceiver)
#include "tst_cluster_transceiver.moc"
