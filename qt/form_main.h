// The main window: the fields of one conversion request, a picker for each file, "Exécuter"
// and "Quitter".
#pragma once

#include <QWidget>

#include <functional>
#include <span>
#include <string>

#include "core/conversion.h"
#include "qt/anchors.h"
#include "qt/file_picker.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace tabulor {

class TButton;
class TEdit;
class TSpinEdit;
struct TFormFields;

class TFormMain : public QWidget {
    Q_OBJECT
public:
    using TConversionRun = std::function<void(const TConversionSettings&)>;

    // run performs the conversion that "Exécuter" asks for.
    explicit TFormMain(TConversionRun run = RunConversion);

    // The one file that "Open with" or a drop hands over is chosen as the source, as the source
    // picker chooses one; several names, or none, change nothing.
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

    void ChooseSource(const QString& name);
    void DropFile(const QString& name, QPoint position);
    void FixSizeUnlessMaximized();
    TFormFields ReadFields() const;
    QRadioButton* SelectedOutput() const;

    QLabel* LabelSrcFile;
    TEdit* EditSrcFile;
    TButton* ButtonBrowseSrcFile;
    QLabel* LabelDestFile;
    TEdit* EditDestFile;
    TButton* ButtonBrowseDestFile;
    TFilePicker OpenDialog;
    TFilePicker SaveDialog;
    QCheckBox* CheckBoxBorder;
    QComboBox* ComboBoxBorderUnit;
    QLabel* LabelTableClass;
    TEdit* EditTableClass;
    QLabel* LabelTitleRows;
    TSpinEdit* EditTitleRows;
    QLabel* LabelHeaderClass;
    TEdit* EditHeaderClass;
    QLabel* LabelTitleCols;
    TSpinEdit* EditTitleCols;
    QLabel* LabelCellClass;
    TEdit* EditCellClass;
    TButton* ButtonExecute;
    TButton* ButtonExit;
    QRadioButton* RadioButtonOutputTable;
    QRadioButton* RadioButtonOutputHTML;
    QRadioButton* RadioButtonOutputXHTML;
    QLabel* LabelEmptyCells;
    TEdit* EditEmptyCells;
    QLabel* LabelRowClass;
    TEdit* EditRowClass;
    TEdit* EditBorderValue;

    TConversionRun Run;
    TAnchors Anchors;
};

}  // namespace tabulor
