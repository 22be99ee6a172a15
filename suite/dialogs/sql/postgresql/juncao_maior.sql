-- The highest join group number of one width in the store.
SELECT MAX(NRJUNMESA)
  FROM JUNCAOMESA
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRJUNMESA >= :P_DE
   AND NRJUNMESA <= :P_ATE
