-- Whether a restaurant sale was closed (received and settled).
SELECT DTHRFECHMESA
  FROM VENDAREST
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
