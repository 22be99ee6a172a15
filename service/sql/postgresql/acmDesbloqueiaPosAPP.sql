-- DATEDIFF in minutes counts the minute boundaries crossed, so both times are cut
-- to the minute before they are subtracted.
UPDATE ITCOMANDAVEN
   SET DTBLOQPOS = NULL,
       IDSTLUGARMESA = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTLUGARMESA = 'S'
   AND EXTRACT(EPOCH FROM date_trunc('minute', LOCALTIMESTAMP) - date_trunc('minute', DTBLOQPOS)) / 60 > 5
