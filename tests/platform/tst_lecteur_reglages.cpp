// The settings file: files written by Qt's INI settings or by hand load with the values Qt reads
// in them, every value written reads back the same through Qt, at once, and a write keeps every
// other value.
#include "commun/Outils_Test.h"
#include "logbook/Carnet.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Variables_Programme.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

using namespace plateforme;

namespace {

// What the earlier store gave for every key of a file: Qt's INI reading, lists joined by commas.
std::map<QString, QString> luParQt(const QString& fichier)
{
    std::map<QString, QString> valeurs;
    QSettings s(fichier, QSettings::IniFormat);
    for (const QString& cle : s.allKeys()) {
        const QVariant v = s.value(cle);
        if (!v.isValid())
            continue;  // "@Invalid()": the default was given
        valeurs[cle] = v.metaType().id() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(','))
                                                                   : v.toString();
    }
    return valeurs;
}

} // namespace

class TestLecteurReglages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fichiersExistantsMemesValeurs_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("écrit par Qt") << QByteArray(
            "[Setup]\nIndicatif%20Station=F6ABC\nNombre%20Indicatif=2\nIndicatif1=F6ABC JN18EU\n\n"
            "[Setup%20]\nChemin%20Repertoire=X:\\\\XXXXXXX\n\n"
            "[Setup%20F6ABC]\nBaud=\"9600,n,8,1\"\nRevision=\" 5.6.9d\"\nAt=@@abc\nVide=\n"
            "Nom=\" \xC3\xA9\xC3\xA0\xE2\x82\xAC ;x=y \\\"q\\\" \\t\\x1 a\"\nChiffre=a\\x1\\x31\\x62\n");
        QTest::newRow("écrit à la main") << QByteArray(
            "\xEF\xBB\xBF; un commentaire\r\n[Setup]\r\n  Indicatif Station = F5XYZ  \r\n"
            "Baud=9600, n ,8,1\r\nVide=\"\"\r\nPoint=a;b\r\nsuite=ligne\\\r\n continuee\r\n"
            "[general]\r\nk=v\r\n[%General]\r\nk=w\r\nsans egal\r\n[Setup]\r\nIndicatif Station=F5DEUX\r\n");
        QTest::newRow("formes typées") << QByteArray(
            "[Setup]\nA=@ByteArray(octets)\nB=@String(texte)\nC=@Invalid()\nD=\\x41\\101\\?\\q\nE=%U00E9t%E9\n"
            "F=\"a\",\"b,c\"  , d \n");
        QTest::newRow("abîmé") << QByteArray("[Setup\nA=\"pas fermé\nB=2\n[\n=sans nom\n\\\n%\n%U\n%4\nC=\\x\nD=\\");
    }
    void fichiersExistantsMemesValeurs()
    {
        QFETCH(QByteArray, texte);
        test::Environnement env(false);
        const QString fichier = fichierReglages(QStringLiteral("Velmarin"));
        test::ecrireOctets(fichier, texte);
        const std::map<QString, QString> attendu = luParQt(fichier);
        QVERIFY(!attendu.empty());
        for (const auto& [cle, valeur] : attendu) {
            const qsizetype barre = cle.indexOf(QLatin1Char('/'));
            const QString section = barre < 0 ? QString() : cle.left(barre);
            const QString nom = barre < 0 ? cle : cle.mid(barre + 1);
            QCOMPARE(GetSetting(QStringLiteral("Velmarin"), section, nom, QStringLiteral("<absent>")), valeur);
        }
        // A key holding "@Invalid()" is absent: the caller's default.
        if (QByteArrayView(QTest::currentDataTag()) == "formes typées")
            QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("C"), QStringLiteral("<absent>")),
                     QStringLiteral("<absent>"));
        // A write keeps every other value as Qt read it.
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Nouvelle"), QStringLiteral("1")));
        std::map<QString, QString> apres = luParQt(fichier);
        QCOMPARE(apres.at(QStringLiteral("Setup/Nouvelle")), QStringLiteral("1"));
        apres.erase(QStringLiteral("Setup/Nouvelle"));
        QVERIFY(apres == attendu);
    }

    // Every value the program may store comes back the same, read here or by Qt.
    void valeursEcritesRelues()
    {
        test::Environnement env(false);
        const QStringList valeurs = {
            QStringLiteral("F6ABC"), QStringLiteral("9600,n,8,1"), QStringLiteral(" 5.6.9d "), QStringLiteral("@abc"),
            QStringLiteral("@@"), QString(), QStringLiteral("C:\\Velmarin\\F6ABC"), QStringLiteral("Hélène € œ"),
            QStringLiteral("a\"b\"c"), QStringLiteral("a;b=c"), QStringLiteral("tab\there\r\nfin"),
            QString(QChar(1)) + QStringLiteral("1b"), QStringLiteral("𝄞 hors du plan de base"), QStringLiteral("@Invalid()"),
            QStringLiteral("blancs finaux\t\t"), QString(QChar(0xFEFF)) + QStringLiteral("marque en tête"),
            QString(QChar(1)) + QChar(0xFEFF) + QStringLiteral("marque après un signe échappé"),
            QString(QChar(1)) + QStringLiteral("a") + QChar(0xFEFF) + QStringLiteral("après un chiffre échappé"),
            QStringLiteral("\t\"\\") + QChar(0xFEFF) + QChar(0xFEFF), QString(QChar(1)) + QStringLiteral("g") + QChar(0xFEFF),
            QString(QChar(1)) + QChar(0xFEFF) + QChar(0) + QStringLiteral("nul"),
            QString(QChar(0x7F)) + QChar(0xFEFF),
        };
        const QString section = QStringLiteral("Setup F/6ABC é");
        for (int i = 0; i < valeurs.size(); ++i)
            QVERIFY(SaveSetting(QStringLiteral("Velmarin"), section, QStringLiteral("Clé %1").arg(i), valeurs.at(i)));
        const std::map<QString, QString> qt = luParQt(fichierReglages(QStringLiteral("Velmarin")));
        for (int i = 0; i < valeurs.size(); ++i) {
            const QString cle = QStringLiteral("Clé %1").arg(i);
            QCOMPARE(GetSetting(QStringLiteral("Velmarin"), section, cle, QStringLiteral("<absent>")), valeurs.at(i));
            QCOMPARE(qt.at(section + QLatin1Char('/') + cle), valeurs.at(i));
        }
    }

    // Every value set reads back through a fresh QSettings, the file's other values with it; an
    // unchanged value writes nothing; what another copy of the program wrote meanwhile is kept.
    void ecritureRelueParQt()
    {
        test::Environnement env(false);
        const QString fichier = fichierReglages(QStringLiteral("Velmarin"));
        test::ecrireOctets(fichier, "[Setup]\nIndicatif Station = F5XYZ\nBaud=9600, n,8,1\n\n[Setup%20F5XYZ]\nNB%20Activite=2\n");
        const std::map<QString, QString> avant = luParQt(fichier);
        const QByteArray octets = test::lireOctets(fichier);
        const QDateTime date = QFileInfo(fichier).lastModified();
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Baud"), QStringLiteral("9600,n,8,1")));
        QCOMPARE(test::lireOctets(fichier), octets);
        QCOMPARE(QFileInfo(fichier).lastModified(), date);
        QVERIFY(SaveSettings(QStringLiteral("Velmarin"), QStringLiteral("Setup F5XYZ"),
                             {{QStringLiteral("NB Activite"), QStringLiteral("3")}, {QStringLiteral("Activite0"), QStringLiteral("a;b=c, \"d\"")}}));
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup F6NEW"), QStringLiteral("Baud"), QStringLiteral("0")));
        std::map<QString, QString> attendu = avant;
        attendu[QStringLiteral("Setup F5XYZ/NB Activite")] = QStringLiteral("3");
        attendu[QStringLiteral("Setup F5XYZ/Activite0")] = QStringLiteral("a;b=c, \"d\"");
        attendu[QStringLiteral("Setup F6NEW/Baud")] = QStringLiteral("0");
        QVERIFY(luParQt(fichier) == attendu);
        // Another copy of the program changed the file meanwhile: its change is seen and kept.
        test::ecrireOctets(fichier, test::lireOctets(fichier).replace("Baud=0", "Baud=1200"));
        QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup F6NEW"), QStringLiteral("Baud"), QString()),
                 QStringLiteral("1200"));
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Indicatif Station"), QStringLiteral("F6NEW")));
        QCOMPARE(luParQt(fichier).at(QStringLiteral("Setup F6NEW/Baud")), QStringLiteral("1200"));
        QCOMPARE(luParQt(fichier).at(QStringLiteral("Setup/Indicatif Station")), QStringLiteral("F6NEW"));
    }

    // What Qt writes back otherwise than it read it, in a file made by hand: keys with "/" doubled
    // or at an end, or of "/" alone, and a half of a surrogate pair, given by an escape. The file
    // is written all the same, the half kept as U+FFFD.
    void ecritCommeQtRelit()
    {
        test::Environnement env(false);
        const QString fichier = fichierReglages(QStringLiteral("Velmarin"));
        test::ecrireOctets(fichier, "[Setup]\nA=a\\xdd20z\nB=c\\xd800\n/D=1\nE/=2\n/=3\n");
        QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("A"), QString()),
                 QStringLiteral("a") + QChar(0xDD20) + QStringLiteral("z"));
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("C"), QStringLiteral("1")));
        QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("A"), QString()),
                 QStringLiteral("a") + QChar::ReplacementCharacter + QStringLiteral("z"));
        QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("B"), QString()),
                 QStringLiteral("c") + QChar::ReplacementCharacter);
    }

    // A value rewritten again and again with the same length, faster than the clock moves: each
    // one reads back at once, through the program and through a fresh QSettings alike.
    void reecrituresMemeTailleJamaisPerimees()
    {
        test::Environnement env(false);
        const QString fichier = fichierReglages(QStringLiteral("Velmarin"));
        for (int i = 0; i < 1000; ++i) {
            const QString valeur = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
            QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Cle"), valeur));
            QCOMPARE(GetSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Cle"), QString()), valeur);
            QCOMPARE(QSettings(fichier, QSettings::IniFormat).value(QStringLiteral("Setup/Cle")).toString(), valeur);
        }
        // Each content of the file is dated later than the one it replaced, even when that one is
        // dated ahead of the clock (a clock put back, a file system counting time coarsely): no
        // two contents ever share a time.
        const QDateTime avance = QDateTime::currentDateTimeUtc().addSecs(3600);
        {
            QFile f(fichier);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(avance, QFileDevice::FileModificationTime));
        }
        QCOMPARE(QSettings(fichier, QSettings::IniFormat).value(QStringLiteral("Setup/Cle")).toString(), QStringLiteral("0999"));
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Cle"), QStringLiteral("1000")));
        QVERIFY(QFileInfo(fichier).lastModified() > avance);
        QVERIFY(SaveSetting(QStringLiteral("Velmarin"), QStringLiteral("Setup"), QStringLiteral("Cle"), QStringLiteral("1001")));
        QVERIFY(QFileInfo(fichier).lastModified() > avance.addMSecs(1));
        QCOMPARE(QSettings(fichier, QSettings::IniFormat).value(QStringLiteral("Setup/Cle")).toString(), QStringLiteral("1001"));
    }

    // A count or index read from the settings stays within what its list can hold.
    void entiersBornes_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("attendu");
        QTest::newRow("absent") << QString() << 7;
        QTest::newRow("ordinaire") << QStringLiteral("12") << 12;
        QTest::newRow("bornes") << QStringLiteral("999") << 999;
        QTest::newRow("au-delà") << QStringLiteral("1000") << 7;
        QTest::newRow("deux milliards") << QStringLiteral("2000000000") << 7;
        QTest::newRow("trop grand pour un entier") << QStringLiteral("99999999999999999999") << 7;
        QTest::newRow("infini") << QStringLiteral("1e400") << 7;
        QTest::newRow("négatif") << QStringLiteral("-2") << 7;
        QTest::newRow("moitié vers le pair") << QStringLiteral("2.5") << 2;
        QTest::newRow("texte") << QStringLiteral("abc") << 0;
    }
    void entiersBornes()
    {
        QFETCH(QString, texte);
        QFETCH(int, attendu);
        QCOMPARE(Entier_Borne(texte, 7, 0, 999), attendu);
    }

    // Counts far beyond any list: the start, the station window and the activity window open
    // at once with the default lists.
    void comptesDemesures()
    {
        test::Environnement env;
        test::StationTest station;
        station.activites.clear();
        Carnet& c = test::demarrerStation(env, station);
        using namespace Cles_Registre;
        test::ecrireReglageStation(station.indicatif, NB_Activite, QStringLiteral("2000000000"));
        test::ecrireReglageStation(station.indicatif, Activite, QStringLiteral("99999999999"));
        test::ecrireReglageStation(station.indicatif, Bande_Utilisee, QStringLiteral("1e300"));
        test::ecrireReglageStation(station.indicatif, Mode_Utilise, QStringLiteral("-7"));
        test::ecrireReglageStation(station.indicatif, Numero_Sauvegarde, QStringLiteral("1e308"));
        test::ecrireReglageStation(station.indicatif, Delta_Sauvegarde, QStringLiteral("-3"));
        test::ecrireReglage(Section_Setup, Nombre_Indicatif, QStringLiteral("2000000000"));
        Carnet::detruireInstance();
        Carnet& neuf = Carnet::instance();
        neuf.Form_Load();
        Q_UNUSED(c);
        QCOMPARE(neuf.Activ_A->count(), 5);
        QCOMPARE(neuf.Activ_A->currentIndex(), 0);
        QCOMPARE(neuf.Bande_A->currentIndex(), 0);
        QCOMPARE(neuf.Mode_A->currentIndex(), 0);
        QCOMPARE(Prog().Numero_Sauvegarde, 1.0);
        QCOMPARE(Prog().Delta_Sauvegarde, QStringLiteral("10"));
        Ecrit_Fichier_Activite();
        QCOMPARE(plateforme::lireLignes(station.indicatif + QStringLiteral("_Activite.txt")).size(), 2);
        Station::Afficher(false);
        QCOMPARE(test::controle<QComboBox>("Station", "Liste_Indicatifs")->count(), 1);
    }
};

QTEST_MAIN(TestLecteurReglages)
#include "tst_lecteur_reglages.moc"
