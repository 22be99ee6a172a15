-- A payment recorded with position "00" is of the whole table, as "T".
-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :P_NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
SELECT DISTINCT CDFILIAL, NRVENDAREST, NRCOMANDA, NRLUGARMESA, 'P' AS IDSTLUGARMESA
  FROM MOVCAIXAMOB INDEXED BY IX_MOVCAIXAMOB_COMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NOT (NRLUGARMESA = :P_NRLUGARMESA
            OR (:P_NRLUGARMESA = 'T' AND NRLUGARMESA = '00'))
   AND NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
   AND NRCOMANDA <> ''
   AND NRCOMANDA <> '0'
   AND NRSEQVENDA IS NULL
