-- DATEDIFF in minutes counts the minute boundaries crossed, so both times are cut
-- to the minute before they are subtracted.
UPDATE MESA
   SET DTBLOQMESA = NULL,
       IDSTMESAAUX = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTMESAAUX = 'S'
   AND EXTRACT(EPOCH FROM date_trunc('minute', LOCALTIMESTAMP) - date_trunc('minute', DTBLOQMESA)) / 60 > 5
