#include "cluster/Fenetre_Cluster.h"

#include "cluster/Cluster.h"
#include "cluster/Fenetre_Memoire_CL.h"
#include "cluster/Yaesu.h"
#include "platform/Ansi.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "platform/Serie.h"
#include "platform/Son.h"
#include "platform/Web.h"
#include "station/Cles_Registre.h"
#include "station/Dates.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

using cluster::Disposition;

namespace {

constexpr int Intervalle_Timer2 = 60000;
const QString Son_Vide = QStringLiteral("ringin.wav");
const QString Son_Filtre = QStringLiteral("ringout.wav");
const QString Son_Erreur = QStringLiteral("tada.wav");

template <class T>
T* nomme(T* w, const QString& nom)
{
    w->setObjectName(nom);
    return w;
}

QAction* entree(QMenu* m, const QString& nom, const QString& titre)
{
    QAction* a = m->addAction(titre);
    a->setObjectName(nom);
    a->setCheckable(true);
    return a;
}

QString messageSansReponse()
{
    return QStringLiteral("Pas de reponse du site vérifiez votre liaison internet\r\n") + QString(12, QLatin1Char(' ')) +
           QStringLiteral("Appuyez de nouveau sur Afficher");
}

// The selected line of a list, null when none is selected.
QListWidgetItem* ligneChoisie(QListWidget* liste)
{
    QListWidgetItem* it = liste->currentItem();
    return it && it->isSelected() ? it : nullptr;
}

std::optional<qint32> frequenceItem(const QListWidgetItem* it)
{
    if (!it)
        return std::nullopt;
    const QVariant v = it->data(Qt::UserRole);
    if (!v.isValid())
        return std::nullopt;
    return qint32(v.toInt());
}

} // namespace

// ---------------------------------------------------------------------------------------------

namespace Cluster {

QString Adresse_Page(int index)
{
    QString hote = Lit_Setup(Cle_Hote, Hote_Cluster).trimmed();
    while (hote.endsWith(QLatin1Char('/')))
        hote.chop(1);
    return hote + cluster::Chemin_Page(index);
}

int Delai_Page()
{
    bool ok = false;
    const int ms = Lit_Setup(Cle_Delai, QString()).trimmed().toInt(&ok);
    return ok && ms > 0 ? ms : Delai_Page_Ms;
}

void Afficher()
{
    auto& f = Fenetre_Cluster::instance();
    f.charger();
    plateforme::montrer(&f);
}

void Detruire_Fenetres()
{
    Instance_Unique<Fenetre_Memoire_CL>::detruireInstance();
    Instance_Unique<Fenetre_Cluster>::detruireInstance();
}

} // namespace Cluster

// ---------------------------------------------------------------------------------------------

