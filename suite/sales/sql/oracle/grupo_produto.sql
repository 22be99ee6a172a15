-- The subgroup of a product in the sales group of a branch (or of the pattern branch P).
SELECT CDFILISUBGR, CDSUBGRPROD
  FROM PRSUBGRPROD
 WHERE CDFILISUBGR = :P_CDFILISUBGR
   AND CDGRUPPROD = :P_CDGRUPPROD
   AND CDPRODUTO = :P_CDPRODUTO
