-- NOT EXISTS in place of NOT IN means the same here, the pad numbers being key
-- columns that are never null; each item probes the pad index of the branch instead of
-- a list of every pad being built again at each call.
DELETE FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = ITCOMANDAVEN.NRCOMANDA)
