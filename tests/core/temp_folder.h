// Test helpers for runs on real files: a fresh folder per test, file reading and writing, names
// as the messages show them, and the outcome of a call as text.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "core/file_errors.h"
#include "system_text.h"

namespace tabulor::testkit {

class TTempFolder {
public:
    TTempFolder() : Path(MakeFolder()) {}
    // Not throwing: a test that stopped half-way must not end the whole run here.
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::filesystem::path operator/(const std::string& name) const { return Path / name; }
    std::filesystem::path Path;

private:
#ifdef _WIN32
    static std::filesystem::path MakeFolder()
    {
        std::mt19937 generator{std::random_device{}()};
        for (;;) {
            auto path = std::filesystem::temp_directory_path() / ("tabulor-test-" + std::to_string(generator()));
            if (std::filesystem::create_directory(path))
                return path;
        }
    }
#else
    static std::filesystem::path MakeFolder()
    {
        char pattern[] = "/tmp/tabulor-test-XXXXXX";
        std::filesystem::path path = ::mkdtemp(pattern);
        // Open to everybody, so that an unprivileged child can work in it.
        std::filesystem::permissions(path, std::filesystem::perms::all);
        return path;
    }
#endif
};

inline void WriteFile(const std::filesystem::path& name, std::string_view bytes)
{
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A name as the messages show it: in UTF-8, with the platform's separators.
inline std::string Shown(const std::filesystem::path& name)
{
    const std::u8string text = name.u8string();
    return {text.begin(), text.end()};
}

// "ok", or the error's kind and text, of a call in this process.
inline std::string Outcome(const std::function<void()>& call)
{
    try {
        call();
        return "ok";
    } catch (const EFOpenError& error) {
        return std::string("EFOpenError: ") + error.what();
    } catch (const EFCreateError& error) {
        return std::string("EFCreateError: ") + error.what();
    } catch (const EWriteError& error) {
        return std::string("EWriteError: ") + error.what();
    } catch (const ESourceTextError& error) {
        return std::string("ESourceTextError: ") + error.what();
    } catch (const EWorkbookError& error) {
        return std::string("EWorkbookError: ") + error.what();
    }
}

}  // namespace tabulor::testkit

#ifndef _WIN32
// Calls run in a child process, which only POSIX systems offer, come with these helpers there.
#include "child_process.h"
#endif
