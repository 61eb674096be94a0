-- Added to the test catalog for the runs that must come up empty-handed or
-- whose object names no sheet may carry as they are: a table without columns,
-- names with each character a sheet name refuses (one with an "&G" a footer
-- would take for a picture), end apostrophes, a tab,
-- names over 31 characters (two alike in their first 31, one with an emoji at
-- the cut), names equal but for case, and names of the index and default sheets.
INSERT INTO sysobjects (name, id, xtype, parent_obj, crdate, type, refdate, category) VALUES
  ('A_NoColumns', 9001, 'U', 0, '2024-05-01 10:00:00.000', 'U ', '2024-05-01 10:00:00.000', 0),
  ('B:Refused',   9002, 'U', 0, '2024-05-02 10:00:00.000', 'U ', '2024-05-02 10:00:00.000', 0);
INSERT INTO sysobjects (name, id, xtype, type, crdate, refdate)
  SELECT name, 9100 + seq, 'U', 'U ', '2024-05-03', '2024-05-03' FROM (
    SELECT 'R&G\\2024' AS name, 1 AS seq UNION ALL SELECT 'a/b', 2 UNION ALL SELECT 'a?b', 3
    UNION ALL SELECT 'a*b', 4 UNION ALL SELECT '[a]', 5 UNION ALL SELECT '''Quoted''', 6
    UNION ALL SELECT CONCAT('Tab', CHAR(9), 'bed'), 7 UNION ALL SELECT 'ProductModelProductDescriptionCulture', 8
    UNION ALL SELECT 'ProductModelProductDescriptionCultureHistory', 9 UNION ALL SELECT RPAD('Sixty-four', 64, '-x'), 10
    UNION ALL SELECT REPEAT('x', 128), 11 UNION ALL SELECT RPAD('受注明細集計', 40, '受注明細集計'), 12
    UNION ALL SELECT CONCAT(REPEAT('e', 30), '😀', 'Log'), 13 UNION ALL SELECT 'Orders', 14
    UNION ALL SELECT 'ORDERS', 15 UNION ALL SELECT '目次', 16 UNION ALL SELECT 'Sheet1', 17) AS awkward;

INSERT INTO syscolumns (name, id, xtype, xusertype, length, colid, colorder, prec, scale, isnullable) VALUES
  ('Value', 9002, 56, 56, 4, 1, 1, 10, 0, 1);
