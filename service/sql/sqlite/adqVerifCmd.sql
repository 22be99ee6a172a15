-- NOT EXISTS in place of NOT IN means the same here, the sale numbers being key
-- columns that are never null; each pad probes the sale key instead of a list of every
-- sale of the branch being built again at each call.
SELECT CO.NRVENDAREST, CO.NRCOMANDA
  FROM COMANDAVEN CO
 WHERE CO.CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = CO.NRVENDAREST)
 ORDER BY CO.NRVENDAREST, CO.NRCOMANDA
