#include "GlobalVars.h"

namespace {
GlobalVars globals;
}

GlobalVars &gv()
{
    return globals;
}

void resetGlobalVars()
{
    globals = GlobalVars();
}
