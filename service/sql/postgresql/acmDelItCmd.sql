-- Only the tab numbers of the orphan journal can have items without their tab (the
-- triggers of the schema write it); the items of those numbers are each still checked
-- against the tabs. The triggers take the numbers whose items are gone off the journal.
-- The journal is read first, into an array (ARRAY(SELECT ...)): whatever its statistics
-- say, PostgreSQL then finds the rows of its keys through the index.
DELETE FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA = ANY (ARRAY(SELECT J.NRCOMANDA FROM ORFITCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL))
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = ITCOMANDAVEN.NRCOMANDA)
