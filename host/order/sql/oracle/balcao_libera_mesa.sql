-- The counter table free again once its unpaid sale is removed.
UPDATE MESA
   SET IDSTMESAAUX = 'D'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND IDSTMESAAUX IN ('O', 'S')
