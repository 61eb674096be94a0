/*
 * 概要  : 商品の一覧(分類名・主仕入先名・本日時点の販売単価つき)
 * 作成者: 山田 太郎  2019/05/20
 */
CREATE VIEW V_商品一覧
AS
SELECT
    h.商品コード,
    h.商品名,
    h.規格,
    b.分類名,
    s.仕入先名,
    h.標準単価,
    t.販売単価 AS 現在単価,
    h.販売終了日
FROM
    商品 AS h
    INNER JOIN 商品分類 AS b ON b.分類コード = h.分類コード
    LEFT JOIN 仕入先 AS s ON s.仕入先コード = h.主仕入先コード
    OUTER APPLY (
        SELECT TOP (1) 販売単価
        FROM 商品単価履歴
        WHERE 商品コード = h.商品コード
          AND 適用開始日 <= CAST(GETDATE() AS date)
        ORDER BY 適用開始日 DESC
    ) AS t
