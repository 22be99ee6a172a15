-- The name of a branch, printed at the head of its receipts.
SELECT NMFILIAL
  FROM FILIAL
 WHERE CDFILIAL = :P_CDFILIAL
