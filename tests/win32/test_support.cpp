#include "test_support.h"

#include <fstream>
#include <iterator>
#include <thread>

namespace tabulor::test {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return done();
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

THeldKeys::THeldKeys(std::initializer_list<BYTE> keys)
{
    GetKeyboardState(Before);
    BYTE held[256];
    std::copy(std::begin(Before), std::end(Before), held);
    for (const BYTE key : keys)
        held[key] |= 0x80;
    SetKeyboardState(held);
}

THeldKeys::~THeldKeys()
{
    SetKeyboardState(Before);
}

TTempFolder::TTempFolder()
{
    static int count = 0;
    Folder = std::filesystem::temp_directory_path()
             / (L"tabulor-win32-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count));
    std::filesystem::create_directories(Folder);
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tabulor::test
