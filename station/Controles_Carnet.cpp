#include "station/Controles_Carnet.h"

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
