-- Takes a free table for a new sale, as the opening at the till does: only an active table that
-- is still free changes.
UPDATE MESA
   SET IDSTMESAAUX = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND IDSTMESA = 'A'
   AND IDSTMESAAUX = 'D'
