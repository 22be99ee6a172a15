-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT DISTINCT CDFILIAL, NRVENDAREST, NRCOMANDA, NRLUGARMESA, 'P' AS IDSTLUGARMESA
  FROM MOVCAIXAMOB
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRLUGARMESA <> :P_NRLUGARMESA
   AND NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
   AND NRCOMANDA <> ''
   AND NRCOMANDA <> '0'
   AND NRSEQVENDA IS NULL
