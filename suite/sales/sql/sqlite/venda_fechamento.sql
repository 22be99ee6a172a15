-- The concluded sale of an account on a till, found by the identity of the account.
SELECT NRSEQVENDA, IDSTATUSNFCE
  FROM VENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDCAIXA = :P_CDCAIXA
   AND CDCHAVEFECHA = :P_CDCHAVEFECHA
   AND IDSITUVENDA = 'O'
