// Qt's strings and geometry as the window's rules take and give them.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <string_view>

#include "shell/geometry.h"

namespace tabulor {

inline QString ToQString(std::u16string_view text)
{
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

// The controls' names, which are plain ASCII.
inline QString ToQString(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

inline TRect ToTRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

inline QRect ToQRect(const TRect& rect)
{
    return {rect.Left, rect.Top, rect.Width, rect.Height};
}

inline TSize ToTSize(const QSize& size)
{
    return {size.width(), size.height()};
}

inline QPoint ToQPoint(const TPoint& point)
{
    return {point.X, point.Y};
}

}  // namespace tabulor
