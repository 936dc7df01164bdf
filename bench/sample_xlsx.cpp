// The invoice sheet as Excel saves it: every text in the shared strings, each cell with its
// reference, numbers styled through cellXfs, the parts deflated; or with each text in its cell,
// as openpyxl writes it.
#include <unordered_map>
#include <vector>

#include "sample_workbook.h"
#include "tests/testkit/zip_file.h"

namespace tabulor::bench {

namespace {

constexpr std::uint32_t LastRow = 1'048'576;
constexpr std::uint32_t LastCol = 16'384;
// The cell style of the far-reaching formatting, after one per TWorkbookFormat.
constexpr unsigned FarStyle = 5;

constexpr std::string_view MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view Relationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// From 1: "A", "Z", "AA", "XFD".
std::string ColumnName(std::uint32_t col)
{
    std::string name;
    for (; col > 0; col = (col - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (col - 1) % 26));
    return name;
}

class TSharedStrings {
public:
    std::size_t IndexOf(const std::string& text)
    {
        ++Count;
        const auto [place, added] = Indexes.try_emplace(text, Texts.size());
        if (added)
            Texts.push_back(&place->first);
        return place->second;
    }

    std::string Xml() const
    {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<sst xmlns=\"";
        xml.append(MainNamespace).append("\" count=\"").append(std::to_string(Count));
        xml.append("\" uniqueCount=\"").append(std::to_string(Texts.size())).append("\">");
        for (const std::string* text : Texts) {
            xml += "<si><t>";
            AppendXmlText(xml, *text);
            xml += "</t></si>";
        }
        return xml + "</sst>";
    }

private:
    std::unordered_map<std::string, std::size_t> Indexes;
    std::vector<const std::string*> Texts;  // in the order of their indexes
    std::size_t Count = 0;
};

// Without shared strings, each text goes in its cell. The value goes in a CDATA section when `cdata`.
void AppendCell(std::string& xml, const TWorkbookCell& cell, const std::string& ref, TSharedStrings* strings,
                bool cdata)
{
    xml.append("<c r=\"").append(ref).append("\"");
    if (cell.Format != TWorkbookFormat::General)
        xml.append(" s=\"").append(std::to_string(StyleIndex(cell.Format))).append("\"");
    if (!cell.Number && strings == nullptr) {
        xml += " t=\"inlineStr\"><is><t>";
        AppendXmlText(xml, cell.Value, cdata);
        xml += "</t></is></c>";
        return;
    }
    xml += cell.Number ? "><v>" : " t=\"s\"><v>";
    AppendXmlText(xml, cell.Number ? cell.Value : std::to_string(strings->IndexOf(cell.Value)), cdata);
    xml += "</v></c>";
}

// Rows past the sheet's values formatted as a whole, as far as the grid's last row: a styled
// empty cell in the first and the last column of every 1024th row.
void AppendStyledRows(std::string& xml, std::uint32_t firstRow)
{
    const std::string style = std::to_string(FarStyle);
    auto appendRow = [&](std::uint32_t row) {
        const std::string number = std::to_string(row);
        xml.append("<row r=\"").append(number).append("\" s=\"").append(style).append("\" customFormat=\"1\">");
        for (const std::uint32_t col : {1u, LastCol}) {
            xml.append("<c r=\"").append(ColumnName(col)).append(number);
            xml.append("\" s=\"").append(style).append("\"/>");
        }
        xml += "</row>";
    };
    for (std::uint32_t row = firstRow; row < LastRow; row += 1024)
        appendRow(row);
    appendRow(LastRow);
}

std::string SheetXml(const TWorkbookRequest& request, TInvoiceSheet& sheet, TSharedStrings& strings)
{
    const std::string lastRef = request.FarReaching ? ColumnName(LastCol) + std::to_string(LastRow)
                                                    : ColumnName(12) + std::to_string(request.Rows);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<worksheet xmlns=\"";
    xml.append(MainNamespace).append("\" xmlns:r=\"").append(Relationships).append("\">");
    xml.append("<dimension ref=\"A1:").append(lastRef).append("\"/>");
    xml += "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"><pane ySplit=\"1\" topLeftCell=\"A2\" "
           "activePane=\"bottomLeft\" state=\"frozen\"/></sheetView></sheetViews>"
           "<sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"1\" max=\"12\" width=\"16.7109375\" "
           "customWidth=\"1\"/>";
    if (request.FarReaching)
        xml.append("<col min=\"13\" max=\"16384\" width=\"11.42578125\" style=\"")
            .append(std::to_string(FarStyle))
            .append("\"/>");
    xml += "</cols><sheetData>";
    for (std::size_t row = 1; row <= request.Rows; ++row) {
        const std::string number = std::to_string(row);
        xml.append("<row r=\"").append(number).append("\" spans=\"1:12\">");
        const TWorkbookRow cells = sheet.NextRow();
        const std::size_t unusual = request.UnusualEnd && row == request.Rows ? LastValueColumn(cells) : cells.size();
        for (std::size_t col = 0; col < cells.size(); ++col) {
            if (!cells[col].Value.empty())
                AppendCell(xml, cells[col], ColumnName(static_cast<std::uint32_t>(col + 1)) + number,
                           request.InlineStrings ? nullptr : &strings, col == unusual);
        }
        xml += "</row>";
    }
    if (request.FarReaching)
        AppendStyledRows(xml, static_cast<std::uint32_t>(request.Rows) + 1);
    return xml + "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
                 "footer=\"0.3\"/></worksheet>";
}

// One cell style per TWorkbookFormat, in its order, then the far-reaching one.
std::string StylesXml()
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<styleSheet xmlns=\"";
    xml.append(MainNamespace).append("\">");
    xml += "<numFmts count=\"1\">"
           "<numFmt numFmtId=\"164\" formatCode=\"#,##0.00\\ &quot;\xE2\x82\xAC&quot;\"/></numFmts>"
           "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
           "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill "
           "patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
           "</cellStyleXfs>"
           "<cellXfs count=\"6\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"4\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"10\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>";
    return xml + "</styleSheet>";
}

std::string Declared(std::string_view body)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n").append(body);
}

}  // namespace

