-- The item numbers of a sale, cancelled items included: a split item takes the next one
-- above all of them, so that its time records (characters 4 to 6) are never those of
-- another item.
SELECT NRPRODCOMVEN
  FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
