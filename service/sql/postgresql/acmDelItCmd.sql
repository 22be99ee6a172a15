-- NOT EXISTS in place of NOT IN means the same here, the pad numbers being key
-- columns that are never null. PostgreSQL runs it as one anti join; a NOT IN whose list
-- does not fit in working memory is read again for every item of the branch.
DELETE FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NOT EXISTS (SELECT 1
                     FROM COMANDAVEN CO
                    WHERE CO.CDFILIAL = :P_CDFILIAL
                      AND CO.NRCOMANDA = ITCOMANDAVEN.NRCOMANDA)
