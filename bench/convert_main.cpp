// Runs one whole conversion, as the window's button does, for the whole-file measurements:
//   tabulor_bench_convert SOURCE DEST [--kind table|html|xhtml|html5] [--header-rows N] [--header-cols N]
//                         [--border TEXT] [--empty TEXT] [--table-class TEXT] [--row-class TEXT]
//                         [--header-class TEXT] [--cell-class TEXT] [--caption TEXT]
//                         [--link-headers no|yes]
//                         [--encoding windows-1252|utf-8|utf-16|auto] [--separator tab|semicolon|comma]
// Unset options keep the values the window starts with.
#include <array>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/conversion.h"
#include "tests/testkit/starting_settings.h"

namespace {

using tabulor::TConversionSettings;
using TSetter = std::function<void(TConversionSettings&, const std::string&)>;

template <typename TEnum, std::size_t Count>
TEnum ParseName(const std::string& name, const std::array<std::string_view, Count>& names)
{
    for (std::size_t i = 0; i < Count; ++i) {
        if (names[i] == name)
            return static_cast<TEnum>(i);
    }
    throw std::invalid_argument("unknown name: " + name);
}

// Each in the order of its enumeration, the answers as false and true.
constexpr std::array<std::string_view, 4> Kinds = {"table", "html", "xhtml", "html5"};
constexpr std::array<std::string_view, 4> Encodings = {"windows-1252", "utf-8", "utf-16", "auto"};
constexpr std::array<std::string_view, 3> Separators = {"tab", "semicolon", "comma"};
constexpr std::array<std::string_view, 2> Answers = {"no", "yes"};

const std::map<std::string_view, TSetter>& Setters()
{
    static const std::map<std::string_view, TSetter> setters = {
        {"--kind", [](TConversionSettings& s, const std::string& v) {
             s.OutputKind = ParseName<tabulor::TOutputKind>(v, Kinds);
         }},
        {"--header-rows", [](TConversionSettings& s, const std::string& v) { s.TitleRows = std::stoi(v); }},
        {"--header-cols", [](TConversionSettings& s, const std::string& v) { s.TitleCols = std::stoi(v); }},
        {"--border", [](TConversionSettings& s, const std::string& v) { s.Border = v; }},
        {"--empty", [](TConversionSettings& s, const std::string& v) { s.EmptyCellText = v; }},
        {"--table-class", [](TConversionSettings& s, const std::string& v) { s.TableClass = v; }},
        {"--row-class", [](TConversionSettings& s, const std::string& v) { s.RowClass = v; }},
        {"--header-class", [](TConversionSettings& s, const std::string& v) { s.HeaderClass = v; }},
        {"--cell-class", [](TConversionSettings& s, const std::string& v) { s.CellClass = v; }},
        {"--caption", [](TConversionSettings& s, const std::string& v) { s.Caption = v; }},
        {"--link-headers", [](TConversionSettings& s, const std::string& v) {
             s.LinkHeaders = ParseName<bool>(v, Answers);
         }},
        {"--encoding", [](TConversionSettings& s, const std::string& v) {
             s.SourceEncoding = ParseName<tabulor::TSourceEncoding>(v, Encodings);
         }},
        {"--separator", [](TConversionSettings& s, const std::string& v) {
             s.FieldSeparator = ParseName<tabulor::TFieldSeparator>(v, Separators);
         }},
    };
    return setters;
}

TConversionSettings ParseSettings(int argc, char** argv)
{
    if (argc < 3 || argc % 2 == 0)
        throw std::invalid_argument("usage: tabulor_bench_convert SOURCE DEST [--option value]...");
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    settings.SourceFileName = argv[1];
    settings.DestFileName = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        const auto setter = Setters().find(argv[i]);
        if (setter == Setters().end())
            throw std::invalid_argument("unknown option: " + std::string(argv[i]));
        setter->second(settings, argv[i + 1]);
    }
    return settings;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        tabulor::RunConversion(ParseSettings(argc, argv));
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::cerr << "tabulor_bench_convert: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}
