/*******************************************************************************
 * 名称    : usp_請求締処理
 * 概要    : 指定した締日の顧客について請求を締め、請求データを作成する。
 *           前回請求額・入金額・繰越額・今回売上額・今回消費税額を集計し、
 *           対象期間の売上に請求番号を付ける。
 *           締め直し(@再締 = 1)のときは同じ締日の請求を削除してから作り直す。
 * 引数    : @締日         締日(月末締の顧客は月末日を指定)
 *           @顧客コード   対象顧客(NULL のときはその締日の全顧客)
 *           @再締         0 未締の顧客のみ / 1 締め直し
 *           @実行者       実行者の社員番号
 *           @件数         (OUTPUT) 作成した請求の件数
 * 戻り値  : 0 正常 / 7 締日不正 / 8 入金消込中 / 9 その他のエラー
 * 作成者  : 田中 健二
 * 作成日  : 2019/07/01
 * 更新履歴: 2019/10/01 田中 健二  消費税率 10% と軽減税率の混在に対応
 *           2020/04/01 佐藤 花子  20日締の顧客を追加
 *           2021/01/12 田中 健二  振込手数料を入金額に含める
 *           2023/09/29 鈴木 一郎  インボイス制度対応(税率ごとの端数処理)
 * 備考    : 夜間バッチ(毎日 22:00)から @顧客コード = NULL で呼ばれる。
 *           画面からの締め直しは 1 顧客ずつ行う。
 ******************************************************************************/
