-- The SQL Server product version; this server reports none.
-- columns: VERSAO text
SELECT CAST(NULL AS VARCHAR(20)) AS VERSAO
