"""Writes the workbook that ods_reader_test reads: an .ods made by odfpy, the way a program
built on it writes one. Exits with 77 when odfpy is not installed."""
import sys

try:
    from odf import teletype
    from odf.office import Annotation
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.style import Style, TableProperties
    from odf.table import CoveredTableCell, Table, TableCell, TableColumn, TableRow
    from odf.text import P, Span
except ImportError:
    sys.exit(77)


def text_cell(text, **attributes):
    cell = TableCell(valuetype="string", **attributes)
    for line in text.split("\n"):
        paragraph = P()
        teletype.addTextToElement(paragraph, line)
        cell.addElement(paragraph)
    return cell


document = OpenDocumentSpreadsheet()
hidden = Style(name="cachee", family="table")
hidden.addElement(TableProperties(display="false"))
document.automaticstyles.addElement(hidden)

data = Table(name="Données")
data.addElement(TableColumn(numbercolumnsrepeated=4))
row = TableRow()
row.addElement(text_cell("Titre fusionné", numbercolumnsspanned=2, numberrowsspanned=1))
row.addElement(CoveredTableCell())
row.addElement(TableCell(valuetype="float", value="1234.5"))
noted = text_cell("avec note")
comment = Annotation()
comment.addElement(P(text="une note"))
noted.insertBefore(comment, noted.firstChild)
row.addElement(noted)
data.addElement(row)
data.addElement(TableRow(numberrowsrepeated=2))
row = TableRow()
row.addElement(text_cell("  deux  espaces\tet tab"))
row.addElement(TableCell(numbercolumnsrepeated=2))
styled = TableCell(valuetype="string")
paragraph = P(text="gras ")
paragraph.addElement(Span(text="et"))
paragraph.addText(" fin")
styled.addElement(paragraph)
row.addElement(styled)
data.addElement(row)
row = TableRow()
row.addElement(text_cell("ligne 1\nligne 2"))
row.addElement(TableCell(valuetype="boolean", booleanvalue="true"))
data.addElement(row)
document.spreadsheet.addElement(data)

secret = Table(name="Cachée", stylename=hidden)
row = TableRow()
row.addElement(text_cell("secret"))
secret.addElement(row)
document.spreadsheet.addElement(secret)

document.save(sys.argv[1])
