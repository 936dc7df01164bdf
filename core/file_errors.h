// The texts of the file errors, built from the platform's full path and system message.
#pragma once

#include <string>
#include <string_view>

namespace tabulor {

// The system's text without its trailing control characters, spaces and full stops.
std::string TrimSystemText(std::string_view text);

[[noreturn]] void ThrowFOpenError(std::string_view fullPath, std::string_view systemText);
[[noreturn]] void ThrowFCreateError(std::string_view fullPath, std::string_view systemText);
[[noreturn]] void ThrowWriteError();

}  // namespace tabulor
