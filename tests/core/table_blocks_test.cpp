#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_errors.h"
#include "core/ordered_blocks.h"
#include "core/table_blocks.h"
#include "core/table_markup.h"
#include "fuzz/fuzz_input.h"
#include "temp_folder.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/reference_table.h"
#include "tests/testkit/sheet_forms.h"
#include "tests/testkit/starting_settings.h"

namespace {

using namespace tabulor;
using tabulor::testkit::SplitCrLf;
using tabulor::testkit::StartingSettings;

std::string Convert(std::string_view text, const TTableSettings& settings, const TCellReading& reading,
                    std::size_t blockSize)
{
    TOutputLines output;
    AddTableLines(text, output, settings, reading, blockSize);
    return std::string(output.Text());
}

struct TSource {
    std::string Text;
    TCellReading Reading;
    std::string EmptyCellText = "&nbsp;";
};

// Every kind of line end, with and without one at the end, quoted fields that hold separators,
// quotes and line ends, quotes that open no field, characters of every UTF-8 length, and a long
// empty-cell text.
const TSource Sources[] = {
    {"a\tb\r\n\xE9t\xE9\t\r\n<&>\tx\r\n\t\r\n", {}},
    {"a\rb\tc\r\rd\t\te", {}},
    {"a\n\rb\tc\n\n\r\rd\te\n", {}},
    {"x\r\n\n\ry\r\r\nz\t\x80\n", {}},
    {"\t\t\r\n\t\n\nq\t", {}, "<span class=\"vide\">-</span>"},
    {"h1;\"h;2\"\r\n\"a\"\"b\";\"c\r\nd\";e\r\n\"\";\"x\n\ry\"\n;;\r\n\"last;\"", {TFieldSeparator::Semicolon}},
    {"x\"y\n\"q\nr\";z\"\r\n5\" pipe;\"a\"b\"\n", {TFieldSeparator::Semicolon}},
    {"a,\"b,\"\"c\"\"\r\n,d\"\r\ne,f\r\n\"\r\n\",g\n", {TFieldSeparator::Comma, false, true}},
    {"\xC3\xA9t\xC3\xA9\t\xE2\x82\xAC\r\n\xF0\x9F\x98\x80\t\xC5\x81\n\xE4\xB8\xAD\r\xC2\xA0", {TFieldSeparator::Tab, true}},
    {"\"\xC3\xA9;\xE2\x82\xAC\r\n\xF0\x9F\x98\x80\";\xC3\xA9\r\n\xE2\x82\xAC;;\r\n", {TFieldSeparator::Semicolon, true}},
};

// Wherever the blocks end, the table is the one a single block gives; and that one is the
// reference's, for the Windows-1252 tab text the reference reads.
TEST(TableBlocks, EveryBlockSizeGivesTheTableOfOneBlock)
{
    for (const TSource& source : Sources) {
        // The header rows decide where the first block may end; the columns only ride along.
        // Rows tied to their headers, and counted where they name their number, too.
        for (int rows = 0; rows <= 7; ++rows) {
            TTableSettings settings = StartingSettings();
            settings.TitleRows = rows % 4;
            settings.TitleCols = rows % 3;
            settings.LinkHeaders = rows > 3;
            settings.EmptyCellText = source.EmptyCellText;
            SCOPED_TRACE(testing::PrintToString(source.Text) + ", " + std::to_string(rows % 4) + " header rows"
                         + (settings.LinkHeaders ? ", linked" : ""));
            const std::string whole = Convert(source.Text, settings, source.Reading, SIZE_MAX);
            if (source.Reading.Separator == TFieldSeparator::Tab && !source.Reading.Utf8 && !settings.LinkHeaders) {
                EXPECT_EQ(SplitCrLf(whole), reference::Table(source.Text, settings));
            }
            for (std::size_t size = 1; size < source.Text.size(); ++size)
                ASSERT_EQ(Convert(source.Text, settings, source.Reading, size), whole) << size << "-byte blocks";
        }
    }
}

// Quoted fields that hold line ends, at every distance from their row's start, so that the
// search for quotes meets one at every place of its steps.
TSource QuotesAtEveryDistance()
{
    TSource source{"", {TFieldSeparator::Semicolon}};
    for (std::size_t distance = 0; distance < 40; ++distance)
        source.Text.append(distance, 'a').append(";\"q\r\n\"\"\"\r\n");
    return source;
}

// The blocks give the text back, cut only where a row ends, the first holding the header rows.
TEST(TableBlocks, BlocksEndWhereRowsEnd)
{
    std::vector<TSource> sources(std::begin(Sources), std::end(Sources));
    sources.push_back(QuotesAtEveryDistance());
    for (const TSource& source : sources) {
        const std::string_view text = source.Text;
        std::vector<std::size_t> rowEnds;
        const TSourceRows rows(text, source.Reading.Separator);
        for (auto row = rows.begin(); row != rows.end(); ++row)
            rowEnds.push_back(static_cast<std::size_t>(row.NextRowStart() - text.data()));
        for (std::size_t headerRows = 0; headerRows <= 3; ++headerRows) {
            for (std::size_t size = 1; size <= text.size(); ++size) {
                SCOPED_TRACE(testing::PrintToString(source.Text) + ", " + std::to_string(headerRows) +
                             " header rows, " + std::to_string(size) + "-byte blocks");
                TTableBlocks blocks(text, source.Reading.Separator, headerRows, size);
                std::string joined;
                for (TTableBlock block; blocks.Next(block);) {
                    EXPECT_EQ(block.First, joined.empty());
                    joined += block.Text;
                    EXPECT_TRUE(std::ranges::binary_search(rowEnds, joined.size())) << joined.size();
                    if (block.First && headerRows > 0) {
                        EXPECT_GE(joined.size(), rowEnds[std::min(headerRows, rowEnds.size()) - 1]);
                    }
                }
                EXPECT_EQ(joined, text);
            }
        }
    }
}

// The open quote is named by its line in the whole text, not in the block that holds it.
TEST(TableBlocks, UnclosedQuoteNamesItsLineWhateverTheBlocks)
{
    const struct {
        std::string text;
        TFieldSeparator separator;
        std::size_t line;
    } cases[] = {
        {"a;b\r\nc;\"d\r\ne\r\nf", TFieldSeparator::Semicolon, 2},
        {"1,2\r\n3,4\n\r5,\"six\"\"\r\n", TFieldSeparator::Comma, 4},
    };
    for (const auto& c : cases) {
        for (const int headerRows : {0, 2}) {
            TTableSettings settings = StartingSettings();
            settings.TitleRows = headerRows;
            for (std::size_t size = 1; size <= c.text.size(); ++size) {
                try {
                    Convert(c.text, settings, {c.separator}, size);
                    ADD_FAILURE() << testing::PrintToString(c.text) << " converted with " << size << "-byte blocks";
                } catch (const ETextFault& fault) {
                    EXPECT_EQ(fault.Kind, ETextFault::TKind::UnclosedQuote);
                    EXPECT_EQ(fault.Line, c.line) << testing::PrintToString(c.text) << ", " << size << "-byte blocks";
                }
            }
        }
    }
}

// The fuzzers' seed inputs, so that every build runs them through both ways of scanning bytes.
std::vector<std::string> SeedInputs(const std::string& target)
{
    const std::filesystem::path folder = std::filesystem::path(TABULOR_SOURCE_DIR) / "fuzz" / "corpus" / target;
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        seeds.push_back(testkit::ReadFile(entry.path()));
    EXPECT_FALSE(seeds.empty()) << target;
    return seeds;
}

fuzz::TFuzzInput InputOf(const std::string& seed)
{
    return {reinterpret_cast<const std::uint8_t*>(seed.data()), seed.size()};
}

// The seeds read as their fuzzers read them, through one block and every block size they pick.
TEST(TableBlocks, FuzzSeedsGiveTheSameTableThroughOneBlockAndMany)
{
    for (const std::string& seed : SeedInputs("table_markup")) {
        fuzz::TFuzzInput input = InputOf(seed);
        const TTableSettings settings = input.TakeSettings(fuzz::TTextKind::AnyBytes);
        const std::string_view source = input.CheckedSource();
        const std::string whole = Convert(source, settings, {}, SIZE_MAX);
        for (std::size_t size = 1; size <= fuzz::MostBlockSize; ++size)
            EXPECT_EQ(Convert(source, settings, {}, size), whole) << testing::PrintToString(seed) << ", " << size;
    }
    for (const std::string& seed : SeedInputs("sheet_forms")) {
        fuzz::TFuzzInput input = InputOf(seed);
        TConversionSettings settings;
        static_cast<TTableSettings&>(settings) = input.TakeSettings(fuzz::TTextKind::AnyBytes);
        settings.OutputKind = static_cast<TOutputKind>(input.TakeByte() % 3);
        const testkit::TSheet sheet = testkit::SheetOfText(input.Remainder());
        for (const testkit::TSheetForm& form : testkit::SheetForms) {
            settings.SourceEncoding = form.ReadAs;
            settings.FieldSeparator = form.Separator;
            const std::string bytes = testkit::WriteSheet(sheet, form);
            const std::string whole = testkit::ConvertInMemory(bytes, settings);
            for (std::size_t size = 1; size <= fuzz::MostBlockSize; ++size)
                EXPECT_EQ(testkit::ConvertInMemory(bytes, settings, size), whole) << form.Name << ", " << size;
        }
    }
}

struct TFault {};

// Keeps the count of the chunks it is given and fails on a chosen one.
class TFailingChunkSink final : public TChunkSink {
public:
    explicit TFailingChunkSink(int failingTake) : FailingTake(failingTake) {}
    TChunk Take(TChunk chunk) override
    {
        if (++Takes == FailingTake)
            throw TFault();
        return chunk;
    }
    const int FailingTake;
    int Takes = 0;
};

// An error in the middle of many blocks, the output's own or a block's, ends the run and reaches
// the caller; the output is handed nothing after it, nor the failed block's rows.
TEST(OrderedBlocks, FirstErrorEndsTheRun)
{
    // Appended piece by piece: GCC 12 warns falsely of "r" + std::to_string(row).
    const auto rowText = [](int row) { return std::string("r").append(std::to_string(row)).append("\n"); };
    std::string text;
    for (int row = 0; row < 40; ++row)
        text += rowText(row);
    for (const bool inOutput : {true, false}) {
        for (const int failing : {1, 2, 5}) {
            TFailingChunkSink sink(inOutput ? failing : 0);
            TOutputLines output(&sink);
            TTableBlocks blocks(text, TFieldSeparator::Tab, 0, 1);
            const std::string failingRow = rowText(failing);
            const auto convert = [&](const TTableBlock& block, TOutputLines& into) {
                if (!inOutput && block.Text == failingRow)
                    throw TFault();
                into.AddLine(block.Text);
            };
            EXPECT_THROW(ConvertBlocksInOrder(blocks, convert, output, 4), TFault)
                << (inOutput ? "output" : "block") << " " << failing;
            if (inOutput) {
                EXPECT_EQ(sink.Takes, failing);
            } else {
                EXPECT_LE(sink.Takes, failing);
            }
        }
    }
}

}  // namespace
