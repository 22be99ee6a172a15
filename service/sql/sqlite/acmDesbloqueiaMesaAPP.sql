-- DATEDIFF in minutes counts the minute boundaries crossed, so both times are cut
-- to the minute before they are subtracted.
UPDATE MESA
   SET DTBLOQMESA = NULL,
       IDSTMESAAUX = 'O'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTMESAAUX = 'S'
   AND (CAST(strftime('%s', strftime('%Y-%m-%d %H:%M', 'now', 'localtime')) AS INTEGER)
        - CAST(strftime('%s', strftime('%Y-%m-%d %H:%M', DTBLOQMESA)) AS INTEGER)) / 60 > 5
