/*******************************************************************************
 * 名称    : usp_在庫引当
 * 概要    : 受注明細に在庫を引き当てる。
 *           指定倉庫を優先し、足りない分は倉庫コード順に他の倉庫から引き当てる。
 *           一部しか引き当てられないときは、引き当てた分だけ登録する。
 * 引数    : @受注番号       受注番号
 *           @優先倉庫コード 優先する倉庫(NULL のときは倉庫コード順)
 * 戻り値  : 0 全数引当 / 5 一部引当 / 1 受注なし
 * 作成者  : 高橋 誠
 * 作成日  : 2019/04/22
 * 更新履歴: 2020/03/16 高橋 誠  月次在庫締中は引き当てない
 ******************************************************************************/
CREATE PROCEDURE usp_在庫引当
    @受注番号       char(10),
    @優先倉庫コード char(3) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @行番号 smallint, @商品コード varchar(13), @残数 int,
            @倉庫コード char(3), @有効数 int, @引当 int, @不足 bit = 0;

    IF NOT EXISTS (SELECT * FROM 受注 WHERE 受注番号 = @受注番号 AND 取消フラグ = 0)
        RETURN 1;

    /* 締処理中の判定は M_Setting の STOCK_CLOSING で行う */
    IF EXISTS (SELECT * FROM M_Setting WHERE SettingKey = 'STOCK_CLOSING' AND SettingValue = N'1')
        RETURN 5;

    BEGIN TRANSACTION;

    DECLARE 明細 CURSOR LOCAL FAST_FORWARD FOR
        SELECT 行番号, 商品コード, 受注数量 - 引当数量 - 出荷済数量
        FROM 受注明細
        WHERE 受注番号 = @受注番号 AND 明細状態 IN ('0', '1')
          AND 受注数量 > 引当数量 + 出荷済数量
        ORDER BY 行番号;

    OPEN 明細;
    FETCH NEXT FROM 明細 INTO @行番号, @商品コード, @残数;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        WHILE @残数 > 0
        BEGIN
            SELECT TOP (1) @倉庫コード = 倉庫コード, @有効数 = 現在庫数 - 引当数
            FROM 在庫 WITH (UPDLOCK, ROWLOCK)
            WHERE 商品コード = @商品コード AND 現在庫数 - 引当数 > 0
            ORDER BY CASE WHEN 倉庫コード = @優先倉庫コード THEN 0 ELSE 1 END, 倉庫コード;

            IF @@ROWCOUNT = 0
            BEGIN
                SET @不足 = 1;
                BREAK;
            END

            SET @引当 = CASE WHEN @有効数 < @残数 THEN @有効数 ELSE @残数 END;

            UPDATE 在庫 SET 引当数 = 引当数 + @引当, 更新日時 = GETDATE()
            WHERE 倉庫コード = @倉庫コード AND 商品コード = @商品コード;

            UPDATE 受注明細
            SET 引当数量 = 引当数量 + @引当,
                引当倉庫コード = @倉庫コード,
                明細状態 = '1'
            WHERE 受注番号 = @受注番号 AND 行番号 = @行番号;

            SET @残数 = @残数 - @引当;
        END
        FETCH NEXT FROM 明細 INTO @行番号, @商品コード, @残数;
    END
    CLOSE 明細;
    DEALLOCATE 明細;

    COMMIT TRANSACTION;
    RETURN CASE @不足 WHEN 1 THEN 5 ELSE 0 END;
END
