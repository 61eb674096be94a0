/*
 * 概要  : 受注の一覧(顧客名・担当者名・状態名つき)
 * 作成者: 山田 太郎  2019/05/20
 * 更新  : 2023/09/29 佐藤 花子  税込金額を追加
 */
CREATE VIEW V_受注一覧
AS
SELECT
    j.受注番号,
    j.受注日,
    j.顧客コード,
    k.顧客名,
    s.氏名 AS 担当者名,
    j.希望納期,
    j.受注金額,
    j.消費税額,
    j.受注金額 + j.消費税額 AS 税込金額,
    j.受注状態,
    c.CodeName AS 状態名
FROM
    受注 AS j
    INNER JOIN 顧客 AS k ON k.顧客コード = j.顧客コード
    INNER JOIN 社員 AS s ON s.社員番号 = j.担当社員番号
    LEFT JOIN M_Code AS c ON c.CodeType = 'JUCHU_STATUS' AND c.Code = j.受注状態
WHERE
    j.取消フラグ = 0
