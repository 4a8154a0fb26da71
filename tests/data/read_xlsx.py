"""Prints what a spreadsheet reader finds in an .xlsx workbook, one fact a line:

    active NAME
    sheet NAME landscape=0|1 print_gridlines=0|1 screen_gridlines=0|1 footer="TEXT"
    print_titles NAME rows=FIRST:LAST|None cols=FIRST:LAST|None
    page_breaks NAME cols=A,B,...|None  (the first column of each page that a manual break begins)
    width SHEET!A CHARACTERS    (for each column with a width of its own, cut to whole characters)
    cell SHEET!A1 s "TEXT" | n NUMBER | blank    [bold] [fill=RRGGBB]

Only cells with a value or a format are listed; texts are quoted as JSON strings.
Usage: python3 read_xlsx.py FILE.xlsx"""
import json
import sys

import openpyxl


def quoted(text):
    return json.dumps(text, ensure_ascii=False)


def flag(value):
    return "1" if value else "0"


def cell_line(sheet, cell):
    if cell.value is None:
        parts = ["blank"]
    elif isinstance(cell.value, str):
        parts = ["s", quoted(cell.value)]
    else:
        parts = ["n", str(cell.value)]
    if cell.font is not None and cell.font.b:
        parts.append("bold")
    if cell.fill is not None and cell.fill.fill_type == "solid":
        parts.append("fill=" + str(cell.fill.fgColor.rgb)[-6:])
    if parts == ["blank"]:
        return None
    return " ".join(["cell", sheet.title + "!" + cell.coordinate] + parts)


def width_lines(sheet):
    """The stored width adds the cell padding to the width asked for, less than a character."""
    lines = []
    for dimension in sheet.column_dimensions.values():
        if dimension.customWidth:
            for index in range(dimension.min, dimension.max + 1):
                letter = openpyxl.utils.get_column_letter(index)
                lines.append(f"width {sheet.title}!{letter} {int(dimension.width)}")
    return lines


def page_break_columns(sheet):
    """A break's id is the 0-based index of the column that begins the new page."""
    letters = [openpyxl.utils.get_column_letter(brk.id + 1) for brk in sheet.col_breaks.brk]
    return ",".join(letters) or "None"


def main():
    workbook = openpyxl.load_workbook(sys.argv[1])
    print("active " + workbook.active.title)
    for sheet in workbook.worksheets:
        print(" ".join(["sheet", sheet.title,
                        "landscape=" + flag(sheet.page_setup.orientation == "landscape"),
                        "print_gridlines=" + flag(sheet.print_options.gridLines),
                        "screen_gridlines=" + flag(sheet.sheet_view.showGridLines is not False),
                        "footer=" + quoted(sheet.oddFooter.center.text or "")]))
        print(" ".join(["print_titles", sheet.title, "rows=" + str(sheet.print_title_rows),
                        "cols=" + str(sheet.print_title_cols)]))
        print(" ".join(["page_breaks", sheet.title, "cols=" + page_break_columns(sheet)]))
        for line in width_lines(sheet):
            print(line)
        for row in sheet.iter_rows():
            for cell in row:
                line = cell_line(sheet, cell)
                if line is not None:
                    print(line)


if __name__ == "__main__":
    main()
