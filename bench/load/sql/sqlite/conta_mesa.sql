-- A free table of the load run taken for a new account with its bill requested; of two
-- tills asking at once only one takes it.
UPDATE MESA
   SET IDSTMESAAUX = 'S'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND IDSTMESAAUX = 'D'
