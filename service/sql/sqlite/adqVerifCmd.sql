-- Only the sale numbers of the orphan journal can have tabs without their sale (the
-- triggers of the schema write it), so the old tabs of the branch are never read:
-- the tabs of those numbers are each still checked against the sales.
SELECT CO.NRVENDAREST, CO.NRCOMANDA
  FROM COMANDAVEN CO
 WHERE CO.CDFILIAL = :P_CDFILIAL
   AND CO.NRVENDAREST IN (SELECT J.NRVENDAREST FROM ORFCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL)
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = CO.NRVENDAREST)
 ORDER BY CO.NRVENDAREST, CO.NRCOMANDA
