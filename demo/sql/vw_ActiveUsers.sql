/* Users who may log on: not locked, and still employed when linked to an employee. */
CREATE VIEW vw_ActiveUsers
AS
SELECT
    u.UserID,
    u.EmployeeNo,
    e.氏名 AS EmployeeName,
    u.Role,
    u.LastLoginAt
FROM
    M_User AS u
    LEFT JOIN 社員 AS e ON e.社員番号 = u.EmployeeNo
WHERE
    u.IsLocked = 0
    AND (u.EmployeeNo IS NULL OR e.在籍フラグ = 1)
