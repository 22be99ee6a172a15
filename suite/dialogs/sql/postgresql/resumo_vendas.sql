-- The sales of a till since its cash opening, by situation ('O' concluded, 'C'
-- cancelled): how many, products and service charge.
SELECT IDSITUVENDA, COUNT(*), COALESCE(SUM(VRTOTVENDA), 0), COALESCE(SUM(VRTXSEVENDA), 0)
  FROM VENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND CDCAIXA = :P_CDCAIXA
   AND DTVENDA >= :P_DTABERCAIXA
 GROUP BY IDSITUVENDA
