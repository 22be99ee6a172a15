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
SELECT I.NRPRODCOMVEN AS NRSEQ, I.CDPRODUTO, O.CDGRPOCOR, O.CDOCORR, I.NRCOMANDA
  FROM ITCOMANDAVEN I INDEXED BY IX_ITCOMANDAVEN_COMANDA
  JOIN OBSITCOMANDAVEN O ON (O.CDFILIAL = I.CDFILIAL AND O.NRVENDAREST = I.NRVENDAREST
                             AND O.NRCOMANDA = I.NRCOMANDA AND O.NRPRODCOMVEN = I.NRPRODCOMVEN)
 WHERE I.CDFILIAL = :P_CDFILIAL
   AND I.NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
