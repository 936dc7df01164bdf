// The command line's conversion options: their names, the value each takes, what it sets and
// how the usage lists it. It knows nothing of the order of the arguments nor of the program's
// modes (-c, -l), which command_line.cpp reads.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/command.h"

namespace tabulor {

struct TCommandOption {
    std::u16string_view ShortName;  // "-o", or empty
    std::u16string_view LongName;
    std::u16string ValueName;  // as the usage names the value; empty for an option that takes none
    // As the usage shows it after the names, the default included.
    std::u16string Meaning;
    // Sets what the option sets from its value (empty for one that takes none). For a value that
    // the option does not take, it changes nothing and gives what the option takes.
    std::function<std::optional<std::u16string>(TCommandLine& command, std::u16string_view value)> Set;
};

// In the order the usage lists them.
std::span<const TCommandOption> ConversionOptions();

// The option of that short or long name; null for none.
const TCommandOption* FindConversionOption(std::u16string_view name);

}  // namespace tabulor
