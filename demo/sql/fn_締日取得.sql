/*
 * 概要  : 顧客の締日区分から、売上日を含む締日を返す。
 * 引数  : @売上日     売上日
 *         @締日区分   5, 10, 15, 20, 25 または 31(月末)
 * 戻り値: 締日
 * 作成者: 田中 健二  2019/07/01
 * 備考  : 2月など日数の少ない月は月末に読み替える。
 */
CREATE FUNCTION fn_締日取得
(
    @売上日   date,
    @締日区分 tinyint
)
RETURNS date
AS
BEGIN
    DECLARE @当月締日 date =
        CASE
            WHEN @締日区分 >= DAY(EOMONTH(@売上日)) THEN EOMONTH(@売上日)
            ELSE DATEFROMPARTS(YEAR(@売上日), MONTH(@売上日), @締日区分)
        END;

    IF @売上日 <= @当月締日
        RETURN @当月締日;

    /* 翌月の締日 */
    RETURN CASE
               WHEN @締日区分 >= DAY(EOMONTH(@売上日, 1)) THEN EOMONTH(@売上日, 1)
               ELSE DATEADD(month, 1, @当月締日)
           END;
END
