-- The accounts of the load run received (a concluded sale), and those received more than
-- once.
SELECT COUNT(*) AS RECEBIDAS,
       COALESCE(SUM(CASE WHEN VENDAS > 1 THEN 1 ELSE 0 END), 0) AS DUPLICADAS
  FROM (SELECT NRVENDAREST, COUNT(*) AS VENDAS
          FROM VENDA
         WHERE CDFILIAL = :P_CDFILIAL
           AND IDSITUVENDA = 'O'
           AND NRVENDAREST LIKE '8%'
         GROUP BY NRVENDAREST) R
