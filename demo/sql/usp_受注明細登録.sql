/*******************************************************************************
 * 名称    : usp_受注明細登録
 * 概要    : 受注明細を1行追加し、受注ヘッダの金額を再計算する。
 *           単価を省略したときは商品単価履歴の受注日時点の単価を使う。
 * 引数    : @受注番号   受注番号
 *           @商品コード 商品コード
 *           @数量       受注数量(1 以上)
 *           @単価       単価(NULL のときは単価履歴から)
 *           @行番号     (OUTPUT) 追加した行番号
 * 戻り値  : 0 正常 / 1 受注なし / 3 商品なし・販売終了 / 9 その他のエラー
 * 作成者  : 山田 太郎
 * 作成日  : 2019/04/15
 * 更新履歴: 2019/10/01 佐藤 花子  軽減税率の商品に対応
 ******************************************************************************/
CREATE PROCEDURE usp_受注明細登録
    @受注番号   char(10),
    @商品コード varchar(13),
    @数量       int,
    @単価       decimal(12,2) = NULL,
    @行番号     smallint OUTPUT
AS
BEGIN
    SET NOCOUNT ON;

    DECLARE @受注日 date, @課税区分 tinyint, @税率 decimal(4,2);

    SELECT @受注日 = 受注日 FROM 受注 WHERE 受注番号 = @受注番号 AND 取消フラグ = 0;
    IF @@ROWCOUNT = 0
        RETURN 1;

    SELECT @課税区分 = 課税区分
    FROM 商品
    WHERE 商品コード = @商品コード
      AND (販売終了日 IS NULL OR 販売終了日 >= @受注日);
    IF @@ROWCOUNT = 0
        RETURN 3;

    IF @単価 IS NULL
        SELECT TOP (1) @単価 = 販売単価
        FROM 商品単価履歴
        WHERE 商品コード = @商品コード AND 適用開始日 <= @受注日
        ORDER BY 適用開始日 DESC;

    /* 課税区分 1:標準 2:軽減 0:非課税 */
    SELECT TOP (1) @税率 = CASE @課税区分 WHEN 1 THEN 標準税率 WHEN 2 THEN 軽減税率 ELSE 0 END
    FROM 消費税率
    WHERE 適用開始日 <= @受注日
    ORDER BY 適用開始日 DESC;

    BEGIN TRY
        BEGIN TRANSACTION;

        SELECT @行番号 = ISNULL(MAX(行番号), 0) + 1
        FROM 受注明細 WITH (UPDLOCK)
        WHERE 受注番号 = @受注番号;

        INSERT INTO 受注明細 (受注番号, 行番号, 商品コード, 受注数量, 単価, 金額,
                              消費税率, 引当数量, 出荷済数量, 明細状態)
        VALUES (@受注番号, @行番号, @商品コード, @数量, @単価, @数量 * @単価,
                @税率, 0, 0, '0');

        UPDATE 受注
        SET 受注金額 = m.金額,
            消費税額 = m.税額,
            更新日時 = GETDATE()
        FROM (
            SELECT SUM(金額) AS 金額,
                   SUM(dbo.fn_税込金額(金額, 消費税率) - 金額) AS 税額
            FROM 受注明細
            WHERE 受注番号 = @受注番号
        ) AS m
        WHERE 受注.受注番号 = @受注番号;

        COMMIT TRANSACTION;
    END TRY
    BEGIN CATCH
        IF @@TRANCOUNT > 0
            ROLLBACK TRANSACTION;
        RETURN 9;
    END CATCH

    RETURN 0;
END
