-- Added to the test catalog for the runs that must stop or come up empty-handed:
-- a table without columns, and a table whose name no sheet may carry. Both
-- sort before the catalog's own tables, so a run meets them first.
INSERT INTO sysobjects (name, id, xtype, parent_obj, crdate, type, refdate, category) VALUES
  ('A_NoColumns', 9001, 'U', 0, '2024-05-01 10:00:00.000', 'U ', '2024-05-01 10:00:00.000', 0),
  ('B:Refused',   9002, 'U', 0, '2024-05-02 10:00:00.000', 'U ', '2024-05-02 10:00:00.000', 0);

INSERT INTO syscolumns (name, id, xtype, xusertype, length, colid, colorder, prec, scale, isnullable) VALUES
  ('Value', 9002, 56, 56, 4, 1, 1, 10, 0, 1);
