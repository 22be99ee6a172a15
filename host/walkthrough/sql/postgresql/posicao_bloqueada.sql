-- The mobile point of sale starts the payment of one seat of a table: the items of the seat
-- are blocked, its bill requested.
UPDATE ITCOMANDAVEN
   SET IDSTLUGARMESA = 'S',
       DTBLOQPOS = :P_DTBLOQPOS
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
   AND NRLUGARMESA = :P_NRLUGARMESA
