/*******************************************************************************
 * 名称    : usp_受注登録
 * 概要    : 受注ヘッダを登録し、採番した受注番号を返す。
 *           与信限度額を超える場合は登録せずに 2 を返す。
 * 引数    : @顧客コード     顧客コード
 *           @受注日         受注日(NULL のときは本日)
 *           @納入先番号     納入先番号(NULL のときは顧客住所へ納入)
 *           @客先注文番号   客先の注文番号
 *           @希望納期       希望納期
 *           @担当社員番号   担当社員
 *           @登録者         登録者の社員番号
 *           @受注番号       (OUTPUT) 採番した受注番号
 * 戻り値  : 0 正常 / 1 顧客なし / 2 与信超過 / 9 その他のエラー
 * 作成者  : 山田 太郎
 * 作成日  : 2019/04/15
 * 更新履歴: 2019/10/01 佐藤 花子  消費税率 10% 対応
 *           2021/06/14 鈴木 一郎  客先注文番号を追加(受注CSV取込対応)
 ******************************************************************************/
CREATE PROCEDURE usp_受注登録
    @顧客コード     char(8),
    @受注日         date = NULL,
    @納入先番号     smallint = NULL,
    @客先注文番号   varchar(30) = NULL,
    @希望納期       date = NULL,
    @担当社員番号   char(6),
    @登録者         char(6),
    @受注番号       char(10) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;

    DECLARE @与信限度額 money, @売掛残高 money;

    SELECT @与信限度額 = 与信限度額
    FROM 顧客
    WHERE 顧客コード = @顧客コード AND 削除フラグ = 0;

    IF @@ROWCOUNT = 0
        RETURN 1;

    -- 与信チェック(限度額が未設定の顧客はチェックしない)
    SELECT @売掛残高 = 売掛残高 FROM V_売掛残高 WHERE 顧客コード = @顧客コード;
    IF @与信限度額 IS NOT NULL AND ISNULL(@売掛残高, 0) > @与信限度額
        RETURN 2;

    BEGIN TRY
        BEGIN TRANSACTION;

        EXEC usp_採番取得 @採番区分 = 'JU', @番号 = @受注番号 OUTPUT;

        INSERT INTO 受注 (
            受注番号, 受注日, 顧客コード, 納入先番号, 客先注文番号, 希望納期,
            担当社員番号, 受注金額, 消費税額, 受注状態, 取消フラグ,
            登録者, 登録日時, 更新者, 更新日時)
        VALUES (
            @受注番号, ISNULL(@受注日, CAST(GETDATE() AS date)), @顧客コード,
            @納入先番号, @客先注文番号, @希望納期,
            @担当社員番号, 0, 0, '0', 0,
            @登録者, GETDATE(), @登録者, GETDATE());

        COMMIT TRANSACTION;
    END TRY
    BEGIN CATCH
        IF @@TRANCOUNT > 0
            ROLLBACK TRANSACTION;
        EXEC usp_AuditLog_Write @TableName = N'受注', @Operation = 'E',
            @KeyValue = @顧客コード, @NewValue = NULL;
        RETURN 9;
    END CATCH

    RETURN 0;
END
