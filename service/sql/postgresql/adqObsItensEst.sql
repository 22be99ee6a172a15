-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT E.NRPRODCOMVEN AS NRSEQ, E.CDPRODUTO, O.CDGRPOCOR, O.CDOCORR, E.NRCOMANDA
  FROM ITCOMANDAEST E
  JOIN OBSITCOMANDAEST O ON (O.CDFILIAL = E.CDFILIAL AND O.NRVENDAREST = E.NRVENDAREST
                             AND O.NRCOMANDA = E.NRCOMANDA AND O.NRPRODCOMVEN = E.NRPRODCOMVEN
                             AND O.CDPRODUTO = E.CDPRODUTO)
 WHERE E.CDFILIAL = :P_CDFILIAL
   AND E.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
