/*
 * 概要  : 顧客別・月別の売上集計(赤伝は差し引き)
 * 作成者: 鈴木 一郎  2020/05/11
 */
CREATE VIEW V_売上月次集計
AS
SELECT
    CONVERT(char(6), u.売上日, 112) AS 売上年月,
    u.顧客コード,
    k.顧客名,
    COUNT(*) AS 売上件数,
    SUM(u.売上金額) AS 売上金額,
    SUM(u.消費税額) AS 消費税額
FROM
    売上 AS u
    INNER JOIN 顧客 AS k ON k.顧客コード = u.顧客コード
GROUP BY
    CONVERT(char(6), u.売上日, 112),
    u.顧客コード,
    k.顧客名
