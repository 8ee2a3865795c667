// The operator's road by keyboard alone, on the real program under a real window system
// (tests/app/Ecran_Reel.h): the band typed in its list and Enter, then each field of the QSO
// typed with Enter between them, and the save key. The log, the callsign directory and the
// award files must come out as the mouse road writes them.
#include "Ecran_Reel.h"
#include "platform/Fichiers.h"
#include "platform/Reglages.h"
#include "station/Cles_Registre.h"
#include "station/Ligne_QSO.h"
#include "station/Listes.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

using ecran::attendre;
using ecran::TitreCarnet;
using ecran::TitreMessage;

// A step of the road; the test stops at the first one that fails.
#define ETAPE(appel)                         \
    do {                                     \
        appel;                               \
        if (QTest::currentTestFailed())      \
            return;                          \
    } while (false)

namespace {

const QString Station = QStringLiteral("F5ABC");

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A log line of the three QSOs typed below: date and times as typed, QSL status 1, activity 0.
QString ligne(const QString& indicatif, const QString& debut, const QString& departement, const QString& locator,
              const QString& bande, const QString& mode, const QString& qth, const QString& prenom,
              const QString& distance, const QString& azimut)
{
    station::Ligne_QSO l;
    l.Date_QSO = QStringLiteral("09/12/26");
    l.Indicatif_QSO = indicatif;
    l.Heure_Debut = debut;
    l.Heure_Fin = debut;
    l.Departement_QSO = departement;
    l.Locator_QSO = locator;
    l.Bande_QSO = bande;
    l.Mode_QSO = mode;
    l.RST_Envoye = QStringLiteral("59");
    l.RST_Recu = QStringLiteral("59");
    l.QTH_QSO = qth;
    l.Prenom_QSO = prenom;
    l.Distance_QSO = distance;
    l.Azimut_QSO = azimut;
    return l.texte();
}

// An award status file as the templates give it, with "1" put in column `colonne` (from 0) of
// the lines whose key is listed.
QByteArray marquer(const QString& modele, const QList<std::pair<QString, int>>& marques)
{
    QList<QByteArray> lignes = lire(modele).split('\n');
    for (QByteArray& l : lignes) {
        for (const auto& [cle, colonne] : marques) {
            if (l.startsWith(cle.toLatin1() + ' ') && l.size() > colonne)
                l[colonne] = '1';
        }
    }
    return lignes.join('\n');
}

int rangBande(const QString& bande)
{
    return int(station::Liste_Bandes().indexOf(bande));
}

} // namespace

class TestSaisieEcran : public QObject {
    Q_OBJECT

    ecran::EcranReel ecran_;
    QString carnet_;  // the main window's id

    QString chemin(const QString& nom) const { return ecran_.dossierProgramme() + QLatin1Char('/') + nom; }

    void preparerStation(const QStringList& journal)
    {
        QDir().mkpath(ecran_.dossierProgramme());
        for (const QString& n : QDir(ecran_.dossierProgramme()).entryList(QDir::Files))
            QFile::remove(chemin(n));
        QFile::remove(ecran_.maison() + QStringLiteral("/config/Velmarin.ini"));
        plateforme::definirDossierProgramme(ecran_.dossierProgramme());
        plateforme::installerModeles(QStringLiteral(VELMARIN_MODELES));
        for (const QString& suffixe : {QStringLiteral("_Departement.txt"), QStringLiteral("_Locator.txt"),
                                       QStringLiteral("_Prefixe.txt")})
            plateforme::copier(QStringLiteral("FXXXX") + suffixe, Station + suffixe);
        plateforme::ecrireLignes(Station + QStringLiteral(".log"), journal);
        plateforme::ecrireLignes(QStringLiteral("Nomenclature.txt"), {QStringLiteral("ON4XYZ        JO20KV")});
        using namespace Cles_Registre;
        plateforme::SaveSetting(Application, Section_Setup, Indicatif_Station, Station);
        plateforme::SaveSetting(Application, Section_Setup, Locator_Station, QStringLiteral("JN03TJ"));
        const QString section = Section_Station(Station);
        plateforme::SaveSettings(Application, section,
                                 {{Bande_Utilisee, QStringLiteral("10")}, {Mode_Utilise, QStringLiteral("0")},
                                  {Date_Automatique, Faux}, {Separateur, Vrai}, {NB_Activite, QStringLiteral("2")},
                                  {Activite_N(0), QStringLiteral("QSO")}, {Activite_N(1), QStringLiteral("DFCF")},
                                  {Activite, QStringLiteral("0")}});
    }

