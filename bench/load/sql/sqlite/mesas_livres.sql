-- The free tables of the store, for the tills of the load run.
SELECT NRMESA
  FROM MESA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTMESAAUX = 'D'
 ORDER BY NRMESA
