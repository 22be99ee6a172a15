-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- The points spent are read item by item through their key (OFFSET 0 keeps the server
-- from joining them as a whole: the plan kept for every call would read all the points of
-- the history once it holds many).
SELECT I.CDFILIAL, V.CDCLIENTE, I.NRPRODCOMVEN, I.CDPRODUTO, I.QTPRODCOMVEN, M.CDCAMPANHA,
       M.VRPONTOBRINDE, M.IDUTILVOUCHER, P.CDARVPROD, P.NMPRODUTO
  FROM ITCOMANDAVEN I
  JOIN VENDAREST V ON (V.CDFILIAL = I.CDFILIAL AND V.NRVENDAREST = I.NRVENDAREST)
  CROSS JOIN LATERAL (SELECT MP.CDCAMPANHA, MP.VRPONTOBRINDE, MP.IDUTILVOUCHER
                        FROM MOVPONTOCONSAUX MP
                       WHERE MP.CDFILIAL = I.CDFILIAL
                         AND MP.NRVENDAREST = I.NRVENDAREST
                         AND MP.NRCOMANDA = I.NRCOMANDA
                         AND MP.NRPRODCOMVEN = I.NRPRODCOMVEN
                      OFFSET 0) M
  JOIN CAMPANHA C ON (C.CDCAMPANHA = M.CDCAMPANHA)
  JOIN PRODUTO P ON (P.CDPRODUTO = I.CDPRODUTO)
 WHERE I.CDFILIAL = :P_CDFILIAL
   AND I.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
   AND I.IDSTPRCOMVEN NOT IN ('6', '7')
