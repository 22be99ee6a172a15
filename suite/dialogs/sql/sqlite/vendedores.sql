-- The active waiters of the store for the opening dialog, by short name.
SELECT CDVENDEDOR, NMFANVEN, NMVENDEDOR
  FROM VENDEDOR
 WHERE COALESCE(IDATIVOVEN, 'S') = 'S'
 ORDER BY NMFANVEN, CDVENDEDOR