Fenetre_Cluster::Fenetre_Cluster() : Fenetre_Chargee(QStringLiteral("Cluster"))
{
    setWindowTitle(QStringLiteral("DX Cluster"));

    Barre = nomme(new QMenuBar(this), QStringLiteral("Barre"));
    Mnu_Port_Com = nomme(Barre->addMenu(QStringLiteral("Port Com")), QStringLiteral("Mnu_Port_Com"));
    Mnu_SansCom = entree(Mnu_Port_Com, QStringLiteral("Mnu_SansCom"), QStringLiteral("Sans Com"));
    Mnu_Com1 = entree(Mnu_Port_Com, QStringLiteral("Mnu_Com1"), QStringLiteral("Com 1"));
    Mnu_Com2 = entree(Mnu_Port_Com, QStringLiteral("Mnu_Com2"), QStringLiteral("Com 2"));
    Mnu_Baud = nomme(Barre->addMenu(QStringLiteral("Baud")), QStringLiteral("Mnu_Baud"));
    Mnu_4800 = entree(Mnu_Baud, QStringLiteral("Mnu_4800"), QStringLiteral("4800"));
    Mnu_9600 = entree(Mnu_Baud, QStringLiteral("Mnu_9600"), QStringLiteral("9600"));
    Mnu_19200 = entree(Mnu_Baud, QStringLiteral("Mnu_19200"), QStringLiteral("19200"));
    Mnu_57600 = entree(Mnu_Baud, QStringLiteral("Mnu_57600"), QStringLiteral("57600"));

    Bande_CL = nomme(new QComboBox(this), QStringLiteral("Bande_CL"));
    Afficher = nomme(new QPushButton(QStringLiteral("Afficher"), this), QStringLiteral("Afficher"));
    Patientez = nomme(new QLabel(QStringLiteral("Patientez"), this), QStringLiteral("Patientez"));
    Label2 = nomme(new QLabel(QStringLiteral("Page mise a jour toutes les minutes, la derniere a "), this),
                   QStringLiteral("Label2"));
    QTR = nomme(new QLabel(this), QStringLiteral("QTR"));
    Label11 = nomme(new QLabel(this), QStringLiteral("Label11"));
    Liste_Stations = nomme(new QListWidget(this), QStringLiteral("Liste_Stations"));
    Liste_Stations->setSortingEnabled(true);
    const QFont fixe = plateforme::policeChasseFixe(QStringLiteral("Fixedsys"));
    Liste_Stations->setFont(fixe);
    // The header keeps the window's own font: its blanks are spaced for it.
    QTR->setMinimumWidth(QTR->fontMetrics().horizontalAdvance(QStringLiteral("00:00 TU ")));
    Liste_Stations->setMinimumSize(900, 320);

    Frame2 = nomme(new QGroupBox(this), QStringLiteral("Frame2"));
    Option1 = nomme(new QRadioButton(QStringLiteral("Tri par QTR"), Frame2), QStringLiteral("Option1"));
    Option2 = nomme(new QRadioButton(QStringLiteral("Tri par Indicatif"), Frame2), QStringLiteral("Option2"));
    Option3 = nomme(new QRadioButton(QStringLiteral("Tri par QRG"), Frame2), QStringLiteral("Option3"));
    auto* options = new QVBoxLayout(Frame2);
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addWidget(Option3);

    Check1 = nomme(new QCheckBox(QStringLiteral("Filtre stations Francaises"), this), QStringLiteral("Check1"));
    Check2 = nomme(new QCheckBox(QStringLiteral("Filtre prefixe ou Indicatif"), this), QStringLiteral("Check2"));
    Check3 = nomme(new QCheckBox(QStringLiteral("Son"), this), QStringLiteral("Check3"));
    Indicatif = nomme(new QLineEdit(this), QStringLiteral("Indicatif"));
    Emetteur = nomme(new QComboBox(this), QStringLiteral("Emetteur"));
    auto* labelEmetteur = nomme(new QLabel(QStringLiteral("Transceiver"), this), QStringLiteral("Label_Emetteur"));
    NumPort = nomme(new QLabel(QStringLiteral("0"), this), QStringLiteral("NumPort"));
    DebitPort = nomme(new QLabel(QStringLiteral("0"), this), QStringLiteral("DebitPort"));
    auto* labelCom = new QLabel(QStringLiteral("Com "), this);
    auto* labelBauds = new QLabel(QStringLiteral("Bauds"), this);
    Memoriser = nomme(new QPushButton(QStringLiteral("Memoriser"), this), QStringLiteral("Memoriser"));
    Voir_Mem = nomme(new QPushButton(QStringLiteral("Voir Memoire"), this), QStringLiteral("Voir_Mem"));

    Timer2 = nomme(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setInterval(Intervalle_Timer2);
    Inet1 = new plateforme::Telechargement(this);
    Inet1->setObjectName(QStringLiteral("Inet1"));
    MSComm1 = new plateforme::Port_Serie(this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));

    auto* v = new QVBoxLayout(this);
    v->setMenuBar(Barre);
    auto* haut = new QHBoxLayout;
    haut->addWidget(Bande_CL);
    haut->addWidget(Afficher);
    haut->addWidget(Patientez);
    haut->addStretch(1);
    haut->addWidget(Label2);
    haut->addWidget(QTR);
    v->addLayout(haut);
    v->addWidget(Label11);
    v->addWidget(Liste_Stations, 1);
    auto* bas = new QGridLayout;
    bas->addWidget(Frame2, 0, 0, 3, 1);
    bas->addWidget(Check1, 0, 1);
    bas->addWidget(Check2, 1, 1);
    bas->addWidget(Indicatif, 1, 2);
    bas->addWidget(Check3, 2, 1);
    bas->addWidget(labelEmetteur, 0, 3);
    bas->addWidget(Emetteur, 0, 4);
    bas->addWidget(labelCom, 1, 3);
    bas->addWidget(NumPort, 1, 4);
    bas->addWidget(labelBauds, 2, 3);
    bas->addWidget(DebitPort, 2, 4);
    bas->addWidget(Memoriser, 0, 5);
    bas->addWidget(Voir_Mem, 1, 5);
    bas->setColumnStretch(6, 1);
    v->addLayout(bas);

    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    connect(Afficher, &QPushButton::clicked, this, [this] { Afficher_Click(); });
    connect(Memoriser, &QPushButton::clicked, this, [this] { Memoriser_Click(); });
    connect(Voir_Mem, &QPushButton::clicked, this, [this] { Voir_Mem_Click(); });
    for (QRadioButton* o : {Option1, Option2, Option3})
        connect(o, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                Option_Click();
        });
    for (QCheckBox* c : {Check1, Check2})
        connect(c, &QCheckBox::toggled, this, [this] { Option_Click(); });
    plateforme::brancherKeyPress(Indicatif, [this](int& k) { Indicatif_KeyPress(k); });
    plateforme::brancherClic(Emetteur, [this] { Emetteur_Click(); });
    plateforme::brancherClic(Liste_Stations, [this] { Liste_Stations_Click(); });
    connect(Mnu_SansCom, &QAction::triggered, this, [this] { Mnu_SansCom_Click(); });
    connect(Mnu_Com1, &QAction::triggered, this, [this] { Mnu_Com1_Click(); });
    connect(Mnu_Com2, &QAction::triggered, this, [this] { Mnu_Com2_Click(); });
    connect(Mnu_4800, &QAction::triggered, this, [this] { Mnu_4800_Click(); });
    connect(Mnu_9600, &QAction::triggered, this, [this] { Mnu_9600_Click(); });
    connect(Mnu_19200, &QAction::triggered, this, [this] { Mnu_19200_Click(); });
    connect(Mnu_57600, &QAction::triggered, this, [this] { Mnu_57600_Click(); });
}

