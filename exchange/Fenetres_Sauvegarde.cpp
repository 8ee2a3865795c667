#include "exchange/Fenetres_Sauvegarde.h"

#include "exchange/Sauvegarde.h"
#include "platform/Dialogues.h"
#include "platform/Fichiers.h"
#include "station/Cles_Registre.h"
#include "station/Variables_Programme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Cles_Registre;

namespace {

template <class T>
QPushButton* bouton(T* parent, const char* nom, const char* texte)
{
    auto* b = new QPushButton(QString::fromUtf8(texte), parent);
    b->setObjectName(QString::fromLatin1(nom));
    return b;
}

} // namespace

Delta_QSO::Delta_QSO() : Fenetre_Chargee(QStringLiteral("Delta_QSO"))
{
    setWindowTitle(QStringLiteral("Parametres de sauvegarde"));
    Label1 = new QLabel(QStringLiteral("Nombre de QSO entre 2 sauvegardes"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Val_Delta = new QLineEdit(this);
    Val_Delta->setObjectName(QStringLiteral("Val_Delta"));
    Label2 = new QLabel(QStringLiteral("Repertoire de sauvegarde actuel  :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Le_Chemin = new QLabel(this);
    Le_Chemin->setObjectName(QStringLiteral("Le_Chemin"));
    New_Rep = bouton(this, "New_Rep", "Nouveau repertoire");
    Command1 = bouton(this, "Command1", "Enregistrer les parametres");

    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    h->addWidget(Label1);
    h->addWidget(Val_Delta);
    v->addLayout(h);
    v->addWidget(Label2);
    v->addWidget(Le_Chemin);
    auto* b = new QHBoxLayout;
    b->addWidget(New_Rep);
    b->addWidget(Command1);
    v->addLayout(b);

    connect(New_Rep, &QPushButton::clicked, this, [this] { New_Rep_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Delta_QSO::Form_Load()
{
    adjustSize();
    plateforme::centrer(this);
    Variables_Programme& p = Prog();
    p.Delta_Sauvegarde = Delta_Sauvegarde_Lu();
    Val_Delta->setText(p.Delta_Sauvegarde);
    p.Chemin_Sauvegarde = echange::prefixeSauvegarde(p.Indicatif_Station);
    Le_Chemin->setText(p.Chemin_Sauvegarde);
}

void Delta_QSO::New_Rep_Click()
{
    const QString nom = plateforme::DialogueEnregistrer(Prog().Indicatif_Station);
    if (nom.isEmpty()) {
        plateforme::MsgBox(QStringLiteral("selectionnez un fichier ou quitter"));
        return;
    }
    Prog().Chemin_Sauvegarde = nom;
    Le_Chemin->setText(nom);
}

void Delta_QSO::Command1_Click()
{
    Variables_Programme& p = Prog();
    Ecrit_Station({{Delta_Sauvegarde, Val_Delta->text()}, {Chemin_Sauvegarde, p.Chemin_Sauvegarde}});
    p.Delta_Sauvegarde = Val_Delta->text();
    Le_Chemin->setText(p.Chemin_Sauvegarde);
    decharger();
}

Restoration_Activite::Restoration_Activite() : Fenetre_Chargee(QStringLiteral("Restoration_Activite"))
{
    setWindowTitle(QStringLiteral("Update Activités"));
    Liste_Fichiers = new QListWidget(this);
    Liste_Fichiers->setObjectName(QStringLiteral("Liste_Fichiers"));
    Ecriture_BDR = bouton(this, "Ecriture_BDR", "Ecriture de la BDR");
    auto* v = new QVBoxLayout(this);
    v->addWidget(Liste_Fichiers);
    v->addWidget(Ecriture_BDR);
    connect(Ecriture_BDR, &QPushButton::clicked, this, [this] { Ecriture_BDR_Click(); });
}

void Restoration_Activite::Form_Load()
{
    plateforme::centrer(this);
    if (!Lecture_Sauvegarde())
        throw plateforme::ErreurFichier(QString(), plateforme::ErreurFichierIntrouvable, QString());
}

bool Restoration_Activite::Lecture_Sauvegarde()
{
    // Where the automatic backup of this station writes.
    Prog().Chemin_Sauvegarde = echange::prefixeSauvegarde(Prog().Indicatif_Station);
    Liste_Fichiers->clear();
    const QString fichier = echange::fichierActivitesSauvegarde(Prog().Chemin_Sauvegarde);
    try {
        // One name a line: a name holding a comma stays whole.
        Liste_Fichiers->addItems(echange::lireActivitesSauvegarde(Prog().Chemin_Sauvegarde));
    } catch (const plateforme::ErreurFichier& e) {
        if (e.numero == plateforme::ErreurFichierIntrouvable)
            plateforme::MsgBox(QStringLiteral("Fichier ") + fichier + QStringLiteral(" Absent"));
        else
            plateforme::MsgBox(QStringLiteral("Erreur N° ") + QStringLiteral(" %1").arg(e.numero));
        return false;
    }
    return true;
}

void Restoration_Activite::Ecriture_BDR_Click()
{
    const auto r = plateforme::MsgBox(
        QStringLiteral("Les activités presente dans la base de registre vont etre remplacées\r\n"
                       "       par celles de la derniere sauvegarde, Continuer ?"),
        plateforme::Boutons::OkAnnuler, plateforme::Icone::Critique);
    if (r == plateforme::Reponse::Ok) {
        // The count and the names in one write: a failed write leaves the list as it was.
        const int n = Liste_Fichiers->count();
        QList<std::pair<QString, QString>> valeurs{{NB_Activite, QString::number(n)}};
        for (int i = 0; i < n; ++i)
            valeurs.append({Activite_N(i), Liste_Fichiers->item(i)->text()});
        Ecrit_Station(valeurs);
    }
    decharger();
}

namespace Fenetres_Sauvegarde {

void Afficher_Delta_QSO(bool modal)
{
    Delta_QSO::afficher(modal);
}

void Afficher_Restoration_Activite(bool modal)
{
    try {
        Restoration_Activite::afficher(modal);
    } catch (const plateforme::ErreurFichier&) {
        // Already said by the window; it stays unloaded.
    }
}

void Detruire()
{
    Delta_QSO::detruireInstance();
    Restoration_Activite::detruireInstance();
}

} // namespace Fenetres_Sauvegarde
