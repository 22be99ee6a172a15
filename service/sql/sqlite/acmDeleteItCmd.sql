-- The list holds each pad number followed by an underscore; it is split into its
-- numbers, so only whole numbers are taken (pad 1 is not the end of pad 11) and the
-- items are found through the pad-number index.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :P_NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
DELETE FROM ITCOMANDAVEN INDEXED BY IX_ITCOMANDAVEN_COMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
