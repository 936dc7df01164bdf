// The program's entry point; all that it runs is in the library, which the tests also drive.
#include "win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return tabulor::RunProgram(instance);
}
