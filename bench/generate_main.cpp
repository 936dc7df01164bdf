// Writes one sample source for the whole-file measurements:
//   tabulor_bench_generate typical|short-cells|ascii SIZE DEST [--seed N] [--cells N]
//                          [--line-end crlf|lf|cr] [--form KEY]
// SIZE is the least number of bytes of the Windows-1252 tab text; the file ends at the end of the
// row that reaches it. KEY names the form the sheet is saved in (windows-1252-tab by default,
// utf-8-tab, utf-16-tab, utf-16be-tab, utf-8-comma, windows-1252-semicolon).
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sample_text.h"
#include "tests/testkit/sheet_forms.h"

namespace {

using tabulor::bench::TLineEnd;

struct TRequest {
    std::string Kind;
    std::size_t Size = 0;
    std::string Dest;
    std::uint64_t Seed = 1;
    std::size_t Cells = 16384;
    TLineEnd LineEnd = TLineEnd::CrLf;
    const tabulor::testkit::TSheetForm* Form = &tabulor::testkit::SheetForms.front();
};

const tabulor::testkit::TSheetForm* ParseForm(std::string_view key)
{
    for (const tabulor::testkit::TSheetForm& form : tabulor::testkit::SheetForms) {
        if (form.Key == key)
            return &form;
    }
    throw std::invalid_argument("unknown form: " + std::string(key));
}

TLineEnd ParseLineEnd(std::string_view name)
{
    if (name == "crlf")
        return TLineEnd::CrLf;
    if (name == "lf")
        return TLineEnd::Lf;
    if (name == "cr")
        return TLineEnd::Cr;
    throw std::invalid_argument("unknown line end: " + std::string(name));
}

TRequest ParseRequest(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0)
        throw std::invalid_argument("usage: tabulor_bench_generate typical|short-cells|ascii SIZE DEST "
                                    "[--seed N] [--cells N] [--line-end crlf|lf|cr] [--form KEY]");
    TRequest request{argv[1], std::stoull(argv[2]), argv[3]};
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--seed")
            request.Seed = std::stoull(value);
        else if (option == "--cells")
            request.Cells = std::stoull(value);
        else if (option == "--line-end")
            request.LineEnd = ParseLineEnd(value);
        else if (option == "--form")
            request.Form = ParseForm(value);
        else
            throw std::invalid_argument("unknown option: " + std::string(option));
    }
    return request;
}

std::string MakeText(const TRequest& request)
{
    namespace b = tabulor::bench;
    if (request.Kind == "typical")
        return b::MakeBusinessText(request.Size, request.Seed, request.LineEnd);
    if (request.Kind == "short-cells")
        return b::MakeShortCellText(request.Size, request.Cells, request.Seed, request.LineEnd);
    if (request.Kind == "ascii")
        return b::MakeAsciiText(request.Size, request.Seed, request.LineEnd);
    throw std::invalid_argument("unknown kind: " + request.Kind);
}

void WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + name);
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const TRequest request = ParseRequest(argc, argv);
        WriteFile(request.Dest, tabulor::testkit::InForm(MakeText(request), *request.Form));
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::cerr << "tabulor_bench_generate: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}
