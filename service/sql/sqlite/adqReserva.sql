-- Only the day counts, as in the SQL Server text that compares dates written as
-- dd/mm/yyyy: here the reservation date lies within the bound day, a range the date
-- index of the reservations finds without reading those of every other day.
-- SQLite is told the index and the order (INDEXED BY, CROSS JOIN): without statistics it
-- would rather read every reservation of the tables of the store.
SELECT RM.CDFILIAL, RM.CDLOJA, RM.NRRESMESA, RM.DTRESMESA, MR.NRMESA,
       RM.HRINIRESMESA, RM.HRFINRESMESA
  FROM RESERVAMESA RM INDEXED BY IX_RESERVAMESA_DATA
 CROSS JOIN MESARESERVA MR
 CROSS JOIN MESA MS
 WHERE MS.CDFILIAL = :P_CDFILIAL
   AND MS.CDLOJA = :P_CDLOJA
   AND MS.IDSTMESA = 'A'
   AND RM.IDSTRESMESA = 'P'
   AND RM.DTRESMESA >= strftime('%Y-%m-%d 00:00:00.000', :P_DATA)
   AND RM.DTRESMESA < strftime('%Y-%m-%d 00:00:00.000', :P_DATA, '+1 day')
   AND MS.CDFILIAL = MR.CDFILIAL
   AND MS.CDLOJA = MR.CDLOJA
   AND MS.NRMESA = MR.NRMESA
   AND MS.CDFILIAL = RM.CDFILIAL
   AND MS.CDLOJA = RM.CDLOJA
   AND MR.NRRESMESA = RM.NRRESMESA
