-- Only the sale numbers of the orphan journal can name a sale without any tab (the
-- triggers of the schema write it); the sales of those numbers are each still checked
-- against the tabs of every branch.
-- The journal is read first, into an array (ARRAY(SELECT ...)): whatever its statistics
-- say, PostgreSQL then finds the rows of its keys through the index.
DELETE FROM VENDAREST
 WHERE NRVENDAREST = ANY (ARRAY(SELECT J.NRVENDAREST FROM ORFVENDAREST J))
   AND NRMESA = :P_NRMESA
   AND CDLOJA = :P_CDLOJA
   AND NOT EXISTS (SELECT 1 FROM COMANDAVEN CO WHERE CO.NRVENDAREST = VENDAREST.NRVENDAREST)
