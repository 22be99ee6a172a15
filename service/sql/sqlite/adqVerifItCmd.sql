-- Only the tab numbers of the orphan journal can have items without their tab (the
-- triggers of the schema write it), so the old items of the branch are never
-- read: the items of those numbers are each still checked against the tabs.
-- SQLite is told the index to use (INDEXED BY): without statistics it would rather read
-- the key of the whole branch.
SELECT IT.NRVENDAREST, IT.NRCOMANDA, IT.NRPRODCOMVEN
  FROM ITCOMANDAVEN IT INDEXED BY IX_ITCOMANDAVEN_COMANDA
 WHERE IT.CDFILIAL = :P_CDFILIAL
   AND IT.NRCOMANDA IN (SELECT J.NRCOMANDA FROM ORFITCOMANDAVEN J WHERE J.CDFILIAL = :P_CDFILIAL)
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = IT.NRCOMANDA)
