-- columns: VRTOTVENDA float
-- The product truncated to two decimals: the cents are rounded to six places first,
-- so a binary tail (1.15 held as 1.1499999) does not lose a cent, then the cast cuts
-- toward zero as the truncating ROUND does.
SELECT SUM(CAST(ROUND(IT.QTPRODVEND * (IT.VRUNITVEND + IFNULL(IT.VRUNITVENDCL, 0)) * 100, 6)
                AS INTEGER) / 100.0
           + IFNULL(IT.VRACRITVEND, 0) - IFNULL(IT.VRDESITVEND, 0)) AS VRTOTVENDA
  FROM ITEMVENDA IT
 WHERE IT.CDFILIAL = :P_CDFILIAL
   AND IT.CDCAIXA = :P_CDCAIXA
   AND IT.NRSEQVENDA = :P_NRSEQVENDA
