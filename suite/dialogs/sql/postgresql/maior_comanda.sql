-- The highest order pad number of one width in the branch, the top of a range of the
-- pad-number index.
SELECT MAX(NRCOMANDA)
  FROM COMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA >= :P_DE
   AND NRCOMANDA <= :P_ATE
