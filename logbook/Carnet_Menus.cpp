// The main window's menu bar, its four options, the clock and the help items.
#include "logbook/Carnet.h"

#include "exchange/Fenetre_Export_Adif.h"
#include "exchange/Fenetre_Exporter_QSO.h"
#include "logbook/Notes.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Dates.h"
#include "station/Fenetres_Station.h"
#include "station/Mention_Programme.h"
#include "station/Ouvertures.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QMenu* menu(QMenuBar* barre, const QString& nom, const QString& titre)
{
    QMenu* m = barre->addMenu(titre);
    m->setObjectName(nom);
    return m;
}

QMenu* sousMenu(QMenu* parent, const QString& nom, const QString& titre)
{
    QMenu* m = parent->addMenu(titre);
    m->setObjectName(nom);
    m->menuAction()->setObjectName(nom);
    return m;
}

QAction* article(QMenu* m, const QString& nom, const QString& titre, bool actif = true)
{
    QAction* a = m->addAction(titre);
    a->setObjectName(nom);
    a->setEnabled(actif);
    return a;
}

QAction* coche(QMenu* m, const QString& nom, const QString& titre)
{
    QAction* a = article(m, nom, titre);
    a->setCheckable(true);
    return a;
}

// One option pair: the chosen item ticked, its partner not, the value saved as "True"/"False".
void choisir(QAction* oui, QAction* non, bool valeur, const QString& cle)
{
    oui->setChecked(valeur);
    non->setChecked(!valeur);
    Ecrit_Station(cle, valeur ? Cles_Registre::Vrai : Cles_Registre::Faux);
}

constexpr const char* NomAide = "Velmarin.hlp";

} // namespace

