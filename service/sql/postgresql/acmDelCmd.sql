-- Only the sale numbers of the orphan journal can have tabs without their sale (the
-- triggers of the schema write it); the tabs of those numbers are each still checked
-- against the sales.
-- The journal is read first, into an array (ARRAY(SELECT ...)): whatever its statistics
-- say, PostgreSQL then finds the rows of its keys through the index.
DELETE FROM COMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = ANY (ARRAY(SELECT J.NRVENDAREST FROM ORFCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL))
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = COMANDAVEN.NRVENDAREST)
