-- Only the sale numbers of the orphan journal can have tabs without their sale (the
-- triggers of the schema write it), so the old tabs of the branch are never read:
-- the tabs of those numbers are each still checked against the sales.
-- The journal is read first, into an array (ARRAY(SELECT ...)): whatever its statistics
-- say, PostgreSQL then finds the rows of its keys through the index.
SELECT CO.NRVENDAREST, CO.NRCOMANDA
  FROM COMANDAVEN CO
 WHERE CO.CDFILIAL = :P_CDFILIAL
   AND CO.NRVENDAREST = ANY (ARRAY(SELECT J.NRVENDAREST FROM ORFCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL))
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = CO.NRVENDAREST)
 ORDER BY CO.NRVENDAREST, CO.NRCOMANDA
