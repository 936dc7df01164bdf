#include "app/file_picker.h"

#include <QDir>
#include <QFileDialog>
#include <QScreen>

#include "app/placement.h"

namespace tabulor {
namespace {

// Qt's own dialog, which unlike the native ones can be placed: once it has laid itself out,
// it moves to the picker's place on the owner's monitor.
class TFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        QFileDialog::showEvent(event);
        const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
        move(PickerTopLeft(screen->geometry(), frameGeometry().size()));
    }
};

}  // namespace

TFilePicker::TFilePicker(TPickerKind kind, QString objectName, QString title, QString filter,
                         QString defaultSuffix)
    : Kind(kind),
      ObjectName(std::move(objectName)),
      Title(std::move(title)),
      Filter(std::move(filter)),
      DefaultSuffix(std::move(defaultSuffix))
{
}

bool TFilePicker::Execute(QWidget* owner)
{
    TFileDialog dialog(owner, Title);
    dialog.setObjectName(ObjectName);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(Kind == TPickerKind::Open ? QFileDialog::AcceptOpen
                                                   : QFileDialog::AcceptSave);
    dialog.setFileMode(Kind == TPickerKind::Open ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    dialog.setNameFilter(Filter);
    dialog.setDefaultSuffix(DefaultSuffix);
    dialog.setSizeGripEnabled(true);
    if (!LastName.isEmpty())
        dialog.selectFile(LastName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;

    const QString name = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (name.size() > MaxFileNameLength)
        return false;
    LastName = name;
    QDir::setCurrent(QFileInfo(name).absolutePath());
    return true;
}

}  // namespace tabulor
