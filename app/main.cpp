#include "app/version.h"

#include <cstdio>

int main()
{
    std::printf("%s %s\n", kProgramName, ProgramVersion());
    return 0;
}
