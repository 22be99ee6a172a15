-- Only the sale numbers of the orphan journal can name a sale without any tab (the
-- triggers of the schema write it), so the history of the table is never read: the sales of
-- those numbers are each still checked against the tabs of every branch.
SELECT VE.CDFILIAL, VE.NRVENDAREST
  FROM VENDAREST VE
 WHERE VE.NRVENDAREST IN (SELECT J.NRVENDAREST FROM ORFVENDAREST J)
   AND VE.NRMESA = :P_NRMESA
   AND VE.CDLOJA = :P_CDLOJA
   AND NOT EXISTS (SELECT 1 FROM COMANDAVEN CO WHERE CO.NRVENDAREST = VE.NRVENDAREST)
