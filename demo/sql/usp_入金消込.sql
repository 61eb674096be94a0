/*******************************************************************************
 * 名称    : usp_入金消込
 * 概要    : 未消込の入金を、入金予定日の古い請求から順に消し込む。
 *           入金額(手数料を含む)が請求額に満たない請求は消し込まない。
 * 引数    : @顧客コード   対象顧客(NULL のときは全顧客)
 * 戻り値  : 消し込んだ入金の件数
 * 作成者  : 田中 健二
 * 作成日  : 2019/07/01
 * 更新履歴: 2021/01/12 田中 健二  振込手数料を入金額に含める
 ******************************************************************************/
CREATE PROCEDURE usp_入金消込
    @顧客コード char(8) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @件数 int;

    UPDATE M_Setting SET SettingValue = N'1', UpdatedAt = GETDATE()
    WHERE SettingKey = 'PAYMENT_MATCHING';

    BEGIN TRANSACTION;

    -- 入金と請求を、顧客ごとに古い順で1対1に突き合わせる
    WITH 入金順 AS (
        SELECT 入金番号, 顧客コード, 入金額 + 手数料 AS 金額,
               ROW_NUMBER() OVER (PARTITION BY 顧客コード ORDER BY 入金日, 入金番号) AS 順
        FROM 入金
        WHERE 消込済フラグ = 0
          AND (@顧客コード IS NULL OR 顧客コード = @顧客コード)
    ),
    請求順 AS (
        SELECT s.請求番号, s.顧客コード, s.今回請求額 - s.繰越額 AS 金額,
               ROW_NUMBER() OVER (PARTITION BY s.顧客コード ORDER BY s.入金予定日, s.請求番号) AS 順
        FROM 請求 AS s
        WHERE NOT EXISTS (SELECT * FROM 入金 AS n WHERE n.請求番号 = s.請求番号)
          AND (@顧客コード IS NULL OR s.顧客コード = @顧客コード)
    )
    UPDATE n
    SET 請求番号 = s.請求番号, 消込済フラグ = 1, 更新日時 = GETDATE()
    FROM 入金 AS n
        INNER JOIN 入金順 AS a ON a.入金番号 = n.入金番号
        INNER JOIN 請求順 AS s ON s.顧客コード = a.顧客コード AND s.順 = a.順
    WHERE a.金額 >= s.金額;

    SET @件数 = @@ROWCOUNT;

    COMMIT TRANSACTION;

    UPDATE M_Setting SET SettingValue = N'0', UpdatedAt = GETDATE()
    WHERE SettingKey = 'PAYMENT_MATCHING';

    RETURN @件数;
END
