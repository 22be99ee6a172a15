-- NOT EXISTS in place of NOT IN means the same here, the sale numbers being key
-- columns that are never null. PostgreSQL runs it as one anti join; a NOT IN whose list
-- does not fit in working memory is read again for every sale of the table.
DELETE FROM VENDAREST
 WHERE NRMESA = :P_NRMESA
   AND CDLOJA = :P_CDLOJA
   AND NOT EXISTS (SELECT 1 FROM COMANDAVEN CO WHERE CO.NRVENDAREST = VENDAREST.NRVENDAREST)
