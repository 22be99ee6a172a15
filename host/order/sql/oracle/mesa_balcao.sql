-- The counter table of a store (LOJA.NRMESAPADRAO), where counter sales are taken.
SELECT NRMESAPADRAO
  FROM LOJA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
