#include "qt/file_picker.h"

#include <QDir>
#include <QFileDialog>
#include <QScreen>
#include <QSettings>

#include "qt/frame_placement.h"
#include "qt/guard.h"
#include "qt/shell_types.h"
#include "shell/placement.h"

namespace tabulor {
namespace {

// Qt's own file dialog, which unlike the native ones can be placed: once it has laid itself out,
// it moves to the picker's place on the owner's monitor.
class TPlacedPicker : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        RunGuarded([&] {
            QFileDialog::showEvent(event);
            const QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
            PlaceByFrame(*this, owner->screen()->geometry(), PickerTopLeft);
        });
    }
};

// Qt's file dialog reads its group of the settings shared by Qt programs when it is made and
// rewrites it when it is destroyed. Made before the picker and destroyed after it, this puts the
// group back as it was, so that no run leaves anything behind, also where the application could
// not make the folder it sends those settings to.
class TPickerSettingsKeeper {
public:
    TPickerSettingsKeeper()
    {
        Settings.setFallbacksEnabled(false);
        Settings.beginGroup(QStringLiteral("FileDialog"));
        for (const QString& key : Settings.allKeys())
            Saved.insert(key, Settings.value(key));
    }

    ~TPickerSettingsKeeper()
    {
        Settings.remove(QString());
        for (auto saved = Saved.cbegin(); saved != Saved.cend(); ++saved)
            Settings.setValue(saved.key(), saved.value());
    }

    TPickerSettingsKeeper(const TPickerSettingsKeeper&) = delete;
    TPickerSettingsKeeper& operator=(const TPickerSettingsKeeper&) = delete;

private:
    QSettings Settings{QSettings::UserScope, QStringLiteral("QtProject")};
    QVariantMap Saved;
};

// Qt reads a file type's patterns from the last parentheses of its name, separated by spaces,
// and with HideNameFilterDetails shows the name without them: each description gets its
// patterns that way and shows as it is, semicolons and all.
QString QtNameFilter(const TPickerFilter& filter)
{
    const QString patterns = ToQString(filter.Patterns).replace(u';', u' ');
    return ToQString(filter.Description) + QStringLiteral(" (") + patterns + u')';
}

}  // namespace

bool TFilePicker::Execute(QWidget* owner)
{
    const TPickerSettingsKeeper keeper;
    TPlacedPicker picker(owner, ToQString(Setup.Title));
    picker.setObjectName(ToQString(Setup.Name));
    picker.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite
                      | QFileDialog::HideNameFilterDetails);
    const bool open = Setup.Kind == TPickerKind::Open;
    picker.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    picker.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // It starts at the first.
    QStringList filters;
    for (const TPickerFilter& filter : Setup.Filters)
        filters.append(QtNameFilter(filter));
    picker.setNameFilters(filters);
    picker.setDefaultSuffix(ToQString(Setup.DefaultExtension));
    picker.setSizeGripEnabled(true);
    if (!LastName.isEmpty())
        picker.selectFile(LastName);
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return false;

    const QString name = QDir::toNativeSeparators(picker.selectedFiles().constFirst());
    if (!FitsPickerBuffer(name.toStdU16String()))
        return false;
    LastName = name;
    QDir::setCurrent(QFileInfo(name).absolutePath());
    return true;
}

}  // namespace tabulor