void Fenetre_Cluster::etatInitial()
{
    const QSignalBlocker b1(Option1), b2(Option2), b3(Option3), b4(Check1), b5(Check2), b6(Check3),
        b7(Liste_Stations);
    Option1->setChecked(true);
    Check1->setChecked(false);
    Check2->setChecked(false);
    Check3->setChecked(false);
    Indicatif->clear();
    Liste_Stations->clear();
    Label11->setText(cluster::Entete_Spots(Disposition::QTR));
    QTR->clear();
    Afficher->setEnabled(true);
    Patientez->setEnabled(false);
    NumPort->setText(QStringLiteral("0"));
    DebitPort->setText(QStringLiteral("0"));
    for (QAction* a : {Mnu_SansCom, Mnu_Com1, Mnu_Com2, Mnu_4800, Mnu_9600, Mnu_19200, Mnu_57600})
        a->setChecked(false);
    Frequence_Spot.reset();
}

void Fenetre_Cluster::Form_Load()
{
    using namespace Cles_Registre;
    chargement_ = true;
    etatInitial();
    adjustSize();
    plateforme::centrer(this);

    // The two lists; nothing selected until the saved choices are.
    {
        const QSignalBlocker b1(Bande_CL), b2(Emetteur);
        Bande_CL->clear();
        Bande_CL->addItems(cluster::Bandes_Cluster());
        Bande_CL->setCurrentIndex(-1);
        Emetteur->clear();
        Emetteur->addItems(cluster::Modeles_Transceiver());
        Emetteur->setCurrentIndex(-1);
    }
    Bande_CL->setCurrentIndex(Lit_Station_Entier(Bande_Cluster, 0, 0, Bande_CL->count() - 1));

    // The model, written back by its click handler. The key also holds the label text of the
    // QSL labels: a text that is no model index selects the default model and is left alone.
    bool indexLu = false;
    const int modele = Lit_Station(Transceiver, QStringLiteral("2")).trimmed().toInt(&indexLu);
    if (indexLu && modele >= 0 && modele < Emetteur->count()) {
        Emetteur->setCurrentIndex(modele);
    } else {
        const QSignalBlocker b(Emetteur);
        Emetteur->setCurrentIndex(2);
        Prog().Modele_Transceiver = Emetteur->currentText();
    }

    // Port and speed
    const QString port = Lit_Station(Port_Com, QStringLiteral("0"));
    NumPort->setText(port);
    if (port == QLatin1String("0")) {
        cocherPort(0);
    } else if (port == QLatin1String("1") || port == QLatin1String("2")) {
        MSComm1->definirNumero(port.toInt());
        cocherPort(port.toInt());
    }
    const QString baud = Lit_Station(Baud, QStringLiteral("0"));
    if (Port_Choisi()) {
        // A speed never chosen ("0") leaves the link at 9600 baud, no parity, 8 bits, 1 stop.
        const auto reglages = plateforme::lireReglagesSerie(baud);
        MSComm1->definirReglages(reglages.value_or(plateforme::Reglages_Serie{}));
        if (reglages) {
            DebitPort->setText(baud.left(baud.size() - 6));
            cocherVitesse(reglages->vitesse);
        } else {
            DebitPort->setText(QStringLiteral("0"));
        }
    } else {
        DebitPort->setText(QStringLiteral("0"));
    }
    if (Port_Choisi() && !MSComm1->ouvrir())
        plateforme::MsgBox(QStringLiteral("Le port com%1 n'existe pas").arg(MSComm1->numero()));

    Timer2->start();
    Prog().Cluster_Pret = true;
    chargement_ = false;
}

