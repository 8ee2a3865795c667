#include "qsl/Fenetres_QSL.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "qsl/Marques_QSL.h"
#include "station/Controles_Carnet.h"
#include "station/Champs_Ansi.h"
#include "station/Journal.h"
#include "station/Ligne_QSO.h"
#include "station/Mises_A_Jour.h"
#include "station/Retenue_Actions.h"
#include "station/Variables_Programme.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>

namespace {

// List columns of a `Ligne_Liste_QSO` (1-based start, width).
QString champ(const QString& item, int debut, int largeur)
{
    return station::sansBlancs(QStringView(item).mid(debut - 1, largeur)).toString();
}
QString dateQSO(const QString& item) { return champ(item, 7, 8); }
QString indicatifQSO(const QString& item) { return champ(item, 17, 12); }
QString departementQSO(const QString& item) { return champ(item, 43, 2); }
QString etatQSL(const QString& item) { return champ(item, 141, 1); }
QString dateEnvoi(const QString& item) { return item.mid(142, 8); }
QString dateReception(const QString& item) { return item.mid(151, 8); }

template <class T>
T* nomme(T* w, const char* nom)
{
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}

QLabel* etiquette(const char* nom, const QString& texte = QString())
{
    return nomme(new QLabel(texte), nom);
}

// After a recording: department view of the grid, the list reloaded from the log, its last
// line selected.
void rafraichirCarnet()
{
    Controles_Carnet* c = carnet();
    if (!c)
        return;
    Variables_Programme& v = Prog();
    c->Affiche_Departements(v.Bande_Affichee, v.Compteur_Carte);
    if (c->Option1[1])
        c->Option1[1]->setChecked(true);
    try {
        Charge_Liste_QSO(v.Indicatif_Station);
    } catch (const plateforme::ErreurFichier& e) {
        plateforme::MsgBox(e.messageFrancais(QStringLiteral("Chargement du journal")));
    }
    c->Liste_QSO->setCurrentRow(c->Liste_QSO->count() - 1);
}

} // namespace

namespace qsl {

bool qsoAListerMulti(QByteArrayView ligne, QByteArrayView recherche, bool envoi)
{
    using station::Champ;
    const station::Colonne colonneIndicatif = station::colonne(Champ::Indicatif_QSO);
    const station::ChampAnsi indicatif(ligne, colonneIndicatif.debut, colonneIndicatif.largeur);
    const QByteArrayView c = indicatif.sansBlancs();
    const station::ChampAnsi etat(ligne, station::colonne(Champ::Etat_QSL).debut, 1);
    const QByteArrayView e = etat.sansBlancs();
    if (c.isEmpty() || !c.contains(recherche) || e == "4")
        return false;
    if (envoi)
        return e == "1" || e == "3";
    return e == "1" || e == "2";
}

bool etatConnu(int code)
{
    return code >= 1 && code <= 4;
}

QString messageEtatInconnu()
{
    return QStringLiteral("L'état QSL de ce QSO est inconnu : la QSL ne peut pas être enregistrée.");
}

QString etatEnvoi(int code, const QString& item)
{
    return (code == 2 || code == 4) ? QStringLiteral(" le : ") + dateEnvoi(item) : QStringLiteral(" : non");
}

QString etatReception(int code, const QString& item)
{
    return (code == 3 || code == 4) ? QStringLiteral(" le : ") + dateReception(item) : QStringLiteral(" : non");
}

} // namespace qsl

// ---------------------------------------------------------------------------------------------
// QSL

