#include "reports/Recherche_Indicatif.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Imprimante.h"
#include "station/Controles_Carnet.h"
#include "station/Ligne_QSO.h"
#include "reports/Fenetres_Impression.h"
#include "station/Mention_Programme.h"
#include "station/Ouvertures.h"
#include "station/Variables_Programme.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

using recherche::Mode;
using station::Champ;

namespace {

const QString NomFenetre = QStringLiteral("Recherche_Indicatif");

// A click in a criterion box (or reaching it with Tab) selects the box's mode.
class ClicBoite : public QObject {
public:
    ClicBoite(QWidget* boite, std::function<void()> clic) : QObject(boite), clic_(std::move(clic))
    {
        boite->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            clic_();
        else if (e->type() == QEvent::FocusIn) {
            const auto raison = static_cast<QFocusEvent*>(e)->reason();
            if (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason)
                clic_();
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> clic_;
};

// The column captions, each over its column of the result lines.
QString entete()
{
    const struct {
        const char16_t* texte;
        int colonne;  // list column, from 1
    } titres[] = {
        {u"N°", 4},
        {u"Date", station::colonne(Champ::Date_QSO).debut + station::DecalageListe},
        {u"Indicatif", station::colonne(Champ::Indicatif_QSO).debut + station::DecalageListe},
        {u"Début", station::colonne(Champ::Heure_Debut).debut + station::DecalageListe},
        {u"Fin", station::colonne(Champ::Heure_Fin).debut + station::DecalageListe},
        {u"Dpt", station::colonne(Champ::Departement_QSO).debut + station::DecalageListe},
        {u"Locator", station::colonne(Champ::Locator_QSO).debut + station::DecalageListe},
        {u"Bande", station::colonne(Champ::Bande_QSO).debut + station::DecalageListe},
        {u"Mode", station::colonne(Champ::Mode_QSO).debut + station::DecalageListe},
        {u"Rst E", station::colonne(Champ::RST_Envoye).debut + station::DecalageListe},
        {u"Rst R", station::colonne(Champ::RST_Recu).debut + station::DecalageListe},
        {u"QTH", station::colonne(Champ::QTH_QSO).debut + station::DecalageListe},
        {u"Prénom", station::colonne(Champ::Prenom_QSO).debut + station::DecalageListe},
        {u"QSL", recherche::LongueurCle + 1},
    };
    QString ligne;
    for (const auto& t : titres) {
        ligne = ligne.leftJustified(t.colonne - 1, QLatin1Char(' '));
        ligne += QString::fromUtf16(t.texte);
    }
    return ligne;
}

// The main window's QSO list; an empty one when there is no main window.
const Modele_Liste_QSO& listeDuCarnet()
{
    static const Modele_Liste_QSO vide;
    Controles_Carnet* c = carnet();
    return c && c->Modele_QSO ? *c->Modele_QSO : vide;
}

} // namespace

Recherche_Indicatif::Recherche_Indicatif() : Fenetre_Chargee(NomFenetre)
{
    setWindowTitle(QStringLiteral("Fenetre de recherche"));
    const auto nomme = [](auto* w, const QString& nom) {
        w->setObjectName(nom);
        return w;
    };

    auto* titre = nomme(new QLabel(QStringLiteral("Rechercher un QSO par ..."), this), QStringLiteral("Label1"));
    const char16_t* const legendes[] = {u"", u"Indicatif", u"Date", u"Dpt", u"Locator", u"Réference"};
    for (int i = 1; i <= 5; ++i)
        Option1[i] = nomme(new QRadioButton(QString::fromUtf16(legendes[i]), this), QStringLiteral("Option1_%1").arg(i));
    Indica = nomme(new QLineEdit(this), QStringLiteral("Indica"));
    Data = nomme(new QLineEdit(this), QStringLiteral("Data"));
    Depa = nomme(new QLineEdit(this), QStringLiteral("Depa"));
    Loca = nomme(new QLineEdit(this), QStringLiteral("Loca"));
    Refa = nomme(new QLineEdit(this), QStringLiteral("Refa"));

    auto* criteres = new QGridLayout;
    criteres->addWidget(titre, 0, 0, 1, 5);
    const std::array<QLineEdit*, 6> boites = {nullptr, Indica, Data, Depa, Loca, Refa};
    for (int i = 1; i <= 5; ++i) {
        criteres->addWidget(Option1[i], 1, i - 1);
        criteres->addWidget(boites[i], 2, i - 1);
    }

    const QFont fixe = [] {
        QFont f = plateforme::policeChasseFixe(QStringLiteral("Terminal"));
        f.setPointSize(9);
        return f;
    }();
    Entete = nomme(new QLabel(entete(), this), QStringLiteral("Entete"));
    Entete->setFont(fixe);
    Entete->setTextFormat(Qt::PlainText);
    Entete->setIndent(QFontMetrics(fixe).horizontalAdvance(QLatin1Char(' ')) / 2 + 2);
    QSO_Effectues = nomme(new QListWidget(this), QStringLiteral("QSO_Effectues"));
    QSO_Effectues->setFont(fixe);
    QSO_Effectues->setUniformItemSizes(true);
    QSO_Effectues->setSelectionMode(QAbstractItemView::SingleSelection);
    QSO_Effectues->setToolTip(QStringLiteral("Double Click sur un ligne pour retour au log"));
    QSO_Effectues->setMinimumWidth(QFontMetrics(fixe).horizontalAdvance(QString(recherche::LongueurCle + 3, QLatin1Char('0'))));
    QSO_Effectues->setMinimumHeight(QFontMetrics(fixe).lineSpacing() * 16);

    auto* legende = new QHBoxLayout;
    const char16_t* const textesLegende[] = {u"QSL :", u"S :", u"Sans", u"E :", u"Envoyée non reçue",
                                             u"R :", u"Reçue non envoyée", u"C :", u"Confirmée"};
    int n = 2;
    for (const char16_t* t : textesLegende)
        legende->addWidget(nomme(new QLabel(QString::fromUtf16(t), this), QStringLiteral("Label%1").arg(n++)));
    legende->addStretch(1);

    Imprimer = nomme(new QPushButton(QStringLiteral("Imprimer"), this), QStringLiteral("Imprimer"));
    Command1 = nomme(new QPushButton(QStringLiteral("Quitter"), this), QStringLiteral("Command1"));
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Imprimer);
    boutons->addWidget(Command1);

