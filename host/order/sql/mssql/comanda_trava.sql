-- Claims an order pad for the items about to be written to it: a second till writing to
-- the same pad waits here until the first one has committed, so that the item numbers
-- each one gives never collide. No row: the pad is gone.
UPDATE COMANDAVEN
   SET IDSTCOMANDA = IDSTCOMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
   AND NRCOMANDA = :P_NRCOMANDA
