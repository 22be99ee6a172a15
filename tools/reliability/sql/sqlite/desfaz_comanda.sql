-- The order pads of a sale the harness opened, removed to free its table again.
DELETE FROM COMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
