/*
 * 概要  : 顧客ごとの売掛残高(最終締の請求額 - その後の入金額)
 * 作成者: 田中 健二  2019/07/01
 * 更新  : 2021/01/12 田中 健二  消込前の入金も差し引く
 */
CREATE VIEW V_売掛残高
AS
SELECT
    k.顧客コード,
    k.顧客名,
    s.締日 AS 最終締日,
    s.今回請求額 AS 最終請求額,
    ISNULL(n.入金額, 0) AS 入金済額,
    ISNULL(s.今回請求額, 0) - ISNULL(n.入金額, 0) AS 売掛残高
FROM
    顧客 AS k
    OUTER APPLY (
        SELECT TOP (1) 締日, 今回請求額
        FROM 請求
        WHERE 顧客コード = k.顧客コード
        ORDER BY 締日 DESC
    ) AS s
    OUTER APPLY (
        SELECT SUM(入金額 + 手数料) AS 入金額
        FROM 入金
        WHERE 顧客コード = k.顧客コード
          AND 入金日 > ISNULL(s.締日, '19000101')
    ) AS n
WHERE
    k.削除フラグ = 0
