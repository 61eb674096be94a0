-- No tables and no procedures in the test catalog; views and functions stay.
-- A table goes with its constraints and triggers, and every object with its
-- details, as on a server.
DELETE FROM sysobjects WHERE xtype IN ('U', 'P')
  OR parent_obj IN (SELECT id FROM (SELECT id FROM sysobjects WHERE xtype = 'U') AS gone);
DELETE FROM standin_sys.extended_properties
  WHERE database_name = DATABASE() AND class IN (1, 2, 7) AND major_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.default_constraints
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.check_constraints
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.foreign_keys
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.foreign_key_columns
  WHERE database_name = DATABASE() AND constraint_object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.indexes
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.index_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.identity_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.computed_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.triggers
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM standin_sys.trigger_events
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
