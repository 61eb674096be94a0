#!/usr/bin/python3
"""Writes the catalog of a sample database, as a folder of description files
holds it (objects.tsv, columns.tsv, types.tsv, keys.tsv, source/, and
table_type_columns.tsv where there are table types), as SQL for the stand-in
server, in the form SQL Server keeps it:

    scripts/sample_catalog.py SAMPLE_FOLDER > catalog.sql
    scripts/standin-server load tablinor_NAME scripts/standin-schema.sql catalog.sql

Schemas get ids from 5 on, alias types user types from 257 on, in the order
the files name them, so the same folder always gives the same catalog.
"""

import csv
import sys
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "demo"))
from make_catalog import (FIXED_TYPES, PIECE_LENGTH, PRIMARY_KEY_STATUS, SIZED_TYPES,  # noqa: E402
                          insert, object_time)

TYPE_CODES = {name: spec[0] for name, spec in {**FIXED_TYPES, **SIZED_TYPES}.items()}
TYPE_CODES.update(decimal=106, numeric=108, time=41, datetime2=42, datetimeoffset=43, sql_variant=98)
# The CLR types share one code and differ by user type.
CLR_USER_TYPES = {"hierarchyid": 128, "geometry": 129, "geography": 130}
SYSNAME = (231, 256)
FIRST_USER_SCHEMA = 5
FIRST_ALIAS_TYPE = 257
# sysindexes.status of a primary key that is not clustered: unique, key constraint.
NONCLUSTERED_KEY_STATUS = 2050
CREATED = "2025-11-14"


def rows(path):
    if not path.exists():
        return []
    with path.open(encoding="utf-8", newline="") as file:
        return list(csv.DictReader(file, delimiter="\t", quoting=csv.QUOTE_NONE))


def optional_int(text):
    return int(text) if text != "" else None


