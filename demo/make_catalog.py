#!/usr/bin/python3
"""Writes the demo database's catalog, in SQL Server's form, as SQL for the
stand-in server:

    demo/make_catalog.py > catalog.sql

The objects are described in catalog.txt beside this script; the source of
each view, routine and trigger is in sql/<name>.sql, and the descriptions
(the MS_Description property) are in descriptions.txt. The output fills the
catalog tables of scripts/standin-schema.sql, which must be loaded first, and
the detail catalog views of scripts/standin-sys.sql.
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

# sysindexes.status of a unique index.
UNIQUE_INDEX_STATUS = 2

# A DML trigger's header: FOR | AFTER | INSTEAD OF and its events.
TRIGGER_TIMING = re.compile(
    r"\b(FOR|AFTER|INSTEAD\s+OF)\s+((?:INSERT|UPDATE|DELETE)(?:\s*,\s*(?:INSERT|UPDATE|DELETE))*)\b"
    r"(\s+NOT\s+FOR\s+REPLICATION)?", re.IGNORECASE)
TRIGGER_EVENTS = {"INSERT": 1, "UPDATE": 2, "DELETE": 3}

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

# Lines of a table that name other objects, read once every table is known.
DETAIL_KEYWORDS = ("default", "check", "fk", "identity", "computed", "trigger")

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
        self.names = {}  # object name -> id
        self.tables = {}  # table name -> {column name: column row}
        self.blocks = []  # the tables' blocks, in file order
        # Rows of the detail catalog views, by the view they show in.
        self.details = {table: [] for table in DETAIL_COLUMNS}

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
        if object_id is None:
            object_id = self.new_id(name)
        elif object_id in self.ids:
            raise CatalogError(f"id {object_id} is taken twice")
        self.names[name] = object_id
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

    def add_detail(self, table, *values):
        self.details[table].append(values)

    def read_source(self, name, keyword):
        """The source of a module in sql/, with the line ends a Windows client sends."""
        path = self.sources / f"{name}.sql"
        try:
            source = path.read_text(encoding="utf-8")
        except OSError as error:
            raise CatalogError(f"source of {name}: {error.strerror}: {path}") from error
        if not re.search(rf"^CREATE {keyword} (dbo\.)?\[?{re.escape(name)}\]?\b", source, re.M):
            raise CatalogError(f"{path.name} does not create {keyword} {name}")
        return source.replace("\r\n", "\n").replace("\n", "\r\n")

    def add_source(self, object_id, number, source):
        for piece, start in enumerate(range(0, len(source), PIECE_LENGTH), 1):
            self.comments.append((object_id, number, piece, 0, source[start:start + PIECE_LENGTH]))

    def add_routine(self, name, kind, created, modified, encrypted):
        object_id, crdate = self.add_object(name, ROUTINE_KINDS[kind], created, modified)
        # Procedures are numbered 1 within their group; other modules carry 0.
        number = 1 if kind == "procedure" else 0
        if encrypted:
            self.comments.append((object_id, number, 1, 1, None))
            return object_id, crdate
        keyword = "VIEW" if kind == "view" else "PROCEDURE" if kind == "procedure" else "FUNCTION"
        self.add_source(object_id, number, self.read_source(name, keyword))
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
    details: list = field(default_factory=list)  # (line number, text) of DETAIL_KEYWORDS lines


def finish_table(catalog, block):
    if not block.columns:
        raise CatalogError(f"table {block.name} has no columns")
    if block.key:
        constraint = f"PK_{block.name}"
        # The key is created with its table.
        catalog.add_object(constraint, "PK", block.crdate, parent=block.object_id)
        catalog.indexes.append((block.object_id, PRIMARY_KEY_STATUS, 1, constraint, len(block.key)))
        catalog.add_detail("indexes", block.object_id, constraint, 1, 1, 1, 1, 0, 0, None)
        for keyno, colid in enumerate(block.key, 1):
            catalog.index_keys.append((block.object_id, 1, colid, keyno))
            catalog.add_detail("index_columns", block.object_id, 1, keyno, colid, keyno, 0, 0)
    else:
        # A table without a clustered key is a heap: index 0 under its own name.
        catalog.indexes.append((block.object_id, 0, 0, block.name, 0))
        catalog.add_detail("indexes", block.object_id, None, 0, 0, 0, 0, 0, 0, None)
    catalog.blocks.append(block)


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


def column_id(block, column):
    if column not in block.columns:
        raise CatalogError(f"{block.name} has no column {column}")
    return block.columns[column][5]


def read_index(catalog, block, text):
    """index | unique NAME KEY[:DESC][,KEY...] [include COLUMN[,COLUMN...]] [where FILTER]:
    a nonclustered index beside the key, unique or not; the filter runs to the
    end of the line."""
    text, _, condition = text.partition(" where ")
    words = text.split()
    options = dict(zip(words[3::2], words[4::2]))
    if block.kind != "table" or len(words) not in (3, 5) or set(options) - {"include"}:
        raise CatalogError(f"expected in a table: {words[0]} NAME KEY[:DESC][,KEY...] "
                           "[include COLUMN[,COLUMN...]] [where FILTER]")
    unique = words[0] == "unique"
    keys = words[2].split(",")
    included = options["include"].split(",") if "include" in options else []
    indid = 2 + sum(1 for index in catalog.indexes if index[0] == block.object_id and index[2] >= 2)
    catalog.indexes.append((block.object_id, UNIQUE_INDEX_STATUS if unique else 0, indid, words[1], len(keys)))
    condition = condition.strip() or None
    catalog.add_detail("indexes", block.object_id, words[1], indid, 2, int(unique), 0, 0, int(condition is not None),
                       condition)
    for keyno, key in enumerate(keys, 1):
        column, _, order = key.partition(":")
        if order not in ("", "DESC"):
            raise CatalogError(f"index {words[1]}: a key is COLUMN or COLUMN:DESC, not {key}")
        if column not in block.columns:
            raise CatalogError(f"index {words[1]} names unknown column {column}")
        colid = column_id(block, column)
        catalog.index_keys.append((block.object_id, indid, colid, keyno))
        catalog.add_detail("index_columns", block.object_id, indid, keyno, colid, keyno, int(order == "DESC"), 0)
    for position, column in enumerate(included, len(keys) + 1):
        catalog.add_detail("index_columns", block.object_id, indid, position, column_id(block, column), 0, 0, 1)


def read_detail(catalog, block, text):
    """A line of DETAIL_KEYWORDS, once every table is known:
        default COLUMN DEFINITION           DF_TABLE_COLUMN
        check NAME COLUMN|- DEFINITION      on one column, or (-) on the table
        fk NAME COLUMN[,COLUMN...] TABLE [cascade]
                                            to that table's primary key
        identity COLUMN SEED INCREMENT
        computed COLUMN DEFINITION [persisted]
        trigger NAME                        source in sql/NAME.sql
    Definitions are in the server's stored form and run to the end of the line."""
    kind = text.split()[0]
    # The words before a definition, then the definition whole.
    fixed = {"default": 2, "check": 3, "computed": 2}.get(kind)
    words = text.split(None, fixed) if fixed else text.split()
    table_id = block.object_id
    if kind == "computed" and words[-1].endswith(" persisted"):
        words[-1:] = [words[-1].removesuffix(" persisted").rstrip(), "persisted"]
    shapes = {"default": (3,), "check": (4,), "fk": (4, 5), "identity": (4,), "computed": (3, 4), "trigger": (2,)}
    if len(words) not in shapes[kind]:
        raise CatalogError(f"wrong number of words for {kind}: see read_detail in make_catalog.py")
    if kind == "default":
        name = f"DF_{block.name}_{words[1]}"
        object_id, _ = catalog.add_object(name, "D", block.crdate, parent=table_id)
        catalog.add_detail("default_constraints", name, object_id, 1, table_id, column_id(block, words[1]), words[2], 0)
    elif kind == "check":
        column = 0 if words[2] == "-" else column_id(block, words[2])
        object_id, _ = catalog.add_object(words[1], "C", block.crdate, parent=table_id)
        catalog.add_detail("check_constraints", words[1], object_id, 1, table_id, column, words[3], 0)
    elif kind == "fk":
        if len(words) == 5 and words[4] != "cascade":
            raise CatalogError(f"foreign key {words[1]}: only 'cascade' may follow the table")
        target = next((b for b in catalog.blocks if b.name == words[3]), None)
        if target is None or not target.key:
            raise CatalogError(f"foreign key {words[1]}: {words[3]} is no table with a primary key")
        columns = words[2].split(",")
        if len(columns) != len(target.key):
            raise CatalogError(f"foreign key {words[1]}: {len(columns)} columns for a key of {len(target.key)}")
        object_id, _ = catalog.add_object(words[1], "F", block.crdate, parent=table_id)
        catalog.add_detail("foreign_keys", words[1], object_id, 1, table_id, target.object_id, 1, 0, 0,
                           int(len(words) == 5), 0, 0)
        for position, (column, referenced) in enumerate(zip(columns, target.key), 1):
            catalog.add_detail("foreign_key_columns", object_id, position, table_id, column_id(block, column),
                               target.object_id, referenced)
    elif kind == "identity":
        catalog.add_detail("identity_columns", table_id, words[1], column_id(block, words[1]), str(int(words[2])),
                           str(int(words[3])))
    elif kind == "computed":
        if len(words) == 4 and words[3] != "persisted":
            raise CatalogError(f"computed {words[1]}: only 'persisted' may follow the definition")
        catalog.add_detail("computed_columns", table_id, words[1], column_id(block, words[1]), words[2],
                           int(len(words) == 4))
    else:
        source = catalog.read_source(words[1], "TRIGGER")
        timing = TRIGGER_TIMING.search(source)
        if timing is None:
            raise CatalogError(f"{words[1]}.sql declares no FOR, AFTER or INSTEAD OF events")
        object_id, _ = catalog.add_object(words[1], "TR", block.crdate, parent=table_id)
        catalog.add_source(object_id, 0, source)
        catalog.add_detail("triggers", words[1], object_id, 1, table_id, int(timing.group(3) is not None),
                           int(timing.group(1).upper().startswith("INSTEAD")))
        events = {event.strip().upper() for event in timing.group(2).split(",")}
        for event in sorted(events, key=TRIGGER_EVENTS.get):
            catalog.add_detail("trigger_events", object_id, TRIGGER_EVENTS[event], event)


