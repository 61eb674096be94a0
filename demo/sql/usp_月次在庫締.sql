/*******************************************************************************
 * 名称    : usp_月次在庫締
 * 概要    : 対象年月の在庫移動を集計し、月次在庫に倉庫・商品ごとの
 *           月初・入庫・出庫・月末の数量と在庫金額(標準原価)を記録する。
 *           締処理中は在庫引当を止める(M_Setting.STOCK_CLOSING)。
 * 引数    : @対象年月   'YYYYMM'
 * 戻り値  : 0 正常 / 7 対象年月不正 / 9 その他のエラー
 * 作成者  : 高橋 誠
 * 作成日  : 2020/03/16
 ******************************************************************************/
CREATE PROCEDURE usp_月次在庫締
    @対象年月 char(6)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @月初 date = TRY_CONVERT(date, @対象年月 + '01', 112);
    IF @月初 IS NULL
        RETURN 7;

    DECLARE @翌月初 date = DATEADD(month, 1, @月初),
            @前月 char(6) = CONVERT(char(6), DATEADD(month, -1, @月初), 112);

    UPDATE M_Setting SET SettingValue = N'1', UpdatedAt = GETDATE() WHERE SettingKey = 'STOCK_CLOSING';

    BEGIN TRY
        BEGIN TRANSACTION;

        DELETE FROM 月次在庫 WHERE 対象年月 = @対象年月;

        INSERT INTO 月次在庫 (対象年月, 倉庫コード, 商品コード, 月初在庫数, 入庫数, 出庫数,
                              月末在庫数, 在庫金額, 締日時)
        SELECT @対象年月, z.倉庫コード, z.商品コード,
               ISNULL(p.月末在庫数, 0),
               ISNULL(SUM(CASE WHEN i.数量 > 0 THEN i.数量 END), 0),
               ISNULL(-SUM(CASE WHEN i.数量 < 0 THEN i.数量 END), 0),
               ISNULL(p.月末在庫数, 0) + ISNULL(SUM(i.数量), 0),
               (ISNULL(p.月末在庫数, 0) + ISNULL(SUM(i.数量), 0)) * h.標準原価,
               GETDATE()
        FROM 在庫 AS z
            INNER JOIN 商品 AS h ON h.商品コード = z.商品コード
            LEFT JOIN 月次在庫 AS p
                ON p.対象年月 = @前月 AND p.倉庫コード = z.倉庫コード AND p.商品コード = z.商品コード
            LEFT JOIN 在庫移動 AS i
                ON i.倉庫コード = z.倉庫コード AND i.商品コード = z.商品コード
                AND i.移動日時 >= @月初 AND i.移動日時 < @翌月初
        GROUP BY z.倉庫コード, z.商品コード, p.月末在庫数, h.標準原価;

        COMMIT TRANSACTION;
    END TRY
    BEGIN CATCH
        IF @@TRANCOUNT > 0
            ROLLBACK TRANSACTION;
        UPDATE M_Setting SET SettingValue = N'0', UpdatedAt = GETDATE() WHERE SettingKey = 'STOCK_CLOSING';
        RETURN 9;
    END CATCH

    UPDATE M_Setting SET SettingValue = N'0', UpdatedAt = GETDATE() WHERE SettingKey = 'STOCK_CLOSING';
    RETURN 0;
END
