-- Claims the order pad before its items change: another till writing to the same pad (an
-- order, a cancellation) waits until this one has committed, so that item numbers never
-- collide. No row: the pad is gone.
UPDATE COMANDAVEN
   SET IDSTCOMANDA = IDSTCOMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
   AND NRCOMANDA = :P_NRCOMANDA
