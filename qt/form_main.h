// The main window: the fields of one conversion request, a picker for each file, "Exécuter"
// and "Quitter".
#pragma once

#include <QWidget>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/conversion.h"
#include "qt/anchors.h"
#include "qt/file_picker.h"
#include "qt/form_widgets.h"
#include "shell/layout.h"

class QFocusEvent;
class QLineEdit;

namespace tabulor {

struct TFileFields;
struct TSheetList;

// It reads its fields, hands the request to the run and reports; every rule it follows (the
// layout, the tab order, the request, the file names, what the source names and its sheets) is
// the shell's, and it converts nothing itself.
class TFormMain : public QWidget {
    Q_OBJECT
public:
    using TConversionRun = std::function<TConversionReport(const TConversionSettings&)>;

    // run performs the conversion that "Exécuter" asks for.
    explicit TFormMain(TConversionRun run = [](const TConversionSettings& settings) { return RunConversion(settings); });

    // The one file that "Open with" or a drop hands over is chosen as the source, as the source
    // picker chooses one, and its sheets listed; several names, or none, change nothing.
    void OpenFiles(std::span<const std::u16string> names);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ButtonBrowseSrcFileClick();
    void ButtonBrowseDestFileClick();
    void ButtonExecuteClick();
    void ButtonExitClick();

    void OnClick(TControlId button, void (TFormMain::*handler)());
    void ChooseSource(std::u16string_view name);
    void ShowFileFields(const TFileFields& fields);
    void SourceFieldLeft(const QFocusEvent& event);
    void SettleSource();
    void ShowSheets(const TSheetList& sheets);
    void ShowSourceView(TSourceView view);
    void FixSizeUnlessMaximized();
    TControlId SelectedOutput() const;

    TFilePicker OpenDialog;
    TFilePicker SaveDialog;
    TConversionRun Run;
    TFormWidgets Widgets;
    TAnchors Anchors;
    QLineEdit* EditSrcFile = nullptr;
    QLineEdit* EditDestFile = nullptr;
    // What the source field named when the window last showed its view and sheets.
    TSourceView View = TSourceView::Text;
    QString SettledSource;
};

}  // namespace tabulor
