-- Only the tab numbers of the orphan journal can have items without their tab (the
-- triggers of the schema write it), so the old items of the branch are never
-- read: the items of those numbers are each still checked against the tabs.
-- The journal is read first, into an array (ARRAY(SELECT ...)): whatever its statistics
-- say, PostgreSQL then finds the rows of its keys through the index.
SELECT IT.NRVENDAREST, IT.NRCOMANDA, IT.NRPRODCOMVEN
  FROM ITCOMANDAVEN IT
 WHERE IT.CDFILIAL = :P_CDFILIAL
   AND IT.NRCOMANDA = ANY (ARRAY(SELECT J.NRCOMANDA FROM ORFITCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL))
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = IT.NRCOMANDA)
