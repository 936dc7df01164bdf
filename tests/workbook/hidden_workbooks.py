"""Writes one sheet as a user filters it, in both formats, by the libraries programs use to write
them: python3 hidden_workbooks.py FOLDER. The sheet hides two rows by a filter, two rows of a
collapsed outline, a row under a merged comment and one past the last value, a column of codes
and two columns of work. FOLDER gets hidden.xlsx and hidden.ods, and shown.xlsx and shown.ods,
the same sheet with nothing hidden. Exits with 77 when openpyxl or odfpy is missing."""
import os
import sys

try:
    import openpyxl
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import CoveredTableCell, Table, TableCell, TableColumn, TableRow
    from odf.text import P
except ImportError:
    sys.exit(77)

# Row number: {column letter: value}
CELLS = {
    1: {"A": "Région", "B": "Code", "C": "Produit", "D": "Montant", "F": "F1", "G": "G1", "H": "Note"},
    2: {"A": "Sud", "B": "S1", "C": "Poires", "D": 20},
    3: {"A": "Nord", "B": "N1", "C": "Pommes", "D": 10, "F": "fusion cachée"},
    4: {"A": "Nord", "B": "N2", "C": "Prunes", "D": 30},
    5: {"A": "Sud", "B": "S2", "C": "Figues", "D": 40},
    6: {"A": "détail 1"},
    7: {"A": "détail 2"},
    8: {"A": "Total", "D": 100},
    9: {"C": "Commentaire"},
    11: {"A": "Fin"},
}
MERGES = ["A8:B8", "C9:D10", "F3:G3"]
FILTERED_ROWS = [2, 5]
OUTLINE_ROWS = [6, 7]
OTHER_HIDDEN_ROWS = [9, 13]
HIDDEN_COLUMNS = ["B", "F", "G"]
# The .ods describes its columns in runs: how many, and whether hidden.
COLUMN_RUNS = [(1, False), (1, True), (3, False), (2, True), (1, False)]
LAST_ROW = 13
COLUMNS = "ABCDEFGH"


def write_xlsx(path, hide):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Ventes"
    for row, cells in CELLS.items():
        for column, value in cells.items():
            sheet[f"{column}{row}"] = value
    for area in MERGES:
        sheet.merge_cells(area)
    if hide:
        sheet.auto_filter.ref = "A1:D5"
        for row in FILTERED_ROWS + OTHER_HIDDEN_ROWS:
            sheet.row_dimensions[row].hidden = True
        sheet.row_dimensions.group(OUTLINE_ROWS[0], OUTLINE_ROWS[-1], hidden=True)
        sheet.column_dimensions["B"].hidden = True
        sheet.column_dimensions.group("F", "G", hidden=True)
    book.save(path)


def spans(row, column):
    """The spans of the merged area whose top-left is here, None for a covered place, {} otherwise."""
    for area in MERGES:
        first, last = area.split(":")
        top, bottom = int(first[1:]), int(last[1:])
        left, right = COLUMNS.index(first[0]), COLUMNS.index(last[0])
        if (row, COLUMNS.index(column)) == (top, left):
            return {"numberrowsspanned": bottom - top + 1, "numbercolumnsspanned": right - left + 1}
        if top <= row <= bottom and left <= COLUMNS.index(column) <= right:
            return None
    return {}


def ods_cell(row, column):
    extra = spans(row, column)
    if extra is None:
        return CoveredTableCell()
    value = CELLS.get(row, {}).get(column)
    if value is None:
        return TableCell(**extra)
    if isinstance(value, str):
        cell = TableCell(valuetype="string", **extra)
        cell.addElement(P(text=value))
        return cell
    return TableCell(valuetype="float", value=str(value), **extra)


def write_ods(path, hide):
    document = OpenDocumentSpreadsheet()
    table = Table(name="Ventes")
    for count, hidden in COLUMN_RUNS:
        attributes = {"visibility": "collapse"} if hide and hidden else {}
        table.addElement(TableColumn(numbercolumnsrepeated=count, **attributes))
    for row in range(1, LAST_ROW + 1):
        attributes = {}
        if hide and row in FILTERED_ROWS:
            attributes["visibility"] = "filter"
        elif hide and row in OUTLINE_ROWS + OTHER_HIDDEN_ROWS:
            attributes["visibility"] = "collapse"
        element = TableRow(**attributes)
        for column in COLUMNS:
            element.addElement(ods_cell(row, column))
        table.addElement(element)
    document.spreadsheet.addElement(table)
    document.save(path)


folder = sys.argv[1]
for name, hide in (("hidden", True), ("shown", False)):
    write_xlsx(os.path.join(folder, name + ".xlsx"), hide)
    write_ods(os.path.join(folder, name + ".ods"), hide)
