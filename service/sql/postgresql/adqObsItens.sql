-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT I.NRPRODCOMVEN AS NRSEQ, I.CDPRODUTO, O.CDGRPOCOR, O.CDOCORR, I.NRCOMANDA
  FROM ITCOMANDAVEN I
  JOIN OBSITCOMANDAVEN O ON (O.CDFILIAL = I.CDFILIAL AND O.NRVENDAREST = I.NRVENDAREST
                             AND O.NRCOMANDA = I.NRCOMANDA AND O.NRPRODCOMVEN = I.NRPRODCOMVEN)
 WHERE I.CDFILIAL = :P_CDFILIAL
   AND I.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
