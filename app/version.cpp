#include "app/version.h"

const char* ProgramVersion() { return "0.1.0"; }
