#include "shell/focus.h"

#include <algorithm>
#include <array>
#include <vector>

#include "shell/layout.h"

namespace tabulor {
namespace {

constexpr std::array<std::string_view, 3> OutputKinds = {
    "RadioButtonOutputTable", "RadioButtonOutputHTML", "RadioButtonOutputXHTML"};

bool IsOutputKind(std::string_view name)
{
    return std::find(OutputKinds.begin(), OutputKinds.end(), name) != OutputKinds.end();
}

// The tab stops in tab order, the output kinds standing for one stop at the selected one.
std::vector<std::string_view> TabStops(std::string_view selectedOutput)
{
    std::vector<const TControlLayout*> stops;
    for (const TControlLayout& control : FormControls()) {
        if (control.TabOrder != NoTabStop
            && (!IsOutputKind(control.Name) || control.Name == selectedOutput))
            stops.push_back(&control);
    }
    std::sort(stops.begin(), stops.end(),
              [](const TControlLayout* a, const TControlLayout* b) { return a->TabOrder < b->TabOrder; });
    std::vector<std::string_view> names;
    for (const TControlLayout* stop : stops)
        names.push_back(stop->Name);
    return names;
}

}  // namespace

std::string_view NextTabStop(std::string_view current, bool forward,
                             std::string_view selectedOutput)
{
    const std::vector<std::string_view> stops = TabStops(selectedOutput);
    const std::string_view here = IsOutputKind(current) ? selectedOutput : current;
    const auto found = std::find(stops.begin(), stops.end(), here);
    if (found == stops.end())
        return forward ? stops.front() : stops.back();
    const auto index = static_cast<std::size_t>(found - stops.begin());
    const std::size_t count = stops.size();
    return stops[forward ? (index + 1) % count : (index + count - 1) % count];
}

std::string_view NextOutputKind(std::string_view current, bool forward)
{
    const auto found = std::find(OutputKinds.begin(), OutputKinds.end(), current);
    const auto index = found == OutputKinds.end() ? 0 : static_cast<std::size_t>(found - OutputKinds.begin());
    const std::size_t count = OutputKinds.size();
    return OutputKinds[forward ? (index + 1) % count : (index + count - 1) % count];
}

}  // namespace tabulor
