#include "qt/guard.h"

#include <QApplication>
#include <QWidget>

#include <stdexcept>
#include <string>

#include "qt/error_box.h"
#include "qt/shell_types.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/text.h"

namespace tabulor {

TErrorReporter& TErrorReporter::Instance()
{
    static TErrorReporter reporter;
    return reporter;
}

// The box bears the main window's title, as the notice does.
void TErrorReporter::ReportError(const std::exception& error)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    emit PressCancelled();
    ShowErrorBox(ToQString(FormTitle), ToQString(WithFinalFullStop(FromUtf8(error.what()))),
                 QApplication::activeWindow());
}

void ReportCurrentError()
{
    try {
        throw;
    } catch (const std::exception& error) {
        TErrorReporter::Instance().ReportError(error);
    } catch (...) {
        TErrorReporter::Instance().ReportError(std::runtime_error(std::string()));
    }
}

}  // namespace tabulor