    // Enter, then the message boxes it brings, each answered with Enter (OK, or Oui); fails
    // when one of them does not come.
    void entree(int messages = 0, const char* etape = "")
    {
        ecran_.touches({QStringLiteral("Return")});
        for (int i = 0; i < messages; ++i) {
            QVERIFY2(attendre([&] { return !ecran_.visibles(TitreMessage).isEmpty(); }, 5000),
                     qPrintable(QStringLiteral("no message box at: %1").arg(QLatin1String(etape))));
            const QString boite = ecran_.visibles(TitreMessage).value(0);
            QVERIFY2(attendre([&] { return ecran_.xdotool({QStringLiteral("getactivewindow")}) == boite; }, 5000),
                     qPrintable(QStringLiteral("the message box did not get the focus at: %1").arg(QLatin1String(etape))));
            QThread::msleep(100);
            ecran_.touches({QStringLiteral("Return")});
            QVERIFY2(attendre([&] { return ecran_.visibles(TitreMessage).isEmpty(); }, 5000),
                     qPrintable(QStringLiteral("the message box stayed at: %1").arg(QLatin1String(etape))));
            // The keys that follow go to the main window once it has the focus back.
            QVERIFY2(attendre([&] { return ecran_.xdotool({QStringLiteral("getactivewindow")}) == carnet_; }, 5000),
                     qPrintable(QStringLiteral("the main window did not get the focus back at: %1").arg(QLatin1String(etape))));
        }
        QThread::msleep(150);
    }
    void saisir(const QString& texte, int messages = 0, const char* etape = "")
    {
        ecran_.ecrire(texte);
        entree(messages, etape);
    }
    // From the callsign field back to the band list, its text replaced by `bande`.
    void changerBande(const QString& bande, int messages, const char* etape)
    {
        ecran_.touches({QStringLiteral("shift+Tab"), QStringLiteral("ctrl+a")});
        saisir(bande, messages, etape);
    }
    // What is typed after the callsign, department and locator; an empty text keeps the field's.
    struct Suite {
        QString mode;
        QString debut;
        QString fin;  // empty: "+", the end time of the start and the report sent kept
        QString rste;
        QString rstr;
        QString prenom;
        QString qth;
        QString remarques;
        int questions = 0;  // asked by the save
    };
    // A field's text replaced by `texte` (kept when empty), then Enter.
    void remplacer(const QString& texte, const char* etape)
    {
        if (!texte.isEmpty())
            ecran_.touches({QStringLiteral("ctrl+a")});
        saisir(texte, 0, etape);
    }
    // Mode, activity, the date typed by hand (it stays for the next QSO), times, reports,
    // first name, QTH, remarks and the save key.
    void finirQSO(const Suite& s)
    {
        ETAPE(remplacer(s.mode, "mode"));
        ETAPE(entree(0, "activite"));
        ETAPE(entree(0, "date"));
        ETAPE(saisir(s.debut, 0, "debut"));
        if (s.fin.isEmpty()) {
            ecran_.ecrire(QStringLiteral("+"));
        } else {
            ETAPE(saisir(s.fin, 0, "fin"));
            ETAPE(remplacer(s.rste, "report envoye"));
        }
        ETAPE(remplacer(s.rstr, "report recu"));
        ETAPE(saisir(s.prenom, 0, "prenom"));
        ETAPE(saisir(s.qth, 0, "qth"));
        ETAPE(saisir(s.remarques, 0, "remarques"));
        ETAPE(entree(s.questions, "enregistrer"));
    }

