-- Keys the orphan journal holds; a complete history leaves none.
SELECT (SELECT COUNT(*) FROM ORFITCOMANDAVEN) + (SELECT COUNT(*) FROM ORFCOMANDAVEN)
       + (SELECT COUNT(*) FROM ORFVENDAREST) AS QTDE
