#include "reports/Cartes.h"

#include "logbook/Carnet_Grille.h"
#include "platform/Dialogues.h"
#include "reports/Carte.h"
#include "reports/Carte_Acti.h"
#include "reports/Carte_Champ.h"
#include "reports/Select_Locator.h"
#include "station/Controles_Carnet.h"

#include <QAction>
#include <QPointer>

namespace Cartes {

namespace {

template <class T>
void afficher()
{
    T& f = T::instance();
    f.charger();
    plateforme::montrer(&f);
}

} // namespace

void Afficher_Carte() { afficher<Carte>(); }
void Afficher_Carte_Acti() { afficher<Carte_Acti>(); }
void Afficher_Select_Locator() { afficher<Select_Locator>(); }

void Installer()
{
    grille::definirPeintreCarteChamp([](const QString& champ, const QString& bande, const grille::Peinture& p) {
        if (Carte_Champ* carte = Carte_Champ::instance(champ))
            carte->peindre(bande, p.etats);
    });
    // Once per main window.
    static QPointer<QObject> installe;
    Controles_Carnet* c = carnet();
    if (!c || installe == c->fenetre())
        return;
    QObject* fenetre = c->fenetre();
    installe = fenetre;
    const auto brancher = [fenetre](QAction* article, void (*ouvrir)()) {
        if (article)
            QObject::connect(article, &QAction::triggered, fenetre, [ouvrir] { ouvrir(); });
    };
    brancher(c->Mnu_Carte_Dpt, &Afficher_Carte);
    brancher(c->Mnu_Carte_Loc, &Afficher_Select_Locator);
    brancher(c->Mnu_Carte_Activation, &Afficher_Carte_Acti);
    QObject::connect(fenetre, &QObject::destroyed, [] {
        grille::definirPeintreCarteChamp(nullptr);
        Detruire_Fenetres();
    });
}

void Detruire_Fenetres()
{
    Carte::detruireInstance();
    Carte_Acti::detruireInstance();
    Select_Locator::detruireInstance();
    Carte_Champ::detruireInstances();
}

} // namespace Cartes
