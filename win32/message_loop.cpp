#include "win32/message_loop.h"

#include "win32/guard.h"

namespace tabulor {

std::optional<int> RunMessageLoop(const TKeyPreview& keyPreview, const std::function<bool()>& ended)
{
    MSG message;
    while (!ended || !ended()) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            return static_cast<int>(message.wParam);
        RunGuarded([&] {
            if (!keyPreview(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        });
    }
    return std::nullopt;
}

}  // namespace tabulor
