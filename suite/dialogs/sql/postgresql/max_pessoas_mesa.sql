-- The largest party a table of the branch takes.
SELECT NRMAXPESMES
  FROM PARAVEND
 WHERE CDFILIAL = :P_CDFILIAL
