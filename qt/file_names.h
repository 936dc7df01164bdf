// File names as the window handles them.
#pragma once

#include <QString>
#include <QStringView>

#include <filesystem>

namespace tabulor {

// The characters that end a search for an extension: the full stop that starts one, and the
// characters after which a name's last part begins.
#ifdef Q_OS_WIN
inline constexpr QStringView NativeNameDelimiters = u".\\/:";
#else
inline constexpr QStringView NativeNameDelimiters = u"./";
#endif

// name with its last extension replaced by newExtension. The extension runs from the last
// full stop to the end, unless a folder separator (or a drive colon) comes after that full
// stop, in which case the name has none and newExtension is appended.
QString ChangeFileExt(QStringView name, QStringView newExtension,
                      QStringView delimiters = NativeNameDelimiters);

// The destination proposed for a picked source.
QString DerivedDestFileName(QStringView sourceFileName);

// A name typed or picked in the window, as the file system reads it.
std::filesystem::path ToPath(const QString& name);

}  // namespace tabulor
