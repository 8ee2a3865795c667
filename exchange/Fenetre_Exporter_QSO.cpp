#include "exchange/Fenetre_Exporter_QSO.h"

#include "exchange/Export_Programmes.h"
#include "platform/Dialogues.h"
#include "station/Controles_Carnet.h"
#include "station/Ligne_QSO.h"
#include "station/Variables_Programme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace echange;

namespace {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte = QString())
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}

// The selected QSO's record, padded to its full width.
QString recordSelectionne()
{
    return station::ligneDeItem(Prog().Ligne_Selectionnee).leftJustified(station::LongueurLigneQSO, QLatin1Char(' '));
}

} // namespace

Exporter_QSO::Exporter_QSO() : Fenetre_Chargee(QStringLiteral("Exporter_QSO"))
{
    setWindowTitle(QStringLiteral("Exporter un QSO"));
    Label1 = etiquette(this, QStringLiteral("Label1"), QStringLiteral("Exporter le QSO avec"));
    Label3 = etiquette(this, QStringLiteral("Label3"));
    Label4 = etiquette(this, QStringLiteral("Label4"), QStringLiteral("activation"));
    Label5 = etiquette(this, QStringLiteral("Label5"));
    Label6 = etiquette(this, QStringLiteral("Label6"), QStringLiteral("Vers le programme"));
    Label7 = etiquette(this, QStringLiteral("Label7"));
    Label9 = etiquette(this, QStringLiteral("Label9"));
    Label10 = etiquette(this, QStringLiteral("Label10"));
    QFont gras = Label3->font();
    gras.setBold(true);
    for (QLabel* l : {Label3, Label5, Label7})
        l->setFont(gras);
    C_Oui = new QPushButton(QStringLiteral("Exporter"), this);
    C_Oui->setObjectName(QStringLiteral("C_Oui"));
    C_Non = new QPushButton(QStringLiteral("Quitter"), this);
    C_Non->setObjectName(QStringLiteral("C_Non"));

    auto* grille = new QGridLayout;
    grille->addWidget(Label1, 0, 0);
    grille->addWidget(Label3, 0, 1);
    grille->addWidget(Label4, 1, 0);
    grille->addWidget(Label5, 1, 1);
    grille->addWidget(Label6, 2, 0);
    grille->addWidget(Label7, 2, 1);
    auto* etat = new QHBoxLayout;
    etat->addWidget(Label9);
    etat->addWidget(Label10);
    etat->addStretch(1);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(C_Oui);
    boutons->addWidget(C_Non);
    auto* v = new QVBoxLayout(this);
    v->addLayout(grille);
    v->addLayout(etat);
    v->addLayout(boutons);

    connect(C_Oui, &QPushButton::clicked, this, [this] { C_Oui_Click(); });
    connect(C_Non, &QPushButton::clicked, this, [this] { C_Non_Click(); });
}

void Exporter_QSO::Form_Load()
{
    plateforme::centrer(this);
    Label9->clear();
    Label10->clear();
    Label7->clear();
    C_Oui->setEnabled(false);
    Code_Award = Aucun;

    const QString record = recordSelectionne();
    Label3->setText(station::sansBlancs(QStringView(record).mid(10, 12)).toString());
    Label5->setText(station::sansBlancs(QStringView(record).mid(88, 20)).toString());

    const Award_Reconnu award = reconnaitreAward(Label5->text());
    Controles_Carnet* c = carnet();
    if (award.trouve == Aucun) {
        Label9->setText(QStringLiteral("Type de QSO "));
        Label10->setText(QStringLiteral(" non gere sur ce PC"));
        if (c && c->Indicatif_A)
            c->Indicatif_A->setFocus();
        return;
    }
    const Programme_Compagnon* p = programme(award.code != Aucun ? award.code : award.trouve);
    const QString nom = QLatin1String(p->nom);
    Label7->setText(nom);
    if (award.code == Aucun) {
        // The award word stands elsewhere than at the start: its reference cannot be read.
        Label9->setText(QStringLiteral("Référence ") + QLatin1String(p->mot));
        Label10->setText(QStringLiteral(" absente du début du QTH"));
    } else if (!compagnonInstalle(award.code)) {
        Label9->setText(nom);
        Label10->setText(QStringLiteral(" n'existe pas sur ce PC"));
    } else {
        Code_Award = award.code;
        C_Oui->setEnabled(true);
    }
    if (c && c->Indicatif_A) {
        c->Indicatif_A->setEnabled(true);
        c->Indicatif_A->setFocus();
    }
}

void Exporter_QSO::C_Oui_Click()
{
    const int code = Code_Award;
    if (!programme(code))
        return;
    const QString record = recordSelectionne();
    const QString reference = referenceAward(record, code);
    const QString ligne = ligneCompagnon(record, code, reference);
    switch (code) {
    case Code_DFCF:
        Cherche_Double_DFCF(reference, ligne);
        break;
    case Code_DMF:
        Cherche_Double_DMF(reference, ligne);
        break;
    case Code_DCI:
        Cherche_Double_DCI(reference, ligne);
        break;
    case Code_DAI:
        Cherche_Double_DAI(reference, ligne);
        break;
    case Code_DPLF:
        Cherche_Double_DPLF(reference, ligne);
        break;
    default:
        break;
    }
}

void Exporter_QSO::C_Non_Click()
{
    decharger();
}

void Exporter_QSO::chercherDouble(int code, const QString& reference, const QString& ligne)
{
    for (const QString& m : Cherche_Double(code, reference, ligne))
        plateforme::MsgBox(m);
    decharger();
}

void Exporter_QSO::Cherche_Double_DFCF(const QString& reference, const QString& ligne)
{
    chercherDouble(Code_DFCF, reference, ligne);
}

void Exporter_QSO::Cherche_Double_DMF(const QString& reference, const QString& ligne)
{
    chercherDouble(Code_DMF, reference, ligne);
}

void Exporter_QSO::Cherche_Double_DCI(const QString& reference, const QString& ligne)
{
    chercherDouble(Code_DCI, reference, ligne);
}

void Exporter_QSO::Cherche_Double_DAI(const QString& reference, const QString& ligne)
{
    chercherDouble(Code_DAI, reference, ligne);
}

void Exporter_QSO::Cherche_Double_DPLF(const QString& reference, const QString& ligne)
{
    chercherDouble(Code_DPLF, reference, ligne);
}
