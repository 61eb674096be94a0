/*
 * 概要    : 有効在庫が発注点を下回った商品について、主仕入先への発注を作成する。
 *           発注数量は発注単位に切り上げる。発注残がある商品は対象外。
 * 引数    : @倉庫コード   補充する倉庫
 *           @担当社員番号 発注の担当者
 *           @試算のみ     1 のときは発注せず、対象の一覧を返す
 * 戻り値  : 作成した発注の件数(試算のときは 0)
 * 作成者  : 伊藤 美咲  2019/09/02
 */
CREATE PROCEDURE usp_発注点チェック
    @倉庫コード   char(3),
    @担当社員番号 char(6),
    @試算のみ     bit = 0
AS
BEGIN
    SET NOCOUNT ON;

    SELECT h.主仕入先コード AS 仕入先コード,
           z.商品コード,
           h.発注点 - (z.現在庫数 - z.引当数) AS 不足数,
           CEILING(1.0 * (h.発注点 - (z.現在庫数 - z.引当数)) / ISNULL(NULLIF(h.発注単位, 0), 1))
               * ISNULL(NULLIF(h.発注単位, 0), 1) AS 発注数量,
           h.標準原価 AS 仕入単価
    INTO #発注候補
    FROM 在庫 AS z
        INNER JOIN 商品 AS h ON h.商品コード = z.商品コード
    WHERE z.倉庫コード = @倉庫コード
      AND h.発注点 IS NOT NULL
      AND h.主仕入先コード IS NOT NULL
      AND h.販売終了日 IS NULL
      AND z.現在庫数 - z.引当数 < h.発注点
      AND z.発注残数 = 0;

    IF @試算のみ = 1
    BEGIN
        SELECT * FROM #発注候補 ORDER BY 仕入先コード, 商品コード;
        RETURN 0;
    END

    DECLARE @仕入先コード char(6), @発注番号 char(10), @件数 int = 0;

    BEGIN TRANSACTION;

    WHILE EXISTS (SELECT * FROM #発注候補)
    BEGIN
        SELECT TOP (1) @仕入先コード = 仕入先コード FROM #発注候補 ORDER BY 仕入先コード;
        EXEC usp_採番取得 @採番区分 = 'HA', @番号 = @発注番号 OUTPUT;

        INSERT INTO 発注明細 (発注番号, 行番号, 商品コード, 発注数量, 仕入単価, 金額, 入荷済数量)
        SELECT @発注番号, ROW_NUMBER() OVER (ORDER BY 商品コード), 商品コード,
               発注数量, 仕入単価, 発注数量 * 仕入単価, 0
        FROM #発注候補 WHERE 仕入先コード = @仕入先コード;

        INSERT INTO 発注 (発注番号, 発注日, 仕入先コード, 倉庫コード, 発注金額, 発注状態,
                          担当社員番号, 登録日時, 更新日時)
        SELECT @発注番号, CAST(GETDATE() AS date), @仕入先コード, @倉庫コード, SUM(金額), '0',
               @担当社員番号, GETDATE(), GETDATE()
        FROM 発注明細 WHERE 発注番号 = @発注番号;

        UPDATE z SET 発注残数 = z.発注残数 + c.発注数量, 更新日時 = GETDATE()
        FROM 在庫 AS z INNER JOIN #発注候補 AS c ON c.商品コード = z.商品コード
        WHERE z.倉庫コード = @倉庫コード AND c.仕入先コード = @仕入先コード;

        DELETE FROM #発注候補 WHERE 仕入先コード = @仕入先コード;
        SET @件数 += 1;
    END

    COMMIT TRANSACTION;
    RETURN @件数;
END
