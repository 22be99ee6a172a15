-- columns: VRTOTVENDA float
-- The product truncated to two decimals: the cents are rounded to six places first,
-- so a binary tail (1.15 held as 1.1499999) does not lose a cent, then the cast cuts
-- toward zero as the truncating ROUND does.
SELECT SUM(CAST(ROUND(IC.QTPRODVENDC * (IC.VRUNITVENDC + IFNULL(IC.VRUNITVENCLC, 0)) * 100, 6)
                AS INTEGER) / 100.0
           + IFNULL(IC.VRACRITVENDC, 0) - IFNULL(IC.VRDESITVENDC, 0)) AS VRTOTVENDA
  FROM ITVENDACAN IC
 WHERE IC.CDFILIAL = :P_CDFILIAL
   AND IC.CDCAIXA = :P_CDCAIXA
   AND IC.NRSEQVENDA = :P_NRSEQVENDA
