-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- The open sale comes first when a tab number also names closed sales.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :P_NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
SELECT VE.NRVENDAREST
  FROM VENDAREST VE
  JOIN COMANDAVEN CO INDEXED BY IX_COMANDAVEN_COMANDA
    ON (CO.CDFILIAL = VE.CDFILIAL AND CO.NRVENDAREST = VE.NRVENDAREST)
 WHERE VE.CDFILIAL = :P_CDFILIAL
   AND CO.NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
 ORDER BY CASE WHEN VE.DTHRFECHMESA IS NULL THEN 0 ELSE 1 END, VE.NRVENDAREST DESC
