#!/usr/bin/python3
"""Writes the catalog of a sample database, as a folder of description files
holds it (objects.tsv, columns.tsv, types.tsv, keys.tsv, source/, and
table_type_columns.tsv where there are table types), as SQL for the stand-in
server, in the form SQL Server keeps it:

    scripts/sample_catalog.py SAMPLE_FOLDER > catalog.sql
    scripts/standin-server load tablinor_NAME scripts/standin-schema.sql catalog.sql

The detail files (descriptions.tsv, defaults.tsv, foreign_keys.tsv,
check_constraints.tsv, indexes.tsv, identity.tsv, computed.tsv, triggers.tsv)
fill the detail catalog views (scripts/standin-sys.sql), and give constraints,
triggers and indexes their rows in sysobjects and sysindexes.

Schemas get ids from 5 on, alias types user types from 257 on, in the order
the files name them, so the same folder always gives the same catalog.
"""

import csv
import sys
import zlib
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "demo"))
from make_catalog import (DETAIL_COLUMNS, FIXED_TYPES, PIECE_LENGTH, PRIMARY_KEY_STATUS,  # noqa: E402
                          SIZED_TYPES, TRIGGER_EVENTS, TRIGGER_TIMING, detail_inserts, insert, object_time)

TYPE_CODES = {name: spec[0] for name, spec in {**FIXED_TYPES, **SIZED_TYPES}.items()}
TYPE_CODES.update(decimal=106, numeric=108, time=41, datetime2=42, datetimeoffset=43, sql_variant=98)
# The CLR types share one code and differ by user type.
CLR_USER_TYPES = {"hierarchyid": 128, "geometry": 129, "geography": 130}
SYSNAME = (231, 256)
FIRST_USER_SCHEMA = 5
FIRST_ALIAS_TYPE = 257
# sysindexes.status of a primary key that is not clustered: unique, key constraint.
NONCLUSTERED_KEY_STATUS = 2050
# sysindexes.status of a unique index, and of a UNIQUE constraint's.
UNIQUE_STATUS = 2
UNIQUE_KEY_STATUS = 4098
CREATED = "2025-11-14"

