/* 倉庫別の在庫一覧。有効在庫数 = 現在庫数 - 引当数 */
CREATE VIEW V_在庫一覧
AS
SELECT
    z.倉庫コード,
    w.倉庫名,
    z.商品コード,
    h.商品名,
    z.現在庫数,
    z.引当数,
    z.現在庫数 - z.引当数 AS 有効在庫数,
    h.発注点
FROM
    在庫 AS z
    INNER JOIN 倉庫 AS w ON w.倉庫コード = z.倉庫コード
    INNER JOIN 商品 AS h ON h.商品コード = z.商品コード
WHERE
    w.稼働フラグ = 1