bool Fenetre_Cluster::Form_Unload()
{
    Timer2->stop();
    Inet1->annuler();
    if (Port_Choisi() && MSComm1->estOuvert())
        MSComm1->fermer();
    if (auto* memo = Instance_Unique<Fenetre_Memoire_CL>::existante())
        memo->decharger();
    return true;
}

bool Fenetre_Cluster::Port_Choisi() const
{
    return Valeur_Numerique(NumPort->text()) != 0;
}

bool Fenetre_Cluster::Recherche_En_Cours() const
{
    return Inet1->enCours();
}

Disposition Fenetre_Cluster::Disposition_Choisie() const
{
    if (Option2->isChecked())
        return Disposition::Indicatif;
    if (Option3->isChecked())
        return Disposition::QRG;
    return Disposition::QTR;
}

// ---- Fetch ----------------------------------------------------------------------------------

void Fenetre_Cluster::Timer2_Timer()
{
    Affiche_Cluster();
}

void Fenetre_Cluster::Afficher_Click()
{
    Affiche_Cluster();
}

void Fenetre_Cluster::Affiche_Cluster()
{
    // One fetch at a time: a request made while a page is on its way is dropped.
    if (Inet1->enCours())
        return;
    Liste_Stations->setFocus();
    Timer2->stop();
    Afficher->setEnabled(false);
    Patientez->setEnabled(true);
    const int index = Bande_CL->currentIndex();
    Ecrit_Station(Cles_Registre::Bande_Cluster, QString::number(index));
    Inet1->lancer(Cluster::Adresse_Page(index), Cluster::Delai_Page(), cluster::Taille_Max_Page,
                  [this](const plateforme::Reponse_Web& r) { pageRecue(r); });
}

