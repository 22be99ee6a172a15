-- NOT EXISTS in place of NOT IN means the same here, the sale numbers being key
-- columns that are never null. PostgreSQL runs it as one anti join; a NOT IN whose list
-- does not fit in working memory is read again for every pad of the branch.
SELECT CO.NRVENDAREST, CO.NRCOMANDA
  FROM COMANDAVEN CO
 WHERE CO.CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VE
                    WHERE VE.CDFILIAL = :P_CDFILIAL
                      AND VE.NRVENDAREST = CO.NRVENDAREST)
 ORDER BY CO.NRVENDAREST, CO.NRCOMANDA
