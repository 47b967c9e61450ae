#!/usr/bin/env python3
"""Reads back the binary spreadsheet and dBASE exports of a table with readers this project
did not write (xlrd and dbfread from Debian) and compares every cell with the table's data
file: check_exports.py FOLDER (holding table.csv, table.xls and table.dbf)."""
import csv
import math
import re
import sys

import dbfread
import xlrd

ENCODING = "cp1252"
CAPTIONS = ["Name", "City", "Street", "Phone", "Amount", "Date", "Notes", "E-mail"]
NUMBER_TEXT = re.compile(r"[0-9+\-.,Ee]{1,24}")


def read_table(path):
    with open(path, newline="", encoding=ENCODING) as data:
        return [row for row in csv.reader(data, delimiter=";", quotechar='"')]


def as_number(text):
    """The number a cell text stands for, or None: digits, signs, exponent letters and
    separators, the last comma or full stop being the decimal separator."""
    if not NUMBER_TEXT.fullmatch(text):
        return None
    last = max(text.rfind(","), text.rfind("."))
    if last >= 0:
        text = text[:last] + "." + text[last + 1:]
    try:
        value = float(text)
    except ValueError:
        return None
    return value if math.isfinite(value) else None


def check_xls(path, rows, problems):
    sheet = xlrd.open_workbook(path, encoding_override=ENCODING).sheet_by_index(0)
    if sheet.nrows != len(rows) + 1:
        problems.append(f"xls: {sheet.nrows} rows for {len(rows)} records and the header")
        return 0
    if sheet.row_values(0) != CAPTIONS:
        problems.append(f"xls: header {sheet.row_values(0)}")
    cells = 0
    for r, row in enumerate(rows, start=1):
        for c, text in enumerate(row):
            cell = sheet.cell(r, c)
            number = as_number(text)
            if number is not None:
                ok = cell.ctype == xlrd.XL_CELL_NUMBER and cell.value == number
            else:
                ok = cell.ctype in (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_EMPTY) and cell.value == text
            if not ok:
                problems.append(f"xls: row {r} column {c}: {cell!r} for {text!r}")
            cells += 1
    return cells


def check_dbf(path, rows, problems):
    table = dbfread.DBF(path, encoding=ENCODING, char_decode_errors="strict")
    widths = [min(254, max(len(row[c].encode(ENCODING)) for row in rows))
              for c in range(len(CAPTIONS))]
    names = [re.sub(r"[^A-Za-z0-9_]", "_", caption[:11]) for caption in CAPTIONS]
    fields = [(field.name, field.type, field.length) for field in table.fields]
    if fields != [(name, "C", width) for name, width in zip(names, widths)]:
        problems.append(f"dbf: fields {fields}")
    records = list(table)
    if len(records) != len(rows):
        problems.append(f"dbf: {len(records)} records for {len(rows)}")
        return 0
    cells = 0
    for r, (record, row) in enumerate(zip(records, rows)):
        for name, width, text in zip(names, widths, row):
            expected = text.encode(ENCODING)[:width].rstrip(b"\0 ").decode(ENCODING)
            if record[name] != expected:
                problems.append(f"dbf: record {r} field {name}: {record[name]!r} for {expected!r}")
            cells += 1
    return cells


def main():
    folder = sys.argv[1]
    rows = read_table(f"{folder}/table.csv")
    problems = []
    xls_cells = check_xls(f"{folder}/table.xls", rows, problems)
    dbf_cells = check_dbf(f"{folder}/table.dbf", rows, problems)
    for problem in problems[:20]:
        print(problem)
    numbers = sum(as_number(text) is not None for row in rows for text in row)
    print(f"{len(rows)} records: xlrd read {xls_cells} cells ({numbers} as numbers), "
          f"dbfread read {dbf_cells} cells; {len(problems)} differences")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
