-- NOT EXISTS in place of NOT IN means the same here, the pad numbers being key
-- columns that are never null; each item probes the pad index of the branch instead of
-- a list of every pad being built again at each call.
SELECT IT.NRVENDAREST, IT.NRCOMANDA, IT.NRPRODCOMVEN
  FROM ITCOMANDAVEN IT
 WHERE IT.CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = IT.NRCOMANDA)
