// The invoice sheet as LibreOffice saves it: each cell's value and type beside the paragraph of
// its shown text, runs of empty cells as one repeated cell, the parts deflated but the mimetype.
#include <array>
#include <vector>

#include "sample_workbook.h"
#include "tests/testkit/zip_file.h"

namespace tabulor::bench {

namespace {

constexpr std::uint32_t LastRow = 1'048'576;
constexpr std::uint32_t LastCol = 16'384;
constexpr std::string_view MimeType = "application/vnd.oasis.opendocument.spreadsheet";

// The cell style of each TWorkbookFormat, in its order ("" for none), and the office value type.
constexpr std::array<std::string_view, 5> CellStyles = {"", "ce1", "ce2", "ce3", "ce4"};
constexpr std::array<std::string_view, 5> ValueTypes = {"float", "date", "float", "percentage", "float"};
// The cell style of the far-reaching formatting.
constexpr std::string_view FarStyle = "ce5";

void AppendEmptyCells(std::string& xml, std::size_t count, std::string_view style = {})
{
    if (count == 0)
        return;
    xml += "<table:table-cell";
    if (!style.empty())
        xml.append(" table:style-name=\"").append(style).append("\"");
    if (count > 1)
        xml.append(" table:number-columns-repeated=\"").append(std::to_string(count)).append("\"");
    xml += "/>";
}

// The shown text goes in a CDATA section when `cdata`.
void AppendCell(std::string& xml, const TWorkbookCell& cell, bool cdata)
{
    xml += "<table:table-cell";
    if (!CellStyles[StyleIndex(cell.Format)].empty())
        xml.append(" table:style-name=\"").append(CellStyles[StyleIndex(cell.Format)]).append("\"");
    const std::string_view type = cell.Number ? ValueTypes[StyleIndex(cell.Format)] : "string";
    xml.append(" office:value-type=\"").append(type).append("\"");
    if (cell.Format == TWorkbookFormat::Date)
        xml.append(" office:date-value=\"").append(cell.IsoDate).append("\"");
    else if (cell.Number)
        xml.append(" office:value=\"").append(cell.Value).append("\"");
    xml.append(" calcext:value-type=\"").append(type).append("\"><text:p>");
    AppendXmlText(xml, cell.Shown, cdata);
    xml += "</text:p></table:table-cell>";
}

// `last` when the row is the sheet's last, which holds the request's unusual end.
void AppendRow(std::string& xml, const TWorkbookRow& cells, const TWorkbookRequest& request, bool last)
{
    xml += "<table:table-row table:style-name=\"ro1\">";
    const std::size_t unusual = request.UnusualEnd && last ? LastValueColumn(cells) : cells.size();
    std::size_t empty = 0;
    for (std::size_t col = 0; col < cells.size(); ++col) {
        if (cells[col].Value.empty()) {
            ++empty;
            continue;
        }
        AppendEmptyCells(xml, empty);
        empty = 0;
        AppendCell(xml, cells[col], col == unusual);
    }
    AppendEmptyCells(xml, empty);
    if (request.FarReaching)
        AppendEmptyCells(xml, LastCol - cells.size(), FarStyle);
    xml += "</table:table-row>";
}

constexpr std::string_view Namespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
    " xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\""
    " office:version=\"1.3\"";

// The data styles behind the cell styles: dd/mm/yyyy, #,##0.00, 0.00% and #,##0.00 "€".
constexpr std::string_view AutomaticStyles =
    "<office:automatic-styles>"
    "<style:style style:name=\"co1\" style:family=\"table-column\"><style:table-column-properties "
    "fo:break-before=\"auto\" style:column-width=\"3.5cm\"/></style:style>"
    "<style:style style:name=\"ro1\" style:family=\"table-row\"><style:table-row-properties "
    "style:row-height=\"0.452cm\" "
    "fo:break-before=\"auto\" style:use-optimal-row-height=\"true\"/></style:style>"
    "<style:style style:name=\"ta1\" style:family=\"table\" style:master-page-name=\"Default\">"
    "<style:table-properties table:display=\"true\" style:writing-mode=\"lr-tb\"/></style:style>"
    "<number:date-style style:name=\"N37\"><number:day number:style=\"long\"/><number:text>/</number:text>"
    "<number:month number:style=\"long\"/><number:text>/</number:text><number:year "
    "number:style=\"long\"/></number:date-style>"
    "<number:number-style style:name=\"N4\"><number:number number:decimal-places=\"2\" "
    "number:min-decimal-places=\"2\" "
    "number:min-integer-digits=\"1\" number:grouping=\"true\"/></number:number-style>"
    "<number:percentage-style style:name=\"N11\"><number:number number:decimal-places=\"2\" "
    "number:min-decimal-places=\"2\" "
    "number:min-integer-digits=\"1\"/><number:text>%</number:text></number:percentage-style>"
    "<number:currency-style style:name=\"N120\"><number:number number:decimal-places=\"2\" "
    "number:min-decimal-places=\"2\" "
    "number:min-integer-digits=\"1\" number:grouping=\"true\"/><number:text> </number:text>"
    "<number:currency-symbol number:language=\"fr\" "
    "number:country=\"FR\">\xE2\x82\xAC</number:currency-symbol></number:currency-style>"
    "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
    "style:data-style-name=\"N37\"/>"
    "<style:style style:name=\"ce2\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
    "style:data-style-name=\"N4\"/>"
    "<style:style style:name=\"ce3\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
    "style:data-style-name=\"N11\"/>"
    "<style:style style:name=\"ce4\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
    "style:data-style-name=\"N120\"/>"
    "<style:style style:name=\"ce5\" style:family=\"table-cell\" style:parent-style-name=\"Default\">"
    "<style:text-properties fo:font-weight=\"bold\"/></style:style>"
    "</office:automatic-styles>";

std::string ContentXml(const TWorkbookRequest& request, TInvoiceSheet& sheet)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
    xml.append(Namespaces).append(">").append(AutomaticStyles);
    xml += "<office:body><office:spreadsheet><table:table table:name=\"Factures\" table:style-name=\"ta1\">"
           "<table:table-column table:style-name=\"co1\" table:number-columns-repeated=\"12\" "
           "table:default-cell-style-name=\"Default\"/>";
    if (request.FarReaching) {
        xml.append("<table:table-column table:style-name=\"co1\" table:number-columns-repeated=\"")
            .append(std::to_string(LastCol - 12))
            .append("\" table:default-cell-style-name=\"")
            .append(FarStyle)
            .append("\"/>");
    }
    xml += "<table:table-header-rows>";
    AppendRow(xml, sheet.NextRow(), request, request.Rows == 1);
    xml += "</table:table-header-rows>";
    for (std::size_t row = 2; row <= request.Rows; ++row)
        AppendRow(xml, sheet.NextRow(), request, row == request.Rows);
    if (request.FarReaching) {
        xml.append("<table:table-row table:style-name=\"ro1\" table:number-rows-repeated=\"")
            .append(std::to_string(LastRow - request.Rows)).append("\">");
        AppendEmptyCells(xml, LastCol, FarStyle);
        xml += "</table:table-row>";
    }
    return xml + "</table:table></office:spreadsheet></office:body></office:document-content>";
}

std::string Declared(std::string_view name, std::string_view body)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<";
    return xml.append(name).append(Namespaces).append(">").append(body).append("</").append(name).append(">");
}

}  // namespace

TWorkbookFile MakeOds(const TWorkbookRequest& request)
{
    TInvoiceSheet sheet(request.Seed);
    std::string content = ContentXml(request, sheet);
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.3\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.3\" manifest:media-type=\"" +
        std::string(MimeType) + "\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"meta.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>";
    std::vector<testkit::TZipEntry> entries = {
        {"mimetype", std::string(MimeType), false},
        {"meta.xml", Declared("office:document-meta", "<office:meta/>")},
        {"styles.xml", Declared("office:document-styles", "<office:styles/>")},
        {"content.xml", std::move(content)},
        {"META-INF/manifest.xml", manifest},
    };
    return {testkit::MakeZip(entries), sheet.ShownBytes()};
}

}  // namespace tabulor::bench