# sys.indexes.type by indexes.tsv kind and clustered flag.
INDEX_TYPES = {"XML": 3, "SPATIAL": 4}
CLUSTERED, NONCLUSTERED, CLUSTERED_COLUMNSTORE, NONCLUSTERED_COLUMNSTORE = 1, 2, 5, 6
# XML and spatial indexes are numbered apart from the others, and the
# compatibility view sysindexes leaves them out.
FIRST_XML_INDEX_ID = 256000
FIRST_SPATIAL_INDEX_ID = 384000
REFERENTIAL_ACTIONS = {"NO_ACTION": 0, "CASCADE": 1, "SET_NULL": 2, "SET_DEFAULT": 3}
# sys.extended_properties.class by the level a property is set on.
DATABASE_CLASS, OBJECT_CLASS, PARAMETER_CLASS, SCHEMA_CLASS, INDEX_CLASS, DATASPACE_CLASS = 0, 1, 2, 3, 7, 20
# A database's first filegroup has data space id 1.
DATA_SPACES = {"PRIMARY": 1}


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
        self.column_ids = {}  # (object id, column name folded) -> colid
        self.index_ids = {}  # (table id, index name folded) -> index id
        self.unique_keys = {}  # (table id, key column names folded) -> index id
        # Rows of the detail catalog views, by the view they show in.
        self.details = {table: [] for table in DETAIL_COLUMNS}

    def schema_id(self, schema):
        return self.schemas.setdefault(schema, FIRST_USER_SCHEMA + len(self.schemas) - 1)

    def new_id(self, schema, name, xtype):
        # Ids look like the server's: large, unordered, fixed per name.
        object_id = zlib.crc32(f"{schema}.{name}.{xtype}".encode()) % 2_000_000_000 + 100_000_000
        while object_id in self.ids.values():
            object_id += 1
        self.ids[(schema, name, xtype)] = object_id
        return object_id

    def add_object(self, schema, name, xtype, parent=0):
        object_id = self.new_id(schema, name, xtype)
        crdate = object_time(f"{schema}.{name}", CREATED)
        kind = "K " if xtype in ("PK", "UQ") else xtype.ljust(2)
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
            self.column_ids[(object_id, row["column"].casefold())] = order
            self.columns.append((object_id, order, row["column"], xtype, xusertype, int(row["length_bytes"]),
                                 order, optional_int(row["precision"]), optional_int(row["scale"]),
                                 int(row["nullable"])))

    def read_source(self, relative_path):
        # Kept with its CR LF line ends, as the server keeps what a client sent.
        with (self.folder / relative_path).open(encoding="utf-8", newline="") as file:
            return file.read()

    def add_source(self, object_id, kind, source):
        # Procedures are numbered 1 within their group; other modules carry 0.
        number = 1 if kind == "P" else 0
        for piece, start in enumerate(range(0, len(source), PIECE_LENGTH), 1):
            self.comments.append((object_id, number, piece, 0, source[start:start + PIECE_LENGTH]))

    def column_id(self, object_id, name):
        # Names compare as the server's case-insensitive collation does.
        return self.column_ids[(object_id, name.casefold())]

    def table_id(self, schema, name):
        """The id of a table, or of a view (indexed views carry indexes)."""
        return self.ids.get((schema, name, "U")) or self.ids[(schema, name, "V")]

    def add_detail(self, table, *values):
        self.details[table].append(values)

    def add_key(self, row):
        """A primary key from keys.tsv, when there is no indexes.tsv to say more."""
        self.add_index({"schema": row["schema"], "table": row["table"], "index_name": row["constraint_name"],
                        "kind": "PRIMARY_KEY", "clustered": row["clustered"], "key_columns": row["columns"],
                        "included_columns": "", "filter": ""}, {})

    def add_index(self, row, next_ids):
        kind = row["kind"]
        if kind == "FULLTEXT":
            # A full-text index lives in its own catalog, not in sys.indexes.
            return
        table_id = self.table_id(row["schema"], row["table"])
        name, clustered = row["index_name"], row["clustered"] == "1"
        keys = [key for key in row["key_columns"].split(",") if key]
        included = [column for column in row["included_columns"].split(",") if column]
        if kind in INDEX_TYPES:
            index_type = INDEX_TYPES[kind]
            first = FIRST_XML_INDEX_ID if kind == "XML" else FIRST_SPATIAL_INDEX_ID
            index_id = next_ids.setdefault((table_id, kind), first)
            next_ids[(table_id, kind)] += 1
        else:
            if kind == "COLUMNSTORE":
                index_type = CLUSTERED_COLUMNSTORE if clustered else NONCLUSTERED_COLUMNSTORE
                # A columnstore index has no key: every column it holds is included.
                keys, included = [], keys
            else:
                index_type = CLUSTERED if clustered else NONCLUSTERED
            if clustered:
                index_id = 1
            else:
                index_id = next_ids.setdefault((table_id, "nonclustered"), 2)
                next_ids[(table_id, "nonclustered")] += 1
        primary, unique_key = kind == "PRIMARY_KEY", kind == "UNIQUE_CONSTRAINT"
        unique = primary or unique_key or kind == "UNIQUE_INDEX"
        if primary or unique_key:
            self.add_object(row["schema"], name, "PK" if primary else "UQ", parent=table_id)
        if index_type in (CLUSTERED, NONCLUSTERED, CLUSTERED_COLUMNSTORE, NONCLUSTERED_COLUMNSTORE):
            if primary:
                status = PRIMARY_KEY_STATUS if clustered else NONCLUSTERED_KEY_STATUS
            else:
                status = UNIQUE_KEY_STATUS if unique_key else UNIQUE_STATUS if unique else 0
            self.indexes.append((table_id, status, index_id, name, len(keys)))
            for keyno, key in enumerate(keys, 1):
                self.index_keys.append((table_id, index_id, self.column_id(table_id, key.removesuffix(" DESC")),
                                        keyno))
        condition = row["filter"] or None
        self.add_detail("indexes", table_id, name, index_id, index_type, int(unique), int(primary),
                        int(unique_key), int(condition is not None), condition)
        for position, key in enumerate(keys, 1):
            descending = key.endswith(" DESC")
            column = key.removesuffix(" DESC")
            self.add_detail("index_columns", table_id, index_id, position, self.column_id(table_id, column),
                            position, int(descending), 0)
        for position, column in enumerate(included, len(keys) + 1):
            self.add_detail("index_columns", table_id, index_id, position, self.column_id(table_id, column),
                            0, 0, 1)
        if name:
            self.index_ids[(table_id, name.casefold())] = index_id
        if unique:
            # What a foreign key to these columns refers to: the first such key.
            columns = frozenset(key.removesuffix(" DESC").casefold() for key in keys)
            self.unique_keys.setdefault((table_id, columns), index_id)

    def read_indexes(self):
        path = self.folder / "indexes.tsv"
        if path.exists():
            next_ids = {}
            for row in rows(path):
                self.add_index(row, next_ids)
        else:
            for row in rows(self.folder / "keys.tsv"):
                self.add_key(row)

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
                self.add_source(object_id, kind, self.read_source(Path("source") / row["source"]))
        self.add_columns(self.folder / "columns.tsv", ("U", "V"))
        self.add_columns(self.folder / "table_type_columns.tsv", ("TT",))
        self.read_indexes()
        # A table without a clustered index is a heap: index 0, without a name.
        clustered = {index[0] for index in self.indexes if index[2] == 1}
        for (schema, name, kind), object_id in list(self.ids.items()):
            if kind == "U" and object_id not in clustered:
                self.indexes.append((object_id, 0, 0, None, 0))
                self.add_detail("indexes", object_id, None, 0, 0, 0, 0, 0, 0, None)
        self.read_defaults()
        self.read_checks()
        self.read_foreign_keys()
        self.read_identity_and_computed()
        self.read_triggers()
        self.read_descriptions()
        return self

    def add_constraint(self, row, xtype):
        """A DEFAULT or CHECK constraint: its object, and its detail row."""
        table_id = self.table_id(row["schema"], row["table"])
        constraint_id = self.add_object(row["schema"], row["constraint_name"], xtype, parent=table_id)
        # A CHECK on several columns belongs to the table: column 0.
        column_id = self.column_id(table_id, row["column"]) if row["column"] else 0
        self.add_detail("default_constraints" if xtype == "D" else "check_constraints",
                        row["constraint_name"], constraint_id, self.schema_id(row["schema"]), table_id, column_id,
                        row["definition_stored"], int(row["system_named"]))

    def read_defaults(self):
        for row in rows(self.folder / "defaults.tsv"):
            self.add_constraint(row, "D")

    def read_checks(self):
        for row in rows(self.folder / "check_constraints.tsv"):
            self.add_constraint(row, "C")

    def read_foreign_keys(self):
        for row in rows(self.folder / "foreign_keys.tsv"):
            table_id = self.table_id(row["schema"], row["table"])
            referenced_id = self.table_id(row["ref_schema"], row["ref_table"])
            key_id = self.add_object(row["schema"], row["constraint_name"], "F", parent=table_id)
            columns, referenced = row["columns"].split(","), row["ref_columns"].split(",")
            key_index = self.unique_keys.get((referenced_id, frozenset(c.casefold() for c in referenced)))
            # The files do not tell a disabled key from one enabled without a check of its rows; both are
            # not trusted, and the second is what the samples' scripts leave.
            self.add_detail("foreign_keys", row["constraint_name"], key_id, self.schema_id(row["schema"]), table_id,
                            referenced_id, key_index, int(row["not_for_replication"]),
                            int(row["disabled_or_nocheck"]), REFERENTIAL_ACTIONS[row["on_delete"]],
                            REFERENTIAL_ACTIONS[row["on_update"]], int(row["system_named"]))
            for position, (column, target) in enumerate(zip(columns, referenced, strict=True), 1):
                self.add_detail("foreign_key_columns", key_id, position, table_id, self.column_id(table_id, column),
                                referenced_id, self.column_id(referenced_id, target))

    def read_identity_and_computed(self):
        for row in rows(self.folder / "identity.tsv"):
            table_id = self.table_id(row["schema"], row["table"])
            self.add_detail("identity_columns", table_id, row["column"], self.column_id(table_id, row["column"]),
                            row["seed"], row["increment"])
        for row in rows(self.folder / "computed.tsv"):
            table_id = self.table_id(row["schema"], row["table"])
            self.add_detail("computed_columns", table_id, row["column"], self.column_id(table_id, row["column"]),
                            row["definition_stored"], int(row["persisted"]))

    def read_triggers(self):
        for row in rows(self.folder / "triggers.tsv"):
            source = self.read_source(row["source"])
            if row["parent"] == "DATABASE":
                # A database trigger has no row in sysobjects, only in sys.triggers.
                parent_class, parent_id = 0, 0
                trigger_id = self.new_id(row["schema"], row["name"], "TR")
            else:
                parent_class = 1
                parent_schema, parent_name = row["parent"].split(".", 1)
                parent_id = self.table_id(parent_schema, parent_name)
                trigger_id = self.add_object(row["schema"], row["name"], "TR", parent=parent_id)
                self.add_source(trigger_id, "TR", source)
            # DML events as the header declares them; a DDL trigger's event groups are not listed.
            timing = TRIGGER_TIMING.search(source) if parent_class else None
            instead_of = bool(timing) and timing.group(1).upper().startswith("INSTEAD")
            not_for_replication = bool(timing) and timing.group(3) is not None
            self.add_detail("triggers", row["name"], trigger_id, parent_class, parent_id,
                            int(not_for_replication), int(instead_of))
            events = {event.strip().upper() for event in timing.group(2).split(",")} if timing else set()
            for event in sorted(events, key=TRIGGER_EVENTS.get):
                self.add_detail("trigger_events", trigger_id, TRIGGER_EVENTS[event], event)

    def property_target(self, row):
        """(class, major_id, minor_id) of an extended property, or None where this catalog has no id for its
        level (parameters, types, filegroups other than PRIMARY)."""
        level0, level1, level2 = row["level0type"], row["level1type"], row["level2type"]
        schema, name, name2 = row["schema"], row["object"], row["name2"]
        if not level0:
            return DATABASE_CLASS, 0, 0
        if level0 == "FILEGROUP":
            return (DATASPACE_CLASS, DATA_SPACES[schema], 0) if schema in DATA_SPACES else None
        if level0 == "TRIGGER":
            return OBJECT_CLASS, self.ids[("", schema, "TR")], 0
        if level0 != "SCHEMA" or level1 == "TYPE":
            return None
        if not level1:
            return SCHEMA_CLASS, self.schema_id(schema), 0
        object_id = self.object_id(schema, name)
        if not level2:
            return OBJECT_CLASS, object_id, 0
        if level2 == "COLUMN":
            return OBJECT_CLASS, object_id, self.column_id(object_id, name2)
        if level2 == "INDEX":
            return INDEX_CLASS, object_id, self.index_ids[(object_id, name2.casefold())]
        if level2 in ("CONSTRAINT", "TRIGGER"):
            kinds = ("TR",) if level2 == "TRIGGER" else ("PK", "UQ", "F", "D", "C")
            return OBJECT_CLASS, next(self.ids[(schema, name2, k)] for k in kinds if (schema, name2, k) in self.ids), 0
        return None

    def object_id(self, schema, name):
        return next(self.ids[(schema, name, kind)] for kind in ("U", "V", "P", "FN", "IF", "TF")
                    if (schema, name, kind) in self.ids)

    def read_descriptions(self):
        for row in rows(self.folder / "descriptions.tsv"):
            target = self.property_target(row)
            if target:
                self.add_detail("extended_properties", *target, row["property"], row["value"])

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
            *detail_inserts(self.details),
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
