-- NOT EXISTS in place of NOT IN means the same here, the sale numbers being key
-- columns that are never null; each pad probes the sale key instead of a list of every
-- sale of the branch being built again at each call.
DELETE FROM COMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = COMANDAVEN.NRVENDAREST)