void Carnet::construireMenus()
{
    QMenuBar* barre = menuBar();
    // Items whose window comes with a later part of the program stay greyed until then.
    constexpr bool plusTard = false;

    Mnu_Fichier = menu(barre, QStringLiteral("Mnu_Fichier"), QStringLiteral("Fichier"));
    Mnu_RAZ_All = article(Mnu_Fichier, QStringLiteral("Mnu_RAZ_All"),
                          QStringLiteral("Remise a zéro des fichiers log, Départements et Locators"));
    Mnu_Restauration = article(Mnu_Fichier, QStringLiteral("Mnu_Restauration"),
                               QStringLiteral("Restauration des fichiers log et txt"), plusTard);
    Mnu_Import_EDI = article(Mnu_Fichier, QStringLiteral("Mnu_Import_EDI"),
                             QStringLiteral("Importer un fichier au format EDI"), plusTard);
    Mnu_Import_ADIF = article(Mnu_Fichier, QStringLiteral("Mnu_Import_ADIF"),
                              QStringLiteral("Importer un fichier au format ADIF"), plusTard);
    Mnu_Import_VLM = article(Mnu_Fichier, QStringLiteral("Mnu_Import_VLM"),
                             QStringLiteral("Importer un fichier au format Velmarin"), plusTard);
    Mnu_Export_Adif = article(Mnu_Fichier, QStringLiteral("Mnu_Export_Adif"),
                              QStringLiteral("Exporter le fichier log au format ADIF"));
    connect(Mnu_Export_Adif, &QAction::triggered, this, [this] { Mnu_Export_Adif_Click(); });
    Mnu_Fichier->addSeparator();
    Mnu_Quitter = article(Mnu_Fichier, QStringLiteral("Mnu_Quitter"), QStringLiteral("Quitter Velmarin"));

    Mnu_Station = menu(barre, QStringLiteral("Mnu_Station"), QStringLiteral("Station"));
    Mnu_Indicatif = article(Mnu_Station, QStringLiteral("Mnu_Indicatif"), QStringLiteral("Indicatif et locator de la station"));

    mnu_Options = menu(barre, QStringLiteral("mnu_Options"), QStringLiteral("Options"));
    Mnu_Date_Auto = sousMenu(mnu_Options, QStringLiteral("Mnu_Date_Auto"), QStringLiteral("Date Automatique"));
    Mnu_Auto_Oui = coche(Mnu_Date_Auto, QStringLiteral("Mnu_Auto_Oui"), QStringLiteral("Oui"));
    Mnu_Auto_Non = coche(Mnu_Date_Auto, QStringLiteral("Mnu_Auto_Non"), QStringLiteral("Non"));
    Mnu_Heure_UTC = sousMenu(mnu_Options, QStringLiteral("Mnu_Heure_UTC"), QStringLiteral("Heure en UTC"));
    Mnu_UTC_Oui = coche(Mnu_Heure_UTC, QStringLiteral("Mnu_UTC_Oui"), QStringLiteral("Oui"));
    Mnu_UTC_Non = coche(Mnu_Heure_UTC, QStringLiteral("Mnu_UTC_Non"), QStringLiteral("Non"));
    Mnu_Separateur = sousMenu(mnu_Options, QStringLiteral("Mnu_Separateur"),
                              QStringLiteral("Separateur  \":\" et \"/\" automatique"));
    Mnu_Sep_Oui = coche(Mnu_Separateur, QStringLiteral("Mnu_Sep_Oui"), QStringLiteral("Oui"));
    Mnu_Sep_Non = coche(Mnu_Separateur, QStringLiteral("Mnu_Sep_Non"), QStringLiteral("Non"));
    Mnu_Exp = sousMenu(mnu_Options, QStringLiteral("Mnu_Exp"), QStringLiteral("Exporter les QSO"));
    Mnu_Exp_Oui = coche(Mnu_Exp, QStringLiteral("Mnu_Exp_Oui"), QStringLiteral("Oui"));
    Mnu_Exp_Non = coche(Mnu_Exp, QStringLiteral("Mnu_Exp_Non"), QStringLiteral("Non"));
    Mnu_Val_Sauve = article(mnu_Options, QStringLiteral("Mnu_Val_Sauve"), QStringLiteral("Parametres de sauvegarde"), plusTard);

    Mnu_Outils = menu(barre, QStringLiteral("Mnu_Outils"), QStringLiteral("Outils"));
    Mnu_Nomenclature = article(Mnu_Outils, QStringLiteral("Mnu_Nomenclature"), QStringLiteral("Edition du fichier Nomenclature"));
    Mnu_Prefixe = article(Mnu_Outils, QStringLiteral("Mnu_Prefixe"), QStringLiteral("Ajout d'un prefixe"));
    Mnu_MAJ_Prefixe = article(Mnu_Outils, QStringLiteral("Mnu_MAJ_Prefixe"),
                              QStringLiteral("Mise a jour des prefixes contactés"));
    Mnu_MAJ_Departement = article(Mnu_Outils, QStringLiteral("Mnu_MAJ_Departement"),
                                  QStringLiteral("Mise a jour des départements contactés"));
    Mnu_MAJ_Locator = article(Mnu_Outils, QStringLiteral("Mnu_MAJ_Locator"),
                              QStringLiteral("Mise a jour des locators contactés"));
    Mnu_Restau_Activite = article(Mnu_Outils, QStringLiteral("Mnu_Restau_Activite"),
                                  QStringLiteral("Restauration des activités"), plusTard);

    Mnu_Activite = menu(barre, QStringLiteral("Mnu_Activite"), QStringLiteral("Activités"));
    Mnu_Ajout_Activite = article(Mnu_Activite, QStringLiteral("Mnu_Ajout_Activite"), QStringLiteral("Ajout d'une activité"));

    Mnu_Carte = menu(barre, QStringLiteral("Mnu_Carte"), QStringLiteral("Cartes"));
    Mnu_Carte_Dpt = article(Mnu_Carte, QStringLiteral("Mnu_Carte_Dpt"), QStringLiteral("Carte des departements contactés"));
    Mnu_Carte_Loc = article(Mnu_Carte, QStringLiteral("Mnu_Carte_Loc"), QStringLiteral("Carte des locators contactés"));
    Mnu_Carte_Activation = article(Mnu_Carte, QStringLiteral("Mnu_Carte_Activation"),
                                   QStringLiteral("Carte des Activations contactées"));

    Mnu_Statistique = menu(barre, QStringLiteral("Mnu_Statistique"), QStringLiteral("Statistiques"));
    Mnu_Stat_QSO = article(Mnu_Statistique, QStringLiteral("Mnu_Stat_QSO"), QStringLiteral("Generales des QSO"));
    Mnu_Stat_Dist = article(Mnu_Statistique, QStringLiteral("Mnu_Stat_Dist"),
                            QStringLiteral("Distances des stations contactées"));
    Mnu_Stat_Prefixe = article(Mnu_Statistique, QStringLiteral("Mnu_Stat_Prefixe"),
                               QStringLiteral("Des prefixes contactés"));
    Mnu_Stat_DFCF = article(Mnu_Statistique, QStringLiteral("Mnu_Stat_DFCF"),
                            QStringLiteral("Des activations Contactées"));

    Mnu_Imprim = menu(barre, QStringLiteral("Mnu_Imprim"), QStringLiteral("Imprimer"));
    Mnu_Imprime_Tout = article(Mnu_Imprim, QStringLiteral("Mnu_Imprime_Tout"), QStringLiteral("le log de la station"));
    Mnu_Print_Activite = article(Mnu_Imprim, QStringLiteral("Mnu_Print_Activite"),
                                 QStringLiteral("le log d'une activité"));
    Mnu_Print_QSL = article(Mnu_Imprim, QStringLiteral("Mnu_Print_QSL"), QStringLiteral("des etiquettes pour QSL"));

    // "Notes" opens its window straight from the bar.
    Mnu_Notes = barre->addAction(QStringLiteral("Notes"));
    Mnu_Notes->setObjectName(QStringLiteral("Mnu_Notes"));
    connect(Mnu_Notes, &QAction::triggered, this, [this] { Mnu_Notes_Click(); });
    connect(Exporter, &QPushButton::clicked, this, [this] { Exporter_Click(); });

    brancherStatistiquesEtImpressions();

    Mnu_Aide = menu(barre, QStringLiteral("Mnu_Aide"), QStringLiteral("Aide"));
    Mnu_Historique = article(Mnu_Aide, QStringLiteral("Mnu_Historique"), QStringLiteral("Historique"));
    Mnu_Mode_Emploi = article(Mnu_Aide, QStringLiteral("Mnu_Mode_Emploi"), QStringLiteral("Mode d'emploi"));
    Mnu_A_Propos = article(Mnu_Aide, QStringLiteral("Mnu_A_Propos"), QStringLiteral("A Propos de "));
}

