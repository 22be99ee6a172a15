-- The time the bill was requested, on the open sale of the table only: its closed sales keep
-- their history.
UPDATE VENDAREST
   SET DTHRMESAFECH = :P_AGORA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND DTHRFECHMESA IS NULL
