-- Concluded sales of a till since its cash opening, their count and total.
-- The upper bound changes nothing but lets the plan kept for every opening read the
-- sales of the till from its opening on through their index, not the whole history.
SELECT COUNT(*) AS QTVENDAS, COALESCE(SUM(VRTOTVENDA), 0) AS VRTOTAL
  FROM VENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND CDCAIXA = :P_CDCAIXA
   AND IDSITUVENDA = 'O'
   AND DTVENDA >= :P_DTABERCAIXA
   AND DTVENDA <= CAST('infinity' AS TIMESTAMP(3))
