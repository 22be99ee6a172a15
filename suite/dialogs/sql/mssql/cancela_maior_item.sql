-- The highest item number of a sale: a split item takes the next one, so that its
-- time records (characters 4 to 6) are never those of another item.
SELECT MAX(NRPRODCOMVEN)
  FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
