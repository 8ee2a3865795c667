#include "qsl/Etiquettes.h"

#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Imprimante.h"
#include "qsl/Select_QSO.h"
#include "station/Cles_Registre.h"
#include "station/Fenetres_Station.h"
#include "station/Variables_Programme.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace etiquettes;

namespace {

QRadioButton* option(QWidget* parent, QLayout* l, const QString& nom, const QString& texte)
{
    auto* o = new QRadioButton(texte, parent);
    o->setObjectName(nom);
    l->addWidget(o);
    return o;
}

// A fixed sample label of one wording.
QGroupBox* apercu(QWidget* parent, const QString& nom, const QString& derniere)
{
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(nom);
    auto* v = new QVBoxLayout(cadre);
    const QStringList lignes{QStringLiteral("De Q9ZZQ  pour Q8YYQ/P"), QStringLiteral("Date 12/06/05  QTR 14:25"),
                             QStringLiteral("QRG 144 Mhz  RST 59  Mode SSB"), QStringLiteral("TX FT847  Ant 9 el"),
                             derniere};
    for (const QString& t : lignes) {
        auto* l = new QLabel(t, cadre);
        l->setFont(plateforme::policeChasseFixe(QStringLiteral("Courier New")));
        l->setAlignment(Qt::AlignCenter);
        v->addWidget(l);
    }
    return cadre;
}

// The printer as the labels use it: font name kept, size and bold set per line.
class SortieImprimante : public Sortie {
public:
    void ligne(const QString& texte, double points, bool gras, double xMm, double yMm) override
    {
        auto& p = plateforme::Imprimante::instance();
        p.setFontSize(points);
        p.setFontBold(gras);
        p.PrintA(xMm, yMm, texte);
    }
    bool finTravail() override
    {
        if (plateforme::Imprimante::instance().EndDoc())
            return true;
        echec = true;
        return false;
    }
    void abandon() override { plateforme::Imprimante::instance().KillDoc(); }
    bool pageSuivante(const QString& question) override
    {
        return plateforme::MsgBox(question, plateforme::Boutons::OuiNon) == plateforme::Reponse::Oui;
    }
    bool echec = false;
};

} // namespace

Etiquettes::Etiquettes() : Fenetre_Chargee(QStringLiteral("Etiquettes"))
{
    setWindowTitle(QStringLiteral("Impression étiquettes"));
    auto* g = new QGridLayout(this);

    auto* libelles = new QGroupBox(this);
    libelles->setObjectName(QStringLiteral("Frame1"));
    auto* vl = new QVBoxLayout(libelles);
    Type_1 = option(libelles, vl, QStringLiteral("Type_1"),
                    QStringLiteral("Etiquette en confirmation d'un QSO avec une activation"));
    Type_2 = option(libelles, vl, QStringLiteral("Type_2"), QStringLiteral("Etiquette en confirmation d'un QSO "));
    g->addWidget(libelles, 0, 0);

    auto* apercus = new QHBoxLayout;
    apercus->addWidget(apercu(this, QStringLiteral("Frame3"), QStringLiteral("Merci pour le DFCF34005     73's de Q9ZZQ")));
    apercus->addWidget(apercu(this, QStringLiteral("Frame4"), QStringLiteral(" Merci pour le QSO            73's de Q9ZZQ")));
    g->addLayout(apercus, 1, 0, 1, 2);

    auto* formats = new QGroupBox(this);
    formats->setObjectName(QStringLiteral("Frame2"));
    auto* vf = new QVBoxLayout(formats);
    Etiqu_1 = option(formats, vf, QStringLiteral("Etiqu_1"),
                     QStringLiteral("AVERY L7162                99.1 x 33.9     16 Etiquettes"));
    Etiqu_2 = option(formats, vf, QStringLiteral("Etiqu_2"),
                     QStringLiteral("DECADRY OLW 4732       99.1 x 34     16 Etiquettes"));
    Etiqu_3 = option(formats, vf, QStringLiteral("Etiqu_3"),
                     QStringLiteral("AVERY DP 167                  105 x 37      16 Etiquettes"));
    Etiqu_4 = option(formats, vf, QStringLiteral("Etiqu_4"),
                     QStringLiteral("DECADRY DLW 1799        105 x 35      16 Etiquettes"));
    g->addWidget(formats, 0, 1);

    auto* champs = new QGridLayout;
    auto* l1 = new QLabel(QStringLiteral("Transceiver "), this);
    l1->setObjectName(QStringLiteral("Label1"));
    RxTx = new QLineEdit(this);
    RxTx->setObjectName(QStringLiteral("RxTx"));
    auto* l2 = new QLabel(QStringLiteral("Antenne"), this);
    l2->setObjectName(QStringLiteral("Label2"));
    Antenne = new QLineEdit(this);
    Antenne->setObjectName(QStringLiteral("Antenne"));
    champs->addWidget(l1, 0, 0);
    champs->addWidget(RxTx, 0, 1);
    champs->addWidget(l2, 1, 0);
    champs->addWidget(Antenne, 1, 1);
    g->addLayout(champs, 2, 0);

    Arret_Imp = new QCheckBox(QStringLiteral("Arret impression a chaque feuille"), this);
    Arret_Imp->setObjectName(QStringLiteral("Arret_Imp"));
    g->addWidget(Arret_Imp, 2, 1);
    Imprime = new QPushButton(QStringLiteral("Imprimer"), this);
    Imprime->setObjectName(QStringLiteral("Imprime"));
    g->addWidget(Imprime, 3, 1, Qt::AlignRight);

    // A wording and a format are always chosen.
    Type_2->setChecked(true);
    Etiqu_1->setChecked(true);
    connect(Imprime, &QPushButton::clicked, this, [this] { Imprime_Click(); });
}

