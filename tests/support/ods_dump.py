"""Prints what a flat OpenDocument spreadsheet (.fods) holds, as JSON, read
with the standard library's XML parser: sheets in order, the active sheet,
and per sheet its cells (value, type, text; formatted empty ones too), merged blocks, hyperlinks, header rows, print
ranges, selected cell and page style (orientation, fit, page numbering,
footer with its fields written back as &A, &P, &N)."""
import json
import sys
import xml.etree.ElementTree as ET

NS = {p: u for p, u in (
    ("office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"),
    ("style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"),
    ("text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"),
    ("table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"),
    ("fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"),
    ("xlink", "http://www.w3.org/1999/xlink"),
    ("config", "urn:oasis:names:tc:opendocument:xmlns:config:1.0"),
    ("loext", "urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0"))}
FIELDS = {"sheet-name": "&A", "page-number": "&P", "page-count": "&N"}


def q(name):
    prefix, local = name.split(":")
    return "{%s}%s" % (NS[prefix], local)


def paragraph_text(p, fields=False):
    out = [p.text or ""]
    for child in p:
        tag = child.tag.split("}")[1]
        if tag == "s":
            out.append(" " * int(child.get(q("text:c"), "1")))
        elif tag == "tab":
            out.append("\t")
        elif fields and tag in FIELDS:
            out.append(FIELDS[tag])
        else:
            out.append(paragraph_text(child, fields))
        out.append(child.tail or "")
    return "".join(out)


def column_name(n):
    name = ""
    while n:
        n, r = divmod(n - 1, 26)
        name = chr(65 + r) + name
    return name


def main(path):
    root = ET.parse(path).getroot()
    layouts = {l.get(q("style:name")): l.find(q("style:page-layout-properties"))
               for l in root.iter(q("style:page-layout"))}
    masters = {m.get(q("style:name")): m for m in root.iter(q("style:master-page"))}
    table_styles = {s.get(q("style:name")): s.get(q("style:master-page-name"))
                    for s in root.iter(q("style:style")) if s.get(q("style:family")) == "table"}
    settings = {}
    for entry in root.iter(q("config:config-item-map-entry")):
        if entry.get(q("config:name")):
            settings[entry.get(q("config:name"))] = {i.get(q("config:name")): i.text for i in entry.findall(q("config:config-item"))}
    active = next((i.text for i in root.iter(q("config:config-item")) if i.get(q("config:name")) == "ActiveTable"), None)
    out = {"sheets": [], "active": active, "data": {}}
    for table in root.iter(q("table:table")):
        name = table.get(q("table:name"))
        out["sheets"].append(name)
        cells, links, header_rows, merged = {}, {}, [], []
        row_number = 0
        for element in table.iter():
            if element.tag != q("table:table-row"):
                continue
            row_number += 1
            if element in table.findall(q("table:table-header-rows") + "/" + q("table:table-row")):
                header_rows.append(row_number)
            for column, cell in enumerate(element, 1):
                if cell.tag != q("table:table-cell"):
                    continue  # covered by a merged cell before it
                spanned = [int(cell.get(q("table:number-%s-spanned" % k), "1")) for k in ("columns", "rows")]
                if spanned != [1, 1]:
                    merged.append(f"{column_name(column)}{row_number}:"
                                  f"{column_name(column + spanned[0] - 1)}{row_number + spanned[1] - 1}")
                kind = cell.get(q("office:value-type"))
                paragraphs = cell.findall(q("text:p"))
                if kind is None and not paragraphs and cell.get(q("table:style-name")) is None:
                    continue
                ref = column_name(column) + str(row_number)
                value = {"float": cell.get(q("office:value")), "date": cell.get(q("office:date-value"))}.get(kind)
                cells[ref] = {"t": kind, "v": value, "text": "\n".join(paragraph_text(p) for p in paragraphs)}
                link = cell.find(".//" + q("text:a"))
                if link is not None:
                    links[ref] = link.get(q("xlink:href"))
        master = masters[table_styles[table.get(q("table:style-name"))]]
        layout = layouts[master.get(q("style:page-layout-name"))]
        footer = master.find(q("style:footer"))
        view = settings.get(name, {})
        out["data"][name] = {
            "cells": cells, "links": links, "headerRows": header_rows, "merged": merged,
            "printRanges": table.get(q("table:print-ranges")),
            "selection": [int(view.get("CursorPositionX", 0)), int(view.get("CursorPositionY", 0))],
            "page": {"orientation": layout.get(q("style:print-orientation")),
                     "width": layout.get(q("fo:page-width")),
                     "scaleTo": [layout.get(q("loext:scale-to-X")), layout.get(q("loext:scale-to-Y"))],
                     "firstPageNumber": layout.get(q("style:first-page-number")),
                     "footer": [paragraph_text(footer.find(q("style:" + r)).find(q("text:p")), True)
                                for r in ("region-left", "region-center", "region-right")]}}
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
