/*
 * 概要  : 基準日から指定した営業日数だけ進めた日を返す。
 *         営業日は M_Calendar.IsBusinessDay で判定する。
 *         日数が 0 のときは、基準日が休日なら翌営業日を返す。
 * 引数  : @基準日   基準日
 *         @日数     進める営業日数(0 以上)
 * 戻り値: 営業日。カレンダーが足りないときは NULL
 * 作成者: 高橋 誠  2019/04/01
 */
CREATE FUNCTION fn_営業日加算
(
    @基準日 date,
    @日数   int
)
RETURNS date
AS
BEGIN
    DECLARE @結果 date;

    SELECT @結果 = CalendarDate
    FROM (
        SELECT CalendarDate,
               ROW_NUMBER() OVER (ORDER BY CalendarDate) - 1 AS 順
        FROM M_Calendar
        WHERE IsBusinessDay = 1
          AND CalendarDate >= CASE WHEN @日数 = 0 THEN @基準日 ELSE DATEADD(day, 1, @基準日) END
    ) AS c
    WHERE 順 = CASE WHEN @日数 = 0 THEN 0 ELSE @日数 - 1 END;

    RETURN @結果;
END
