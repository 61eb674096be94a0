-- The six catalog tables of SQL Server, as the compatibility views offer them,
-- with the server's column names, the server's types and its built-in
-- SCHEMA_NAME. Every database on the stand-in server is loaded with this file
-- first, then with a catalog's rows:
--   scripts/standin-server load DB scripts/standin-schema.sql CATALOG.sql
-- The tables are indexed as the server indexes its own catalog.

SET NAMES utf8mb4;

CREATE TABLE sysobjects (
  name       VARCHAR(128) NOT NULL,
  id         INT          NOT NULL,
  xtype      CHAR(2)      NOT NULL,
  uid        SMALLINT     NOT NULL DEFAULT 1,
  info       SMALLINT     NOT NULL DEFAULT 0,
  status     INT          NOT NULL DEFAULT 0,
  parent_obj INT          NOT NULL DEFAULT 0,
  crdate     DATETIME(3)  NOT NULL,
  type       CHAR(2)      NOT NULL,
  refdate    DATETIME(3)  NOT NULL,
  category   INT          NOT NULL DEFAULT 0,
  PRIMARY KEY (id),
  KEY ncsysobjects_name (name, uid),
  KEY ncsysobjects_parent (parent_obj),
  KEY ncsysobjects_xtype (xtype)
);

CREATE TABLE syscolumns (
  name       VARCHAR(128) NULL,
  id         INT          NOT NULL,
  xtype      TINYINT UNSIGNED NOT NULL,
  typestat   TINYINT      NOT NULL DEFAULT 0,
  xusertype  SMALLINT     NOT NULL,
  length     SMALLINT     NOT NULL,
  xprec      TINYINT      NOT NULL DEFAULT 0,
  xscale     TINYINT      NOT NULL DEFAULT 0,
  colid      SMALLINT     NOT NULL,
  colorder   SMALLINT     NOT NULL,
  prec       SMALLINT     NULL,
  scale      INT          NULL,
  isnullable INT          NOT NULL,
  PRIMARY KEY (id, colid),
  KEY ncsyscolumns_name (id, name)
);

CREATE TABLE systypes (
  name       VARCHAR(128) NOT NULL,
  xtype      TINYINT UNSIGNED NOT NULL,
  status     TINYINT      NOT NULL,
  xusertype  SMALLINT     NOT NULL,
  length     SMALLINT     NOT NULL,
  xprec      TINYINT      NOT NULL,
  xscale     TINYINT      NOT NULL,
  PRIMARY KEY (xusertype),
  KEY ncsystypes_name (name),
  KEY ncsystypes_xtype (xtype)
);

CREATE TABLE syscomments (
  id         INT          NOT NULL,
  number     SMALLINT     NOT NULL DEFAULT 0,
  colid      SMALLINT     NOT NULL,
  status     SMALLINT     NOT NULL DEFAULT 0,
  encrypted  TINYINT(1)   NOT NULL DEFAULT 0,
  text       VARCHAR(4000) NULL,
  PRIMARY KEY (id, number, colid)
);

CREATE TABLE sysindexes (
  id         INT          NOT NULL,
  status     INT          NOT NULL DEFAULT 0,
  indid      SMALLINT     NOT NULL,
  name       VARCHAR(128) NULL,
  keycnt     SMALLINT     NOT NULL,
  rowcnt     BIGINT       NOT NULL DEFAULT 0,
  PRIMARY KEY (id, indid),
  KEY ncsysindexes_name (name)
);

CREATE TABLE sysindexkeys (
  id         INT          NOT NULL,
  indid      SMALLINT     NOT NULL,
  colid      SMALLINT     NOT NULL,
  keyno      SMALLINT     NOT NULL,
  PRIMARY KEY (id, indid, keyno),
  KEY ncsysindexkeys_col (id, indid, colid)
);

-- The server's schemas, which queries reach only through SCHEMA_NAME below;
-- the first user schema is 5.
CREATE TABLE standin_schemas (
  schema_id  INT          NOT NULL,
  name       VARCHAR(128) NOT NULL,
  PRIMARY KEY (schema_id),
  UNIQUE KEY (name)
);
INSERT INTO standin_schemas (schema_id, name) VALUES
  (1, 'dbo'), (2, 'guest'), (3, 'INFORMATION_SCHEMA'), (4, 'sys');

-- The server's built-in: the name of a schema id, NULL for an unknown one.
CREATE FUNCTION SCHEMA_NAME(wanted INT) RETURNS VARCHAR(128) CHARSET utf8mb4
  READS SQL DATA
  RETURN (SELECT name FROM standin_schemas WHERE schema_id = wanted);

-- The system types as the server lists them. status 0x1 marks a type that is
-- not nullable. An alias type (a catalog adds its own, xusertype above 256)
-- and sysname carry their base type's xtype; the CLR types share xtype 240
-- and differ by xusertype.
INSERT INTO systypes (name, xtype, status, xusertype, length, xprec, xscale) VALUES
  ('image',            34, 0,  34,   16,  0, 0),
  ('text',             35, 0,  35,   16,  0, 0),
  ('uniqueidentifier', 36, 0,  36,   16,  0, 0),
  ('date',             40, 0,  40,    3, 10, 0),
  ('time',             41, 0,  41,    5, 16, 7),
  ('datetime2',        42, 0,  42,    8, 27, 7),
  ('datetimeoffset',   43, 0,  43,   10, 34, 7),
  ('tinyint',          48, 0,  48,    1,  3, 0),
  ('smallint',         52, 0,  52,    2,  5, 0),
  ('int',              56, 0,  56,    4, 10, 0),
  ('smalldatetime',    58, 0,  58,    4, 16, 0),
  ('real',             59, 0,  59,    4, 24, 0),
  ('money',            60, 0,  60,    8, 19, 4),
  ('datetime',         61, 0,  61,    8, 23, 3),
  ('float',            62, 0,  62,    8, 53, 0),
  ('sql_variant',      98, 0,  98, 8016,  0, 0),
  ('ntext',            99, 0,  99,   16,  0, 0),
  ('bit',             104, 0, 104,    1,  1, 0),
  ('decimal',         106, 0, 106,   17, 38, 38),
  ('numeric',         108, 0, 108,   17, 38, 38),
  ('smallmoney',      122, 0, 122,    4, 10, 4),
  ('bigint',          127, 0, 127,    8, 19, 0),
  ('hierarchyid',     240, 0, 128,  892,  0, 0),
  ('geometry',        240, 0, 129,   -1,  0, 0),
  ('geography',       240, 0, 130,   -1,  0, 0),
  ('varbinary',       165, 0, 165, 8000,  0, 0),
  ('varchar',         167, 0, 167, 8000,  0, 0),
  ('binary',          173, 0, 173, 8000,  0, 0),
  ('char',            175, 0, 175, 8000,  0, 0),
  ('timestamp',       189, 1, 189,    8,  0, 0),
  ('nvarchar',        231, 0, 231, 8000,  0, 0),
  ('nchar',           239, 0, 239, 8000,  0, 0),
  ('xml',             241, 0, 241,   -1,  0, 0),
  ('sysname',         231, 1, 256,  256,  0, 0);
