-- Which till claimed the table for its receipt, and when.
SELECT CDCAIXARECEB, DTHRRECEB
  FROM MESA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
