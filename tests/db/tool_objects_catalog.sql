-- Added to the test catalog (tests/db/standin_catalog.sql) in a database of
-- its own: the objects SSMS adds for its database diagrams, each marked with
-- the extended property microsoft_database_tools_support = 1 (an int on the
-- server, its text here), as a server that has had a diagram drawn holds
-- them. No document lists them, so a document of this database equals one of
-- the test catalog.

SET NAMES utf8mb4;

INSERT INTO sysobjects (name, id, xtype, parent_obj, crdate, type, refdate, category) VALUES
  ('sysdiagrams',                 6001, 'U',  0,    '2024-06-01 12:00:00.000', 'U ', '2024-06-01 12:00:00.000', 0),
  ('PK__sysdiagr__C2B05B61A1B2C3D4', 6011, 'PK', 6001, '2024-06-01 12:00:00.000', 'K ', '2024-06-01 12:00:00.000', 0),
  ('UK_principal_name',           6012, 'UQ', 6001, '2024-06-01 12:00:00.000', 'K ', '2024-06-01 12:00:00.000', 0),
  ('sp_creatediagram',            6002, 'P',  0,    '2024-06-01 12:00:00.000', 'P ', '2024-06-01 12:00:00.000', 0),
  ('sp_helpdiagrams',             6003, 'P',  0,    '2024-06-01 12:00:00.000', 'P ', '2024-06-01 12:00:00.000', 0),
  ('sp_dropdiagram',              6004, 'P',  0,    '2024-06-01 12:00:00.000', 'P ', '2024-06-01 12:00:00.000', 0),
  ('fn_diagramobjects',           6005, 'FN', 0,    '2024-06-01 12:00:00.000', 'FN', '2024-06-01 12:00:00.000', 0);

INSERT INTO syscolumns (name, id, xtype, xusertype, length, colid, colorder, prec, scale, isnullable) VALUES
  ('name',         6001, 231, 256,  256, 1, 1,  128, NULL, 0),
  ('principal_id', 6001,  56,  56,    4, 2, 2,   10,    0, 0),
  ('diagram_id',   6001,  56,  56,    4, 3, 3,   10,    0, 0),
  ('version',      6001,  56,  56,    4, 4, 4,   10,    0, 1),
  ('definition',   6001, 165, 165,   -1, 5, 5,   -1, NULL, 1),
  ('@diagramname', 6002, 231, 256,  256, 1, 1,  128, NULL, 1),
  ('@owner_id',    6002,  56,  56,    4, 2, 2,   10,    0, 1),
  ('@version',     6002,  56,  56,    4, 3, 3,   10,    0, 1),
  ('@definition',  6002, 165, 165,   -1, 4, 4,   -1, NULL, 1),
  ('@diagramname', 6003, 231, 256,  256, 1, 1,  128, NULL, 1),
  ('@owner_id',    6003,  56,  56,    4, 2, 2,   10,    0, 1),
  ('@diagramname', 6004, 231, 256,  256, 1, 1,  128, NULL, 1),
  ('@owner_id',    6004,  56,  56,    4, 2, 2,   10,    0, 1),
  ('',             6005,  56,  56,    4, 0, 0,   10,    0, 1);

INSERT INTO sysindexes (id, status, indid, name, keycnt) VALUES
  (6001, 2066, 1, 'PK__sysdiagr__C2B05B61A1B2C3D4', 1),
  (6001, 4098, 2, 'UK_principal_name', 2);

INSERT INTO sysindexkeys (id, indid, colid, keyno) VALUES
  (6001, 1, 3, 1),
  (6001, 2, 2, 1),
  (6001, 2, 1, 2);

INSERT INTO syscomments (id, number, colid, encrypted, text) VALUES
  (6002, 1, 1, 0, 'CREATE PROCEDURE dbo.sp_creatediagram\r\n(\r\n\t@diagramname sysname,\r\n\t@owner_id int = null,\r\n\t@version int,\r\n\t@definition varbinary(max)\r\n)\r\nWITH EXECUTE AS ''dbo''\r\nAS\r\nBEGIN\r\n\tset nocount on\r\nEND\r\n'),
  (6003, 1, 1, 0, 'CREATE PROCEDURE dbo.sp_helpdiagrams\r\n(\r\n\t@diagramname sysname = NULL,\r\n\t@owner_id int = NULL\r\n)\r\nWITH EXECUTE AS N''dbo''\r\nAS\r\nBEGIN\r\n\tSET NOCOUNT ON\r\nEND\r\n'),
  (6004, 1, 1, 0, 'CREATE PROCEDURE dbo.sp_dropdiagram\r\n(\r\n\t@diagramname sysname,\r\n\t@owner_id int = null\r\n)\r\nWITH EXECUTE AS ''dbo''\r\nAS\r\nBEGIN\r\n\tset nocount on\r\nEND\r\n'),
  (6005, 0, 1, 0, 'CREATE FUNCTION dbo.fn_diagramobjects()\r\n\tRETURNS int\r\n\tWITH EXECUTE AS N''dbo''\r\nAS\r\nBEGIN\r\n\treturn 0\r\nEND\r\n');

INSERT INTO sys.standin_extended_properties (class, major_id, minor_id, name, value) VALUES
  (1, 6001, 0, 'microsoft_database_tools_support', '1'),
  (1, 6002, 0, 'microsoft_database_tools_support', '1'),
  (1, 6003, 0, 'microsoft_database_tools_support', '1'),
  (1, 6004, 0, 'microsoft_database_tools_support', '1'),
  (1, 6005, 0, 'microsoft_database_tools_support', '1');

INSERT INTO sys.standin_indexes (object_id, name, index_id, type, is_unique, is_primary_key, is_unique_constraint) VALUES
  (6001, 'PK__sysdiagr__C2B05B61A1B2C3D4', 1, 1, 1, 1, 0),
  (6001, 'UK_principal_name', 2, 2, 1, 0, 1);

INSERT INTO sys.standin_index_columns (object_id, index_id, index_column_id, column_id, key_ordinal) VALUES
  (6001, 1, 1, 3, 1),
  (6001, 2, 1, 2, 1),
  (6001, 2, 2, 1, 2);

INSERT INTO sys.standin_identity_columns (object_id, name, column_id, seed_value, increment_value) VALUES
  (6001, 'diagram_id', 3, '1', '1');
