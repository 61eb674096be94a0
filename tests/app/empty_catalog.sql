-- No tables and no procedures in the test catalog; views and functions stay.
DELETE FROM sysobjects WHERE xtype IN ('U', 'P');