void Fenetre_Cluster::pageRecue(const plateforme::Reponse_Web& reponse)
{
    if (!reponse.reussi) {
        echec(Son_Erreur);
        return;
    }
    const QString page = cluster::Texte_Page(reponse.corps);
    if (page.isEmpty()) {
        echec(Son_Vide);
        return;
    }
    Prog().Cluster_Pret = true;
    QTR->setText(Lit_Heure_UTC().left(5) + QStringLiteral(" TU"));
    {
        const QSignalBlocker b(Liste_Stations);
        Liste_Stations->clear();
    }
    Label11->setText(cluster::Entete_Spots(Disposition_Choisie()));

    // The cache of the page, upper case with CR LF line ends.
    try {
        QString copie;
        for (const QString& l : cluster::Lignes_Page(page))
            copie += l + QStringLiteral("\r\n");
        plateforme::ecrireOctets(QStringLiteral("Temp1.txt"), plateforme::versAnsi(copie));
        plateforme::copier(QStringLiteral("Temp1.txt"), QStringLiteral("Cluster1.txt"));
    } catch (const plateforme::ErreurFichier& e) {
        // The site did answer: the fault is here, and the operator is told which.
        echec(Son_Erreur, e.messageFrancais(QStringLiteral("Enregistrement de la page du cluster")));
        return;
    }
    if (!listerSpots(page)) {
        echec(Son_Erreur);
        return;
    }
    finRecherche();
}

bool Fenetre_Cluster::listerSpots(const QString& page)
{
    const cluster::Lecture_Page lecture = cluster::Lit_Page(page);
    const Disposition d = Disposition_Choisie();
    const QSignalBlocker b(Liste_Stations);
    for (const cluster::Spot& s : lecture.spots)
        ajouterSpot(s, d);
    return lecture.reussie();
}

void Fenetre_Cluster::ajouterSpot(const cluster::Spot& spot, Disposition d)
{
    const QString ligne = cluster::Ligne_Spot(spot, d);
    const auto frequence = cluster::Frequence_QRG(spot.qrg);
    const auto ajouter = [&] {
        auto* it = new QListWidgetItem(ligne);
        if (frequence)
            it->setData(Qt::UserRole, *frequence);
        Liste_Stations->addItem(it);
    };
    const auto passe = [&] {
        if (Check3->isChecked())
            plateforme::Joue_Son(plateforme::chemin(Son_Filtre));
        ajouter();
    };
    // The two filters are independent: a spot that passes both is listed twice.
    if (Check1->isChecked() && cluster::Filtre_Francais(spot.dx))
        passe();
    if (Check2->isChecked() && cluster::Filtre_Prefixe(spot.dx, Indicatif->text()))
        passe();
    if (!Check1->isChecked() && !Check2->isChecked())
        ajouter();
}

void Fenetre_Cluster::finRecherche()
{
    Afficher->setEnabled(true);
    Patientez->setEnabled(false);
    Timer2->start();
    const int n = Liste_Stations->count();
    if (n == 0)
        return;
    {
        const QSignalBlocker b(Liste_Stations);
        Liste_Stations->setCurrentRow(-1);
    }
    // Selecting runs the click handler, which tunes the transceiver when a port is chosen.
    Liste_Stations->setCurrentRow(Disposition_Choisie() == Disposition::QTR ? n - 1 : 0);
}

void Fenetre_Cluster::echec(const QString& son, const QString& texte)
{
    plateforme::Joue_Son(plateforme::chemin(son));
    plateforme::MsgBox(texte.isEmpty() ? messageSansReponse() : texte);
    Afficher->setEnabled(true);
    Patientez->setEnabled(false);
}

// ---- Controls -------------------------------------------------------------------------------

void Fenetre_Cluster::Option_Click()
{
    if (chargement_ || !Prog().Cluster_Pret)
        return;
    Prog().Cluster_Pret = false;
    auto& memo = Fenetre_Memoire_CL::instance();
    memo.charger();
    memo.Mem_Cluster->clear();
    Affiche_Cluster();
}

void Fenetre_Cluster::Indicatif_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        if (Indicatif->text().isEmpty())
            plateforme::MsgBox(QStringLiteral("Entrez un indicatif"));
        else
            Affiche_Cluster();
        return;
    }
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void Fenetre_Cluster::Emetteur_Click()
{
    if (Emetteur->currentIndex() < 0)
        return;
    Ecrit_Station(Cles_Registre::Transceiver, QString::number(Emetteur->currentIndex()));
    Prog().Modele_Transceiver = Emetteur->currentText();
}

