"""Writes the workbook that xlsx_reader_test reads as openpyxl writes it: python3 openpyxl_workbook.py OUT"""
import datetime
import sys

import openpyxl

book = openpyxl.Workbook()
sales = book.active
sales.title = "Ventes"
sales.append(["Client", "Montant", "Date", "Payé", "Double"])
sales.append(["Société Générale", 1234.5, datetime.date(2024, 3, 1), True, "=B2*2"])
sales.append(["Ligne 1\nLigne 2", -42.5, datetime.datetime(2024, 3, 1, 13, 45), False, None])
sales["B2"].number_format = '#,##0.00 "€"'
sales["B3"].number_format = "0.00;[Red]-0.00"
sales["C2"].number_format = "dd/mm/yyyy"
sales["C3"].number_format = "dd/mm/yyyy hh:mm"
sales.merge_cells("A5:C6")
sales["A5"] = "Total"
hidden = book.create_sheet("Brouillon")
hidden.sheet_state = "hidden"
hidden["B2"] = 0.1 + 0.2
book.save(sys.argv[1])
