-- The counter-sale table of a store: its receipt is titled as a counter sale.
SELECT NRMESAPADRAO
  FROM LOJA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
