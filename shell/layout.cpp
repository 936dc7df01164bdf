#include "shell/layout.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace tabulor {
namespace {

using enum TControlKind;

constexpr TAnchor LeftTop = TAnchor::Left | TAnchor::Top;
constexpr TAnchor Stretched = TAnchor::Left | TAnchor::Top | TAnchor::Right;
constexpr TAnchor TopRight = TAnchor::Top | TAnchor::Right;
constexpr TAnchor BottomLeft = TAnchor::Left | TAnchor::Bottom;
constexpr TAnchor BottomRight = TAnchor::Right | TAnchor::Bottom;

// Each label stands right before its field, so that a screen reader that names a field after
// the text before it reads the right one. The fields without a label of their own, and the two
// buttons that show the same text, have names of their own.
constexpr std::array<TControlLayout, 39> Controls = {{
    {TControlId::LabelSrcFile, "LabelSrcFile", Label, u"Fichier source (enregistré par Excel) :", {16, 16, 180, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditSrcFile, "EditSrcFile", Edit, u"", {16, 32, 513, 21}, Stretched, 0, false},
    {TControlId::ButtonBrowseSrcFile, "ButtonBrowseSrcFile", Button, u"Parcourir...", {536, 32, 89, 25}, TopRight, 1, false, u"Parcourir... (fichier source)"},
    {TControlId::LabelDestFile, "LabelDestFile", Label, u"Fichier destination (résultat HTML) :", {16, 64, 171, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditDestFile, "EditDestFile", Edit, u"", {16, 80, 513, 21}, Stretched, 2, false},
    {TControlId::ButtonBrowseDestFile, "ButtonBrowseDestFile", Button, u"Parcourir...", {536, 80, 89, 25}, TopRight, 3, false, u"Parcourir... (fichier destination)"},
    {TControlId::LabelTitleRows, "LabelTitleRows", Label, u"Nombre de lignes de titre :", {16, 128, 127, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditTitleRows, "EditTitleRows", SpinEdit, u"1", {168, 120, 73, 22}, LeftTop, 4, false},
    {TControlId::LabelTitleCols, "LabelTitleCols", Label, u"Nombre de colonnes de titre :", {16, 160, 142, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditTitleCols, "EditTitleCols", SpinEdit, u"0", {168, 152, 73, 22}, LeftTop, 5, false},
    {TControlId::CheckBoxBorder, "CheckBoxBorder", CheckBox, u"Bordure :", {16, 192, 89, 17}, LeftTop, 6, true},
    {TControlId::EditBorderValue, "EditBorderValue", Edit, u"1", {112, 184, 65, 21}, LeftTop, 7, false, u"Bordure : valeur"},
    {TControlId::ComboBoxBorderUnit, "ComboBoxBorderUnit", ComboBox, u"", {184, 184, 57, 21}, LeftTop, 8, false, u"Bordure : unité"},
    {TControlId::LabelEmptyCells, "LabelEmptyCells", Label, u"Cellules vides :", {16, 224, 71, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditEmptyCells, "EditEmptyCells", Edit, u"&nbsp;", {112, 216, 129, 21}, LeftTop, 9, false},
    {TControlId::LabelTableClass, "LabelTableClass", Label, u"Classe CSS du table :", {288, 128, 102, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditTableClass, "EditTableClass", Edit, u"", {400, 120, 225, 21}, Stretched, 10, false},
    {TControlId::LabelRowClass, "LabelRowClass", Label, u"Classe CSS des tr :", {288, 160, 91, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditRowClass, "EditRowClass", Edit, u"", {400, 152, 225, 21}, Stretched, 11, false},
    {TControlId::LabelHeaderClass, "LabelHeaderClass", Label, u"Classe CSS des th :", {288, 192, 93, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditHeaderClass, "EditHeaderClass", Edit, u"", {400, 184, 225, 21}, Stretched, 12, false},
    {TControlId::LabelCellClass, "LabelCellClass", Label, u"Classe CSS des td :", {288, 224, 93, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditCellClass, "EditCellClass", Edit, u"", {400, 216, 225, 21}, Stretched, 13, false},
    {TControlId::RadioButtonOutputTable, "RadioButtonOutputTable", RadioButton, u"Produire uniquement le tableau", {16, 256, 177, 17}, LeftTop, 14, true},
    {TControlId::RadioButtonOutputHTML, "RadioButtonOutputHTML", RadioButton, u"Produire un document HTML complet", {208, 256, 201, 17}, LeftTop, 15, false},
    {TControlId::RadioButtonOutputXHTML, "RadioButtonOutputXHTML", RadioButton, u"Produire un document XHTML complet", {424, 256, 201, 17}, LeftTop, 16, false},
    {TControlId::RadioButtonOutputHTML5, "RadioButtonOutputHTML5", RadioButton, u"Produire un document HTML5 complet", {16, 280, 201, 17}, LeftTop, 17, false},
    {TControlId::CheckBoxLinkHeaders, "CheckBoxLinkHeaders", CheckBox, u"Relier chaque cellule à ses en-têtes", {16, 312, 233, 17}, LeftTop, 18, false},
    {TControlId::LabelCaption, "LabelCaption", Label, u"Titre du tableau :", {288, 312, 84, 13}, LeftTop, NoTabStop, false},
    {TControlId::EditCaption, "EditCaption", Edit, u"", {400, 304, 225, 21}, Stretched, 19, false},
    {TControlId::LabelSourceEncoding, "LabelSourceEncoding", Label, u"Codage :", {16, 352, 43, 13}, BottomLeft, NoTabStop, false},
    {TControlId::ComboBoxSourceEncoding, "ComboBoxSourceEncoding", ComboBox, u"", {64, 344, 121, 21}, BottomLeft, 20, false},
    {TControlId::LabelFieldSeparator, "LabelFieldSeparator", Label, u"Séparateur :", {200, 352, 60, 13}, BottomLeft, NoTabStop, false},
    {TControlId::ComboBoxFieldSeparator, "ComboBoxFieldSeparator", ComboBox, u"", {264, 344, 97, 21}, BottomLeft, 21, false},
    {TControlId::LabelSheet, "LabelSheet", Label, u"Feuille :", {16, 352, 43, 13}, BottomLeft, NoTabStop, false},
    {TControlId::ComboBoxSheet, "ComboBoxSheet", ComboBox, u"", {64, 344, 89, 21}, BottomLeft, 22, false},
    {TControlId::CheckBoxKeepHidden, "CheckBoxKeepHidden", CheckBox, u"Reprendre les lignes et colonnes masquées", {160, 352, 249, 17}, BottomLeft, 23, false},
    {TControlId::ButtonExecute, "ButtonExecute", Button, u"Exécuter", {416, 344, 97, 25}, BottomRight, 24, false},
    {TControlId::ButtonExit, "ButtonExit", Button, u"Quitter", {528, 344, 97, 25}, BottomRight, 25, false},
}};

// Each control's id is its place in the table.
static_assert([] {
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        if (static_cast<std::size_t>(Controls[i].Id) != i)
            return false;
    }
    return true;
}());

// The controls that show for one kind of source only, each with the one that takes its place.
struct TSourceOption {
    TControlId Id;
    TSourceView ShownFor;
    TControlId InPlaceOf;
};
constexpr std::array<TSourceOption, 7> SourceOptions = {{
    {TControlId::LabelSourceEncoding, TSourceView::Text, TControlId::LabelSheet},
    {TControlId::ComboBoxSourceEncoding, TSourceView::Text, TControlId::ComboBoxSheet},
    {TControlId::LabelFieldSeparator, TSourceView::Text, TControlId::LabelSheet},
    {TControlId::ComboBoxFieldSeparator, TSourceView::Text, TControlId::CheckBoxKeepHidden},
    {TControlId::LabelSheet, TSourceView::Workbook, TControlId::LabelSourceEncoding},
    {TControlId::ComboBoxSheet, TSourceView::Workbook, TControlId::ComboBoxSourceEncoding},
    {TControlId::CheckBoxKeepHidden, TSourceView::Workbook, TControlId::ComboBoxFieldSeparator},
}};

const TSourceOption* SourceOptionOf(TControlId id)
{
    const auto found = std::find_if(SourceOptions.begin(), SourceOptions.end(),
                                    [id](const TSourceOption& option) { return option.Id == id; });
    return found == SourceOptions.end() ? nullptr : &*found;
}

// Rounded to the nearest whole, halves away from zero, as Windows' MulDiv does.
int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

std::span<const TControlLayout> FormControls()
{
    return Controls;
}

const TControlLayout& Control(TControlId id)
{
    return Controls[static_cast<std::size_t>(id)];
}

std::optional<TControlId> ControlNamed(std::string_view name)
{
    const auto found = std::find_if(Controls.begin(), Controls.end(),
                                    [name](const TControlLayout& c) { return c.Name == name; });
    if (found == Controls.end())
        return std::nullopt;
    return found->Id;
}

std::u16string_view AccessibleName(TControlId id)
{
    const TControlLayout& control = Control(id);
    if (!control.OwnAccessibleName.empty())
        return control.OwnAccessibleName;
    if (!IsField(control.Kind))
        return control.Text;
    const bool afterLabel = &control != Controls.data() && (&control - 1)->Kind == Label;
    return afterLabel ? (&control - 1)->Text : std::u16string_view();
}

bool IsShown(TControlId id, TSourceView view)
{
    const TSourceOption* option = SourceOptionOf(id);
    return option == nullptr || option->ShownFor == view;
}

TControlId ShownInPlaceOf(TControlId id)
{
    const TSourceOption* option = SourceOptionOf(id);
    return option == nullptr ? id : option->InPlaceOf;
}

int FontPixelHeight(int dpi)
{
    return MulDiv(FormFontPoints, dpi, 72);
}

int ScaleToText(int designed, int textHeight)
{
    return MulDiv(designed, textHeight, DesignTextHeight);
}

TRect ScaleToText(const TRect& designed, int textHeight)
{
    return {ScaleToText(designed.Left, textHeight), ScaleToText(designed.Top, textHeight),
            ScaleToText(designed.Width, textHeight), ScaleToText(designed.Height, textHeight)};
}

TSize ScaleToText(const TSize& designed, int textHeight)
{
    return {ScaleToText(designed.Width, textHeight), ScaleToText(designed.Height, textHeight)};
}

TRect AnchoredRect(const TRect& designed, TAnchor anchors, const TSize& clientSize,
                   const TSize& designedClientSize)
{
    const TSize growth = {clientSize.Width - designedClientSize.Width,
                          clientSize.Height - designedClientSize.Height};
    TRect rect = designed;
    if (IsAnchoredTo(anchors, TAnchor::Right)) {
        if (IsAnchoredTo(anchors, TAnchor::Left))
            rect.Width += growth.Width;
        else
            rect.Left += growth.Width;
    }
    if (IsAnchoredTo(anchors, TAnchor::Bottom)) {
        if (IsAnchoredTo(anchors, TAnchor::Top))
            rect.Height += growth.Height;
        else
            rect.Top += growth.Height;
    }
    return rect;
}

std::vector<std::vector<TControlId>> RadioButtonRows()
{
    std::map<int, std::vector<TControlId>> byTop;
    for (const TControlLayout& control : Controls) {
        if (control.Kind == RadioButton)
            byTop[control.Bounds.Top].push_back(control.Id);
    }
    std::vector<std::vector<TControlId>> rows;
    for (auto& [top, row] : byTop)
        rows.push_back(std::move(row));
    return rows;
}

std::vector<TRect> RadioButtonRects(std::span<const TRect> laidOut, std::span<const int> needed, int clientWidth)
{
    if (needed.size() != laidOut.size())
        throw std::invalid_argument("every radio button of the row needs its text's width");
    std::vector<TRect> rects(laidOut.begin(), laidOut.end());
    int reached = rects.empty() ? 0 : rects.front().Left;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        rects[i].Width = std::max(rects[i].Width, needed[i]);
        rects[i].Left = std::max(rects[i].Left, reached);
        reached = rects[i].Left + rects[i].Width;
    }
    // Back from the window's edge into the gaps between them, the first never left of its place.
    int limit = clientWidth;
    for (std::size_t i = rects.size(); i-- > 0;) {
        rects[i].Left = std::max(std::min(rects[i].Left, limit - rects[i].Width), i == 0 ? laidOut[0].Left : 0);
        limit = rects[i].Left;
    }
    // What the row still cannot hold is cut at the edge, none overlapping the one before.
    reached = rects.empty() ? 0 : rects.front().Left;
    for (TRect& rect : rects) {
        rect.Left = std::max(rect.Left, reached);
        rect.Width = std::max(0, std::min(rect.Width, clientWidth - rect.Left));
        reached = rect.Left + rect.Width;
    }
    return rects;
}

}  // namespace tabulor
