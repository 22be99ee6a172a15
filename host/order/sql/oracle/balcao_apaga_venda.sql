-- A counter sale that was not paid; a sale already closed is never removed.
DELETE FROM VENDAREST
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
   AND DTHRFECHMESA IS NULL