    // The program started on the station prepared, its main window active and alone.
    void lancer(QProcess& programme)
    {
        QVERIFY(ecran_.lancer(programme, QStringLiteral(VELMARIN_PROGRAMME)));
        QVERIFY2(attendre([&] { return !ecran_.visibles(TitreCarnet).isEmpty(); }, 15000), "the main window never showed");
        QThread::msleep(700);
        QVERIFY(ecran_.visibles(TitreMessage).isEmpty());
        carnet_ = ecran_.visibles(TitreCarnet).value(0);
        QVERIFY2(attendre([&] { return ecran_.xdotool({QStringLiteral("getactivewindow")}) == carnet_; }, 3000),
                 "the main window is not the active window");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString raison;
        if (!ecran_.demarrer(raison))
            QFAIL(qPrintable(raison));
    }

    // Right after the start, the band changed by typing it; after a save, a band refused and
    // then the right one typed; a foreign station on 14 MHz, a French one and a foreign one
    // with its locator on 144 MHz.
    void qsoAuClavier()
    {
        const QStringList avant = {ligne(QStringLiteral("F1AAA"), QStringLiteral("10:00"), QString(), QString(),
                                         QStringLiteral("7.0 Mhz"), QStringLiteral("SSB"), QString(), QString(),
                                         QStringLiteral("?"), QStringLiteral("?"))
                                       .replace(0, 8, QStringLiteral("01/03/24"))};
        preparerStation(avant);
        QProcess programme;
        const auto arreter = qScopeGuard([&programme] { ecran::EcranReel::arret(programme); });
        ETAPE(lancer(programme));

        // A foreign station on an HF band, the date typed by hand once.
        ETAPE(changerBande(QStringLiteral("14 Mhz"), 0, "bande 14 Mhz"));
        ETAPE(saisir(QStringLiteral("DL1ABC"), 1, "indicatif DL1ABC"));
        ETAPE(saisir(QString(), 0, "mode"));
        ETAPE(entree(0, "activite"));
        ETAPE(saisir(QStringLiteral("091226"), 0, "date"));
        ETAPE(saisir(QStringLiteral("1147"), 0, "debut"));
        ETAPE(ecran_.ecrire(QStringLiteral("+")));
        ETAPE(entree(0, "report recu"));
        ETAPE(saisir(QStringLiteral("Hans"), 0, "prenom"));
        ETAPE(saisir(QStringLiteral("Berlin"), 0, "qth"));
        ETAPE(entree(0, "remarques"));
        ETAPE(entree(0, "enregistrer DL1ABC"));

        // A band that is not in the list, then the right one; a French station in Corsica.
        ETAPE(changerBande(QStringLiteral("144 MHz"), 1, "bande refusee"));
        ETAPE(ecran_.touches({QStringLiteral("ctrl+a")}));
        ETAPE(saisir(QStringLiteral("144 Mhz"), 0, "bande 144 Mhz"));
        ETAPE(saisir(QStringLiteral("F6ABC"), 1, "indicatif F6ABC"));
        ETAPE(saisir(QStringLiteral("2B"), 1, "departement 2B"));
        ETAPE(saisir(QStringLiteral("JN42AB"), 1, "locator JN42AB"));
        ETAPE(finirQSO({QStringLiteral("CW"), QStringLiteral("1148"), {}, {}, {}, QStringLiteral("Paul"),
                        QStringLiteral("Bastia"), {}, 1}));

        // A foreign station the directory knows, on the same band and mode.
        ETAPE(saisir(QStringLiteral("ON4XYZ"), 1, "indicatif ON4XYZ"));
        ETAPE(entree(1, "locator JO20KV"));
        ETAPE(finirQSO({{}, QStringLiteral("1149"), QStringLiteral("1152"), QStringLiteral("57"), QStringLiteral("55"),
                        QStringLiteral("Jan"), QStringLiteral("Gent"), QStringLiteral("tres bon signal")}));

        const QStringList attendues = avant + QStringList{
            ligne(QStringLiteral("DL1ABC"), QStringLiteral("11:47"), QString(), QString(), QStringLiteral("14 Mhz"),
                  QStringLiteral("SSB"), QStringLiteral("BERLIN"), QStringLiteral("Hans"), QString(), QString()),
            ligne(QStringLiteral("F6ABC"), QStringLiteral("11:48"), QStringLiteral("2b"), QStringLiteral("JN42AB"),
                  QStringLiteral("144 Mhz"), QStringLiteral("CW"), QStringLiteral("BASTIA"), QStringLiteral("Paul"),
                  QStringLiteral("545"), QStringLiteral("104")),
            [] {
                station::Ligne_QSO l = station::Ligne_QSO::depuis(
                    ligne(QStringLiteral("ON4XYZ"), QStringLiteral("11:49"), QString(), QStringLiteral("JO20KV"),
                          QStringLiteral("144 Mhz"), QStringLiteral("CW"), QStringLiteral("GENT"), QStringLiteral("Jan"),
                          QStringLiteral("870"), QStringLiteral("15")));
                l.Heure_Fin = QStringLiteral("11:52");
                l.RST_Envoye = QStringLiteral("57");
                l.RST_Recu = QStringLiteral("55");
                l.Remarques_QSO = QStringLiteral("TRES BON SIGNAL");
                return l.texte();
            }()};
        QByteArray journal;
        for (const QString& l : attendues)
            journal += l.toLatin1() + "\r\n";
        attendre([&] { return lire(chemin(Station + QStringLiteral(".log"))) == journal; }, 5000);
        const QByteArray ecrit = lire(chemin(Station + QStringLiteral(".log")));
        QCOMPARE(QString::fromLatin1(ecrit).split(QStringLiteral("\r\n")), QString::fromLatin1(journal).split(QStringLiteral("\r\n")));
        QCOMPARE(ecrit, journal);
        QCOMPARE(lire(chemin(QStringLiteral("Nomenclature.txt"))),
                 QByteArray("ON4XYZ        JO20KV\r\nF6ABC      97 JN42AB\r\n"));

        // The prefix on its band (prefix in 7 columns), the department (2 + blank), the squares
        // (4 + blank, bands from 50 MHz).
        const int hf = rangBande(QStringLiteral("14 Mhz"));
        const int vhf = rangBande(QStringLiteral("144 Mhz"));
        const int vhfCarre = vhf - rangBande(QStringLiteral("50 Mhz"));
        const QString modeles = QStringLiteral(VELMARIN_MODELES) + QStringLiteral("/FXXXX");
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Prefixe.txt"))),
                 marquer(modeles + QStringLiteral("_Prefixe.txt"),
                         {{QStringLiteral("DL    "), 7 + hf}, {QStringLiteral("F     "), 7 + vhf}, {QStringLiteral("ON    "), 7 + vhf}}));
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Departement.txt"))),
                 marquer(modeles + QStringLiteral("_Departement.txt"), {{QStringLiteral("97"), 3 + vhf}}));
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Locator.txt"))),
                 marquer(modeles + QStringLiteral("_Locator.txt"),
                         {{QStringLiteral("JN42"), 5 + vhfCarre}, {QStringLiteral("JO20"), 5 + vhfCarre}}));
    }

    // The last QSO, on 7.0 MHz, recalled with a double click and deleted ("Effacer QSO" reached
    // from the list by keyboard, Oui); the next QSO, typed without touching the band: blanks
    // for a callsign refused, a mode typed as a part of a listed one kept as typed, the QSO
    // written and marked on the band of the settings, 144 MHz.
    void effacementPuisQSO()
    {
        const QString anterieur = ligne(QStringLiteral("F1AAA"), QStringLiteral("10:00"), QStringLiteral("31"),
                                        QStringLiteral("JN03AA"), QStringLiteral("144 Mhz"), QStringLiteral("SSB"), QString(),
                                        QString(), QStringLiteral("12"), QStringLiteral("180"))
                                      .replace(0, 8, QStringLiteral("01/03/24"));
        const QString efface = ligne(QStringLiteral("G4XYZ"), QStringLiteral("10:30"), QString(), QString(),
                                     QStringLiteral("7.0 Mhz"), QStringLiteral("CW"), QString(), QString(),
                                     QStringLiteral("?"), QStringLiteral("?"))
                                   .replace(0, 8, QStringLiteral("02/03/24"));
        preparerStation({anterieur, efface});
        QProcess programme;
        const auto arreter = qScopeGuard([&programme] { ecran::EcranReel::arret(programme); });
        ETAPE(lancer(programme));

        // The start-up selects the last QSO: its line is the one shown in the selection colour.
        const std::optional<QPoint> point = ecran_.ligneSelectionnee(carnet_);
        QVERIFY2(point, "no selected line on screen");
        ecran_.xdotool({QStringLiteral("mousemove"), QString::number(point->x()), QString::number(point->y()),
                        QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
        QThread::msleep(300);
        // From the list back to "Effacer QSO": "Cluster", "Gerer  QSL", "Chercher QSO" ("Exporter
        // QSO" is off), then Space and the question, answered Oui with Enter.
        ecran_.touches({QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"), QStringLiteral("shift+Tab"),
                        QStringLiteral("shift+Tab"), QStringLiteral("space")});
        QVERIFY2(attendre([&] { return !ecran_.visibles(TitreMessage).isEmpty(); }, 5000), "no delete question");
        QVERIFY2(attendre([&] { return ecran_.xdotool({QStringLiteral("getactivewindow")}) == ecran_.visibles(TitreMessage).value(0); }, 5000),
                 "the delete question has not the focus");
        ecran_.touches({QStringLiteral("Return")});
        QVERIFY2(attendre([&] { return lire(chemin(Station + QStringLiteral(".log"))) == anterieur.toLatin1() + "\r\n"; }, 5000),
                 "the QSO was not deleted");
        QVERIFY2(attendre([&] { return ecran_.xdotool({QStringLiteral("getactivewindow")}) == carnet_; }, 5000),
                 "the main window did not get the focus back");

        ETAPE(saisir(QStringLiteral("   "), 1, "indicatif de blancs"));
        ETAPE(ecran_.touches({QStringLiteral("ctrl+a")}));
        ETAPE(saisir(QStringLiteral("F6ABC"), 1, "indicatif F6ABC"));
        ETAPE(saisir(QStringLiteral("2B"), 1, "departement 2B"));
        ETAPE(saisir(QStringLiteral("JN42AB"), 1, "locator JN42AB"));
        ETAPE(remplacer(QStringLiteral("PSK"), "mode PSK"));
        ETAPE(entree(0, "activite"));
        ETAPE(saisir(QStringLiteral("091226"), 0, "date"));
        ETAPE(saisir(QStringLiteral("1148"), 0, "debut"));
        ETAPE(ecran_.ecrire(QStringLiteral("+")));
        ETAPE(entree(0, "report recu"));
        ETAPE(saisir(QStringLiteral("Paul"), 0, "prenom"));
        ETAPE(saisir(QStringLiteral("Bastia"), 0, "qth"));
        ETAPE(entree(0, "remarques"));
        ETAPE(entree(1, "enregistrer F6ABC"));

        QByteArray journal = anterieur.toLatin1() + "\r\n" +
                             ligne(QStringLiteral("F6ABC"), QStringLiteral("11:48"), QStringLiteral("2b"),
                                   QStringLiteral("JN42AB"), QStringLiteral("144 Mhz"), QStringLiteral("PSK"),
                                   QStringLiteral("BASTIA"), QStringLiteral("Paul"), QStringLiteral("545"), QStringLiteral("104"))
                                 .toLatin1() +
                             "\r\n";
        attendre([&] { return lire(chemin(Station + QStringLiteral(".log"))) == journal; }, 5000);
        QCOMPARE(lire(chemin(Station + QStringLiteral(".log"))), journal);
        const int vhf = rangBande(QStringLiteral("144 Mhz"));
        const QString modeles = QStringLiteral(VELMARIN_MODELES) + QStringLiteral("/FXXXX");
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Prefixe.txt"))),
                 marquer(modeles + QStringLiteral("_Prefixe.txt"), {{QStringLiteral("F     "), 7 + vhf}}));
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Departement.txt"))),
                 marquer(modeles + QStringLiteral("_Departement.txt"), {{QStringLiteral("97"), 3 + vhf}}));
        QCOMPARE(lire(chemin(Station + QStringLiteral("_Locator.txt"))),
                 marquer(modeles + QStringLiteral("_Locator.txt"),
                         {{QStringLiteral("JN42"), 5 + vhf - rangBande(QStringLiteral("50 Mhz"))}}));
    }
};

QTEST_GUILESS_MAIN(TestSaisieEcran)
#include "tst_saisie_ecran.moc"