CREATE PROCEDURE usp_請求締処理
    @締日       date,
    @顧客コード char(8) = NULL,
    @再締       bit = 0,
    @実行者     char(6),
    @件数       int OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @締日区分 tinyint,
            @期間開始 date,
            @請求番号 char(10),
            @対象顧客 char(8),
            @前回締日 date,
            @前回請求額 money,
            @入金額 money,
            @今回売上額 money,
            @今回消費税額 money,
            @入金予定日 date,
            @支払サイト smallint,
            @開始時刻 datetime = GETDATE();

    SET @件数 = 0;

    -- 締日区分: 月末は 31、それ以外は日付の日
    SET @締日区分 = CASE
                        WHEN @締日 = EOMONTH(@締日) THEN 31
                        ELSE DAY(@締日)
                    END;

    IF @締日区分 NOT IN (5, 10, 15, 20, 25, 31)
        RETURN 7;

    IF EXISTS (SELECT * FROM M_Setting WHERE SettingKey = 'PAYMENT_MATCHING' AND SettingValue = N'1')
        RETURN 8;

    INSERT INTO T_BatchLog (BatchName, StartedAt, Status)
    VALUES ('請求締処理', @開始時刻, 'R');

    /*--------------------------------------------------------------------------
     * 対象顧客の抽出
     *   締日区分が一致し、削除されていない顧客。
     *   再締でなければ、同じ締日の請求がまだない顧客だけを対象とする。
     *------------------------------------------------------------------------*/
    DECLARE @対象 TABLE (
        顧客コード char(8) PRIMARY KEY,
        支払サイト smallint NOT NULL);

    INSERT INTO @対象 (顧客コード, 支払サイト)
    SELECT k.顧客コード, k.支払サイト
    FROM 顧客 AS k
    WHERE k.締日 = @締日区分
      AND k.削除フラグ = 0
      AND (@顧客コード IS NULL OR k.顧客コード = @顧客コード)
      AND (@再締 = 1 OR NOT EXISTS (
              SELECT * FROM 請求 AS s
              WHERE s.顧客コード = k.顧客コード AND s.締日 = @締日));

    BEGIN TRY
        BEGIN TRANSACTION;

        -- 締め直し: 同じ締日の請求を消し、売上の請求番号を外す
        IF @再締 = 1
        BEGIN
            UPDATE u
            SET 請求番号 = NULL, 更新日時 = GETDATE()
            FROM 売上 AS u
                INNER JOIN 請求 AS s ON s.請求番号 = u.請求番号
            WHERE s.締日 = @締日
              AND s.顧客コード IN (SELECT 顧客コード FROM @対象);

            UPDATE n
            SET 請求番号 = NULL, 消込済フラグ = 0, 更新日時 = GETDATE()
            FROM 入金 AS n
                INNER JOIN 請求 AS s ON s.請求番号 = n.請求番号
            WHERE s.締日 = @締日
              AND s.顧客コード IN (SELECT 顧客コード FROM @対象);

            DELETE s
            FROM 請求 AS s
            WHERE s.締日 = @締日
              AND s.顧客コード IN (SELECT 顧客コード FROM @対象);
        END

        DECLARE 顧客 CURSOR LOCAL FAST_FORWARD FOR
            SELECT 顧客コード, 支払サイト FROM @対象 ORDER BY 顧客コード;

        OPEN 顧客;
        FETCH NEXT FROM 顧客 INTO @対象顧客, @支払サイト;
        WHILE @@FETCH_STATUS = 0
        BEGIN
            /*------------------------------------------------------------------
             * 前回の請求
             *   前回締日の翌日から今回締日までを今回の期間とする。
             *   初めての請求では期間の開始を 1900/01/01 とする。
             *----------------------------------------------------------------*/
            SELECT TOP (1)
                @前回締日 = 締日,
                @前回請求額 = 今回請求額
            FROM 請求
            WHERE 顧客コード = @対象顧客 AND 締日 < @締日
            ORDER BY 締日 DESC;

            IF @@ROWCOUNT = 0
            BEGIN
                SET @前回締日 = '18991231';
                SET @前回請求額 = 0;
            END
            SET @期間開始 = DATEADD(day, 1, @前回締日);

            -- 今回の入金(振込手数料は入金として扱う)
            SELECT @入金額 = ISNULL(SUM(入金額 + 手数料), 0)
            FROM 入金
            WHERE 顧客コード = @対象顧客
              AND 入金日 BETWEEN @期間開始 AND @締日;

            -- 今回の売上(赤伝を含む)
            SELECT @今回売上額 = ISNULL(SUM(売上金額), 0)
            FROM 売上
            WHERE 顧客コード = @対象顧客
              AND 売上日 BETWEEN @期間開始 AND @締日
              AND 請求番号 IS NULL;

            /* 消費税は税率ごとに合計してから端数を切り捨てる(インボイス対応) */
            SELECT @今回消費税額 = ISNULL(SUM(税額), 0)
            FROM (
                SELECT FLOOR(SUM(m.金額) * m.消費税率 / 100) AS 税額
                FROM 売上 AS u
                    INNER JOIN 売上明細 AS m ON m.売上番号 = u.売上番号
                WHERE u.顧客コード = @対象顧客
                  AND u.売上日 BETWEEN @期間開始 AND @締日
                  AND u.請求番号 IS NULL
                GROUP BY m.消費税率
            ) AS t;

            -- 入金予定日: 締日から支払サイト日後、休日なら翌営業日
            SET @入金予定日 = dbo.fn_営業日加算(DATEADD(day, @支払サイト - 1, @締日), 1);

            EXEC usp_採番取得 @採番区分 = 'SE', @番号 = @請求番号 OUTPUT;

            INSERT INTO 請求 (
                請求番号, 顧客コード, 締日,
                前回請求額, 入金額, 繰越額,
                今回売上額, 今回消費税額, 今回請求額,
                入金予定日, 登録日時)
            VALUES (
                @請求番号, @対象顧客, @締日,
                @前回請求額, @入金額, @前回請求額 - @入金額,
                @今回売上額, @今回消費税額,
                @前回請求額 - @入金額 + @今回売上額 + @今回消費税額,
                @入金予定日, GETDATE());

            UPDATE 売上
            SET 請求番号 = @請求番号, 更新日時 = GETDATE()
            WHERE 顧客コード = @対象顧客
              AND 売上日 BETWEEN @期間開始 AND @締日
              AND 請求番号 IS NULL;

            SET @件数 += 1;
            FETCH NEXT FROM 顧客 INTO @対象顧客, @支払サイト;
        END
        CLOSE 顧客;
        DEALLOCATE 顧客;

        COMMIT TRANSACTION;

        UPDATE T_BatchLog
        SET EndedAt = GETDATE(), Status = 'S', ProcessedRows = @件数
        WHERE BatchName = '請求締処理' AND StartedAt = @開始時刻;
    END TRY
    BEGIN CATCH
        IF @@TRANCOUNT > 0
            ROLLBACK TRANSACTION;

        /* 失敗した顧客はログに残し、呼び出し側へは 9 を返す */
        UPDATE T_BatchLog
        SET EndedAt = GETDATE(), Status = 'E',
            Message = CONCAT(N'顧客 ', @対象顧客, N': ', ERROR_MESSAGE())
        WHERE BatchName = '請求締処理' AND StartedAt = @開始時刻;
        RETURN 9;
    END CATCH

    RETURN 0;
END
