#include "shell/keys.h"

#include <gtest/gtest.h>

namespace tabulor {
namespace {

using enum TControlId;
using enum TFormKeyAction;

constexpr TModifiers Plain = {};
constexpr TModifiers Shift = {.Shift = true};
constexpr TModifiers Ctrl = {.Control = true};
constexpr TModifiers Alt = {.Alt = true};
constexpr TModifiers AltGr = {.Control = true, .Alt = true};
constexpr TModifiers CtrlShift = {.Shift = true, .Control = true};

TEST(Keys, MainWindow)
{
    const struct {
        TKey Key;
        TModifiers Held;
        std::optional<TControlId> Focused;
        TFormKeyAnswer Answer;
    } cases[] = {
        {TKey::Tab, Plain, EditSrcFile, {Focus, ButtonBrowseSrcFile}},
        {TKey::Tab, Shift, EditSrcFile, {Focus, ButtonExit}},
        {TKey::Tab, Plain, std::nullopt, {Focus, EditSrcFile}},
        {TKey::Tab, Plain, EditCellClass, {Focus, RadioButtonOutputHTML}},
        {TKey::Tab, Ctrl, EditSrcFile, {}},
        {TKey::Tab, Alt, EditSrcFile, {}},
        {TKey::Right, Plain, RadioButtonOutputHTML, {Select, RadioButtonOutputXHTML}},
        {TKey::Down, Shift, RadioButtonOutputXHTML, {Select, RadioButtonOutputHTML5}},
        {TKey::Right, Plain, RadioButtonOutputHTML5, {Select, RadioButtonOutputTable}},
        {TKey::Left, Ctrl, RadioButtonOutputTable, {Select, RadioButtonOutputHTML5}},
        {TKey::Up, Plain, RadioButtonOutputHTML5, {Select, RadioButtonOutputXHTML}},
        {TKey::Right, Plain, CheckBoxBorder, {}},
        {TKey::Left, Plain, CheckBoxLinkHeaders, {}},
        {TKey::Tab, Plain, CheckBoxLinkHeaders, {Focus, EditCaption}},
        {TKey::Tab, Shift, ComboBoxSourceEncoding, {Focus, EditCaption}},
        {TKey::Up, Plain, EditTitleRows, {}},
        {TKey::Down, Plain, std::nullopt, {}},
        {TKey::Enter, Plain, ButtonExecute, {Press, ButtonExecute}},
        {TKey::Enter, Plain, ButtonBrowseDestFile, {Press, ButtonBrowseDestFile}},
        {TKey::Enter, Shift, ButtonExecute, {}},
        {TKey::Enter, Ctrl, ButtonExit, {}},
        {TKey::Enter, Alt, ButtonExit, {}},
        {TKey::Enter, Plain, EditSrcFile, {}},
        {TKey::Enter, Plain, RadioButtonOutputHTML, {}},
        {TKey::Enter, Plain, CheckBoxBorder, {}},
        {TKey::Enter, Plain, std::nullopt, {}},
        {TKey::Escape, Plain, ButtonExit, {}},
        {TKey::C, Ctrl, EditSrcFile, {}},
    };
    for (const auto& c : cases) {
        const std::string_view focused = c.Focused ? Control(*c.Focused).Name : "none";
        EXPECT_EQ(AnswerFormKey(c.Key, c.Held, c.Focused, RadioButtonOutputHTML, TSourceView::Text), c.Answer)
            << focused << ", key " << static_cast<int>(c.Key);
    }
}

// Tab goes round the stops of the source's view.
TEST(Keys, TabFollowsTheSourceView)
{
    EXPECT_EQ(AnswerFormKey(TKey::Tab, Plain, EditCaption, RadioButtonOutputHTML, TSourceView::Workbook),
              (TFormKeyAnswer{Focus, ComboBoxSheet}));
    EXPECT_EQ(AnswerFormKey(TKey::Tab, Shift, ButtonExecute, RadioButtonOutputHTML, TSourceView::Text),
              (TFormKeyAnswer{Focus, ComboBoxFieldSeparator}));
}

TEST(Keys, SpinFieldAndNotice)
{
    EXPECT_EQ(SpinKeyStep(TKey::Up), 1);
    EXPECT_EQ(SpinKeyStep(TKey::Down), -1);
    for (const TKey other : {TKey::Left, TKey::Right, TKey::Tab, TKey::Enter, TKey::Other})
        EXPECT_EQ(SpinKeyStep(other), 0);

    const struct {
        TKey Key;
        TModifiers Held;
        TNoticeKeyAction Action;
    } cases[] = {
        {TKey::Enter, Plain, TNoticeKeyAction::Close}, {TKey::Escape, Shift, TNoticeKeyAction::Close},
        {TKey::C, Ctrl, TNoticeKeyAction::Copy},      {TKey::C, CtrlShift, TNoticeKeyAction::Copy},
        {TKey::C, Plain, TNoticeKeyAction::None},      {TKey::C, AltGr, TNoticeKeyAction::None},
        {TKey::Tab, Ctrl, TNoticeKeyAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerNoticeKey(c.Key, c.Held), c.Action) << static_cast<int>(c.Key);
}

}  // namespace
}  // namespace tabulor
