-- The highest sale number of one width and prefix (any branch: sale numbers are matched
-- by number alone), the top of a range of the sale-number index.
SELECT MAX(NRVENDAREST)
  FROM VENDAREST
 WHERE NRVENDAREST >= :P_DE
   AND NRVENDAREST <= :P_ATE
