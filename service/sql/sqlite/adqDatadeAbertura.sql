-- The opening date and time of the open sale, so that a table opened a minute ago
-- does not look idle.
SELECT DTHRABERMESA AS DTULTIMAVENDA
  FROM VENDAREST
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA = :P_NRMESA
   AND DTHRFECHMESA IS NULL
