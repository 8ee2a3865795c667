#include "station/Controles_Carnet.h"

#include "station/Cles_Registre.h"
#include "station/Fichiers_Etat.h"
#include "station/Variables_Programme.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <cmath>


namespace {
Controles_Carnet* g_carnet = nullptr;
}

Controles_Carnet* carnet()
{
    return g_carnet;
}

void enregistrerCarnet(Controles_Carnet* c)
{
    g_carnet = c;
}


bool Controles_Carnet::Coche_Option(QAction* oui, QAction* non, const QString& cle, const QString& defaut)
{
    const bool valeur = Lit_Station(cle, defaut) == Cles_Registre::Vrai;
    oui->setChecked(valeur);
    non->setChecked(!valeur);
    return valeur;
}

void Controles_Carnet::Lit_Bande_Et_Mode()
{
    Prog().Index_Bande = Lit_Station_Entier(Cles_Registre::Bande_Utilisee, 0, -1, Bande_A->count() - 1);
    // Selecting from the code runs the band list's click handler, also for the band already shown.
    {
        const QSignalBlocker bloque(Bande_A);
        Bande_A->setCurrentIndex(-1);
    }
    Bande_A->setCurrentIndex(int(Prog().Index_Bande));
    // The lookups of the next QSO use the band shown (a station change brings its own).
    Prog().Bande_Courante = Bande_A->currentText();
    Mode_A->setCurrentIndex(Lit_Station_Entier(Cles_Registre::Mode_Utilise, 0, -1, Mode_A->count() - 1));
}

void Controles_Carnet::Lit_Heure_Et_Date()
{
    Coche_Option(Mnu_UTC_Oui, Mnu_UTC_Non, Cles_Registre::Heure_UTC, Cles_Registre::Vrai);
    const bool automatique = Coche_Option(Mnu_Auto_Oui, Mnu_Auto_Non, Cles_Registre::Date_Automatique, Cles_Registre::Vrai);
    Label15->setText(automatique ? QStringLiteral("Date automatique") : QStringLiteral("Date manuelle"));
}

void Controles_Carnet::Remplit_Activites()
{
    const int n = Lit_Station_Entier(Cles_Registre::NB_Activite, 5, 0, Cles_Registre::Max_Activites);
    Prog().Nombre_Activites = n;
    Activ_A->clear();
    for (int i = 0; i < n; ++i)
        Activ_A->addItem(Lit_Station(Cles_Registre::Activite_N(i), QStringLiteral("err1")));
    Activ_A->setCurrentIndex(-1);
    Activ_A->setCurrentIndex(Lit_Station_Entier(Cles_Registre::Activite, 0, -1, n - 1));
}

QString Titre_Departements(double compteur, const QString& bande)
{
    return station::texteNombre(int(compteur)) + QStringLiteral(" Départements sur ") + bande;
}
