-- The recorded code of a waiter, the enciphered password and whether active.
SELECT CDVENDEDOR, CDSENHAVEN, IDATIVOVEN
  FROM VENDEDOR
 WHERE CDVENDEDOR = :P_CDVENDEDOR