    auto* v = new QVBoxLayout(this);
    v->addLayout(criteres);
    v->addWidget(Entete);
    v->addWidget(QSO_Effectues, 1);
    v->addLayout(legende);
    v->addLayout(boutons);

    for (int i = 1; i <= 5; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    new ClicBoite(Indica, [this] { Indica_Click(); });
    new ClicBoite(Data, [this] { Data_Click(); });
    new ClicBoite(Depa, [this] { Depa_Click(); });
    new ClicBoite(Loca, [this] { Loca_Click(); });
    new ClicBoite(Refa, [this] { Refa_Click(); });
    plateforme::brancherKeyPress(Indica, [this](int& k) { Indica_KeyPress(k); });
    plateforme::brancherKeyPress(Data, [this](int& k) { Data_KeyPress(k); });
    plateforme::brancherKeyPress(Depa, [this](int& k) { Depa_KeyPress(k); });
    plateforme::brancherKeyPress(Loca, [this](int& k) { Loca_KeyPress(k); });
    plateforme::brancherKeyPress(Refa, [this](int& k) { Refa_KeyPress(k); });
    plateforme::brancherDblClick(QSO_Effectues, [this] { QSO_Effectues_DblClick(); });
    connect(Imprimer, &QPushButton::clicked, this, [this] { Imprimer_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Recherche_Indicatif::Afficher()
{
    auto& f = instance();
    f.charger();
    plateforme::montrer(&f);
    f.Indica->setFocus();
}

void Recherche_Indicatif::Form_Load()
{
    // A freshly loaded window: empty boxes and list, the callsign mode.
    for (QLineEdit* b : {Indica, Data, Depa, Loca, Refa})
        b->clear();
    QSO_Effectues->clear();
    Option1[1]->setChecked(true);
    adjustSize();
    plateforme::centrer(this);
}

Mode Recherche_Indicatif::modeChoisi() const
{
    for (int i = 1; i <= 5; ++i)
        if (Option1[i]->isChecked())
            return static_cast<Mode>(i);
    return Mode::Indicatif;
}

QLineEdit* Recherche_Indicatif::boite(Mode mode) const
{
    switch (mode) {
    case Mode::Indicatif: return Indica;
    case Mode::Date: return Data;
    case Mode::Departement: return Depa;
    case Mode::Locator: return Loca;
    case Mode::Reference: return Refa;
    }
    return Indica;
}

void Recherche_Indicatif::Option1_Click(int Index)
{
    if (Index >= 1 && Index <= 5)
        boite(static_cast<Mode>(Index))->setFocus();
}

void Recherche_Indicatif::Indica_Click() { Option1[1]->setChecked(true); }
void Recherche_Indicatif::Data_Click() { Option1[2]->setChecked(true); }
void Recherche_Indicatif::Depa_Click() { Option1[3]->setChecked(true); }
void Recherche_Indicatif::Loca_Click() { Option1[4]->setChecked(true); }
void Recherche_Indicatif::Refa_Click() { Option1[5]->setChecked(true); }

namespace {

void majuscule(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

} // namespace

void Recherche_Indicatif::Indica_KeyPress(int& KeyAscii)
{
    majuscule(KeyAscii);
    entree(Mode::Indicatif, KeyAscii);
}

void Recherche_Indicatif::Data_KeyPress(int& KeyAscii)
{
    entree(Mode::Date, KeyAscii);
}

void Recherche_Indicatif::Depa_KeyPress(int& KeyAscii)
{
    entree(Mode::Departement, KeyAscii);
}

void Recherche_Indicatif::Loca_KeyPress(int& KeyAscii)
{
    majuscule(KeyAscii);
    entree(Mode::Locator, KeyAscii);
}

void Recherche_Indicatif::Refa_KeyPress(int& KeyAscii)
{
    majuscule(KeyAscii);
    entree(Mode::Reference, KeyAscii);
}

void Recherche_Indicatif::entree(Mode mode, int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    QLineEdit* b = boite(mode);
    if (const auto refus = recherche::verifierSaisie(mode, b->text())) {
        plateforme::MsgBox(refus->message);
        if (refus->vider)
            b->clear();
        return;
    }
    Cherche_QSO();
}

void Recherche_Indicatif::Cherche_QSO()
{
    QSO_Effectues->clear();
    const Mode mode = modeChoisi();
    QLineEdit* b = boite(mode);
    const Modele_Liste_QSO& liste = listeDuCarnet();
    // The criterion is looked at with the first QSO: an empty log finds nothing whatever it is.
    if (liste.nombre() > 0) {
        if (b->text().startsWith(QLatin1String("\r\n")))
            b->setText(recherche::sansRetourEnTete(b->text()));
        if (b->text().isEmpty()) {
            plateforme::MsgBox(recherche::messageCritereVide(mode));
            return;
        }
    }
    QSO_Effectues->addItems(recherche::chercher(mode, liste, recherche::critere(mode, b->text())));
    if (QSO_Effectues->count() == 0)
        plateforme::MsgBox(QStringLiteral("Pas de QSO trouvé"));

    auto& p = Prog();
    p.Indicatif_Recherche = Indica->text();
    p.Date_Recherche = Data->text();
    p.Departement_Recherche = Depa->text();
    p.Locator_Recherche = Loca->text();
    for (QLineEdit* boiteVidee : {Indica, Data, Depa, Loca})
        boiteVidee->clear();
}

void Recherche_Indicatif::QSO_Effectues_DblClick()
{
    const QListWidgetItem* choisi = QSO_Effectues->currentItem();
    if (!choisi)
        return;
    Prog().Cle_QSO_Choisi = choisi->text().left(recherche::LongueurCle);
    const int rang = recherche::rangDeCle(listeDuCarnet(), Prog().Cle_QSO_Choisi);
    Controles_Carnet* c = carnet();
    if (rang < 0 || !c) {
        // Deleted or renumbered since the search: the main list's selection stays as it was.
        plateforme::MsgBox(QStringLiteral("Ce QSO n'est plus dans le log sous ce numéro : il a été effacé ou "
                                          "renuméroté depuis la recherche. Relancez la recherche."));
        return;
    }
    c->Selectionne_Ligne(rang);
    decharger();
}

void Recherche_Indicatif::Imprimer_Click()
{
    const Mode mode = modeChoisi();
    const auto& p = Prog();
    QString texte;
    switch (mode) {
    case Mode::Indicatif: texte = p.Indicatif_Recherche; break;
    case Mode::Date: texte = p.Date_Recherche; break;
    case Mode::Departement: texte = p.Departement_Recherche; break;
    case Mode::Locator: texte = p.Locator_Recherche; break;
    case Mode::Reference: texte = Refa->text(); break;
    }
    // The criterion is checked before the printer dialog: a refusal leaves the printer as it was.
    const QString critere = recherche::critere(mode, texte);
    if (critere.isEmpty()) {
        plateforme::MsgBox(recherche::messageCritereVide(mode));
        return;
    }

    plateforme::Imprimante& imprimante = plateforme::Imprimante::instance();
    const QString police = imprimante.FontName();
    const double taille = imprimante.FontSize();
    const bool paysage = imprimante.paysage();
    imprimante.setFontName(QStringLiteral("Courier New"));
    imprimante.setFontBold(true);
    imprimante.setFontSize(10);
    bool imprime = true;
    if (plateforme::DialogueImpression(this)) {
        QStringList lignes;
        const Modele_Liste_QSO& liste = listeDuCarnet();
        for (const int rang : recherche::rangsTrouves(mode, liste, critere))
            lignes << recherche::ligneImprimee(mode, liste.item(rang));
        lignes << QString() << Ligne_Auteur();
        // No line runs off the paper: the page turns, or the font shrinks, to hold the longest.
        imprimante.adapterA(*std::max_element(lignes.cbegin(), lignes.cend(), [](const QString& a, const QString& b) {
            return a.size() < b.size();
        }));
        for (const QString& ligne : lignes)
            imprimante.Print(ligne);
        imprime = imprimante.EndDoc();
    }
    imprimante.setFontBold(false);
    imprimante.setFontName(police);
    imprimante.setFontSize(taille);
    imprimante.setPaysage(paysage);
    if (!imprime)
        plateforme::MsgBox(QStringLiteral("L'impression n'a pas pu se faire : vérifiez l'imprimante."));
}

void Recherche_Indicatif::Command1_Click()
{
    decharger();
}

void Installer_Fenetres_Rapports()
{
    ouvertures::definir(NomFenetre, [] { Recherche_Indicatif::Afficher(); });
    Installer_Statistiques_Et_Impressions();
}

void Detruire_Fenetres_Rapports()
{
    Recherche_Indicatif::detruireInstance();
}
