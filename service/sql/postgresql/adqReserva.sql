-- Only the day counts, as in the SQL Server text that compares dates written as
-- dd/mm/yyyy: here the reservation date lies within the bound day, a range the date
-- index of the reservations finds without reading those of every other day.
SELECT RM.CDFILIAL, RM.CDLOJA, RM.NRRESMESA, RM.DTRESMESA, MR.NRMESA,
       RM.HRINIRESMESA, RM.HRFINRESMESA
  FROM MESA MS, MESARESERVA MR, RESERVAMESA RM
 WHERE MS.CDFILIAL = :P_CDFILIAL
   AND MS.CDLOJA = :P_CDLOJA
   AND MS.IDSTMESA = 'A'
   AND RM.IDSTRESMESA = 'P'
   AND RM.DTRESMESA >= date_trunc('day', CAST(:P_DATA AS TIMESTAMP))
   AND RM.DTRESMESA < date_trunc('day', CAST(:P_DATA AS TIMESTAMP)) + INTERVAL '1 day'
   AND MS.CDFILIAL = MR.CDFILIAL
   AND MS.CDLOJA = MR.CDLOJA
   AND MS.NRMESA = MR.NRMESA
   AND MS.CDFILIAL = RM.CDFILIAL
   AND MS.CDLOJA = RM.CDLOJA
   AND MR.NRRESMESA = RM.NRRESMESA
