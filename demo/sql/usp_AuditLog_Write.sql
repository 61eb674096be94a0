/*
 * Procedure : usp_AuditLog_Write
 * Purpose   : Writes one row to T_AuditLog. Called from the update procedures
 *             and from the triggers of the master tables.
 * Parameters: @TableName   table that was changed
 *             @Operation   'I' insert, 'U' update, 'D' delete, 'E' error
 *             @KeyValue    key of the changed row, as text
 *             @OldValue    row before the change (FOR XML RAW), or NULL
 *             @NewValue    row after the change, or NULL
 * Returns   : 0
 * Author    : K. Tanaka
 * History   : 2020-02-03 K. Tanaka  created
 */
CREATE PROCEDURE usp_AuditLog_Write
    @TableName sysname,
    @Operation char(1),
    @KeyValue  nvarchar(200),
    @OldValue  xml = NULL,
    @NewValue  xml = NULL
AS
BEGIN
    SET NOCOUNT ON;

    INSERT INTO T_AuditLog (LogID, LoggedAt, UserID, HostName, TableName, Operation,
                            KeyValue, OldValue, NewValue)
    VALUES (NEXT VALUE FOR seq_AuditLog, SYSDATETIME(),
            CAST(SESSION_CONTEXT(N'UserID') AS varchar(20)), HOST_NAME(),
            @TableName, @Operation, @KeyValue, @OldValue, @NewValue);

    RETURN 0;
END