void Fenetre_Cluster::cocherVitesse(int vitesse)
{
    Mnu_4800->setChecked(vitesse == 4800);
    Mnu_9600->setChecked(vitesse == 9600);
    Mnu_19200->setChecked(vitesse == 19200);
    Mnu_57600->setChecked(vitesse == 57600);
}

void Fenetre_Cluster::cocherPort(int numero)
{
    Mnu_SansCom->setChecked(numero == 0);
    Mnu_Com1->setChecked(numero == 1);
    Mnu_Com2->setChecked(numero == 2);
}

void Fenetre_Cluster::choisirVitesse(int vitesse)
{
    const QString reglage = QString::number(vitesse) + QStringLiteral(",n,8,1");
    MSComm1->definirReglages(plateforme::lireReglagesSerie(reglage).value_or(plateforme::Reglages_Serie{}));
    cocherVitesse(vitesse);
    DebitPort->setText(QString::number(vitesse));
    Ecrit_Station(Cles_Registre::Baud, reglage);
}

void Fenetre_Cluster::Mnu_SansCom_Click()
{
    NumPort->setText(QStringLiteral("0"));
    cocherPort(0);
    Ecrit_Station(Cles_Registre::Port_Com, QStringLiteral("0"));
    cocherVitesse(0);
    DebitPort->setText(QStringLiteral("0"));
    Ecrit_Station(Cles_Registre::Baud, QStringLiteral("0"));
    MSComm1->fermer();
}

void Fenetre_Cluster::choisirPort(int numero)
{
    MSComm1->fermer();
    MSComm1->definirNumero(numero);
    if (!MSComm1->ouvrir()) {
        plateforme::MsgBox(QStringLiteral("Le port com%1 n'existe pas").arg(numero));
        // The menus keep their state (the click ticked the entry by itself).
        const QString avant = NumPort->text();
        cocherPort(avant == QLatin1String("0") || avant == QLatin1String("1") || avant == QLatin1String("2")
                       ? avant.toInt()
                       : -1);
        return;
    }
    cocherPort(numero);
    NumPort->setText(QString::number(numero));
    Ecrit_Station(Cles_Registre::Port_Com, QString::number(numero));
}

// ---- Spots picked, memo and transceiver -----------------------------------------------------

void Fenetre_Cluster::Choisir_Spot(const QString& ligne, std::optional<qint32> frequence)
{
    Prog().Ligne_Spot = ligne;
    Frequence_Spot = frequence;
}

void Fenetre_Cluster::Liste_Stations_Click()
{
    const QListWidgetItem* it = ligneChoisie(Liste_Stations);
    Choisir_Spot(it ? it->text() : QString(), frequenceItem(it));
    if (Port_Choisi())
        Cluster_Liste();
}

void Fenetre_Cluster::Memoriser_Click()
{
    const QListWidgetItem* it = ligneChoisie(Liste_Stations);
    Choisir_Spot(it ? it->text() : QString(), frequenceItem(it));
    auto& memo = Fenetre_Memoire_CL::instance();
    memo.charger();
    memo.Ajouter(Prog().Ligne_Spot, it ? it->data(Qt::UserRole) : QVariant());
}

void Fenetre_Cluster::Voir_Mem_Click()
{
    auto& memo = Fenetre_Memoire_CL::instance();
    memo.charger();
    plateforme::montrer(&memo);
    memo.Label3->setText(cluster::Entete_Memoire(Disposition_Choisie()));
}

void Fenetre_Cluster::Cluster_Liste()
{
    if (cluster::Modeles_Transceiver().contains(Prog().Modele_Transceiver))
        Yaesu();
}

// The four frames go out as one block behind any sequence still being sent, so that two
// tunings never mix their frames. A line without a readable frequency sends nothing.
void Fenetre_Cluster::Yaesu()
{
    MSComm1->viderReception();
    if (!MSComm1->estOuvert() || !Frequence_Spot)
        return;
    MSComm1->ecrire(cluster::Sequence_Yaesu(*Frequence_Spot));
}