// Options

void Carnet::Mnu_Auto_Oui_Click()
{
    Mnu_Auto_Oui->setChecked(true);
    Mnu_Auto_Non->setChecked(false);
    Label15->setText(QStringLiteral("Date automatique"));
    Date_A->clear();
    Remarques_A->clear();
    Ecrit_Station(Cles_Registre::Date_Automatique, Cles_Registre::Vrai);
}

void Carnet::Mnu_Auto_Non_Click()
{
    Mnu_Auto_Oui->setChecked(false);
    Mnu_Auto_Non->setChecked(true);
    Label15->setText(QStringLiteral("Date manuelle"));
    Ecrit_Station(Cles_Registre::Date_Automatique, Cles_Registre::Faux);
}

void Carnet::Mnu_UTC_Oui_Click()
{
    choisir(Mnu_UTC_Oui, Mnu_UTC_Non, true, Cles_Registre::Heure_UTC);
}

void Carnet::Mnu_UTC_Non_Click()
{
    choisir(Mnu_UTC_Oui, Mnu_UTC_Non, false, Cles_Registre::Heure_UTC);
}

void Carnet::Mnu_Sep_Oui_Click()
{
    choisir(Mnu_Sep_Oui, Mnu_Sep_Non, true, Cles_Registre::Separateur);
}

void Carnet::Mnu_Sep_Non_Click()
{
    choisir(Mnu_Sep_Oui, Mnu_Sep_Non, false, Cles_Registre::Separateur);
}

void Carnet::Mnu_Exp_Oui_Click()
{
    Mnu_Exp_Oui->setChecked(true);
    Mnu_Exp_Non->setChecked(false);
    Exporter->setEnabled(true);
    Ecrit_Station(Cles_Registre::Exporter_QSO, Cles_Registre::Vrai);
}

void Carnet::Mnu_Exp_Non_Click()
{
    Mnu_Exp_Oui->setChecked(false);
    Mnu_Exp_Non->setChecked(true);
    Exporter->setEnabled(false);
    Ecrit_Station(Cles_Registre::Exporter_QSO, Cles_Registre::Faux);
}

