-- The state of a registered table (nothing for a table that is not).
SELECT IDSTMESAAUX
  FROM MESA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
