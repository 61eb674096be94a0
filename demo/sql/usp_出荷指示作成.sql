/*******************************************************************************
 * 名称    : usp_出荷指示作成
 * 概要    : 引当済みの受注明細から倉庫ごとに出荷指示を作成する。
 *           出荷予定日が指定日以前の受注が対象。
 * 引数    : @出荷予定日   この日までに出荷する受注を対象とする
 *           @倉庫コード   対象倉庫(NULL のときは全倉庫)
 * 戻り値  : 作成した出荷指示の件数
 * 作成者  : 高橋 誠
 * 作成日  : 2019/06/10
 ******************************************************************************/
CREATE PROCEDURE usp_出荷指示作成
    @出荷予定日 date,
    @倉庫コード char(3) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @対象 TABLE (
        受注番号   char(10),
        倉庫コード char(3),
        出荷番号   char(10) NULL,
        PRIMARY KEY (受注番号, 倉庫コード));
    DECLARE @受注番号 char(10), @倉庫 char(3), @出荷番号 char(10), @件数 int = 0;

    INSERT INTO @対象 (受注番号, 倉庫コード)
    SELECT DISTINCT m.受注番号, m.引当倉庫コード
    FROM 受注明細 AS m
        INNER JOIN 受注 AS j ON j.受注番号 = m.受注番号
    WHERE j.取消フラグ = 0
      AND ISNULL(j.希望納期, j.受注日) <= @出荷予定日
      AND m.引当数量 > 0
      AND (@倉庫コード IS NULL OR m.引当倉庫コード = @倉庫コード);

    BEGIN TRANSACTION;

    WHILE EXISTS (SELECT * FROM @対象 WHERE 出荷番号 IS NULL)
    BEGIN
        SELECT TOP (1) @受注番号 = 受注番号, @倉庫 = 倉庫コード
        FROM @対象 WHERE 出荷番号 IS NULL;

        EXEC usp_採番取得 @採番区分 = 'SH', @番号 = @出荷番号 OUTPUT;

        INSERT INTO 出荷 (出荷番号, 出荷予定日, 受注番号, 倉庫コード, 納入先番号,
                          出荷状態, 登録日時, 更新日時)
        SELECT @出荷番号, @出荷予定日, 受注番号, @倉庫, 納入先番号, '0', GETDATE(), GETDATE()
        FROM 受注 WHERE 受注番号 = @受注番号;

        INSERT INTO 出荷明細 (出荷番号, 行番号, 受注番号, 受注行番号, 商品コード, 出荷数量)
        SELECT @出荷番号, ROW_NUMBER() OVER (ORDER BY 行番号), 受注番号, 行番号, 商品コード, 引当数量
        FROM 受注明細
        WHERE 受注番号 = @受注番号 AND 引当倉庫コード = @倉庫 AND 引当数量 > 0;

        UPDATE @対象 SET 出荷番号 = @出荷番号
        WHERE 受注番号 = @受注番号 AND 倉庫コード = @倉庫;
        SET @件数 += 1;
    END

    COMMIT TRANSACTION;
    RETURN @件数;
END
