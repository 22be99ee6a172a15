-- The active waiters, by short name, for the choice of waiter on the order screen.
SELECT CDVENDEDOR, NMFANVEN, NMVENDEDOR
  FROM VENDEDOR
 WHERE COALESCE(IDATIVOVEN, 'S') = 'S'
 ORDER BY NMFANVEN, CDVENDEDOR
