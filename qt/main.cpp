// Tabulor: converts a tab-separated spreadsheet text file into an HTML table.
#include <algorithm>

#include "qt/application.h"
#include "qt/form_main.h"
#include "qt/start_show.h"

int main(int argc, char* argv[])
{
    // Qt sees no argument, so none of its own options can change the window. The program reads
    // the command line itself: the one file that "Open with" names is the source.
    int qtArgumentCount = std::min(argc, 1);
    tabulor::TApplication application(qtArgumentCount, argv);
    tabulor::TFormMain formMain;
    formMain.OpenFiles(tabulor::CommandLineFileNames(argc, argv));
    // X11 and Wayland hand a program no show command: the window starts as it is laid out.
    return application.Run(formMain, tabulor::TStartShow::Normal);
}