void Etiquettes::Afficher()
{
    auto& f = instance();
    f.charger();
    plateforme::montrer(&f);
}

void Etiquettes::Form_Load()
{
    adjustSize();
    plateforme::centrer(this);
    RxTx->setText(Lit_Station(Cles_Registre::Transceiver, QString()));
    Antenne->setText(Lit_Station(Cles_Registre::Antenne, QString()));
}

bool Etiquettes::Form_Unload()
{
    if (Select_QSO* s = Select_QSO::existante())
        s->decharger();
    return true;
}

Format Etiquettes::format() const
{
    if (Etiqu_2->isChecked())
        return Format::Etiqu_2;
    if (Etiqu_3->isChecked())
        return Format::Etiqu_3;
    if (Etiqu_4->isChecked())
        return Format::Etiqu_4;
    return Format::Etiqu_1;
}

Libelle Etiquettes::libelle() const
{
    return Type_1->isChecked() ? Libelle::Type_1 : Libelle::Type_2;
}

void Etiquettes::Imprime_Click()
{
    if (RxTx->text().size() > LongueurMaxTransceiver) {
        plateforme::MsgBox(QStringLiteral("15 caracteres maxi"));
        return;
    }
    if (Antenne->text().size() > LongueurMaxAntenne) {
        plateforme::MsgBox(QStringLiteral("13 caracteres maxi"));
        return;
    }
    Ecrit_Station(Cles_Registre::Transceiver, RxTx->text());
    Ecrit_Station(Cles_Registre::Antenne, Antenne->text());
    if (!plateforme::DialogueImpression(this))
        return;

    auto& p = plateforme::Imprimante::instance();
    const QString ancienNom = p.FontName();
    const double ancienneTaille = p.FontSize();
    const bool ancienPaysage = p.paysage();
    p.setFontName(QStringLiteral("Courier New"));
    // The label sheets stand upright, whatever the last report chose.
    p.setPaysage(false);

    QStringList items;
    if (Select_QSO* s = Select_QSO::existante())
        for (int i = 0; i < s->Liste_Imprime->count(); ++i)
            items << s->Liste_Imprime->item(i)->text();
    Contexte c;
    // The callsign as the operator knows it, "/" and not its file form "_".
    c.station = Station::Indicatif_Affiche(Prog().Indicatif_Station.trimmed());
    c.transceiver = RxTx->text().trimmed();
    c.antenne = Antenne->text().trimmed();
    c.format = format();
    c.libelle = libelle();
    SortieImprimante sortie;
    imprimer(items, c, Arret_Imp->isChecked(), sortie, Prog().Compteur_Carte);

    p.setFontBold(false);
    p.setFontName(ancienNom);
    p.setFontSize(ancienneTaille);
    p.setPaysage(ancienPaysage);
    if (sortie.echec)
        plateforme::MsgBox(QStringLiteral("L'impression n'a pas pu être faite : l'imprimante ou le fichier "
                                          "d'impression a refusé le document."));
}

void Detruire_Fenetres_Etiquettes()
{
    Etiquettes::detruireInstance();
    Select_QSO::detruireInstance();
}
