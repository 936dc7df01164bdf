// Tabulor: converts a tab-separated spreadsheet text file into an HTML table.
#include <algorithm>

#include "qt/application.h"
#include "qt/form_main.h"

int main(int argc, char* argv[])
{
    // The program takes no arguments, so none is handed on to Qt either.
    int argumentCount = std::min(argc, 1);
    tabulor::TApplication application(argumentCount, argv);
    tabulor::TFormMain formMain;
    return application.Run(formMain,
                           tabulor::StartShowFromCommand(tabulor::StartupShowCommand()));
}
