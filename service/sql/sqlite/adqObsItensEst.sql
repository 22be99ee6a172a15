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
SELECT E.NRPRODCOMVEN AS NRSEQ, E.CDPRODUTO, O.CDGRPOCOR, O.CDOCORR, E.NRCOMANDA
  FROM ITCOMANDAEST E INDEXED BY IX_ITCOMANDAEST_COMANDA
  JOIN OBSITCOMANDAEST O ON (O.CDFILIAL = E.CDFILIAL AND O.NRVENDAREST = E.NRVENDAREST
                             AND O.NRCOMANDA = E.NRCOMANDA AND O.NRPRODCOMVEN = E.NRPRODCOMVEN
                             AND O.CDPRODUTO = E.CDPRODUTO)
 WHERE E.CDFILIAL = :P_CDFILIAL
   AND E.NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
