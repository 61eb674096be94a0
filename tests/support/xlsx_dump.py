"""Prints what an .xlsx file holds, as JSON, read with openpyxl: sheets in
order, the active sheet, and per sheet its cells (value, type, number format,
borders, fill, font, wrap, vertical alignment), merged blocks, column widths, row heights,
hyperlinks, selection and page setup."""
import json
import re
import sys

import openpyxl


def color(c):
    if c is None or c.type != "rgb" or c.rgb in (None, "00000000"):
        return None
    return c.rgb[-6:].upper()


def control_characters(text):
    """openpyxl reads the escape "_x005F_" of a shared string, but leaves those
    of control characters ("_x000D_") as written; Excel and Calc read them."""
    return re.sub("_x00([01][0-9A-Fa-f])_", lambda m: chr(int(m.group(1), 16)), text)


def cell_info(cell):
    value = cell.value
    if cell.is_date:
        kind, value = "d", value.isoformat()
    elif isinstance(value, (int, float)):
        kind = "n"
    else:
        kind, value = "s", control_characters(value) if isinstance(value, str) else value
    b = cell.border
    fill = cell.fill
    return {
        "v": value,
        "t": kind,
        "fmt": cell.number_format,
        "border": {side: getattr(b, side).style for side in ("left", "top", "bottom", "right")},
        "fill": color(fill.fgColor) if fill.fill_type == "solid" else None,
        "fontColor": color(cell.font.color),
        "bold": bool(cell.font.b),
        "underline": cell.font.u,
        "wrap": bool(cell.alignment.wrap_text),
        "valign": cell.alignment.vertical,
    }


def page_info(sheet):
    setup, fit, footer = sheet.page_setup, sheet.sheet_properties.pageSetUpPr, sheet.oddFooter
    return {"orientation": setup.orientation, "paperSize": setup.paperSize, "fitToPage": bool(fit and fit.fitToPage),
            "fitTo": [1 if n is None else int(n) for n in (setup.fitToWidth, setup.fitToHeight)],  # absent: 1
            "printTitleRows": sheet.print_title_rows, "printArea": ",".join(sheet.print_area or []) or None,
            "footer": [part.text for part in (footer.left, footer.center, footer.right)]}


def main(path):
    book = openpyxl.load_workbook(path)
    out = {"sheets": book.sheetnames, "active": book.active.title, "data": {}}
    for sheet in book.worksheets:
        cells = {}
        links = {}
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None or cell.has_style:
                    cells[cell.coordinate] = cell_info(cell)
                if cell.hyperlink is not None:
                    link = cell.hyperlink
                    links[cell.coordinate] = {"target": link.target, "location": link.location,
                                              "display": link.display}
        widths = {}
        wraps = {}
        for key, dim in sheet.column_dimensions.items():
            if dim.customWidth or dim.width:
                widths[key] = dim.width
            if dim.style_id and dim.alignment is not None:
                wraps[key] = bool(dim.alignment.wrap_text)
        heights = {str(key): dim.height for key, dim in sheet.row_dimensions.items() if dim.height}
        views = sheet.views.sheetView
        selection = views[0].selection[0].activeCell if views and views[0].selection else None
        out["data"][sheet.title] = {
            "cells": cells,
            "widths": widths,
            "columnWrap": wraps,
            "rowHeights": heights,
            "merged": sorted(str(block) for block in sheet.merged_cells.ranges),
            "links": links,
            "selection": selection,
            "tabSelected": bool(views[0].tabSelected) if views else False,
            "page": page_info(sheet),
        }
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
