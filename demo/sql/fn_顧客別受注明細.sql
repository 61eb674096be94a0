/*
 * 概要  : 顧客の受注明細を期間で絞って返す(受注照会画面用)。
 * 引数  : @顧客コード, @開始日, @終了日
 * 作成者: 鈴木 一郎  2020/05/11
 */
CREATE FUNCTION fn_顧客別受注明細
(
    @顧客コード char(8),
    @開始日     date,
    @終了日     date
)
RETURNS @明細 TABLE (
    受注番号   char(10),
    行番号     smallint,
    受注日     date,
    商品コード varchar(13),
    商品名     nvarchar(100),
    受注数量   int,
    金額       money
)
AS
BEGIN
    INSERT INTO @明細
    SELECT j.受注番号, m.行番号, j.受注日, m.商品コード, h.商品名, m.受注数量, m.金額
    FROM 受注 AS j
        INNER JOIN 受注明細 AS m ON m.受注番号 = j.受注番号
        INNER JOIN 商品 AS h ON h.商品コード = m.商品コード
    WHERE j.顧客コード = @顧客コード
      AND j.受注日 BETWEEN @開始日 AND @終了日
      AND j.取消フラグ = 0;
    RETURN;
END
