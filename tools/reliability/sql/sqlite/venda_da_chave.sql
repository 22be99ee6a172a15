-- The concluded sales that hold a fiscal document's access key.
SELECT COUNT(*)
  FROM VENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRACESSONFCE = :P_CHAVE
   AND IDSITUVENDA = 'O'
