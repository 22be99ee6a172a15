-- The concluded sales that hold the access key of a fiscal document.
SELECT COUNT(*)
  FROM VENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRACESSONFCE = :P_CHAVE
   AND IDSITUVENDA = 'O'
