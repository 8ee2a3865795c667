#include "station/Variables_Programme.h"

Variables_Programme& Prog()
{
    static Variables_Programme instance;
    return instance;
}
