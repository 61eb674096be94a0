/*******************************************************************************
 * 名称    : usp_受注取消
 * 概要    : 受注を取り消し、引き当てた在庫を戻す。
 *           出荷済みの明細がある受注は取り消せない。
 * 引数    : @受注番号   受注番号
 *           @更新者     更新者の社員番号
 * 戻り値  : 0 正常 / 1 受注なし / 4 出荷済みのため取消不可
 * 作成者  : 佐藤 花子
 * 作成日  : 2019/05/08
 ******************************************************************************/
CREATE PROCEDURE usp_受注取消
    @受注番号   char(10),
    @更新者     char(6)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    IF NOT EXISTS (SELECT * FROM 受注 WHERE 受注番号 = @受注番号 AND 取消フラグ = 0)
        RETURN 1;

    IF EXISTS (SELECT * FROM 受注明細 WHERE 受注番号 = @受注番号 AND 出荷済数量 > 0)
        RETURN 4;

    BEGIN TRANSACTION;

    -- 引当を戻す
    UPDATE z
    SET 引当数 = z.引当数 - m.引当数量,
        更新日時 = GETDATE()
    FROM 在庫 AS z
        INNER JOIN 受注明細 AS m
            ON m.引当倉庫コード = z.倉庫コード AND m.商品コード = z.商品コード
    WHERE m.受注番号 = @受注番号 AND m.引当数量 > 0;

    UPDATE 受注明細 SET 引当数量 = 0, 明細状態 = '9' WHERE 受注番号 = @受注番号;

    UPDATE 受注
    SET 取消フラグ = 1, 受注状態 = '9', 更新者 = @更新者, 更新日時 = GETDATE()
    WHERE 受注番号 = @受注番号;

    EXEC usp_AuditLog_Write @TableName = N'受注', @Operation = 'D', @KeyValue = @受注番号;

    COMMIT TRANSACTION;
    RETURN 0;
END
