-- Branches the database holds; the demo store goes only into a database without any.
SELECT COUNT(*) AS QTFILIAIS FROM FILIAL
