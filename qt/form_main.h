// The main window: the fields of one conversion request, a picker for each file, "Exécuter"
// and "Quitter".
#pragma once

#include <QWidget>

#include <functional>

#include "qt/anchors.h"
#include "qt/file_picker.h"
#include "core/conversion.h"
#include "ui_form_main.h"

namespace tabulor {

struct TFormFields;

class TFormMain : public QWidget, private Ui::FormMain {
    Q_OBJECT
public:
    using TConversionRun = std::function<void(const TConversionSettings&)>;

    // run performs the conversion that "Exécuter" asks for.
    explicit TFormMain(TConversionRun run = RunConversion);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Tab and Shift+Tab enter the output kinds at the selected one.
    bool focusNextPrevChild(bool next) override;

private:
    void ButtonBrowseSrcFileClick();
    void ButtonBrowseDestFileClick();
    void ButtonExecuteClick();
    void ButtonExitClick();

    TFormFields ReadFields() const;
    QRadioButton* SelectedOutput() const;

    TFilePicker OpenDialog;
    TFilePicker SaveDialog;
    TConversionRun Run;
    TAnchors Anchors;
};

}  // namespace tabulor
