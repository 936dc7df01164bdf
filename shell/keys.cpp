#include "shell/keys.h"

#include "shell/focus.h"

namespace tabulor {
namespace {

bool IsArrow(TKey key)
{
    return key == TKey::Left || key == TKey::Right || key == TKey::Up || key == TKey::Down;
}

}  // namespace

TFormKeyAnswer AnswerFormKey(TKey key, TModifiers held, std::optional<TControlId> focused,
                             TControlId selectedOutput, TSourceView view)
{
    if (key == TKey::Tab && !held.Control && !held.Alt)
        return {TFormKeyAction::Focus, NextTabStop(focused, !held.Shift, selectedOutput, view)};
    if (!focused)
        return {};
    if (IsArrow(key) && IsOutputKind(*focused))
        return {TFormKeyAction::Select, NextOutputKind(*focused, key == TKey::Right || key == TKey::Down)};
    const bool modifierHeld = held.Shift || held.Control || held.Alt;
    if (key == TKey::Enter && Control(*focused).Kind == TControlKind::Button && !modifierHeld)
        return {TFormKeyAction::Press, *focused};
    return {};
}

int SpinKeyStep(TKey key)
{
    return key == TKey::Up ? 1 : key == TKey::Down ? -1 : 0;
}

TNoticeKeyAction AnswerNoticeKey(TKey key, TModifiers held)
{
    if (key == TKey::Enter || key == TKey::Escape)
        return TNoticeKeyAction::Close;
    if (key == TKey::C && held.Control && !held.Alt)
        return TNoticeKeyAction::Copy;
    return TNoticeKeyAction::None;
}

}  // namespace tabulor
