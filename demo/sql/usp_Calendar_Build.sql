/*
 * Procedure : usp_Calendar_Build
 * Purpose   : Fills M_Calendar for one fiscal year (April to March).
 *             Saturdays, Sundays and the holidays listed in M_Code
 *             (CodeType 'HOLIDAY', Code = 'YYYYMMDD') are not business days.
 * Parameters: @FiscalYear  the year the fiscal year starts in, e.g. 2024
 * Returns   : number of days written
 * Author    : K. Tanaka
 * History   : 2019-04-01 K. Tanaka  created
 *             2024-01-09 M. Ito     year-end holidays (Dec 29 - Jan 3) are not business days
 */
CREATE PROCEDURE usp_Calendar_Build
    @FiscalYear smallint
AS
BEGIN
    SET NOCOUNT ON;

    DECLARE @From date = DATEFROMPARTS(@FiscalYear, 4, 1);
    DECLARE @To date = DATEADD(year, 1, @From);

    DELETE FROM M_Calendar WHERE CalendarDate >= @From AND CalendarDate < @To;

    WITH Days AS (
        SELECT @From AS d
        UNION ALL
        SELECT DATEADD(day, 1, d) FROM Days WHERE DATEADD(day, 1, d) < @To
    )
    INSERT INTO M_Calendar (CalendarDate, FiscalYear, FiscalMonth, WeekdayNo,
                            IsHoliday, HolidayName, IsBusinessDay)
    SELECT d.d, @FiscalYear, (MONTH(d.d) + 8) % 12 + 1, DATEPART(weekday, d.d),
           CASE WHEN h.Code IS NULL THEN 0 ELSE 1 END, h.CodeName,
           CASE
               WHEN DATEPART(weekday, d.d) IN (1, 7) THEN 0
               WHEN h.Code IS NOT NULL THEN 0
               /* year-end holidays */
               WHEN FORMAT(d.d, 'MMdd') >= '1229' OR FORMAT(d.d, 'MMdd') <= '0103' THEN 0
               ELSE 1
           END
    FROM Days AS d
        LEFT JOIN M_Code AS h ON h.CodeType = 'HOLIDAY' AND h.Code = CONVERT(char(8), d.d, 112)
    OPTION (MAXRECURSION 400);

    RETURN @@ROWCOUNT;
END
