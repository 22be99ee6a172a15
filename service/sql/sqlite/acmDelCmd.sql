-- Only the sale numbers of the orphan journal can have tabs without their sale (the
-- triggers of the schema write it); the tabs of those numbers are each still checked
-- against the sales.
DELETE FROM COMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST IN (SELECT J.NRVENDAREST FROM ORFCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL)
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = COMANDAVEN.NRVENDAREST)
