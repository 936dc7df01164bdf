#include "qt/application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QSettings>

#include "qt/notice.h"
#include "qt/shell_types.h"
#include "qt/start_show.h"
#include "shell/layout.h"

namespace tabulor {
namespace {

// The tool keeps nothing between runs, but Qt's own file dialog keeps its history, last folder
// and view in the settings that all Qt programs share: their folders become one that lives only
// as long as the application.
void RedirectSettings(const QString& folder)
{
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder);
    }
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    if (ThrowawaySettings.isValid())
        RedirectSettings(ThrowawaySettings.path());
    setWindowIcon(QIcon(QStringLiteral(":/tabulor.png")));
    // The application name, not the display name: Qt would append a display name to the
    // title of every other window, the file pickers' among them.
    setApplicationName(Title());
    setDesktopFileName(QStringLiteral("fr.tabulor.Tabulor"));
    if (QtTranslation.load(QStringLiteral("qtbase_fr"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&QtTranslation);
}

TApplication* TApplication::Instance()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

QString TApplication::Title()
{
    return ToQString(FormTitle);
}

int TApplication::Run(QWidget& mainWindow, TStartShow how)
{
    ShowMainWindow(mainWindow, how);
    return exec();
}

void TApplication::ShowNotice(const QString& text)
{
    TMessageForm form(text, Title(), activeWindow());
    form.exec();
}

}  // namespace tabulor
