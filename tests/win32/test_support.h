// What the Windows tests share, in the tests' process or across processes: texts and classes of
// windows, waits, held keys and files. None of it drives the program's windows by itself.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tabulor::test {

using namespace std::chrono_literals;

// The text of a message box is the static control that the system gives this identifier.
inline constexpr int MessageBoxTextId = 0xFFFF;

// Polls until done() holds or timeout has passed; returns what done() gave last.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// Keys held down, as the calling thread's keyboard state tells, for the object's lifetime. It
// presses nothing: no key message is sent.
class THeldKeys {
public:
    explicit THeldKeys(std::initializer_list<BYTE> keys);
    ~THeldKeys();
    THeldKeys(const THeldKeys&) = delete;
    THeldKeys& operator=(const THeldKeys&) = delete;

private:
    BYTE Before[256] = {};
};

// A folder of its own for one test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    const std::filesystem::path& Path() const { return Folder; }

private:
    std::filesystem::path Folder;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tabulor::test
