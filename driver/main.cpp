// profile-sheet: writes the longitudinal profile sheet "Tesmora.dxf" from
// "Tesmo.dat", "GasouT.dat" and "temp.cd5" in the current directory.
#include "driver/run.h"

int main() { return ps::runInCurrentDirectory(); }
