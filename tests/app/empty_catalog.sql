-- No tables and no procedures in the test catalog; views and functions stay.
-- A table goes with its constraints and triggers, and every object with its
-- details, as on a server.
DELETE FROM sysobjects WHERE xtype IN ('U', 'P')
  OR parent_obj IN (SELECT id FROM (SELECT id FROM sysobjects WHERE xtype = 'U') AS gone);
DELETE FROM sys.standin_extended_properties
  WHERE database_name = DATABASE() AND class IN (1, 2, 7) AND major_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_default_constraints
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_check_constraints
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_foreign_keys
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_foreign_key_columns
  WHERE database_name = DATABASE() AND constraint_object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_indexes
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_index_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_identity_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_computed_columns
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_triggers
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
DELETE FROM sys.standin_trigger_events
  WHERE database_name = DATABASE() AND object_id NOT IN (SELECT id FROM sysobjects);
