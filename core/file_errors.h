// The file errors: their kinds, and their texts built from the platform's full path and system
// message. These are the only errors a conversion raises.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tabulor {

// The source cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination cannot be created.
class EFCreateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination could not be written completely.
class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's text goes in without its trailing control characters, spaces and full stops.
[[noreturn]] void ThrowFOpenError(std::string_view fullPath, std::string_view systemText);
[[noreturn]] void ThrowFCreateError(std::string_view fullPath, std::string_view systemText);
[[noreturn]] void ThrowWriteError();

}  // namespace tabulor
