// The main window's layout: every control with its kind, text, place at 96 dots per inch, anchors
// and tab order, and the rules that map it onto other resolutions and sizes. Both front ends
// build their window from this one table; neither keeps a layout of its own.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "shell/geometry.h"

namespace tabulor {

enum class TControlKind { Label, Edit, SpinEdit, Button, CheckBox, ComboBox, RadioButton };

// The edges of the client area from which a control keeps its distance when the area changes
// size, combined with |.
enum class TAnchor : unsigned { Left = 1, Top = 2, Right = 4, Bottom = 8 };

constexpr TAnchor operator|(TAnchor a, TAnchor b)
{
    return static_cast<TAnchor>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool IsAnchoredTo(TAnchor anchors, TAnchor edge)
{
    return (static_cast<unsigned>(anchors) & static_cast<unsigned>(edge)) != 0;
}

inline constexpr int NoTabStop = -1;

// The main window's controls, in the order of the table, which is the order in which the window
// declares them and in which each label comes right before its field.
enum class TControlId {
    LabelSrcFile, EditSrcFile, ButtonBrowseSrcFile,
    LabelDestFile, EditDestFile, ButtonBrowseDestFile,
    LabelTitleRows, EditTitleRows, LabelTitleCols, EditTitleCols,
    CheckBoxBorder, EditBorderValue, ComboBoxBorderUnit,
    LabelEmptyCells, EditEmptyCells,
    LabelTableClass, EditTableClass, LabelRowClass, EditRowClass,
    LabelHeaderClass, EditHeaderClass, LabelCellClass, EditCellClass,
    RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML, RadioButtonOutputHTML5,
    CheckBoxLinkHeaders, LabelCaption, EditCaption,
    LabelSourceEncoding, ComboBoxSourceEncoding, LabelFieldSeparator, ComboBoxFieldSeparator,
    LabelSheet, ComboBoxSheet, CheckBoxKeepHidden,
    ButtonExecute, ButtonExit,
};

struct TControlLayout {
    TControlId Id;
    // The control's name, which the Qt window gives its widget as its object name.
    std::string_view Name;
    TControlKind Kind;
    // The text that a label, a button or a box shows, or what an edit holds at start. A drop-down
    // list holds the entries that ListEntries gives it and starts at the first; the sheet list
    // holds none until a workbook's sheets fill it.
    std::u16string_view Text;
    TRect Bounds;
    TAnchor Anchors;
    int TabOrder;
    // A check box ticked or a radio button selected at start.
    bool Checked;
    // The name that a screen reader reads out, for a field without a label right before it and
    // for a button whose text says too little; empty for every other control.
    std::u16string_view OwnAccessibleName = {};
};

// The main window's title, which the notice and the error box bear too.
inline constexpr std::u16string_view FormTitle = u"Tabulor";
inline constexpr TSize FormClientSize = {641, 385};

// Tahoma, 8 points: 11 pixels of character height at 96 dots per inch, 13 of text height.
inline constexpr std::u16string_view FormFontFamily = u"Tahoma";
inline constexpr int FormFontPoints = 8;
inline constexpr int DesignDpi = 96;
inline constexpr int DesignTextHeight = 13;

// The controls in the order in which the window declares them.
std::span<const TControlLayout> FormControls();

const TControlLayout& Control(TControlId id);

// The control of that name; none for a name that the window does not have.
std::optional<TControlId> ControlNamed(std::string_view name);

// An edit, a spin field or a drop-down list: a field, which its label names, as what it holds
// cannot.
inline bool IsField(TControlKind kind)
{
    return kind == TControlKind::Edit || kind == TControlKind::SpinEdit || kind == TControlKind::ComboBox;
}

// The name that a screen reader reads out for the control: its own where the table gives one;
// else, for a field, the text of the label right before it (none without one); else its text.
std::u16string_view AccessibleName(TControlId id);

// What the source field names, as far as the window's controls go: a workbook's sheet is chosen
// in a list of its own, where a text source's encoding and separator are chosen.
enum class TSourceView { Text, Workbook };

// Whether the control shows for such a source: the sheet's label and list and the box that keeps
// hidden rows and columns for a workbook alone, the encoding's and the separator's for text alone,
// every other control always. A control that hides keeps what it holds.
bool IsShown(TControlId id, TSourceView view);

// The control that shows where id hides, in the same corner of the window: the sheet's label for
// the encoding's and the separator's, its list for the encoding's list and the box for the
// separator's, and back; id itself for a control that always shows.
TControlId ShownInPlaceOf(TControlId id);

// The font's character height in pixels at dpi: 8 points, rounded to the nearest pixel.
int FontPixelHeight(int dpi);

// A length of the layout on a display where the window font's text is textHeight pixels high:
// every length grows in proportion to the text height over its 13 pixels at 96 dpi.
int ScaleToText(int designed, int textHeight);
TRect ScaleToText(const TRect& designed, int textHeight);
TSize ScaleToText(const TSize& designed, int textHeight);

// A control's place, laid out as designed for a client area of designedClientSize, once the area
// is clientSize: anchored to both opposite edges it stretches by the area's growth, to the far
// edge alone it moves by it.
TRect AnchoredRect(const TRect& designed, TAnchor anchors, const TSize& clientSize,
                   const TSize& designedClientSize);

// The radio buttons row by row, top to bottom, each row in the table's order, which is left to
// right: those that the table lays out at one top make a row.
std::vector<std::vector<TControlId>> RadioButtonRows();

// The radio buttons of one row, left to right, once each holds its text. laidOut are their
// places as the scaled layout gives them; needed, the width that each one's text takes with
// the mark and the gap before its text, as the front end measures it. Each keeps at least its
// laid-out width, and its place unless the one before it, widened, reaches into it, which pushes
// it right. Buttons that would then pass the window's edge at clientWidth move back left into
// the gaps between them, the first never left of its own place; only a row that cannot hold
// every text is cut at the edge.
std::vector<TRect> RadioButtonRects(std::span<const TRect> laidOut, std::span<const int> needed, int clientWidth);

}  // namespace tabulor
