-- A sale the harness opened, removed to free its table again.
DELETE FROM VENDAREST
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
