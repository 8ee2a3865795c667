// The QSL window of the selected QSO, and the department QSO list of a grid cell.
#include "logbook/Carnet.h"

void Carnet::Gestion_QSL_Click() {}

void Carnet::Dpt_DblClick(int) {}
