-- Takes a free table for a new sale: only an active table that is still free changes,
-- so of two tills opening it at once one finds it taken.
UPDATE MESA
   SET IDSTMESAAUX = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND IDSTMESA = 'A'
   AND IDSTMESAAUX = 'D'