Fenetre_QSL::Fenetre_QSL() : Fenetre_Chargee(QStringLiteral("QSL"))
{
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Gestion QSL"));
    auto* principal = new QVBoxLayout(this);
    Frame1 = nomme(new QGroupBox, "Frame1");
    auto* cadre = new QVBoxLayout(Frame1);
    Label2 = etiquette("Label2", QStringLiteral("GESTION DES QSL's"));
    Label2->setAlignment(Qt::AlignCenter);
    cadre->addWidget(Label2);
    principal->addWidget(Frame1);

    Label3 = etiquette("Label3", QStringLiteral("QSO du"));
    Label4 = etiquette("Label4");
    Label5 = etiquette("Label5", QStringLiteral("avec "));
    Label7 = etiquette("Label7");
    Label6 = etiquette("Label6");
    auto* qso = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label5),
                       static_cast<QWidget*>(Label7), static_cast<QWidget*>(Label6)})
        qso->addWidget(w);
    qso->addStretch(1);
    principal->addLayout(qso);

    Label1 = etiquette("Label1", QStringLiteral("QSL envoyée"));
    Label9 = etiquette("Label9", QStringLiteral("non"));
    Check_Envoye = nomme(new QCheckBox, "Check_Envoye");
    Label10 = etiquette("Label10", QStringLiteral("QSL reçue"));
    Label11 = etiquette("Label11", QStringLiteral("non"));
    Check_Recu = nomme(new QCheckBox, "Check_Recu");
    auto* etats = new QGridLayout;
    etats->addWidget(Label1, 0, 0);
    etats->addWidget(Label9, 0, 1);
    etats->addWidget(Check_Envoye, 0, 2);
    etats->addWidget(Label10, 1, 0);
    etats->addWidget(Label11, 1, 1);
    etats->addWidget(Check_Recu, 1, 2);
    principal->addLayout(etats);

    Enregistre = nomme(new QPushButton(QStringLiteral("Enregistrer")), "Enregistre");
    Multiple = nomme(new QPushButton(QStringLiteral("QSL Multiples")), "Multiple");
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Enregistre);
    boutons->addWidget(Multiple);
    principal->addLayout(boutons);

    connect(Enregistre, &QPushButton::clicked, this, [this] { Enregistre_Click(); });
    connect(Multiple, &QPushButton::clicked, this, [this] { Multiple_Click(); });
    resize(360, 200);
}

void Fenetre_QSL::Ouvrir(const QString& item)
{
    Variables_Programme& v = Prog();
    qso_ = item;
    v.Code_QSL = station::Valeur_Etat(etatQSL(item));
    const int code = int(v.Code_QSL);
    if (estChargee())
        Affiche();  // the boxes follow the QSO now shown
    else
        charger();
    Label4->setText(dateQSO(item));
    const QString d = departementQSO(item);
    Label6->setText(d.isEmpty() ? QString() : QStringLiteral("Dpt ") + d);
    Label7->setText(indicatifQSO(item));
    // A status outside 1 to 4 shows " : non" twice: nothing of the QSO shown before stays.
    Label9->setText(qsl::etatEnvoi(code, item));
    Label11->setText(qsl::etatReception(code, item));
    plateforme::montrer(this);
}

void Fenetre_QSL::Form_Load()
{
    plateforme::centrer(this);
    Affiche();
}

void Fenetre_QSL::Affiche()
{
    Check_Envoye->setChecked(false);
    Check_Recu->setChecked(false);
    Check_Envoye->setEnabled(true);
    Check_Recu->setEnabled(true);
    Enregistre->setEnabled(true);
    switch (int(Prog().Code_QSL)) {
    case 2:
        Check_Envoye->setEnabled(false);
        break;
    case 3:
        Check_Recu->setEnabled(false);
        break;
    case 4:
        Check_Envoye->setChecked(true);
        Check_Recu->setChecked(true);
        Check_Envoye->setEnabled(false);
        Check_Recu->setEnabled(false);
        Enregistre->setEnabled(false);
        break;
    case 1:
        break;
    default:
        // No mark applies to an unknown status: nothing to tick; "Enregistrer" says so.
        Check_Envoye->setEnabled(false);
        Check_Recu->setEnabled(false);
        break;
    }
}

