-- The tables of the store that belong to a join group, for the whole map at once.
SELECT DISTINCT NRMESA
  FROM MESAJUNCAO
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
