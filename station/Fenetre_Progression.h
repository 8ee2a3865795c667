#pragma once
// The small window "Progression" shown while an award status file is rebuilt: the line of the
// log reached, then "Mise a jour terminée". It stays open until the operator closes it.
#include "station/Fenetre_Chargee.h"

class QLabel;

class Fenetre_Progression : public Fenetre_Chargee, public Instance_Unique<Fenetre_Progression> {
public:
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;

    // Loads the window when needed and shows it modally without waiting: the windows behind
    // it do not take input while it is open.
    void Ouvrir();
    // "Lecture du log ligne n° " followed by the number as Str writes it.
    void Afficher_Ligne(int n);
    void Terminer();

protected:
    void Form_Load() override;

private:
    Fenetre_Progression();
    friend class Instance_Unique<Fenetre_Progression>;
};
