// What the platform file layers have in common: the name of the new file that is to take the
// destination's place, and reading a file whose length is only a hint to its end.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

#include "file_io.h"

namespace tabulor {

// A name in the target's folder that no other file is likely to have.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Reads with readSome, which gives the count of bytes it put at "into" (0 at the end) and throws
// on failure. sizeHint is the file's size where known, else 0.
using TReadSome = std::function<std::size_t(char* into, std::size_t room)>;
TFileContents ReadToEnd(std::size_t sizeHint, const TReadSome& readSome);

}  // namespace tabulor
