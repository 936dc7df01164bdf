// .xlsx workbooks made in memory for the tests, the fuzzers and the benchmarks: the smallest
// package a spreadsheet program opens, every text a shared string, as such programs write them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tests/testkit/zip_file.h"

namespace tabulor::testkit {

struct TXlsxSheet {
    std::string Name;
    bool Hidden = false;
    // Texts in UTF-8, any character; an empty one is a cell the file leaves out.
    std::vector<std::vector<std::string>> Rows;
    std::vector<std::string> Merges;  // "A1:C2"
    // The rows that the sheet hides, as a filter does, counted from 0.
    std::vector<std::size_t> HiddenRows = {};
};

// "A" for 0, "AA" for 26.
inline std::string ColumnName(std::size_t col)
{
    std::string name;
    for (++col; col > 0; col = (col - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (col - 1) % 26));
    return name;
}

// A text as an element's content or an attribute's value: markup characters as entities, a CR as a reference so that
// the parser keeps it, other controls and text that reads as an escape in the _xHHHH_ form.
inline std::string XlsxText(std::string_view text)
{
    auto isHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        char escape[8];
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '_' && i + 6 < text.size() && text[i + 1] == 'x' && isHex(text[i + 2])
                 && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) && text[i + 6] == '_')
            out += "_x005F_";
        else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
            out += (std::snprintf(escape, sizeof escape, "_x%04X_", static_cast<unsigned>(c)), escape);
        else
            out += c;
    }
    return out;
}

inline std::string MakeXlsx(const std::vector<TXlsxSheet>& sheets)
{
    const std::string declaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" "\n";
    const std::string main = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const std::string relationshipsRoot = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::vector<TZipEntry> entries;
    std::string types = declaration
        + R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
          R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
          R"(<Default Extension="xml" ContentType="application/xml"/>)"
          R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
          R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)";
    std::string workbook = declaration + "<workbook " + main + " xmlns:r=\"" + relationshipsRoot + "\"><sheets>";
    std::string relationships = declaration
        + R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    std::string strings;
    std::size_t stringCount = 0;
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const std::string number = std::to_string(s + 1);
        const TXlsxSheet& sheet = sheets[s];
        types += R"(<Override PartName="/xl/worksheets/sheet)" + number
            + R"(.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)";
        workbook += "<sheet name=\"" + XlsxText(sheet.Name) + "\" sheetId=\"" + number + "\""
            + (sheet.Hidden ? " state=\"hidden\"" : "") + " r:id=\"rId" + number + "\"/>";
        relationships += "<Relationship Id=\"rId" + number + "\" Type=\"" + relationshipsRoot
            + "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
        std::string part = declaration + "<worksheet " + main + "><sheetData>";
        for (std::size_t r = 0; r < sheet.Rows.size(); ++r) {
            const bool hidden = std::find(sheet.HiddenRows.begin(), sheet.HiddenRows.end(), r) != sheet.HiddenRows.end();
            part += "<row r=\"" + std::to_string(r + 1) + (hidden ? "\" hidden=\"1\">" : "\">");
            for (std::size_t c = 0; c < sheet.Rows[r].size(); ++c) {
                if (sheet.Rows[r][c].empty())
                    continue;
                part += "<c r=\"" + ColumnName(c) + std::to_string(r + 1) + "\" t=\"s\"><v>"
                    + std::to_string(stringCount++) + "</v></c>";
                strings += "<si><t xml:space=\"preserve\">" + XlsxText(sheet.Rows[r][c]) + "</t></si>";
            }
            part += "</row>";
        }
        part += "</sheetData>";
        if (!sheet.Merges.empty()) {
            part += "<mergeCells count=\"" + std::to_string(sheet.Merges.size()) + "\">";
            for (const std::string& merge : sheet.Merges)
                part += "<mergeCell ref=\"" + merge + "\"/>";
            part += "</mergeCells>";
        }
        entries.push_back({"xl/worksheets/sheet" + number + ".xml", part + "</worksheet>"});
    }
    const std::string stringsId = "rId" + std::to_string(sheets.size() + 1);
    relationships += "<Relationship Id=\"" + stringsId + "\" Type=\"" + relationshipsRoot
        + "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    entries.push_back({"xl/sharedStrings.xml", declaration + "<sst " + main + " count=\""
                                                   + std::to_string(stringCount) + "\">" + strings + "</sst>"});
    entries.push_back({"xl/workbook.xml", workbook + "</sheets></workbook>"});
    entries.push_back({"xl/_rels/workbook.xml.rels", relationships});
    entries.push_back({"_rels/.rels", declaration
                           + R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                             R"(<Relationship Id="rId1" Type=")" + relationshipsRoot
                           + R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"});
    entries.insert(entries.begin(), {"[Content_Types].xml", types + "</Types>"});
    return MakeZip(entries);
}

}  // namespace tabulor::testkit
