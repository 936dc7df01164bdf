#include "app/application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>

#include "app/error_box.h"
#include "app/message_form.h"
#include "app/placement.h"
#include "app/user_messages.h"

namespace tabulor {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setWindowIcon(QIcon(QStringLiteral(":/tabulor.png")));
    // The application name, not the display name: Qt would append a display name to the
    // title of every other window, the file pickers' among them.
    setApplicationName(Title());
    setDesktopFileName(QStringLiteral("tabulor"));
    if (QtTranslation.load(QStringLiteral("qtbase_fr"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&QtTranslation);
}

TApplication* TApplication::Instance()
{
    return static_cast<TApplication*>(QCoreApplication::instance());
}

QString TApplication::Title()
{
    return QStringLiteral("Tabulor");
}

int TApplication::Run(QWidget& mainWindow, TStartShow how)
{
    mainWindow.move(CentredTopLeft(primaryScreen()->geometry(), mainWindow.frameGeometry().size()));
    ShowMainWindow(mainWindow, how);
    return exec();
}

void TApplication::ShowNotice(const QString& text)
{
    TMessageForm form(text, Title(), activeWindow());
    form.exec();
}

void TApplication::ReportError(const std::exception& error)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    ShowErrorBox(Title(), WithFinalFullStop(QString::fromUtf8(error.what())), activeWindow());
}

}  // namespace tabulor
