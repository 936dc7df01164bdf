#include "shell/focus.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tabulor {
namespace {

constexpr std::array<TControlId, 4> OutputKinds = {
    TControlId::RadioButtonOutputTable, TControlId::RadioButtonOutputHTML, TControlId::RadioButtonOutputXHTML,
    TControlId::RadioButtonOutputHTML5};

// The tab stops shown for view in tab order, the output kinds standing for one stop at the
// selected one.
std::vector<TControlId> TabStops(TControlId selectedOutput, TSourceView view)
{
    std::vector<const TControlLayout*> stops;
    for (const TControlLayout& control : FormControls()) {
        if (control.TabOrder != NoTabStop && IsShown(control.Id, view)
            && (!IsOutputKind(control.Id) || control.Id == selectedOutput))
            stops.push_back(&control);
    }
    std::sort(stops.begin(), stops.end(),
              [](const TControlLayout* a, const TControlLayout* b) { return a->TabOrder < b->TabOrder; });
    std::vector<TControlId> ids;
    for (const TControlLayout* stop : stops)
        ids.push_back(stop->Id);
    return ids;
}

}  // namespace

bool IsOutputKind(TControlId id)
{
    return std::find(OutputKinds.begin(), OutputKinds.end(), id) != OutputKinds.end();
}

TControlId NextTabStop(std::optional<TControlId> current, bool forward, TControlId selectedOutput,
                       TSourceView view)
{
    const std::vector<TControlId> stops = TabStops(selectedOutput, view);
    const auto here = current && IsOutputKind(*current) ? std::optional(selectedOutput) : current;
    const auto found = here ? std::find(stops.begin(), stops.end(), *here) : stops.end();
    if (found == stops.end())
        return forward ? stops.front() : stops.back();
    const auto index = static_cast<std::size_t>(found - stops.begin());
    const std::size_t count = stops.size();
    return stops[forward ? (index + 1) % count : (index + count - 1) % count];
}

std::optional<TControlId> FocusMovedBy(std::optional<TControlId> focused, TSourceView view)
{
    if (!focused || IsShown(*focused, view))
        return std::nullopt;
    return ShownInPlaceOf(*focused);
}

TControlId NextOutputKind(TControlId current, bool forward)
{
    const auto found = std::find(OutputKinds.begin(), OutputKinds.end(), current);
    const auto index = found == OutputKinds.end() ? 0 : static_cast<std::size_t>(found - OutputKinds.begin());
    const std::size_t count = OutputKinds.size();
    return OutputKinds[forward ? (index + 1) % count : (index + count - 1) % count];
}

TControlId SelectedOutputKind(const std::function<bool(TControlId)>& checked)
{
    const auto found = std::find_if(OutputKinds.begin(), OutputKinds.end(), checked);
    return found == OutputKinds.end() ? OutputKinds.front() : *found;
}

bool SelectsAllOnFocus(TFocusCause cause)
{
    return cause != TFocusCause::PressOnControl && cause != TFocusCause::PopupClosed;
}

}  // namespace tabulor