void Fenetre_QSL::Enregistre_Click()
{
    if (!station::Action_Permise())
        return;
    Variables_Programme& v = Prog();
    // The QSO this window shows, whatever the main list shows now.
    v.Ligne_Selectionnee = qso_;
    v.Code_QSL = station::Valeur_Etat(etatQSL(qso_));
    if (!qsl::etatConnu(int(v.Code_QSL))) {
        plateforme::MsgBox(qsl::messageEtatInconnu());
        return;
    }
    bool ok = true;
    if (Check_Envoye->isChecked() && Check_Envoye->isEnabled())
        ok = Enregistre_QSL_Envoyee();
    if (ok && Check_Recu->isChecked() && Check_Recu->isEnabled())
        ok = Enregistre_QSL_Recue();
    rafraichirCarnet();
    decharger();
}

void Fenetre_QSL::Multiple_Click()
{
    Fenetre_Multi_QSL& m = Fenetre_Multi_QSL::instance();
    m.charger();
    m.Indicatif->setText(Label7->text());
    m.Liste_QSO->clear();
    plateforme::montrer(&m);
}

bool Fenetre_QSL::Form_Unload()
{
    Check_Envoye->setChecked(false);
    Check_Recu->setChecked(false);
    Check_Envoye->setEnabled(true);
    Check_Recu->setEnabled(true);
    Enregistre->setEnabled(true);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Multi_QSL

Fenetre_Multi_QSL::Fenetre_Multi_QSL() : Fenetre_Chargee(QStringLiteral("Multi_QSL"))
{
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Enregistrement des QSL multiples"));
    auto* principal = new QVBoxLayout(this);
    Frame1 = nomme(new QGroupBox, "Frame1");
    auto* cadre = new QVBoxLayout(Frame1);
    Label2 = etiquette("Label2", QStringLiteral("Enregistrement des envois / Reception de QSL multiples"));
    Label2->setAlignment(Qt::AlignCenter);
    cadre->addWidget(Label2);
    principal->addWidget(Frame1);

    Label3 = etiquette("Label3", QStringLiteral("Pour afficher"));
    Option1 = nomme(new QRadioButton(QStringLiteral("la liste des QSL   non envoyées")), "Option1");
    Option2 = nomme(new QRadioButton(QStringLiteral("la liste des QSL    non  reçues")), "Option2");
    Indicatif = nomme(new QLineEdit, "Indicatif");
    Label6 = etiquette("Label6", QStringLiteral("Cliquez sur"));
    Recherche = nomme(new QPushButton(QStringLiteral("Rechercher")), "Recherche");
    auto* haut = new QGridLayout;
    haut->addWidget(Label3, 0, 0);
    haut->addWidget(Indicatif, 0, 1);
    haut->addWidget(Option1, 1, 1);
    haut->addWidget(Option2, 2, 1);
    haut->addWidget(Label6, 3, 0);
    haut->addWidget(Recherche, 3, 1);
    principal->addLayout(haut);

    Liste_QSO = nomme(new QListWidget, "Liste_QSO");
    Liste_QSO->setFont(plateforme::policeChasseFixe(QStringLiteral("Terminal")));
    Liste_QSO->setSelectionMode(QAbstractItemView::NoSelection);
    principal->addWidget(Liste_QSO, 1);

    Label1 = etiquette("Label1", QStringLiteral("Cochez dans la liste ci-dessus les QSL "));
    Label4 = etiquette("Label4", QStringLiteral("reçues"));
    Label5 = etiquette("Label5", QStringLiteral("Puis cliquez sur"));
    Enregistre = nomme(new QPushButton(QStringLiteral("Enregistrer")), "Enregistre");
    auto* bas = new QHBoxLayout;
    bas->addWidget(Label1);
    bas->addWidget(Label4);
    bas->addStretch(1);
    bas->addWidget(Label5);
    bas->addWidget(Enregistre);
    principal->addLayout(bas);

    connect(Option1, &QRadioButton::toggled, this, [this](bool c) {
        if (c)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool c) {
        if (c)
            Option2_Click();
    });
    connect(Recherche, &QPushButton::clicked, this, [this] { Recherche_Click(); });
    connect(Enregistre, &QPushButton::clicked, this, [this] { Enregistre_Click(); });
    resize(1000, 420);
}

void Fenetre_Multi_QSL::Form_Load()
{
    plateforme::centrer(this);
    // The design state: cards not yet received, nothing listed, recording after a search.
    Option2->setChecked(true);
    Label4->setText(QStringLiteral("reçues"));
    Enregistre->setEnabled(false);
    Liste_QSO->clear();
}

void Fenetre_Multi_QSL::Option1_Click()
{
    Liste_QSO->clear();
    Label4->setText(QStringLiteral("envoyées"));
}

void Fenetre_Multi_QSL::Option2_Click()
{
    Liste_QSO->clear();
    Label4->setText(QStringLiteral("reçues"));
}

void Fenetre_Multi_QSL::Recherche_Click()
{
    Liste_QSO->clear();
    Enregistre->setEnabled(true);
    Controles_Carnet* c = carnet();
    if (!c)
        return;
    // Matched on the records' bytes: only the rows listed are decoded.
    const std::optional<QByteArray> k = station::ansiExact(Indicatif->text().toUpper());
    const bool envoi = Option1->isChecked();
    const Modele_Liste_QSO& liste = *c->Modele_QSO;
    for (int i = 0; k && i < liste.nombre(); ++i) {
        if (!qsl::qsoAListerMulti(liste.ligneAnsi(i), *k, envoi))
            continue;
        auto* it = new QListWidgetItem(liste.item(i), Liste_QSO);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        it->setCheckState(Qt::Unchecked);
    }
}

void Fenetre_Multi_QSL::Enregistre_Click()
{
    if (!station::Action_Permise())
        return;
    Controles_Carnet* c = carnet();
    Variables_Programme& v = Prog();
    const bool recue = Option2->isChecked();
    bool aucun = true;
    QStringList sautes;
    QSet<QString> faits;  // records already rewritten by this recording
    for (int i = 0; i < Liste_QSO->count(); ++i) {
        const QListWidgetItem* it = Liste_QSO->item(i);
        if (it->checkState() != Qt::Checked)
            continue;
        aucun = false;
        const QString listee = it->text();
        const QString record = station::ligneDeItem(listee);
        if (faits.contains(record))
            continue;  // an identical line, rewritten with the first one
        const int n = station::numeroDeItem(listee);
        const QString actuel = c ? c->Modele_QSO->item(n - 1) : QString();
        if (actuel != listee) {
            sautes << QString::number(n);
            continue;
        }
        v.Code_QSL = station::Valeur_Etat(etatQSL(listee));
        v.Ligne_Selectionnee = actuel;
        const bool ok = recue ? Enregistre_QSL_Recue() : Enregistre_QSL_Envoyee();
        if (ok)
            faits.insert(record);
    }
    if (aucun) {
        plateforme::MsgBox(QStringLiteral("Selectionnez un ou plusieurs QSO"));
        return;
    }
    if (!sautes.isEmpty())
        plateforme::MsgBox(QStringLiteral("Ces QSO ont changé dans le log depuis la recherche, leur QSL n'a pas "
                                          "été enregistrée : QSO n° ") +
                           sautes.join(QStringLiteral(", ")));
    rafraichirCarnet();
    decharger();
}

bool Fenetre_Multi_QSL::Form_Unload()
{
    // Closing the multiple window closes the QSL window too.
    if (Fenetre_QSL* q = Fenetre_QSL::existante())
        q->decharger();
    return true;
}

void Detruire_Fenetres_QSL()
{
    Fenetre_Multi_QSL::detruireInstance();
    Fenetre_QSL::detruireInstance();
}
