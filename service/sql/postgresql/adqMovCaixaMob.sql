-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT M.*
  FROM MOVCAIXAMOB M
 WHERE M.CDFILIAL = :P_CDFILIAL
   AND M.IDSTMOV = '1'
   AND M.IDADMTASK = '0'
   AND M.NRLUGARMESA IN ('T', '00')
   AND M.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
   AND M.NRVENDAREST <> '0'
   AND M.NRSEQVENDA IS NULL
