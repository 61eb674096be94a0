/*******************************************************************************
 * 名称    : usp_売上計上
 * 概要    : 出荷完了した出荷指示から売上を計上し、在庫を減らす。
 *           赤伝(返品)は @赤黒区分 = '1' で元売上番号を指定して計上する。
 * 引数    : @出荷番号     出荷番号
 *           @売上日       売上日(NULL のときは出荷日)
 *           @赤黒区分     '0' 黒伝 / '1' 赤伝
 *           @元売上番号   赤伝のときの元の売上番号
 *           @売上番号     (OUTPUT) 計上した売上番号
 * 戻り値  : 0 正常 / 1 出荷なし / 6 計上済み / 9 その他のエラー
 * 作成者  : 佐藤 花子
 * 作成日  : 2019/06/10
 * 更新履歴: 2023/09/29 鈴木 一郎  インボイス制度対応(税額を伝票単位で端数処理)
 ******************************************************************************/
CREATE PROCEDURE usp_売上計上
    @出荷番号   char(10),
    @売上日     date = NULL,
    @赤黒区分   char(1) = '0',
    @元売上番号 char(10) = NULL,
    @売上番号   char(10) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @顧客コード char(8), @出荷日 date, @符号 int;

    SELECT @顧客コード = j.顧客コード, @出荷日 = s.出荷日
    FROM 出荷 AS s
        INNER JOIN 受注 AS j ON j.受注番号 = s.受注番号
    WHERE s.出荷番号 = @出荷番号 AND s.出荷状態 = '2';
    IF @@ROWCOUNT = 0
        RETURN 1;

    IF @赤黒区分 = '0' AND EXISTS (SELECT * FROM 売上 WHERE 出荷番号 = @出荷番号 AND 赤黒区分 = '0')
        RETURN 6;

    SET @符号 = CASE @赤黒区分 WHEN '1' THEN -1 ELSE 1 END;

    BEGIN TRANSACTION;

    EXEC usp_採番取得 @採番区分 = 'UR', @番号 = @売上番号 OUTPUT;

    INSERT INTO 売上明細 (売上番号, 行番号, 商品コード, 数量, 単価, 金額, 原価, 消費税率)
    SELECT @売上番号, d.行番号, d.商品コード, @符号 * d.出荷数量, m.単価,
           @符号 * d.出荷数量 * m.単価, h.標準原価, m.消費税率
    FROM 出荷明細 AS d
        INNER JOIN 受注明細 AS m ON m.受注番号 = d.受注番号 AND m.行番号 = d.受注行番号
        INNER JOIN 商品 AS h ON h.商品コード = d.商品コード
    WHERE d.出荷番号 = @出荷番号;

    /* インボイス: 税率ごとに合計してから1回だけ端数を切り捨てる */
    INSERT INTO 売上 (売上番号, 売上日, 顧客コード, 出荷番号, 売上金額, 消費税額,
                      売上区分, 赤黒区分, 元売上番号, 登録日時, 更新日時)
    SELECT @売上番号, ISNULL(@売上日, @出荷日), @顧客コード, @出荷番号,
           SUM(金額), SUM(税額), '01', @赤黒区分, @元売上番号, GETDATE(), GETDATE()
    FROM (
        SELECT SUM(金額) AS 金額, FLOOR(SUM(金額) * 消費税率 / 100) AS 税額
        FROM 売上明細
        WHERE 売上番号 = @売上番号
        GROUP BY 消費税率
    ) AS t;

    INSERT INTO 在庫移動 (移動番号, 移動日時, 移動区分, 倉庫コード, 商品コード, 数量,
                          伝票区分, 伝票番号, 伝票行番号)
    SELECT NEXT VALUE FOR seq_在庫移動, GETDATE(), '20', s.倉庫コード, d.商品コード,
           -@符号 * d.出荷数量, 'UR', @売上番号, d.行番号
    FROM 出荷明細 AS d
        INNER JOIN 出荷 AS s ON s.出荷番号 = d.出荷番号
    WHERE d.出荷番号 = @出荷番号;

    COMMIT TRANSACTION;
    RETURN 0;
END
