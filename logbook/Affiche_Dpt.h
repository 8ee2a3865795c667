#pragma once
// The window "Affiche_Dpt": the QSOs of the log made with one department, listed from a double
// click on a cell of the main grid; a double click on one of them selects it back in the main
// list and closes the window.
#include "station/Fenetre_Chargee.h"

class Modele_Liste_QSO;
class QLabel;
class QListWidget;

class Fenetre_Affiche_Dpt : public Fenetre_Chargee, public Instance_Unique<Fenetre_Affiche_Dpt> {
public:
    // Appends the main list's items of department `code` (its first two department columns
    // equal to the code, case counting) below those already listed, and shows the window.
    void Ajouter_Departement(const QString& code);
    void QSO_DU_Dep_DblClick();

    QLabel* Label2 = nullptr;
    QLabel* Nudep = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* QSO_DU_Dep = nullptr;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    Fenetre_Affiche_Dpt();
    friend class Instance_Unique<Fenetre_Affiche_Dpt>;
};

namespace affiche_dpt {
// The items of the list whose department columns (43-44 of the item) equal `code` exactly:
// matched on the record's bytes, only those decoded.
QStringList qsoDuDepartement(const Modele_Liste_QSO& liste, const QString& code);
// Row of the item whose first 134 characters equal `cle`, -1 when none does. The key starts
// with the QSO's number: only the row of that number is looked at.
int ligneDeCle(const Modele_Liste_QSO& liste, const QString& cle);
// The column header, over the fixed columns of the items.
QString entete();
} // namespace affiche_dpt
