-- The table of a removed sale, free again.
UPDATE MESA
   SET IDSTMESAAUX = 'D'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
