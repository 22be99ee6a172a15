-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- Only pending payments are tied, so a payment already taken into a sale keeps it.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
UPDATE MOVCAIXAMOB INDEXED BY IX_MOVCAIXAMOB_COMANDA
   SET CDCAIXA = :CDCAIXA,
       NRSEQVENDA = :NRSEQVENDA
 WHERE CDFILIAL = :CDFILIAL
   AND NRLUGARMESA IN ('T', '00')
   AND NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
   AND NRSEQVENDA IS NULL
