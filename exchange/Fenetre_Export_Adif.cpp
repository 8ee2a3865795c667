#include "exchange/Fenetre_Export_Adif.h"

#include "exchange/Export_Adif.h"
#include "platform/Controles.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Controles_Carnet.h"
#include "station/Fenetres_Station.h"
#include "station/Variables_Programme.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using plateforme::nomme;

Export_Adif::Export_Adif() : Fenetre_Chargee(QStringLiteral("Export_Adif"))
{
    setWindowTitle(QStringLiteral("Expotation format ADIF"));
    Label1 = nomme(new QLabel(QStringLiteral("Exportation log au format ADIF"), this), QStringLiteral("Label1"));
    QFont gras = Label1->font();
    gras.setBold(true);
    Label1->setFont(gras);
    Label1->setAlignment(Qt::AlignCenter);
    Option1 = nomme(new QRadioButton(QStringLiteral("Log complet"), this), QStringLiteral("Option1"));
    Option2 = nomme(new QRadioButton(QStringLiteral("Log partiel"), this), QStringLiteral("Option2"));
    Label3 = nomme(new QLabel(QStringLiteral("Du N° log"), this), QStringLiteral("Label3"));
    Debut_Ligne = nomme(new QLineEdit(this), QStringLiteral("Debut_Ligne"));
    Label4 = nomme(new QLabel(QStringLiteral("Au N° log"), this), QStringLiteral("Label4"));
    Fin_Ligne = nomme(new QLineEdit(this), QStringLiteral("Fin_Ligne"));
    Exporter = nomme(new QPushButton(QStringLiteral("Exporter"), this), QStringLiteral("Exporter"));

    auto* grille = new QGridLayout;
    grille->addWidget(Option1, 0, 0);
    grille->addWidget(Option2, 1, 0);
    grille->addWidget(Label3, 0, 1);
    grille->addWidget(Debut_Ligne, 0, 2);
    grille->addWidget(Label4, 1, 1);
    grille->addWidget(Fin_Ligne, 1, 2);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addLayout(grille);
    v->addWidget(Exporter, 0, Qt::AlignHCenter);

    // As designed: the whole log chosen, the range boxes hidden.
    Option1->setChecked(true);
    montrerIntervalle(false);

    connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(Exporter, &QPushButton::clicked, this, [this] { Exporter_Click(); });
}

void Export_Adif::montrerIntervalle(bool visible)
{
    for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4),
                       static_cast<QWidget*>(Debut_Ligne), static_cast<QWidget*>(Fin_Ligne)})
        w->setVisible(visible);
}

void Export_Adif::Form_Load()
{
    plateforme::centrer(this);
}

void Export_Adif::Option1_Click()
{
    montrerIntervalle(false);
}

void Export_Adif::Option2_Click()
{
    montrerIntervalle(true);
}

void Export_Adif::Exporter_Click()
{
    const QString indicatif = Prog().Indicatif_Station;
    // The callsign as the main window shows it.
    QString affiche = Station::Indicatif_Affiche(indicatif);
    if (Controles_Carnet* c = carnet(); c && c->I_Station)
        affiche = c->I_Station->text();

    echange::DemandeExportAdif demande;
    demande.partiel = Option2->isChecked();
    demande.debut = Debut_Ligne->text();
    demande.fin = Fin_Ligne->text();
    QString refus;
    int ecartees = 0;
    try {
        refus = echange::exporterAdif(indicatif, affiche, demande, &ecartees);
    } catch (const plateforme::ErreurFichier& e) {
        // The window stays open; an older export is left as it was.
        plateforme::MsgBox(echange::messageErreurExport(e.numero, e.messageFrancais()));
        return;
    }
    if (!refus.isEmpty()) {
        plateforme::MsgBox(refus);
        return;
    }
    QString message = QStringLiteral("le fichier ") + indicatif +
                      QStringLiteral(".adi a été sauvegardé dans le répertoire\r\n") + plateforme::dossierProgramme();
    if (ecartees > 0)
        message += QStringLiteral("\r\n\r\n") + QString::number(ecartees) +
                   QStringLiteral(" ligne(s) du log vide(s) ou illisible(s) (sans indicatif, date ou heure) "
                                  "non exportée(s).");
    plateforme::MsgBox(message);
    decharger();
}
