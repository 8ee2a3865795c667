#pragma once
// The window "Memoire_CL": spots kept aside from the cluster window, picked to tune again.
#include "station/Fenetre_Chargee.h"

class QLabel;
class QListWidget;
class QPushButton;

class Fenetre_Memoire_CL : public Fenetre_Chargee, public Instance_Unique<Fenetre_Memoire_CL> {
public:
    void Mem_Cluster_Click();
    void Efface_CL_Click();
    void Retour_CL_Click();

    // Appends a spot line with the frequency read with it (none: an empty line).
    void Ajouter(const QString& ligne, const QVariant& frequence);

    QListWidget* Mem_Cluster = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Efface_CL = nullptr;
    QPushButton* Retour_CL = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Memoire_CL();
    friend class Instance_Unique<Fenetre_Memoire_CL>;
};
