-- The bill of a counter sale requested, so that it is received as a table is: the counter
-- table goes from occupied to bill requested.
UPDATE MESA
   SET IDSTMESAAUX = 'S'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND IDSTMESAAUX = 'O'
