"""Writes the seeds of the xml_paths fuzzer: the cell parts of small workbooks as openpyxl and
odfpy write them (worksheets with inline strings, shared strings, an .ods's content.xml), and a
shared strings part in the form a spreadsheet program writes, which openpyxl does not.

    /usr/bin/python3 fuzz/make_xml_seeds.py [folder]   (default: fuzz/corpus/xml_paths)

The seeds are kept small: the fuzzer mutates them, and large ones slow every run."""
import datetime
import io
import os
import sys
import zipfile

import openpyxl
from odf import teletype
from odf.office import Annotation
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import CoveredTableCell, Table, TableCell, TableColumn, TableRow
from odf.text import A, LineBreak, P, Span

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "xml_paths")


def parts(save, names):
    stream = io.BytesIO()
    save(stream)
    with zipfile.ZipFile(stream) as archive:
        return {name: archive.read(name) for name in names if name in archive.namelist()}


def write(name, data):
    with open(os.path.join(folder, name), "wb") as seed:
        seed.write(data)


def xlsx_seeds():
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.append(["Client", "Montant", "Date", "Payé", "Formule"])
    sheet.append(["A & B <c> \"d\" 'e'", 1234.5, datetime.date(2024, 3, 1), True, "=B2*2"])
    sheet.append(["Ligne 1\nLigne 2\r\nfin\ttab", -42.5, datetime.datetime(2024, 3, 1, 13, 45), False, None])
    sheet.append(["  espaces  ", 1e-7, datetime.time(8, 30), "€ 𝄞 ü", "x_x000D_y"])
    sheet["B2"].number_format = '#,##0.00 "€"'
    sheet["C3"].number_format = "dd/mm/yyyy hh:mm"
    sheet.merge_cells("A5:C6")
    sheet["A5"] = "Total"
    sheet.row_dimensions[4].hidden = True
    sheet.column_dimensions["D"].hidden = True
    sheet.column_dimensions["A"].width = 30
    found = parts(book.save, ["xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"])
    write("xlsx_sheet.xml", found["xl/worksheets/sheet1.xml"])
    if "xl/sharedStrings.xml" in found:
        write("xlsx_shared_strings_openpyxl.xml", found["xl/sharedStrings.xml"])


# Rich text runs, a phonetic run, preserved spaces, escaped characters and a line end in an
# attribute, as a spreadsheet program writes shared strings.
SHARED_STRINGS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
    '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="5" uniqueCount="4">'
    '<si><t>Client</t></si>'
    '<si><t xml:space="preserve">  deux &amp; trois  </t></si>'
    '<si><r><rPr><b/><sz val="11"/><rFont val="Calibri"/></rPr><t>gras</t></r>'
    '<r><t xml:space="preserve"> et &lt;normal&gt;&#10;</t></r></si>'
    '<si><t>_x000D_ligne&#xD;&#x1F600;</t><rPh sb="0" eb="1"><t>ふりがな</t></rPh>'
    '<phoneticPr fontId="1" type="noConversion"/></si>'
    '</sst>'
).encode()


# The forms the generators above never write: a mark, a declaration in single quotes, prefixes
# declared and bound again lower down, two prefixes of one namespace, attributes in single quotes
# and with spaces round "=", comments and instructions among the rows, CR LF and lone CRs, tabs
# in an attribute, an end tag with spaces before its ">".
ODD_SHEET = (
    b"\xef\xbb\xbf<?xml version='1.0' encoding='utf-8'?>\r\n"
    b"<x:worksheet xmlns:x='http://schemas.openxmlformats.org/spreadsheetml/2006/main'"
    b" xmlns:y=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r='urn:r'>\r\n"
    b"<x:sheetData><!-- rows --><?pi data?><y:row r = '1' r:spans=\"1:2\">"
    b"<x:c r='A1' t=\"inlineStr\"><y:is><x:t>a\r\nb\rc &#x41;&#65;&amp;&apos;&quot;</x:t></y:is></x:c>"
    b"<c xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main' r='B1' t='str'>"
    b"<x:v xmlns:x='urn:other'>\t1\r\n</x:v><f r:x='\ta\r\nb\rc\nd'>1</f  ></c></y:row>"
    b"<!---->\n</x:sheetData></x:worksheet  >\n<!-- after -->\n"
)


def ods_seed():
    document = OpenDocumentSpreadsheet()
    table = Table(name="Données & co")
    table.addElement(TableColumn(numbercolumnsrepeated=3))
    row = TableRow()
    cell = TableCell(valuetype="string", numbercolumnsspanned=2, numberrowsspanned=1)
    cell.addElement(P(text="Titre <fusionné>"))
    row.addElement(cell)
    row.addElement(CoveredTableCell())
    row.addElement(TableCell(valuetype="float", value="1234.5"))
    noted = TableCell(valuetype="string")
    note = Annotation()
    note.addElement(P(text="une note"))
    noted.addElement(note)
    paragraph = P()
    teletype.addTextToElement(paragraph, "  deux  espaces\tet tab")
    noted.addElement(paragraph)
    row.addElement(noted)
    table.addElement(row)
    table.addElement(TableRow(numberrowsrepeated=2))
    row = TableRow()
    linked = P(text="voir ")
    linked.addElement(A(href="https://example.com/?a=1&b=2", text="le lien"))
    linked.addElement(LineBreak())
    linked.addElement(Span(text="<fin>"))
    row.addElement(TableCell(valuetype="string"))
    row.lastChild.addElement(linked)
    row.addElement(TableCell(valuetype="date", datevalue="2024-03-01T13:45:00"))
    row.addElement(TableCell(valuetype="boolean", booleanvalue="true"))
    row.addElement(TableCell(valuetype="percentage", value="0.25"))
    table.addElement(row)
    document.spreadsheet.addElement(table)
    write("ods_content.xml", parts(document.save, ["content.xml"])["content.xml"])


os.makedirs(folder, exist_ok=True)
xlsx_seeds()
write("xlsx_shared_strings.xml", SHARED_STRINGS)
write("xlsx_odd_forms.xml", ODD_SHEET)
ods_seed()
