-- columns: VRTOTVENDA float
-- The product truncated to two decimals on its decimal value (the cast to NUMERIC
-- keeps fifteen significant digits, so 1.15 stays 1.15 before the cut).
SELECT CAST(SUM(TRUNC(CAST(IT.QTPRODVEND * (IT.VRUNITVEND + COALESCE(IT.VRUNITVENDCL, 0))
                           AS NUMERIC), 2)
                + CAST(COALESCE(IT.VRACRITVEND, 0) AS NUMERIC)
                - CAST(COALESCE(IT.VRDESITVEND, 0) AS NUMERIC)) AS DOUBLE PRECISION) AS VRTOTVENDA
  FROM ITEMVENDA IT
 WHERE IT.CDFILIAL = :P_CDFILIAL
   AND IT.CDCAIXA = :P_CDCAIXA
   AND IT.NRSEQVENDA = :P_NRSEQVENDA
