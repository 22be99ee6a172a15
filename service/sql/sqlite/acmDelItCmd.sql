-- Only the tab numbers of the orphan journal can have items without their tab (the
-- triggers of the schema write it); the items of those numbers are each still checked
-- against the tabs. The triggers take the numbers whose items are gone off the journal.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
DELETE FROM ITCOMANDAVEN INDEXED BY IX_ITCOMANDAVEN_COMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA IN (SELECT J.NRCOMANDA FROM ORFITCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL)
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = ITCOMANDAVEN.NRCOMANDA)