def read_descriptions(catalog, path):
    """descriptions.txt: lines OBJECT[.COLUMN] 論理名 [説明], further lines of
    the 説明 indented below. The property is the 論理名, and the 説明 on the
    lines after it, as a team writes it."""
    entries = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        if raw[0].isspace():
            if not entries:
                raise CatalogError(f"{path.name}:{number}: indented line before any description")
            entries[-1][2].append(raw.strip())
            continue
        words = raw.split(None, 2)
        if len(words) < 2:
            raise CatalogError(f"{path.name}:{number}: expected: OBJECT[.COLUMN] 論理名 [説明]")
        entries.append((number, words[0], words[1:]))
    for number, target, lines in entries:
        name, _, column = target.partition(".")
        if name not in catalog.names:
            raise CatalogError(f"{path.name}:{number}: no object {name}")
        object_id = catalog.names[name]
        minor = 0
        if column:
            found = [c for c in catalog.columns if c[1] == object_id and c[0] == column]
            if not found:
                raise CatalogError(f"{path.name}:{number}: {name} has no column {column}")
            minor = found[0][5]
        catalog.add_detail("extended_properties", 1, object_id, minor, "MS_Description", "\r\n".join(lines))


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
        text = raw.split("#", 1)[0].strip()
        words = text.split()
        if not words:
            continue
        try:
            if not raw[0].isspace():
                if block and block.kind == "table":
                    finish_table(catalog, block)
                block = read_header(catalog, words)
            elif block is None:
                raise CatalogError("indented line outside a table or view")
            elif words[0] in ("index", "unique"):
                read_index(catalog, block, text)
            elif words[0] in DETAIL_KEYWORDS:
                if block.kind != "table":
                    raise CatalogError(f"{words[0]} belongs to a table")
                block.details.append((number, text))
            else:
                read_column(catalog, block, words)
        except (CatalogError, ValueError) as error:
            raise CatalogError(f"{path.name}:{number}: {error}") from error
    if block and block.kind == "table":
        finish_table(catalog, block)
    # After every table, so that keys may name tables further down and no
    # constraint takes an id a table would have had.
    for block in catalog.blocks:
        for number, text in block.details:
            try:
                read_detail(catalog, block, text)
            except (CatalogError, ValueError) as error:
                raise CatalogError(f"{path.name}:{number}: {error}") from error
    descriptions = path.parent / "descriptions.txt"
    if descriptions.exists():
        read_descriptions(catalog, descriptions)
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


def detail_inserts(details):
    """INSERTs of the detail rows, by table, in DETAIL_COLUMNS' order."""
    return [insert(f"sys.standin_{table}", columns, details.get(table, ())) for table, columns in DETAIL_COLUMNS.items()]


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
        *detail_inserts(catalog.details),
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
