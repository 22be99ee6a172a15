-- Only the sale numbers of the orphan journal can name a sale without any tab (the
-- triggers of the schema write it); the sales of those numbers are each still checked
-- against the tabs of every branch.
DELETE FROM VENDAREST
 WHERE NRVENDAREST IN (SELECT J.NRVENDAREST FROM ORFVENDAREST J)
   AND NRMESA = :P_NRMESA
   AND CDLOJA = :P_CDLOJA
   AND NOT EXISTS (SELECT 1 FROM COMANDAVEN CO WHERE CO.NRVENDAREST = VENDAREST.NRVENDAREST)
