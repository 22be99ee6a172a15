-- The cash opening of a till that is not closed yet (the newest, if several).
SELECT MAX(DTABERCAIX) AS DTABERCAIX
  FROM TURCAIXA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDCAIXA = :P_CDCAIXA
   AND DTFECHCAIX IS NULL
