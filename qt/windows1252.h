// The window's Unicode texts as the 8-bit Windows-1252 text that the conversion writes.
#pragma once

#include <QStringView>

#include <string>

namespace tabulor {

// One byte per character; a character that Windows-1252 cannot hold becomes "?".
std::string ToWindows1252(QStringView text);

}  // namespace tabulor
