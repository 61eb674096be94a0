/*
 * Function : fn_FormatCode
 * Purpose  : Returns a code with its name from M_Code, as "Code:Name",
 *            or the code alone when it is not in the table.
 * Arguments: @CodeType  code type, e.g. 'JUCHU_STATUS'
 *            @Code      code
 * Author   : K. Tanaka  2020-02-03
 */
CREATE FUNCTION fn_FormatCode (@CodeType varchar(20), @Code varchar(10))
RETURNS nvarchar(72)
AS
BEGIN
    RETURN ISNULL(
        (SELECT Code + N':' + CodeName FROM M_Code WHERE CodeType = @CodeType AND Code = @Code),
        @Code);
END
