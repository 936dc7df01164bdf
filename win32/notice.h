// The notice that confirms a finished run, TMessageForm: a small modal window with the text and
// one "OK", which Enter and Escape close and Ctrl+C copies. It asks nothing: it has no other
// button, no icon and no answer to give back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/handles.h"

namespace tabulor {

namespace test {
class NoticeTest;
}

class TMessageForm {
public:
    static void RegisterWindowClass(HINSTANCE instance);

    TMessageForm(HWND owner, std::u16string_view text);
    TMessageForm(const TMessageForm&) = delete;
    TMessageForm& operator=(const TMessageForm&) = delete;

    // Shows the notice over every window of the tool and returns once the user has closed it.
    void RunModal();

    void Attach(HWND window) { Window.Own(window); }
    void Detach() { Window.Forget(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class test::NoticeTest;

    bool KeyPreview(const MSG& message);
    void CopyToClipboard() const;
    void LayOut(UINT dpi);

    HWND Owner;
    std::u16string Text;
    HWND Message = nullptr;
    HWND OK = nullptr;
    TFont Font;
    bool Closed = false;
    // Last, so that it goes first, while what its messages reach is still there.
    TWindow Window;
};

// Shows text in the notice, over the tool's active window.
void ShowNotice(std::u16string_view text);

}  // namespace tabulor