TWorkbookFile MakeXlsx(const TWorkbookRequest& request)
{
    TInvoiceSheet sheet(request.Seed);
    TSharedStrings strings;
    std::string sheetXml = SheetXml(request, sheet, strings);
    const std::string main(MainNamespace);
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string types = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    const bool shared = !request.InlineStrings;
    std::vector<testkit::TZipEntry> entries = {
        {"[Content_Types].xml", Declared(
             "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Default Extension=\"rels\" "
             "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + types + "sheet.main+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + types + "worksheet+xml\"/>"
             "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + types + "styles+xml\"/>" +
             (shared ? "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + types + "sharedStrings+xml\"/>"
                     : "") +
             "</Types>")},
        {"_rels/.rels", Declared(
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"xl/workbook.xml\"/>"
             "</Relationships>")},
        {"xl/workbook.xml", Declared(
             "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + std::string(Relationships) + "\"><workbookPr/>"
             "<bookViews><workbookView/></bookViews><sheets>"
             "<sheet name=\"Factures\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")},
        {"xl/_rels/workbook.xml.rels", Declared(
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" + rel + "styles\" Target=\"styles.xml\"/>" +
             (shared ? "<Relationship Id=\"rId3\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/>"
                     : "") +
             "</Relationships>")},
        {"xl/worksheets/sheet1.xml", std::move(sheetXml)},
        {"xl/styles.xml", StylesXml()},
    };
    if (shared)
        entries.push_back({"xl/sharedStrings.xml", strings.Xml()});
    return {testkit::MakeZip(entries), sheet.ShownBytes()};
}

}  // namespace tabulor::bench
