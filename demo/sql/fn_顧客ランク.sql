/*
 * 概要  : 直近12か月の売上金額から顧客ランクを返す。
 *         S: 5,000万円以上 / A: 1,000万円以上 / B: 100万円以上 / C: それ未満
 * 引数  : @顧客コード   顧客コード
 *         @基準日       この日から遡って12か月を集計する
 * 戻り値: 'S', 'A', 'B', 'C'
 * 作成者: 鈴木 一郎  2020/05/11
 */
CREATE FUNCTION fn_顧客ランク
(
    @顧客コード char(8),
    @基準日     date
)
RETURNS char(1)
AS
BEGIN
    DECLARE @売上 money;

    SELECT @売上 = SUM(売上金額)
    FROM 売上
    WHERE 顧客コード = @顧客コード
      AND 売上日 > DATEADD(month, -12, @基準日)
      AND 売上日 <= @基準日;

    RETURN CASE
               WHEN @売上 >= 50000000 THEN 'S'
               WHEN @売上 >= 10000000 THEN 'A'
               WHEN @売上 >= 1000000 THEN 'B'
               ELSE 'C'
           END;
END