// Clock: the chosen clock's time stands out, the other is greyed; the date follows the choice.
void Carnet::Timer1_Timer()
{
    const bool utc = Mnu_UTC_Oui->isChecked();
    Label37->setText(Lit_Heure_UTC().left(5) + QStringLiteral(" Utc"));
    Label34->setText(Lit_Heure_Locale().left(5) + QStringLiteral(" Loc"));
    Label37->setEnabled(utc);
    Label34->setEnabled(!utc);
    Label33->setText(utc ? Lit_Date_UTC() : Lit_Date_Locale());
}

// Help

void Carnet::Mnu_Historique_Click()
{
    plateforme::MsgBox(Prog().Historique_Versions);
}

void Carnet::Recherche_Click()
{
    ouvertures::ouvrir(QStringLiteral("Recherche_Indicatif"));
}

void Carnet::Mnu_A_Propos_Click()
{
    plateforme::MsgBox(QStringLiteral("Velmarin\r\n   revision ") + Prog().Revision_Programme +
                       QStringLiteral("\r\n\r\n") + Mention_Auteur);
}

// The help page "Velmarin.hlp" of the program folder, shown in the program's own viewer.
void Carnet::Mnu_Mode_Emploi_Click()
{
    QString page;
    try {
        page = plateforme::lireLignes(QString::fromLatin1(NomAide)).join(QLatin1Char('\n'));
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Affichage du mode d'emploi")));
        return;
    }
    auto* fenetre = findChild<QWidget*>(QStringLiteral("Mode_Emploi"), Qt::FindDirectChildrenOnly);
    QTextBrowser* texte = nullptr;
    if (!fenetre) {
        fenetre = new QWidget(this, Qt::Window);
        fenetre->setObjectName(QStringLiteral("Mode_Emploi"));
        fenetre->setWindowTitle(QStringLiteral("Velmarin - Mode d'emploi"));
        auto* disposition = new QVBoxLayout(fenetre);
        texte = new QTextBrowser(fenetre);
        texte->setObjectName(QStringLiteral("Texte_Aide"));
        texte->setOpenLinks(true);
        disposition->addWidget(texte);
        fenetre->resize(640, 560);
        plateforme::centrer(fenetre);
    } else {
        texte = fenetre->findChild<QTextBrowser*>(QStringLiteral("Texte_Aide"));
    }
    texte->setHtml(page);
    plateforme::montrer(fenetre);
}

// Menus that open another window

void Carnet::Mnu_Quitter_Click()
{
    Form_Unload();
}

void Carnet::Mnu_Indicatif_Click()
{
    Station::Afficher(false);
}

void Carnet::Mnu_Nomenclature_Click()
{
    Fichier_Nomenclature::Afficher(false);
}

void Carnet::Mnu_Prefixe_Click()
{
    Ajout_Prefixe::Afficher(false);
}

void Carnet::Mnu_Ajout_Activite_Click()
{
    Ajout_Activite::Afficher(false);
}

void Carnet::Mnu_Export_Adif_Click()
{
    Export_Adif::afficher(false);
}

void Carnet::Mnu_Notes_Click()
{
    Notes::afficher(false);
}

void Carnet::Exporter_Click()
{
    Exporter_QSO::afficher(true);
}

// Statistics, printed reports and labels: each item shows its window without blocking.
void Carnet::brancherStatistiquesEtImpressions()
{
    const auto brancher = [this](QAction* article, const char* fenetre) {
        const QString nom = QString::fromLatin1(fenetre);
        connect(article, &QAction::triggered, this, [nom] { ouvertures::ouvrir(nom); });
    };
    brancher(Mnu_Stat_QSO, "Statistique_QSO");
    brancher(Mnu_Stat_Dist, "Statistiques");
    brancher(Mnu_Stat_Prefixe, "Statistique_Prefixe");
    brancher(Mnu_Stat_DFCF, "Statistique_DFCF");
    brancher(Mnu_Imprime_Tout, "Print_Log");
    brancher(Mnu_Print_Activite, "Print_Activite");
    brancher(Mnu_Print_QSL, "Select_QSO");
}
