-- DATEDIFF in minutes counts the minute boundaries crossed, so both times are cut
-- to the minute before they are subtracted.
UPDATE ITCOMANDAVEN
   SET DTBLOQPOS = NULL,
       IDSTLUGARMESA = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTLUGARMESA = 'S'
   AND (CAST(strftime('%s', strftime('%Y-%m-%d %H:%M', 'now', 'localtime')) AS INTEGER)
        - CAST(strftime('%s', strftime('%Y-%m-%d %H:%M', DTBLOQPOS)) AS INTEGER)) / 60 > 5
