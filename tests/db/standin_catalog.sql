-- A SQL Server catalog as the program's queries see it, for the stand-in
-- server's test database: rows of the catalog tables of
-- scripts/standin-schema.sql (loaded first), with SQL Server's type codes and
-- byte lengths.
--
-- Objects:
--   tables U   Customer (1003), Order Detail (1004, blank in the name),
--              作業ログ (1005, no primary key), 受注明細 (1002, composite key,
--              a sysname column), 顧客 (1001), Sales.Customer (1006, its key
--              named like dbo.Customer's; CLR, timestamp and alias types)
--   views V    v_CustomerOrders (2002), 顧客一覧 (2001), Sales.顧客一覧 (2003)
--   procs P    GetOrders (3002), usp_受注登録 (3001, source in three pieces),
--              usp_暗号化 (3003, encrypted: text is NULL), usp_未登録 (3004, no text row)
--   funcs      FN fn_FullName (4002, LF line ends), FN fn_税込価格 (4001, two
--              pieces), TF fn_顧客注文 (4003), IF fn_注文一覧 (4004)
--   not listed constraints, triggers, a system table
--
-- Details, as the detail catalog views give them (scripts/standin-sys.sql),
-- all on the objects above so that no list of objects changes:
--   descriptions (MS_Description, class 1 unless said)
--     顧客          a logical name on the first line, a longer text on the
--                   next lines (CR LF); its columns 顧客名 '仕様書', 住所
--                   'ベル', 登録日 'データベースの罠' (texts the stand-in's
--                   driver reports one character short), 備考 LF and CR LF
--                   line breaks, tabs and U+0001, U+001F
--     受注明細      4,000 Japanese characters (the most an nvarchar
--                   property holds); 受注ID exactly 7,500 single-byte
--                   characters (the most a varchar one holds), ending in
--                   'END.' to show a cut;
--                   明細番号 '=SUM(A1:A2)', formula-like
--     Customer      MS_Description and a second property, 'Description'
--     others        a view, a procedure, a function and its parameter
--                   (class 2), an index (class 7), a constraint, a trigger,
--                   the database (class 0) and schema Sales (class 3)
--   defaults       ((1)), (getdate()), (N'abc'), ('abc')
--   checks         on one column (受注明細.数量), on the table (Order Detail)
--   foreign keys   Order Detail (OrderID, LineNo) -> 受注明細, ON DELETE
--                  CASCADE; FK_受注明細_顧客 disabled and not trusted
--   indexes        UX_Customer_Email: unique, a DESC key column, an included
--                  column, a filter; 作業ログ a heap
--   identity       Customer.CustomerID seed 1000, increment 10
--   computed       受注明細.単価, persisted
--   triggers       AFTER INSERT, UPDATE on 受注明細; INSTEAD OF DELETE on
--                  the view 顧客一覧, disabled
--   hidden         作業ログ: default, check and computed column whose
--                  definitions are NULL, as a login without VIEW DEFINITION
--                  sees them

SET NAMES utf8mb4;

INSERT INTO standin_schemas (schema_id, name) VALUES (5, 'Sales');

-- Alias types: a nullable one over nvarchar(50), a NOT NULL one over bit.
INSERT INTO systypes (name, xtype, status, xusertype, length, xprec, xscale) VALUES
  ('Name', 231, 0, 257, 100, 0, 0),
  ('Flag', 104, 1, 258,   1, 1, 0);

INSERT INTO sysobjects (name, id, xtype, uid, parent_obj, crdate, type, refdate, category) VALUES
  ('Customer',           1006, 'U',  5,    0, '2024-05-01 10:00:00.000', 'U ', '2024-05-01 10:00:00.000', 0),
  ('PK_Customer',        1106, 'PK', 5, 1006, '2024-05-01 10:00:00.000', 'K ', '2024-05-01 10:00:00.000', 0),
  ('顧客一覧',           2003, 'V',  5,    0, '2024-05-02 10:00:00.000', 'V ', '2024-05-02 10:00:00.000', 0);

INSERT INTO sysobjects (name, id, xtype, parent_obj, crdate, type, refdate, category) VALUES
  ('sysrowsets',            5, 'S',     0, '2019-09-24 14:21:30.000', 'S ', '2019-09-24 14:21:30.000', 2),
  ('顧客',               1001, 'U',     0, '2023-04-01 09:15:30.123', 'U ', '2023-04-01 09:15:30.123', 0),
  ('受注明細',           1002, 'U',     0, '2023-04-01 09:16:02.500', 'U ', '2024-01-15 18:40:11.000', 0),
  ('Customer',           1003, 'U',     0, '2022-11-30 23:59:59.997', 'U ', '2022-11-30 23:59:59.997', 0),
  ('Order Detail',       1004, 'U',     0, '2022-12-01 08:00:00.000', 'U ', '2023-06-30 12:00:00.000', 0),
  ('作業ログ',           1005, 'U',     0, '2024-02-29 00:00:00.000', 'U ', '2024-02-29 00:00:00.000', 0),
  ('PK_顧客',            1101, 'PK', 1001, '2023-04-01 09:15:30.123', 'K ', '2023-04-01 09:15:30.123', 0),
  ('PK_受注明細',        1102, 'PK', 1002, '2023-04-01 09:16:02.500', 'K ', '2023-04-01 09:16:02.500', 0),
  ('FK_受注明細_顧客',   1112, 'F',  1002, '2023-04-01 09:16:02.500', 'F ', '2023-04-01 09:16:02.500', 0),
  ('DF_受注明細_数量',   1122, 'D',  1002, '2023-04-01 09:16:02.500', 'D ', '2023-04-01 09:16:02.500', 0),
  ('FK_Order_Detail_受注明細', 1113, 'F', 1004, '2023-04-02 09:00:00.000', 'F ', '2023-04-02 09:00:00.000', 0),
  ('DF_顧客_登録日',     1121, 'D',  1001, '2023-04-01 09:15:30.123', 'D ', '2023-04-01 09:15:30.123', 0),
  ('DF_Customer_Email',  1123, 'D',  1003, '2022-11-30 23:59:59.997', 'D ', '2022-11-30 23:59:59.997', 0),
  ('DF_Customer_Name',   1124, 'D',  1003, '2022-11-30 23:59:59.997', 'D ', '2022-11-30 23:59:59.997', 0),
  ('DF_作業ログ_ログ日時', 1125, 'D', 1005, '2024-02-29 00:00:00.000', 'D ', '2024-02-29 00:00:00.000', 0),
  ('CK_受注明細_数量',   1131, 'C',  1002, '2023-04-01 09:16:02.500', 'C ', '2023-04-01 09:16:02.500', 0),
  ('CK_Order_Detail_Keys', 1132, 'C', 1004, '2022-12-01 08:00:00.000', 'C ', '2022-12-01 08:00:00.000', 0),
  ('CK_作業ログ_重要度', 1133, 'C',  1005, '2024-02-29 00:00:00.000', 'C ', '2024-02-29 00:00:00.000', 0),
  ('TR_受注明細_更新',   1141, 'TR', 1002, '2023-04-03 09:00:00.000', 'TR', '2023-04-03 09:00:00.000', 0),
  ('TR_顧客一覧_削除',   1142, 'TR', 2001, '2023-05-10 10:00:00.000', 'TR', '2023-05-10 10:00:00.000', 0),
  ('PK_Customer',        1103, 'PK', 1003, '2022-11-30 23:59:59.997', 'K ', '2022-11-30 23:59:59.997', 0),
  ('PK_Order_Detail',    1104, 'PK', 1004, '2022-12-01 08:00:00.000', 'K ', '2022-12-01 08:00:00.000', 0),
  ('顧客一覧',           2001, 'V',     0, '2023-05-10 10:00:00.000', 'V ', '2023-05-10 10:00:00.000', 0),
  ('v_CustomerOrders',   2002, 'V',     0, '2023-05-11 11:11:11.110', 'V ', '2023-07-01 07:00:00.000', 0),
  ('usp_受注登録',       3001, 'P',     0, '2023-06-01 13:45:00.000', 'P ', '2024-03-01 08:30:00.000', 0),
  ('GetOrders',          3002, 'P',     0, '2023-06-02 14:00:00.000', 'P ', '2023-06-02 14:00:00.000', 0),
  ('usp_暗号化',         3003, 'P',     0, '2023-06-03 15:00:00.000', 'P ', '2023-06-03 15:00:00.000', 0),
  ('usp_未登録',         3004, 'P',     0, '2023-06-04 16:00:00.000', 'P ', '2023-06-04 16:00:00.000', 0),
  ('fn_税込価格',        4001, 'FN',    0, '2023-07-01 09:00:00.000', 'FN', '2023-07-01 09:00:00.000', 0),
  ('fn_FullName',        4002, 'FN',    0, '2023-07-02 09:00:00.000', 'FN', '2023-07-02 09:00:00.000', 0),
  ('fn_顧客注文',        4003, 'TF',    0, '2023-07-03 09:00:00.000', 'TF', '2023-07-03 09:00:00.000', 0),
  ('fn_注文一覧',        4004, 'IF',    0, '2023-07-04 09:00:00.000', 'IF', '2023-07-04 09:00:00.000', 0);

-- Byte lengths as the server stores them: nvarchar(n) takes 2n, (max) is -1.
-- Rows go in out of column order on purpose; the column list orders them.
INSERT INTO syscolumns (name, id, xtype, xusertype, length, colid, colorder, prec, scale, isnullable) VALUES
  ('備考',       1001,  99,  99,   16, 5, 5, NULL, NULL, 1),
  ('顧客ID',     1001,  56,  56,    4, 1, 1,   10,    0, 0),
  ('顧客名',     1001, 231, 231,  100, 2, 2,   50, NULL, 0),
  ('住所',       1001, 231, 231,  400, 3, 3,  200, NULL, 1),
  ('登録日',     1001,  61,  61,    8, 4, 4,   23,    3, 0),
  ('受注ID',     1002,  56,  56,    4, 1, 1,   10,    0, 0),
  ('明細番号',   1002,  52,  52,    2, 2, 2,    5,    0, 0),
  ('商品コード', 1002, 175, 175,   10, 3, 3,   10, NULL, 0),
  ('数量',       1002,  56,  56,    4, 4, 4,   10,    0, 0),
  ('単価',       1002, 106, 106,    9, 5, 5,   10,    2, 1),
  ('更新者',     1002, 231, 256,  256, 6, 6,  128, NULL, 0),
  ('CustomerID', 1003,  56,  56,    4, 1, 1,   10,    0, 0),
  ('Name',       1003, 167, 167,   40, 2, 2,   40, NULL, 0),
  ('Email',      1003, 231, 231,  200, 3, 3,  100, NULL, 1),
  ('CreatedAt',  1003,  61,  61,    8, 4, 4,   23,    3, 1),
  ('OrderID',    1004,  56,  56,    4, 1, 1,   10,    0, 0),
  ('LineNo',     1004,  52,  52,    2, 2, 2,    5,    0, 0),
  ('UnitPrice',  1004,  60,  60,    8, 3, 3,   19,    4, 1),
  ('ログ日時',   1005,  61,  61,    8, 1, 1,   23,    3, 0),
  ('メッセージ', 1005, 231, 231,   -1, 2, 2,   -1, NULL, 1),
  ('重要度',     1005,  48,  48,    1, 3, 3,    3,    0, 0),
  ('顧客ID',     2001,  56,  56,    4, 1, 1,   10,    0, 0),
  ('顧客名',     2001, 231, 231,  100, 2, 2,   50, NULL, 0),
  ('住所',       2001, 231, 231,  400, 3, 3,  200, NULL, 1),
  ('CustomerID', 2002,  56,  56,    4, 1, 1,   10,    0, 0),
  ('OrderCount', 2002,  56,  56,    4, 2, 2,   10,    0, 1),
  ('@CustomerID',3002,  56,  56,    4, 1, 1,   10,    0, 1),
  ('@価格',      4001, 106, 106,    9, 1, 1,   10,    2, 1),
  ('CustomerID', 1006,  56,  56,    4, 1, 1,   10,    0, 0),
  ('Region',     1006, 240, 130,   -1, 2, 2,   -1, NULL, 1),
  ('RowVer',     1006, 189, 189,    8, 3, 3,    0, NULL, 0),
  ('Name',       1006, 231, 257,  100, 4, 4,   50, NULL, 1),
  ('IsActive',   1006, 104, 258,    1, 5, 5,    1,    0, 0),
  ('顧客ID',     2003,  56,  56,    4, 1, 1,   10,    0, 0),
  ('',           4001, 106, 106,    9, 0, 0,   10,    2, 1);

-- Clustered primary keys are index 1; the log table is a heap (index 0) with
-- one plain index, and 受注明細 has a plain index beside its key.
INSERT INTO sysindexes (id, status, indid, name, keycnt, rowcnt) VALUES
  (1001, 2066, 1, 'PK_顧客', 1, 1200),
  (1002, 2066, 1, 'PK_受注明細', 2, 58000),
  (1002,    0, 2, 'IX_受注明細_商品コード', 2, 0),
  (1003, 2066, 1, 'PK_Customer', 1, 15),
  (1004, 2066, 1, 'PK_Order_Detail', 2, 40),
  (1006, 2066, 1, 'PK_Customer', 1, 3),
  (1005,    0, 0, '作業ログ', 0, 99000),
  (1005,    0, 2, 'IX_作業ログ_ログ日時', 2, 0),
  (1003,    2, 2, 'UX_Customer_Email', 2, 0);

INSERT INTO sysindexkeys (id, indid, colid, keyno) VALUES
  (1001, 1, 1, 1),
  (1002, 1, 1, 1),
  (1002, 1, 2, 2),
  (1002, 2, 3, 1),
  (1003, 1, 1, 1),
  (1004, 1, 1, 1),
  (1004, 1, 2, 2),
  (1006, 1, 1, 1),
  (1005, 2, 1, 1),
  (1003, 2, 3, 1),
  (1003, 2, 4, 2);

-- Routine sources in CR LF lines, cut into pieces as the server stores them:
-- a cut may fall inside a comment, even between CR and LF.
INSERT INTO syscomments (id, number, colid, encrypted, text) VALUES
  (2001, 0, 1, 0, 'CREATE VIEW 顧客一覧\r\nAS\r\nSELECT 顧客ID, 顧客名, 住所 FROM 顧客\r\n'),
  (2002, 0, 1, 0, 'CREATE VIEW v_CustomerOrders AS SELECT c.CustomerID, COUNT(*) AS OrderCount FROM Customer c GROUP BY c.CustomerID'),
  (3001, 0, 1, 0, '/*\r\n * 概要: 受注を登録する\r\n * 作成: 2023/06/01\r\n */\r\nCREATE PROCEDURE usp_受注登録\r\n    @顧客ID int,\r\n    @商品コード char(10)\r\nAS\r\nBEGIN\r\n    SET NOCOUNT ON\r\n    /* 明細を\r'),
  (3001, 0, 2, 0, '\n追加する */\r\n    INSERT INTO 受注明細 (受注ID, 明細番号, 商品コード, 数量)\r\n    SELECT MAX(受注ID) + 1, 1, @商品コード, 1 FROM 受注明細\r\n'),
  (3001, 0, 3, 0, '    -- 件数は返さない\r\n    RETURN 0 /* 正常終了 */\r\nEND\r\n'),
  (3002, 0, 1, 0, 'CREATE PROCEDURE GetOrders @CustomerID int AS /* Returns the orders of one customer */ SELECT * FROM [Order Detail] WHERE OrderID = @CustomerID'),
  (3003, 0, 1, 1, NULL),
  (4001, 0, 1, 0, '/* 税込価格を返す\r\n   端数は切り捨て */\r\nCREATE FUNCTION fn_税込価格 (@価格 decimal(10,2))\r\nRETURNS decimal(10,2)\r\nAS\r\nBEGIN\r\n'),
  (4001, 0, 2, 0, '    RETURN FLOOR(@価格 * 1.10) /* 税率 10% */\r\nEND\r\n'),
  (4002, 0, 1, 0, '/* Joins first and last name.\n   Blank names give NULL. */\nCREATE FUNCTION fn_FullName (@First nvarchar(50), @Last nvarchar(50))\nRETURNS nvarchar(101)\nAS\nBEGIN\n    RETURN @First + N'' '' + @Last\nEND\n'),
  (4003, 0, 1, 0, '/* 顧客の注文 */ CREATE FUNCTION fn_顧客注文 (@id int) RETURNS @t TABLE (n int) AS BEGIN RETURN END'),
  (4004, 0, 1, 0, '/* 注文一覧 */ CREATE FUNCTION fn_注文一覧 () RETURNS TABLE AS RETURN SELECT 1 AS n'),
  (1141, 0, 1, 0, 'CREATE TRIGGER TR_受注明細_更新 ON 受注明細\r\nAFTER INSERT, UPDATE AS\r\nSET NOCOUNT ON\r\n'),
  (1142, 0, 1, 0, 'CREATE TRIGGER TR_顧客一覧_削除 ON 顧客一覧\r\nINSTEAD OF DELETE AS\r\nDELETE FROM 顧客 WHERE 顧客ID IN (SELECT 顧客ID FROM deleted)\r\n');

-- The details, in the stand-in's tables of the detail catalog views; rows go
-- to the database this file is loaded into.
INSERT INTO sys.standin_extended_properties (class, major_id, minor_id, name, value) VALUES
  (1, 1001, 0, 'MS_Description', '顧客\r\n取引先の顧客を管理する。\r\n請求先と納品先を兼ねる。'),
  (1, 1001, 1, 'MS_Description', '顧客ID'),
  (1, 1001, 2, 'MS_Description', '仕様書'),
  (1, 1001, 3, 'MS_Description', 'ベル'),
  (1, 1001, 4, 'MS_Description', 'データベースの罠'),
  (1, 1001, 5, 'MS_Description',
   CONCAT('備考\n一行目\t表の区切り\r\n二行目', CHAR(1 USING utf8mb4), '制御', CHAR(31 USING utf8mb4), '文字')),
  (1, 1002, 0, 'MS_Description', CONCAT('受注明細\r\n', RPAD('', 3994, '受注の明細を一行ずつ持つ。'))),
  (1, 1002, 1, 'MS_Description', CONCAT(RPAD('OrderID\r\n', 7496, 'A long explanation. '), 'END.')),
  (1, 1002, 2, 'MS_Description', '=SUM(A1:A2)'),
  (1, 1003, 0, 'MS_Description', 'Customers'),
  (1, 1003, 0, 'Description', 'Customers of the web shop'),
  (1, 1003, 2, 'Description', 'Full name'),
  (1, 2001, 0, 'MS_Description', '顧客一覧\n有効な顧客だけを示す。'),
  (1, 3001, 0, 'MS_Description', '受注登録\r\n受注と一行目の明細を登録する。'),
  (1, 4001, 0, 'MS_Description', '税込価格'),
  (2, 4001, 1, 'MS_Description', '税抜きの価格'),
  (7, 1002, 2, 'MS_Description', '商品別の集計用'),
  (1, 1112, 0, 'MS_Description', '顧客のない受注を防ぐ（停止中）'),
  (1, 1141, 0, 'MS_Description', '更新者を記録する'),
  (0,    0, 0, 'MS_Description', 'テスト用の受注データベース'),
  (3,    5, 0, 'MS_Description', '販売');

INSERT INTO sys.standin_default_constraints
  (name, object_id, parent_object_id, parent_column_id, definition) VALUES
  ('DF_受注明細_数量',     1122, 1002, 4, '((1))'),
  ('DF_顧客_登録日',       1121, 1001, 4, '(getdate())'),
  ('DF_Customer_Email',    1123, 1003, 3, '(N''abc'')'),
  ('DF_Customer_Name',     1124, 1003, 2, '(''abc'')'),
  ('DF_作業ログ_ログ日時', 1125, 1005, 1, NULL);

INSERT INTO sys.standin_check_constraints
  (name, object_id, parent_object_id, parent_column_id, definition) VALUES
  ('CK_受注明細_数量',     1131, 1002, 4, '([数量]>(0))'),
  ('CK_Order_Detail_Keys', 1132, 1004, 0, '([OrderID]>(0) AND [LineNo]>(0))'),
  ('CK_作業ログ_重要度',   1133, 1005, 3, NULL);

INSERT INTO sys.standin_foreign_keys
  (name, object_id, parent_object_id, referenced_object_id, key_index_id, is_disabled, is_not_trusted,
   delete_referential_action, update_referential_action) VALUES
  ('FK_Order_Detail_受注明細', 1113, 1004, 1002, 1, 0, 0, 1, 0),
  ('FK_受注明細_顧客',         1112, 1002, 1001, 1, 1, 1, 0, 0);

INSERT INTO sys.standin_foreign_key_columns
  (constraint_object_id, constraint_column_id, parent_object_id, parent_column_id,
   referenced_object_id, referenced_column_id) VALUES
  (1113, 1, 1004, 1, 1002, 1),
  (1113, 2, 1004, 2, 1002, 2),
  (1112, 1, 1002, 1, 1001, 1);

INSERT INTO sys.standin_indexes
  (object_id, name, index_id, type, is_unique, is_primary_key, has_filter, filter_definition) VALUES
  (1001, 'PK_顧客',                1, 1, 1, 1, 0, NULL),
  (1002, 'PK_受注明細',            1, 1, 1, 1, 0, NULL),
  (1002, 'IX_受注明細_商品コード', 2, 2, 0, 0, 0, NULL),
  (1003, 'PK_Customer',            1, 1, 1, 1, 0, NULL),
  (1003, 'UX_Customer_Email',      2, 2, 1, 0, 1, '([Email] IS NOT NULL)'),
  (1004, 'PK_Order_Detail',        1, 1, 1, 1, 0, NULL),
  (1005, NULL,                     0, 0, 0, 0, 0, NULL),
  (1005, 'IX_作業ログ_ログ日時',   2, 2, 0, 0, 0, NULL),
  (1006, 'PK_Customer',            1, 1, 1, 1, 0, NULL);

INSERT INTO sys.standin_index_columns
  (object_id, index_id, index_column_id, column_id, key_ordinal, is_descending_key, is_included_column) VALUES
  (1001, 1, 1, 1, 1, 0, 0),
  (1002, 1, 1, 1, 1, 0, 0),
  (1002, 1, 2, 2, 2, 0, 0),
  (1002, 2, 1, 3, 1, 0, 0),
  (1003, 1, 1, 1, 1, 0, 0),
  (1003, 2, 1, 3, 1, 0, 0),
  (1003, 2, 2, 4, 2, 1, 0),
  (1003, 2, 3, 2, 0, 0, 1),
  (1004, 1, 1, 1, 1, 0, 0),
  (1004, 1, 2, 2, 2, 0, 0),
  (1005, 2, 1, 1, 1, 0, 0),
  (1006, 1, 1, 1, 1, 0, 0);

INSERT INTO sys.standin_identity_columns (object_id, name, column_id, seed_value, increment_value) VALUES
  (1003, 'CustomerID', 1, '1000', '10');

INSERT INTO sys.standin_computed_columns (object_id, name, column_id, definition, is_persisted) VALUES
  (1002, '単価',   5, '(CONVERT([decimal](10,2),[数量]*(980.00)))', 1),
  (1005, '重要度', 3, NULL, 0);

INSERT INTO sys.standin_triggers (name, object_id, parent_class, parent_id, is_disabled, is_instead_of_trigger) VALUES
  ('TR_受注明細_更新', 1141, 1, 1002, 0, 0),
  ('TR_顧客一覧_削除', 1142, 1, 2001, 1, 1);

INSERT INTO sys.standin_trigger_events (object_id, type, type_desc) VALUES
  (1141, 1, 'INSERT'),
  (1141, 2, 'UPDATE'),
  (1142, 3, 'DELETE');
