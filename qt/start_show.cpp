#include "qt/start_show.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "qt/frame_placement.h"
#include "shell/placement.h"

namespace tabulor {
std::vector<std::u16string> CommandLineFileNames(int argc, const char* const argv[])
{
    std::vector<std::u16string> names;
    for (int i = 1; i < argc; ++i)
        names.push_back(QFile::decodeName(argv[i]).toStdU16String());
    return names;
}

void ShowMainWindow(QWidget& window, TStartShow how)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    PlaceByFrame(window, screen, CentredTopLeft);
    switch (how) {
    case TStartShow::Maximized:
        window.showMaximized();
        break;
    case TStartShow::Minimized:
        window.showMinimized();
        break;
    case TStartShow::Normal:
        window.show();
        PlaceByFrame(window, screen, CentredTopLeft);
        break;
    }
}

}  // namespace tabulor
