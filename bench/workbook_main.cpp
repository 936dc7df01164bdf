// Writes the invoice sheet as a workbook for the whole-file measurements, and prints the bytes
// of the sheet's text (every cell's shown text, in UTF-8) on standard output:
//   tabulor_bench_workbook xlsx|ods ROWS DEST [--seed N] [--far-reaching] [--inline-strings]
//                          [--unusual-end]
// ROWS counts the header row. --far-reaching adds formatting and empty repeats that run to the
// grid's last row and column without adding a value. --inline-strings puts each text of an .xlsx
// in its cell, with no shared strings. --unusual-end puts the last value of the cells' part in a
// CDATA section (the .xlsx's last <v> or inline text, the .ods's last paragraph).
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sample_workbook.h"

namespace {

struct TRequest {
    std::string Format;
    std::string Dest;
    tabulor::bench::TWorkbookRequest Workbook;
};

TRequest ParseRequest(int argc, char** argv)
{
    if (argc < 4)
        throw std::invalid_argument("usage: tabulor_bench_workbook xlsx|ods ROWS DEST [--seed N] [--far-reaching] "
                                    "[--inline-strings] [--unusual-end]");
    TRequest request{argv[1], argv[3], {}};
    request.Workbook.Rows = std::stoull(argv[2]);
    for (int i = 4; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--far-reaching")
            request.Workbook.FarReaching = true;
        else if (option == "--inline-strings")
            request.Workbook.InlineStrings = true;
        else if (option == "--unusual-end")
            request.Workbook.UnusualEnd = true;
        else if (option == "--seed" && i + 1 < argc)
            request.Workbook.Seed = std::stoull(argv[++i]);
        else
            throw std::invalid_argument("unknown option: " + std::string(option));
    }
    return request;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const TRequest request = ParseRequest(argc, argv);
        if (request.Format != "xlsx" && request.Format != "ods")
            throw std::invalid_argument("unknown format: " + request.Format);
        const tabulor::bench::TWorkbookFile workbook = request.Format == "xlsx"
                                                           ? tabulor::bench::MakeXlsx(request.Workbook)
                                                           : tabulor::bench::MakeOds(request.Workbook);
        std::ofstream file(request.Dest, std::ios::binary | std::ios::trunc);
        file.write(workbook.Bytes.data(), static_cast<std::streamsize>(workbook.Bytes.size()));
        file.close();
        if (!file)
            throw std::runtime_error("cannot write " + request.Dest);
        std::cout << workbook.ShownBytes << '\n';
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::cerr << "tabulor_bench_workbook: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}
