-- A waiter's recorded code, enciphered password and whether active.
SELECT CDVENDEDOR, CDSENHAVEN, IDATIVOVEN
  FROM VENDEDOR
 WHERE CDVENDEDOR = :P_CDVENDEDOR
