#include "workbook/zip/zip_archive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/testkit/zip_file.h"
#include "workbook/workbook_fault.h"

namespace tabulor {
namespace {

using testkit::MakeZip;
using testkit::TZipEntry;
using testkit::TZipLayout;

// Text that deflates several times over yet spans many inflate chunks.
std::string VariedText(std::size_t size)
{
    std::string text;
    for (unsigned i = 0; text.size() < size; ++i)
        text += std::to_string(i * 7919u % 104729u) + (i % 13 == 0 ? "\n" : ";");
    return text;
}

std::string ReadInPieces(TByteReader& reader, std::size_t pieceSize)
{
    std::string whole;
    std::vector<char> piece(pieceSize);
    while (const std::size_t count = reader.Read(piece.data(), piece.size()))
        whole.append(piece.data(), count);
    EXPECT_EQ(reader.Read(piece.data(), piece.size()), 0u);  // and stays at the end
    return whole;
}

bool ThrowsInvalid(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EWorkbookFault& fault) {
        return fault.Kind == EWorkbookFault::TKind::Invalid;
    }
    return false;
}

void Patch(std::string& bytes, std::size_t at, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(ZipArchive, ReadsEveryEntryWholeAndInPieces)
{
    TZipEntry streamed{"xl/streamed.xml", VariedText(20'000)};
    streamed.DataDescriptor = true;
    TZipEntry streamedStored{"streamed-stored", "abc", false};
    streamedStored.DataDescriptor = true;
    // Deflate's best on zeros stays under 1000 to 1 at this size.
    TZipEntry zeros{"zeros", std::string(100'000, '\0')};
    zeros.Level = Z_BEST_COMPRESSION;
    const std::vector<TZipEntry> entries = {
        {"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false},
        {"xl/worksheets/sheet1.xml", VariedText(300'000)},
        {"empty-deflated", ""},
        {"empty-stored", "", false},
        streamed,
        streamedStored,
        zeros,
    };
    const std::vector<TZipLayout> layouts = {
        {},
        {.Zip64 = true, .Comment = ""},
        {.Zip64 = false, .Comment = "made by hand PK\x05\x06 with a signature inside"},
        {.Zip64 = true, .Comment = "zip64 with a comment"},
    };
    for (const TZipLayout& layout : layouts) {
        const std::string bytes = MakeZip(entries, layout);
        const zip::TZipArchive archive(bytes);
        for (const TZipEntry& entry : entries) {
            SCOPED_TRACE(entry.Name + (layout.Zip64 ? " zip64 " : " ") + layout.Comment);
            EXPECT_EQ(archive.ReadWhole(entry.Name), entry.Content);
            for (std::size_t pieceSize : {1u, 1000u}) {
                const auto reader = archive.Open(entry.Name);
                EXPECT_EQ(ReadInPieces(*reader, pieceSize), entry.Content);
            }
        }
    }
}

TEST(ZipArchive, FindsNamesExactlyFirstThenInAnyAsciiCaseWithOrWithoutALeadingSlash)
{
    const std::string bytes = MakeZip({
        {"[Content_Types].xml", "types"},
        {"xl/Workbook.xml", "upper"},
        {"xl/workbook.xml", "lower"},
        {"docProps/ÉTÉ.xml", "accented"},
        {"/slashed.xml", "slashed"},
    });
    const zip::TZipArchive archive(bytes);
    const struct {
        std::string_view Asked;
        std::string_view Content;  // empty: missing
    } cases[] = {
        {"xl/workbook.xml", "lower"},
        {"xl/Workbook.xml", "upper"},
        {"XL/WORKBOOK.XML", "upper"},  // the first in the archive's order
        {"/xl/workbook.xml", "lower"},
        {"[content_types].XML", "types"},
        {"docProps/ÉTÉ.xml", "accented"},
        {"docProps/été.xml", ""},  // only ASCII letters fold
        {"/slashed.xml", "slashed"},
        {"Slashed.xml", "slashed"},
        {"xl/workbook", ""},
        {"xl/workbook.xml2", ""},
        {"", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Asked);
        EXPECT_EQ(archive.Has(test.Asked), !test.Content.empty());
        if (test.Content.empty()) {
            EXPECT_TRUE(ThrowsInvalid([&] { archive.Open(test.Asked); }));
        } else {
            EXPECT_EQ(archive.ReadWhole(test.Asked), test.Content);
        }
    }
}

TEST(ZipArchive, RefusesDamagedOrHostileArchives)
{
    const std::string text = VariedText(5000);
    const std::string deflated = MakeZip({{"a", text}});
    const std::string stored = MakeZip({{"a", text, false}});
    const std::string zip64 = MakeZip({{"a", text}}, {.Zip64 = true, .Comment = ""});
    const std::size_t central = deflated.find("PK\x01\x02");
    const std::size_t end = deflated.rfind("PK\x05\x06");
    auto patched = [](std::string bytes, std::size_t at, std::uint64_t value, int width) {
        Patch(bytes, at, value, width);
        return bytes;
    };
    // A field of the first central header, at its offset in the header.
    auto inCentral = [&](const std::string& bytes, std::size_t field, std::uint64_t value, int width) {
        return patched(bytes, bytes.find("PK\x01\x02") + field, value, width);
    };
    // Declares one byte less, its CRC that of the bytes declared: only the size tells.
    auto shortened = [&](const std::string& bytes) {
        const std::string kept = text.substr(0, text.size() - 1);
        return inCentral(inCentral(bytes, 24, kept.size(), 4), 16, testkit::Crc32(kept), 4);
    };
    TZipEntry bomb{"a", std::string(1'000'000, '\0')};  // deflates about 1015 to 1
    bomb.Level = Z_BEST_COMPRESSION;
    const struct {
        const char* Fault;
        std::string Bytes;
    } cases[] = {
        {"empty", ""},
        {"text", "Nom\tMontant\nÉté\t12,50\n"},
        {"cut short", deflated.substr(0, deflated.size() - 5)},
        {"cut in the data", deflated.substr(0, 40) + deflated.substr(central)},
        {"directory past its end", patched(deflated, end + 16, deflated.size(), 4)},
        {"more entries than the directory holds", patched(deflated, end + 10, 2, 2)},
        {"several disks", patched(deflated, end + 4, 1, 2)},
        {"local header past the directory", inCentral(deflated, 42, central, 4)},
        {"no local header", patched(deflated, 0, 0x12345678, 4)},
        {"method 12", inCentral(stored, 10, 12, 2)},
        {"encrypted", inCentral(deflated, 8, 1, 2)},
        {"CRC", inCentral(deflated, 16, testkit::Crc32(text) ^ 1, 4)},
        {"inflates past its size", shortened(deflated)},
        {"ends before its size", inCentral(deflated, 24, text.size() + 1, 4)},
        {"stored sizes differ", shortened(stored)},
        {"damaged deflate data", patched(deflated, 30 + 1, 0xFF, 1)},
        {"over 1000 times its compressed size", MakeZip({bomb})},
        {"zip64 record elsewhere", patched(zip64, zip64.rfind("PK\x06\x07") + 8, 3, 8)},
        {"zip64 sizes missing", inCentral(zip64, 46 + 1, 9, 2)},
    };
    for (const auto& test : cases) {
        for (std::size_t pieceSize : {1u, 65536u}) {
            SCOPED_TRACE(std::string(test.Fault) + " in pieces of " + std::to_string(pieceSize));
            EXPECT_TRUE(ThrowsInvalid([&] {
                const zip::TZipArchive archive(test.Bytes);
                ReadInPieces(*archive.Open("a"), pieceSize);
            }));
        }
    }
}

}  // namespace
}  // namespace tabulor
