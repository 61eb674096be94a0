#!/usr/bin/python3
"""Writes the demo database's catalog, in SQL Server's form, as SQL for the
stand-in server:

    demo/make_catalog.py > catalog.sql

The objects are described in catalog.txt beside this script; the source of
each view and routine is in sql/<name>.sql. The output fills the catalog
tables of scripts/standin-schema.sql, which must be loaded first.
"""

import re
import sys
import zlib
from dataclasses import dataclass, field
from pathlib import Path

HERE = Path(__file__).resolve().parent

# The server keeps a module's source in pieces of at most this many characters.
PIECE_LENGTH = 4000

# Fixed-size types: type code, byte length, precision, scale (None is NULL).
FIXED_TYPES = {
    "tinyint": (48, 1, 3, 0),
    "smallint": (52, 2, 5, 0),
    "int": (56, 4, 10, 0),
    "bigint": (127, 8, 19, 0),
    "bit": (104, 1, 1, 0),
    "money": (60, 8, 19, 4),
    "smallmoney": (122, 4, 10, 4),
    "datetime": (61, 8, 23, 3),
    "smalldatetime": (58, 4, 16, 0),
    "date": (40, 3, 10, 0),
    "float": (62, 8, 53, None),
    "real": (59, 4, 24, None),
    "uniqueidentifier": (36, 16, 0, None),
    "timestamp": (189, 8, 0, None),
    "text": (35, 16, None, None),
    "ntext": (99, 16, None, None),
    "image": (34, 16, None, None),
    "xml": (241, -1, -1, None),
}
# Sized types: type code and bytes per character.
SIZED_TYPES = {
    "char": (175, 1),
    "varchar": (167, 1),
    "binary": (173, 1),
    "varbinary": (165, 1),
    "nchar": (239, 2),
    "nvarchar": (231, 2),
}
MAX_TYPES = {"varchar", "varbinary", "nvarchar"}
# The alias type sysname shares nvarchar's code under a user type of its own.
SYSNAME = (231, 256, 256, 128, None)

# sysindexes.status of a clustered primary key: unique, clustered, key constraint.
PRIMARY_KEY_STATUS = 2066

ROUTINE_KINDS = {
    "view": "V",
    "procedure": "P",
    "function": "FN",
    "table-function": "TF",
    "inline-function": "IF",
}


class CatalogError(Exception):
    pass


def column_type(spec):
    """Type code, user type, byte length, precision and scale of a type such as
    'nvarchar(40)', 'decimal(12,2)' or 'datetime2(3)'."""
    match = re.fullmatch(r"([a-z0-9]+)(?:\((max|\d+)(?:,(\d+))?\))?", spec)
    if not match:
        raise CatalogError(f"unreadable type {spec!r}")
    name, size, second = match.groups()
    if name == "sysname" and size is None:
        return SYSNAME
    if name in FIXED_TYPES and size is None:
        xtype, length, prec, scale = FIXED_TYPES[name]
        return xtype, xtype, length, prec, scale
    if name in SIZED_TYPES and second is None:
        xtype, width = SIZED_TYPES[name]
        if size == "max":
            if name not in MAX_TYPES:
                raise CatalogError(f"{name} has no (max) form")
            return xtype, xtype, -1, -1, None
        chars = int(size or 1)
        if not 1 <= chars <= 8000 // width:
            raise CatalogError(f"length out of range in {spec!r}")
        return xtype, xtype, chars * width, chars, None
    if name in ("decimal", "numeric") and size != "max":
        prec = int(size or 18)
        scale = int(second or 0)
        if not (1 <= prec <= 38 and scale <= prec):
            raise CatalogError(f"precision or scale out of range in {spec!r}")
        length = 5 if prec <= 9 else 9 if prec <= 19 else 13 if prec <= 28 else 17
        xtype = 106 if name == "decimal" else 108
        return xtype, xtype, length, prec, scale
    if name in ("time", "datetime2") and size != "max" and second is None:
        scale = int(size or 7)
        if scale > 7:
            raise CatalogError(f"fractional digits out of range in {spec!r}")
        fraction = 3 if scale <= 2 else 4 if scale <= 4 else 5
        digits = scale + 1 if scale else 0
        if name == "time":
            return 41, 41, fraction, 8 + digits, scale
        return 42, 42, fraction + 3, 19 + digits, scale
    raise CatalogError(f"unknown type {spec!r}")


