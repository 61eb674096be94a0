-- SQL Server's detail catalog views (sys.extended_properties, sys.indexes ...)
-- for the stand-in server. Run by scripts/standin-server start as the server's
-- root; loading a database only adds rows.
--
-- A MariaDB view cannot pick its tables by the session's database, so the
-- rows of every database live in shared tables, keyed by database_name, which
-- defaults to DATABASE(): a catalog file loaded into database X inserts its
-- rows without naming X. Each `sys.<view>` (MariaDB's own `sys` database,
-- whose names differ from these) shows the rows whose database_name is the
-- session's DATABASE(); SQL SECURITY DEFINER lets a login read the views while
-- the tables stay closed to it, and every login may read the views, as every
-- user on a server may read its catalog views.
-- The tables sit in `sys` too, as sys.standin_<view>: for a column of a MERGE
-- view MariaDB reports its table's database, and the TDS front sends value,
-- seed_value, increment_value and last_value as sql_variant, as the server
-- does, only when that database is `sys`.
-- Codes and text are SQL Server's: booleans 0 / 1, *_desc derived from codes.

SET NAMES utf8mb4;

CREATE DATABASE IF NOT EXISTS sys;

-- `sys` itself is utf8mb3, so each table names its character set.
CREATE TABLE IF NOT EXISTS sys.standin_extended_properties (
  database_name VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  class         TINYINT      NOT NULL,
  major_id      INT          NOT NULL,
  minor_id      INT          NOT NULL DEFAULT 0,
  name          VARCHAR(128) NOT NULL,
  -- A sql_variant holds at most 8,000 bytes, 7,500 characters of varchar.
  value         VARCHAR(7500) NULL,
  PRIMARY KEY (database_name, class, major_id, minor_id, name),
  KEY ncextended_properties_name (database_name, name)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_default_constraints (
  database_name    VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  name             VARCHAR(128) NOT NULL,
  object_id        INT          NOT NULL,
  schema_id        INT          NOT NULL DEFAULT 1,
  parent_object_id INT          NOT NULL,
  parent_column_id INT          NOT NULL,
  -- NULL where the login may not see definitions (no VIEW DEFINITION).
  definition       MEDIUMTEXT   NULL,
  is_system_named  TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id),
  KEY ncdefault_constraints_parent (database_name, parent_object_id, parent_column_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_check_constraints (
  database_name          VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  name                   VARCHAR(128) NOT NULL,
  object_id              INT          NOT NULL,
  schema_id              INT          NOT NULL DEFAULT 1,
  parent_object_id       INT          NOT NULL,
  -- 0 for a check on the table rather than on one column.
  parent_column_id       INT          NOT NULL DEFAULT 0,
  definition             MEDIUMTEXT   NULL,
  is_disabled            TINYINT      NOT NULL DEFAULT 0,
  is_not_for_replication TINYINT      NOT NULL DEFAULT 0,
  is_not_trusted         TINYINT      NOT NULL DEFAULT 0,
  is_system_named        TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id),
  KEY nccheck_constraints_parent (database_name, parent_object_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_foreign_keys (
  database_name             VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  name                      VARCHAR(128) NOT NULL,
  object_id                 INT          NOT NULL,
  schema_id                 INT          NOT NULL DEFAULT 1,
  parent_object_id          INT          NOT NULL,
  referenced_object_id      INT          NOT NULL,
  -- The referenced table's primary key or unique index.
  key_index_id              INT          NULL,
  is_disabled               TINYINT      NOT NULL DEFAULT 0,
  is_not_for_replication    TINYINT      NOT NULL DEFAULT 0,
  is_not_trusted            TINYINT      NOT NULL DEFAULT 0,
  -- 0 NO_ACTION, 1 CASCADE, 2 SET_NULL, 3 SET_DEFAULT
  delete_referential_action TINYINT      NOT NULL DEFAULT 0,
  update_referential_action TINYINT      NOT NULL DEFAULT 0,
  is_system_named           TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id),
  KEY ncforeign_keys_parent (database_name, parent_object_id),
  KEY ncforeign_keys_referenced (database_name, referenced_object_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_foreign_key_columns (
  database_name        VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  constraint_object_id INT NOT NULL,
  constraint_column_id INT NOT NULL,
  parent_object_id     INT NOT NULL,
  parent_column_id     INT NOT NULL,
  referenced_object_id INT NOT NULL,
  referenced_column_id INT NOT NULL,
  PRIMARY KEY (database_name, constraint_object_id, constraint_column_id),
  KEY ncforeign_key_columns_parent (database_name, parent_object_id, parent_column_id),
  KEY ncforeign_key_columns_referenced (database_name, referenced_object_id, referenced_column_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_indexes (
  database_name        VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  object_id            INT          NOT NULL,
  -- NULL for a heap.
  name                 VARCHAR(128) NULL,
  -- 0 heap, 1 clustered, above 1 the others.
  index_id             INT          NOT NULL,
  -- 0 heap, 1 clustered, 2 nonclustered, 3 XML, 4 spatial,
  -- 5 clustered columnstore, 6 nonclustered columnstore, 7 nonclustered hash
  type                 TINYINT      NOT NULL,
  is_unique            TINYINT      NOT NULL DEFAULT 0,
  ignore_dup_key       TINYINT      NOT NULL DEFAULT 0,
  is_primary_key       TINYINT      NOT NULL DEFAULT 0,
  is_unique_constraint TINYINT      NOT NULL DEFAULT 0,
  fill_factor          TINYINT      NOT NULL DEFAULT 0,
  is_disabled          TINYINT      NOT NULL DEFAULT 0,
  has_filter           TINYINT      NOT NULL DEFAULT 0,
  filter_definition    MEDIUMTEXT   NULL,
  PRIMARY KEY (database_name, object_id, index_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_index_columns (
  database_name      VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  object_id          INT     NOT NULL,
  index_id           INT     NOT NULL,
  index_column_id    INT     NOT NULL,
  column_id          INT     NOT NULL,
  -- 0 for an included column.
  key_ordinal        TINYINT NOT NULL,
  is_descending_key  TINYINT NOT NULL DEFAULT 0,
  is_included_column TINYINT NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id, index_id, index_column_id),
  KEY ncindex_columns_column (database_name, object_id, column_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_identity_columns (
  database_name          VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  object_id              INT          NOT NULL,
  name                   VARCHAR(128) NOT NULL,
  column_id              INT          NOT NULL,
  -- sql_variant on the server; here the text of the number.
  seed_value             VARCHAR(40)  NOT NULL,
  increment_value        VARCHAR(40)  NOT NULL,
  last_value             VARCHAR(40)  NULL,
  is_not_for_replication TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id, column_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_computed_columns (
  database_name VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  object_id     INT          NOT NULL,
  name          VARCHAR(128) NOT NULL,
  column_id     INT          NOT NULL,
  definition    MEDIUMTEXT   NULL,
  is_persisted  TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id, column_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_triggers (
  database_name          VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  name                   VARCHAR(128) NOT NULL,
  object_id              INT          NOT NULL,
  -- 1 a table or view, 0 the database (parent_id 0).
  parent_class           TINYINT      NOT NULL DEFAULT 1,
  parent_id              INT          NOT NULL,
  is_ms_shipped          TINYINT      NOT NULL DEFAULT 0,
  is_disabled            TINYINT      NOT NULL DEFAULT 0,
  is_not_for_replication TINYINT      NOT NULL DEFAULT 0,
  is_instead_of_trigger  TINYINT      NOT NULL DEFAULT 0,
  PRIMARY KEY (database_name, object_id),
  KEY nctriggers_parent (database_name, parent_id)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

CREATE TABLE IF NOT EXISTS sys.standin_trigger_events (
  database_name VARCHAR(64) CHARACTER SET utf8mb4 COLLATE utf8mb4_bin NOT NULL DEFAULT (DATABASE()),
  object_id     INT         NOT NULL,
  -- 1 INSERT, 2 UPDATE, 3 DELETE; DDL events carry the server's own codes.
  type          INT         NOT NULL,
  type_desc     VARCHAR(60) NOT NULL,
  PRIMARY KEY (database_name, object_id, type)
) CHARACTER SET utf8mb4 COLLATE utf8mb4_uca1400_as_ci;

DELIMITER //

-- Drops a database's rows; `standin-server load` calls it before it loads a
-- database afresh.
CREATE OR REPLACE PROCEDURE sys.standin_forget_database(wanted VARCHAR(64) CHARACTER SET utf8mb4)
  MODIFIES SQL DATA
  SQL SECURITY DEFINER
BEGIN
  DELETE FROM sys.standin_extended_properties WHERE database_name = wanted;
  DELETE FROM sys.standin_default_constraints WHERE database_name = wanted;
  DELETE FROM sys.standin_check_constraints WHERE database_name = wanted;
  DELETE FROM sys.standin_foreign_keys WHERE database_name = wanted;
  DELETE FROM sys.standin_foreign_key_columns WHERE database_name = wanted;
  DELETE FROM sys.standin_indexes WHERE database_name = wanted;
  DELETE FROM sys.standin_index_columns WHERE database_name = wanted;
  DELETE FROM sys.standin_identity_columns WHERE database_name = wanted;
  DELETE FROM sys.standin_computed_columns WHERE database_name = wanted;
  DELETE FROM sys.standin_triggers WHERE database_name = wanted;
  DELETE FROM sys.standin_trigger_events WHERE database_name = wanted;
END//

-- Rows of databases that are gone, so that a database created again under the
-- same name starts empty.
CREATE OR REPLACE PROCEDURE sys.standin_forget_dropped_databases()
  MODIFIES SQL DATA
  SQL SECURITY DEFINER
BEGIN
  DECLARE done INT DEFAULT 0;
  DECLARE gone VARCHAR(64) CHARACTER SET utf8mb4;
  DECLARE names CURSOR FOR
    SELECT database_name FROM sys.standin_extended_properties
    UNION SELECT database_name FROM sys.standin_default_constraints
    UNION SELECT database_name FROM sys.standin_check_constraints
    UNION SELECT database_name FROM sys.standin_foreign_keys
    UNION SELECT database_name FROM sys.standin_foreign_key_columns
    UNION SELECT database_name FROM sys.standin_indexes
    UNION SELECT database_name FROM sys.standin_index_columns
    UNION SELECT database_name FROM sys.standin_identity_columns
    UNION SELECT database_name FROM sys.standin_computed_columns
    UNION SELECT database_name FROM sys.standin_triggers
    UNION SELECT database_name FROM sys.standin_trigger_events;
  DECLARE CONTINUE HANDLER FOR NOT FOUND SET done = 1;
  OPEN names;
  fetch_names: LOOP
    FETCH names INTO gone;
    IF done THEN LEAVE fetch_names; END IF;
    IF NOT EXISTS (SELECT 1 FROM information_schema.schemata WHERE schema_name = gone) THEN
      CALL sys.standin_forget_database(gone);
    END IF;
  END LOOP;
  CLOSE names;
END//

DELIMITER ;

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.extended_properties AS
SELECT
  class,
  CAST(CASE class
    WHEN 0 THEN 'DATABASE' WHEN 1 THEN 'OBJECT_OR_COLUMN' WHEN 2 THEN 'PARAMETER'
    WHEN 3 THEN 'SCHEMA' WHEN 4 THEN 'DATABASE_PRINCIPAL' WHEN 5 THEN 'ASSEMBLY'
    WHEN 6 THEN 'TYPE' WHEN 7 THEN 'INDEX' WHEN 10 THEN 'XML_SCHEMA_COLLECTION'
    WHEN 15 THEN 'MESSAGE_TYPE' WHEN 16 THEN 'SERVICE_CONTRACT' WHEN 17 THEN 'SERVICE'
    WHEN 18 THEN 'REMOTE_SERVICE_BINDING' WHEN 19 THEN 'ROUTE' WHEN 20 THEN 'DATASPACE'
    WHEN 21 THEN 'PARTITION_FUNCTION' WHEN 22 THEN 'DATABASE_FILE' WHEN 27 THEN 'PLAN_GUIDE'
  END AS VARCHAR(60)) AS class_desc,
  major_id,
  minor_id,
  name,
  value
FROM sys.standin_extended_properties
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.default_constraints AS
SELECT
  name,
  object_id,
  CAST(NULL AS INT) AS principal_id,
  schema_id,
  parent_object_id,
  CAST('D' AS CHAR(2)) AS type,
  CAST('DEFAULT_CONSTRAINT' AS VARCHAR(60)) AS type_desc,
  0 AS is_ms_shipped,
  parent_column_id,
  definition,
  is_system_named
FROM sys.standin_default_constraints
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.check_constraints AS
SELECT
  name,
  object_id,
  CAST(NULL AS INT) AS principal_id,
  schema_id,
  parent_object_id,
  CAST('C' AS CHAR(2)) AS type,
  CAST('CHECK_CONSTRAINT' AS VARCHAR(60)) AS type_desc,
  0 AS is_ms_shipped,
  is_disabled,
  is_not_for_replication,
  is_not_trusted,
  parent_column_id,
  definition,
  is_system_named
FROM sys.standin_check_constraints
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.foreign_keys AS
SELECT
  name,
  object_id,
  CAST(NULL AS INT) AS principal_id,
  schema_id,
  parent_object_id,
  CAST('F' AS CHAR(2)) AS type,
  CAST('FOREIGN_KEY_CONSTRAINT' AS VARCHAR(60)) AS type_desc,
  0 AS is_ms_shipped,
  referenced_object_id,
  key_index_id,
  is_disabled,
  is_not_for_replication,
  is_not_trusted,
  delete_referential_action,
  CAST(CASE delete_referential_action
    WHEN 0 THEN 'NO_ACTION' WHEN 1 THEN 'CASCADE' WHEN 2 THEN 'SET_NULL' WHEN 3 THEN 'SET_DEFAULT'
  END AS VARCHAR(60)) AS delete_referential_action_desc,
  update_referential_action,
  CAST(CASE update_referential_action
    WHEN 0 THEN 'NO_ACTION' WHEN 1 THEN 'CASCADE' WHEN 2 THEN 'SET_NULL' WHEN 3 THEN 'SET_DEFAULT'
  END AS VARCHAR(60)) AS update_referential_action_desc,
  is_system_named
FROM sys.standin_foreign_keys
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.foreign_key_columns AS
SELECT
  constraint_object_id,
  constraint_column_id,
  parent_object_id,
  parent_column_id,
  referenced_object_id,
  referenced_column_id
FROM sys.standin_foreign_key_columns
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.indexes AS
SELECT
  object_id,
  name,
  index_id,
  type,
  CAST(CASE type
    WHEN 0 THEN 'HEAP' WHEN 1 THEN 'CLUSTERED' WHEN 2 THEN 'NONCLUSTERED' WHEN 3 THEN 'XML'
    WHEN 4 THEN 'SPATIAL' WHEN 5 THEN 'CLUSTERED COLUMNSTORE' WHEN 6 THEN 'NONCLUSTERED COLUMNSTORE'
    WHEN 7 THEN 'NONCLUSTERED HASH'
  END AS VARCHAR(60)) AS type_desc,
  is_unique,
  ignore_dup_key,
  is_primary_key,
  is_unique_constraint,
  fill_factor,
  is_disabled,
  has_filter,
  filter_definition
FROM sys.standin_indexes
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.index_columns AS
SELECT
  object_id,
  index_id,
  index_column_id,
  column_id,
  key_ordinal,
  0 AS partition_ordinal,
  is_descending_key,
  is_included_column
FROM sys.standin_index_columns
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.identity_columns AS
SELECT
  object_id,
  name,
  column_id,
  seed_value,
  increment_value,
  last_value,
  is_not_for_replication
FROM sys.standin_identity_columns
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.computed_columns AS
SELECT
  object_id,
  name,
  column_id,
  definition,
  is_persisted
FROM sys.standin_computed_columns
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.triggers AS
SELECT
  name,
  object_id,
  parent_class,
  CAST(CASE parent_class WHEN 0 THEN 'DATABASE' WHEN 1 THEN 'OBJECT_OR_COLUMN' END AS VARCHAR(60))
    AS parent_class_desc,
  parent_id,
  CAST('TR' AS CHAR(2)) AS type,
  CAST('SQL_TRIGGER' AS VARCHAR(60)) AS type_desc,
  is_ms_shipped,
  is_disabled,
  is_not_for_replication,
  is_instead_of_trigger
FROM sys.standin_triggers
WHERE database_name = DATABASE();

CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY DEFINER
VIEW sys.trigger_events AS
SELECT
  object_id,
  type,
  type_desc,
  0 AS is_first,
  0 AS is_last
FROM sys.standin_trigger_events
WHERE database_name = DATABASE();

-- Every login may read the views, as on the server.
GRANT SELECT ON sys.extended_properties TO PUBLIC;
GRANT SELECT ON sys.default_constraints TO PUBLIC;
GRANT SELECT ON sys.check_constraints TO PUBLIC;
GRANT SELECT ON sys.foreign_keys TO PUBLIC;
GRANT SELECT ON sys.foreign_key_columns TO PUBLIC;
GRANT SELECT ON sys.indexes TO PUBLIC;
GRANT SELECT ON sys.index_columns TO PUBLIC;
GRANT SELECT ON sys.identity_columns TO PUBLIC;
GRANT SELECT ON sys.computed_columns TO PUBLIC;
GRANT SELECT ON sys.triggers TO PUBLIC;
GRANT SELECT ON sys.trigger_events TO PUBLIC;