class SampleCatalog:
    def __init__(self, folder):
        self.folder = folder
        self.schemas = {"dbo": 1}
        self.alias_types = {}  # name -> (xtype, xusertype)
        self.ids = {}  # (schema, name) -> object id
        self.objects, self.types, self.columns = [], [], []
        self.indexes, self.index_keys, self.comments = [], [], []

    def schema_id(self, schema):
        return self.schemas.setdefault(schema, FIRST_USER_SCHEMA + len(self.schemas) - 1)

    def add_object(self, schema, name, xtype, parent=0):
        # Ids look like the server's: large, unordered, fixed per name.
        object_id = zlib.crc32(f"{schema}.{name}.{xtype}".encode()) % 2_000_000_000 + 100_000_000
        while object_id in self.ids.values():
            object_id += 1
        self.ids[(schema, name, xtype)] = object_id
        crdate = object_time(f"{schema}.{name}", CREATED)
        kind = "K " if xtype == "PK" else xtype.ljust(2)
        self.objects.append((name, object_id, xtype, self.schema_id(schema), parent, crdate, kind, crdate))
        return object_id

    def read_types(self):
        for row in rows(self.folder / "types.tsv"):
            xtype = TYPE_CODES[row["base_type"]]
            xusertype = FIRST_ALIAS_TYPE + len(self.alias_types)
            self.alias_types[row["name"]] = (xtype, xusertype)
            # status 0x1: created NOT NULL.
            status = 0 if row["nullable"] == "1" else 1
            self.types.append((row["name"], xtype, status, xusertype, int(row["length_bytes"]),
                               int(row["precision"] or 0), int(row["scale"] or 0)))

    def column_types(self, row):
        declared, base = row["declared_type"], row["base_type"]
        if declared == "sysname":
            return SYSNAME
        if declared in CLR_USER_TYPES:
            return 240, CLR_USER_TYPES[declared]
        if declared in self.alias_types:
            return self.alias_types[declared]
        return TYPE_CODES[base], TYPE_CODES[base]

    def add_columns(self, path, kinds):
        for row in rows(path):
            object_id = next(self.ids[key] for key in ((row["schema"], row["object"], k) for k in kinds)
                             if key in self.ids)
            xtype, xusertype = self.column_types(row)
            order = int(row["column_order"])
            self.columns.append((object_id, order, row["column"], xtype, xusertype, int(row["length_bytes"]),
                                 order, optional_int(row["precision"]), optional_int(row["scale"]),
                                 int(row["nullable"])))

    def add_source(self, object_id, kind, file_name):
        # Kept with its CR LF line ends, as the server keeps what a client sent.
        with (self.folder / "source" / file_name).open(encoding="utf-8", newline="") as file:
            source = file.read()
        # Procedures are numbered 1 within their group; other modules carry 0.
        number = 1 if kind == "P" else 0
        for piece, start in enumerate(range(0, len(source), PIECE_LENGTH), 1):
            self.comments.append((object_id, number, piece, 0, source[start:start + PIECE_LENGTH]))

    def add_key(self, row):
        table_id = self.ids[(row["schema"], row["table"], "U")]
        self.add_object(row["schema"], row["constraint_name"], "PK", parent=table_id)
        clustered = row["clustered"] == "1"
        indid = 1 if clustered else 2
        keys = row["columns"].split(",")
        status = PRIMARY_KEY_STATUS if clustered else NONCLUSTERED_KEY_STATUS
        self.indexes.append((table_id, status, indid, row["constraint_name"], len(keys)))
        colids = {name: colid for oid, colid, name, *_ in self.columns if oid == table_id}
        for keyno, column in enumerate(keys, 1):
            self.index_keys.append((table_id, indid, colids[column], keyno))

    def read(self):
        self.read_types()
        for row in rows(self.folder / "objects.tsv"):
            schema, name, kind = row["schema"], row["name"], row["kind"]
            if kind == "TT":
                # A table type's own object carries a made-up name, as on the server.
                object_id = self.add_object(schema, f"TT_{name}_{zlib.crc32(name.encode()):08X}", kind)
                self.ids[(schema, name, kind)] = object_id
                continue
            object_id = self.add_object(schema, name, kind)
            if row["source"]:
                self.add_source(object_id, kind, row["source"])
        self.add_columns(self.folder / "columns.tsv", ("U", "V"))
        self.add_columns(self.folder / "table_type_columns.tsv", ("TT",))
        for row in rows(self.folder / "keys.tsv"):
            self.add_key(row)
        # A table without a clustered key is a heap: index 0, without a name.
        clustered = {index[0] for index in self.indexes if index[2] == 1}
        for (schema, name, kind), object_id in list(self.ids.items()):
            if kind == "U" and object_id not in clustered:
                self.indexes.append((object_id, 0, 0, None, 0))
        return self

    def sql(self):
        schemas = [(schema_id, name) for name, schema_id in self.schemas.items() if schema_id >= FIRST_USER_SCHEMA]
        parts = [
            f"-- Written by scripts/sample_catalog.py from {self.folder.name}.",
            "SET NAMES utf8mb4;",
            insert("standin_schemas", ("schema_id", "name"), schemas),
            insert("systypes", ("name", "xtype", "status", "xusertype", "length", "xprec", "xscale"), self.types),
            insert("sysobjects", ("name", "id", "xtype", "uid", "parent_obj", "crdate", "type", "refdate"),
                   self.objects),
            insert("syscolumns", ("id", "colid", "name", "xtype", "xusertype", "length", "colorder",
                                  "prec", "scale", "isnullable"), self.columns),
            insert("sysindexes", ("id", "status", "indid", "name", "keycnt"), self.indexes),
            insert("sysindexkeys", ("id", "indid", "colid", "keyno"), self.index_keys),
            insert("syscomments", ("id", "number", "colid", "encrypted", "text"), self.comments),
        ]
        return "\n\n".join(parts) + "\n"


def main():
    if len(sys.argv) != 2:
        print("usage: sample_catalog.py SAMPLE_FOLDER", file=sys.stderr)
        return 2
    try:
        catalog = SampleCatalog(Path(sys.argv[1])).read()
    except (OSError, KeyError, StopIteration, ValueError) as error:
        print(f"sample_catalog: {sys.argv[1]}: {error!r}", file=sys.stderr)
        return 1
    sys.stdout.write(catalog.sql())
    return 0


if __name__ == "__main__":
    sys.exit(main())
