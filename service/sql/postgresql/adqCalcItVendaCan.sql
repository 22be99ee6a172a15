-- columns: VRTOTVENDA float
-- The product truncated to two decimals on its decimal value (the cast to NUMERIC
-- keeps fifteen significant digits, so 1.15 stays 1.15 before the cut).
SELECT CAST(SUM(TRUNC(CAST(IC.QTPRODVENDC * (IC.VRUNITVENDC + COALESCE(IC.VRUNITVENCLC, 0))
                           AS NUMERIC), 2)
                + CAST(COALESCE(IC.VRACRITVENDC, 0) AS NUMERIC)
                - CAST(COALESCE(IC.VRDESITVENDC, 0) AS NUMERIC)) AS DOUBLE PRECISION) AS VRTOTVENDA
  FROM ITVENDACAN IC
 WHERE IC.CDFILIAL = :P_CDFILIAL
   AND IC.CDCAIXA = :P_CDCAIXA
   AND IC.NRSEQVENDA = :P_NRSEQVENDA
