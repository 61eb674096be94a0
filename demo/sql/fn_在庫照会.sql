/* 概要: 商品の倉庫別有効在庫を返す(在庫照会画面用) */
CREATE FUNCTION fn_在庫照会 (@商品コード varchar(13))
RETURNS TABLE
AS
RETURN
    SELECT 倉庫コード, 現在庫数, 引当数, 現在庫数 - 引当数 AS 有効在庫数
    FROM 在庫
    WHERE 商品コード = @商品コード;
