// The wait cursor over the whole application for as long as some work keeps the window busy.
#pragma once

#include <QApplication>

namespace tabulor {

// Shows the wait cursor from its making to its end, however the work ends, an error included.
// It does not keep the window from taking input meanwhile: the work runs on the window's thread.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace tabulor
