/*
 * 概要  : 受注を更新したとき、更新日時を現在の日時にする。
 *         アプリが更新日時を渡し忘れても、最終更新の時刻が残るようにする。
 * 作成者: 佐藤 花子  2019/10/01
 */
CREATE TRIGGER TR_受注_更新日時 ON 受注
AFTER UPDATE
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT UPDATE(更新日時)
        UPDATE 受注
        SET 更新日時 = GETDATE()
        FROM 受注
        INNER JOIN inserted ON inserted.受注番号 = 受注.受注番号;
END