def object_time(name, day, salt=""):
    """A time on the given day, spread over office hours the same way on every
    run; milliseconds in the server's steps of 1/300 s. An exact time is kept."""
    if re.fullmatch(r"\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}", day):
        return day
    if not re.fullmatch(r"\d{4}-\d{2}-\d{2}", day):
        raise CatalogError(f"date must read YYYY-MM-DD: {day!r}")
    seed = zlib.crc32((salt + name).encode())
    seconds = 9 * 3600 + seed % (9 * 3600)
    millis = (seed // 7 % 300 * 10 + 1) // 3
    return f"{day} {seconds // 3600:02}:{seconds // 60 % 60:02}:{seconds % 60:02}.{millis:03}"


class Catalog:
    def __init__(self, sources):
        self.sources = sources  # folder of the view and routine sources
        self.objects = []  # (name, id, xtype, parent, crdate, refdate)
        self.columns = []  # (name, id, xtype, xusertype, length, colid, prec, scale, nullable)
        self.indexes = []  # (id, status, indid, name, keycnt)
        self.index_keys = []  # (id, indid, colid, keyno)
        self.comments = []  # (id, number, colid, encrypted, text)
        self.ids = set()
        self.names = set()
        self.tables = {}  # table name -> {column name: column row}

    def new_id(self, name):
        # Object ids look like the server's: large, unordered, fixed per name.
        candidate = zlib.crc32(name.encode()) % 2_000_000_000 + 100_000_000
        while candidate in self.ids:
            candidate += 1
        return candidate

    def add_object(self, name, xtype, created, modified=None, parent=0, object_id=None):
        """Adds a sysobjects row from its days of creation and change (or
        exact times) and returns its id and creation time."""
        if name in self.names:
            raise CatalogError(f"{name} is defined twice")
        self.names.add(name)
        if object_id is None:
            object_id = self.new_id(name)
        elif object_id in self.ids:
            raise CatalogError(f"id {object_id} is taken twice")
        self.ids.add(object_id)
        crdate = object_time(name, created)
        refdate = object_time(name, modified, "modified") if modified else crdate
        self.objects.append((name, object_id, xtype, parent, crdate, refdate))
        return object_id, crdate

    def add_column(self, owner_id, colid, name, spec, nullable):
        xtype, xusertype, length, prec, scale = column_type(spec)
        row = (name, owner_id, xtype, xusertype, length, colid, prec, scale, int(nullable))
        self.columns.append(row)
        return row

    def add_routine(self, name, kind, created, modified, encrypted):
        object_id, crdate = self.add_object(name, ROUTINE_KINDS[kind], created, modified)
        # Procedures are numbered 1 within their group; other modules carry 0.
        number = 1 if kind == "procedure" else 0
        if encrypted:
            self.comments.append((object_id, number, 1, 1, None))
            return object_id, crdate
        path = self.sources / f"{name}.sql"
        try:
            source = path.read_text(encoding="utf-8")
        except OSError as error:
            raise CatalogError(f"source of {name}: {error.strerror}: {path}") from error
        keyword = "VIEW" if kind == "view" else "PROCEDURE" if kind == "procedure" else "FUNCTION"
        if not re.search(rf"^CREATE {keyword} (dbo\.)?\[?{re.escape(name)}\]?\b", source, re.M):
            raise CatalogError(f"{path.name} does not create {keyword} {name}")
        # Sources are kept with the line ends a Windows client sends.
        source = source.replace("\r\n", "\n").replace("\n", "\r\n")
        for piece, start in enumerate(range(0, len(source), PIECE_LENGTH), 1):
            self.comments.append((object_id, number, piece, 0, source[start:start + PIECE_LENGTH]))
        return object_id, crdate


@dataclass
class Block:
    """The table or view whose indented lines are being read."""
    kind: str
    name: str
    object_id: int
    crdate: str
    columns: dict = field(default_factory=dict)  # column name -> syscolumns row
    key: list = field(default_factory=list)  # colids of the primary key, in key order


def finish_table(catalog, block):
    if not block.columns:
        raise CatalogError(f"table {block.name} has no columns")
    if block.key:
        constraint = f"PK_{block.name}"
        # The key is created with its table.
        catalog.add_object(constraint, "PK", block.crdate, parent=block.object_id)
        catalog.indexes.append((block.object_id, PRIMARY_KEY_STATUS, 1, constraint, len(block.key)))
        for keyno, colid in enumerate(block.key, 1):
            catalog.index_keys.append((block.object_id, 1, colid, keyno))
    else:
        # A table without a clustered key is a heap: index 0 under its own name.
        catalog.indexes.append((block.object_id, 0, 0, block.name, 0))


def read_header(catalog, words):
    """The block a line at the margin opens, or None for a system object."""
    kind = words[0]
    if kind == "system":
        if len(words) != 5:
            raise CatalogError("expected: system NAME ID XTYPE CREATED")
        catalog.add_object(words[1], words[3], words[4], object_id=int(words[2]))
        return None
    if kind != "table" and kind not in ROUTINE_KINDS:
        raise CatalogError(f"unknown object kind {kind!r}")
    dates = [w for w in words[2:] if w[0].isdigit()]
    flags = [w for w in words[2:] if not w[0].isdigit()]
    routine = kind in ROUTINE_KINDS and kind != "view"
    if len(dates) not in (1, 2) or flags not in ([], ["encrypted"]) or (flags and not routine):
        raise CatalogError(f"expected: {kind} NAME CREATED [MODIFIED]" + (" [encrypted]" if routine else ""))
    name, created = words[1], dates[0]
    modified = dates[1] if len(dates) > 1 else None
    if modified and modified < created:
        raise CatalogError(f"{name} changed before it was created")
    if kind == "table":
        object_id, crdate = catalog.add_object(name, "U", created, modified)
    else:
        object_id, crdate = catalog.add_routine(name, kind, created, modified, bool(flags))
    return Block(kind, name, object_id, crdate) if kind in ("table", "view") else None


def read_index(catalog, block, words):
    """index NAME COLUMN[,COLUMN...]: a plain index beside the key."""
    if block.kind != "table" or len(words) != 3:
        raise CatalogError("expected in a table: index NAME COLUMN[,COLUMN...]")
    keys = words[2].split(",")
    indid = 2 + sum(1 for index in catalog.indexes if index[0] == block.object_id and index[2] >= 2)
    catalog.indexes.append((block.object_id, 0, indid, words[1], len(keys)))
    for keyno, column in enumerate(keys, 1):
        if column not in block.columns:
            raise CatalogError(f"index {words[1]} names unknown column {column}")
        catalog.index_keys.append((block.object_id, indid, block.columns[column][5], keyno))


def read_column(catalog, block, words):
    column = words[0]
    if column in block.columns:
        raise CatalogError(f"column {column} is defined twice")
    colid = len(block.columns) + 1
    if len(words) == 3 and words[1] == "=":
        # A view column takes the type and nullability of a table's column.
        table, _, source = words[2].partition(".")
        origin = catalog.tables.get(table, {}).get(source)
        if origin is None:
            raise CatalogError(f"no column {words[2]} defined before this view")
        row = (column, block.object_id) + origin[2:5] + (colid,) + origin[6:]
        catalog.columns.append(row)
    else:
        marks = words[2:]
        if len(words) < 2 or set(marks) - {"null", "pk"} or len(set(marks)) != len(marks):
            raise CatalogError("expected: COLUMN TYPE [null] [pk]  or  COLUMN = TABLE.COLUMN")
        if "pk" in marks and (block.kind != "table" or "null" in marks):
            raise CatalogError("a key column belongs to a table and is not null")
        row = catalog.add_column(block.object_id, colid, column, words[1], "null" in marks)
        if "pk" in marks:
            block.key.append(colid)
    block.columns[column] = row
    if block.kind == "table":
        catalog.tables.setdefault(block.name, {})[column] = row


def read_catalog(path):
    """The catalog described in the file, with sources in sql/ beside it;
    raises CatalogError naming the line."""
    catalog = Catalog(path.parent / "sql")
    block = None
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        words = raw.split("#", 1)[0].split()
        if not words:
            continue
        try:
            if not raw[0].isspace():
                if block and block.kind == "table":
                    finish_table(catalog, block)
                block = read_header(catalog, words)
            elif block is None:
                raise CatalogError("indented line outside a table or view")
            elif words[0] == "index":
                read_index(catalog, block, words)
            else:
                read_column(catalog, block, words)
        except (CatalogError, ValueError) as error:
            raise CatalogError(f"{path.name}:{number}: {error}") from error
    if block and block.kind == "table":
        finish_table(catalog, block)
    return catalog


def sql_value(value):
    if value is None:
        return "NULL"
    if isinstance(value, int):
        return str(value)
    escaped = value.replace("\\", "\\\\").replace("'", "''")
    return "'" + escaped.replace("\r", "\\r").replace("\n", "\\n") + "'"


def insert(table, columns, rows):
    if not rows:
        return f"-- no rows for {table}"
    values = ",\n".join("  (" + ", ".join(map(sql_value, row)) + ")" for row in rows)
    return f"INSERT INTO {table} ({', '.join(columns)}) VALUES\n{values};"


# The detail catalog views' tables (scripts/standin-sys.sql) and the columns a
# catalog fills; the database is the one the catalog is loaded into.
DETAIL_COLUMNS = {
    "extended_properties": ("class", "major_id", "minor_id", "name", "value"),
    "default_constraints": ("name", "object_id", "schema_id", "parent_object_id", "parent_column_id", "definition",
                            "is_system_named"),
    "check_constraints": ("name", "object_id", "schema_id", "parent_object_id", "parent_column_id", "definition",
                          "is_system_named"),
    "foreign_keys": ("name", "object_id", "schema_id", "parent_object_id", "referenced_object_id", "key_index_id",
                     "is_not_for_replication", "is_not_trusted", "delete_referential_action",
                     "update_referential_action", "is_system_named"),
    "foreign_key_columns": ("constraint_object_id", "constraint_column_id", "parent_object_id", "parent_column_id",
                            "referenced_object_id", "referenced_column_id"),
    "indexes": ("object_id", "name", "index_id", "type", "is_unique", "is_primary_key", "is_unique_constraint",
                "has_filter", "filter_definition"),
    "index_columns": ("object_id", "index_id", "index_column_id", "column_id", "key_ordinal", "is_descending_key",
                      "is_included_column"),
    "identity_columns": ("object_id", "name", "column_id", "seed_value", "increment_value"),
    "computed_columns": ("object_id", "name", "column_id", "definition", "is_persisted"),
    "triggers": ("name", "object_id", "parent_class", "parent_id", "is_not_for_replication", "is_instead_of_trigger"),
    "trigger_events": ("object_id", "type", "type_desc"),
}


def detail_inserts(details):
    """INSERTs of the detail rows, by table, in DETAIL_COLUMNS' order."""
    return [insert(f"standin_sys.{table}", columns, details.get(table, ())) for table, columns in DETAIL_COLUMNS.items()]


def catalog_sql(catalog):
    objects = [(name, oid, xtype, parent, crdate, xtype.ljust(2) if xtype != "PK" else "K ", refdate)
               for name, oid, xtype, parent, crdate, refdate in catalog.objects]
    columns = [(oid, colid, name, xtype, xusertype, length, colid, prec, scale, nullable)
               for name, oid, xtype, xusertype, length, colid, prec, scale, nullable in catalog.columns]
    parts = [
        "-- Written by demo/make_catalog.py from demo/catalog.txt and demo/sql/.",
        "SET NAMES utf8mb4;",
        insert("sysobjects", ("name", "id", "xtype", "parent_obj", "crdate", "type", "refdate"), objects),
        insert("syscolumns", ("id", "colid", "name", "xtype", "xusertype", "length", "colorder",
                              "prec", "scale", "isnullable"), columns),
        insert("sysindexes", ("id", "status", "indid", "name", "keycnt"), catalog.indexes),
        insert("sysindexkeys", ("id", "indid", "colid", "keyno"), catalog.index_keys),
        insert("syscomments", ("id", "number", "colid", "encrypted", "text"), catalog.comments),
    ]
    return "\n\n".join(parts) + "\n"


def main():
    try:
        catalog = read_catalog(HERE / "catalog.txt")
    except (CatalogError, OSError) as error:
        print(f"make_catalog: {error}", file=sys.stderr)
        return 1
    sys.stdout.write(catalog_sql(catalog))
    return 0


if __name__ == "__main__":
    sys.exit(main())
