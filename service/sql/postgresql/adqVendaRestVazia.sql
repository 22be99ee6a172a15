-- Only whether the table has a sale is read: the first one found is enough, and
-- PostgreSQL then walks the index of the table instead of fetching its whole history.
SELECT VE.NRVENDAREST
  FROM VENDAREST VE
 WHERE VE.NRMESA = :P_NRMESA
   AND VE.CDFILIAL = :P_CDFILIAL
   AND VE.CDLOJA = :P_CDLOJA
 LIMIT 1
