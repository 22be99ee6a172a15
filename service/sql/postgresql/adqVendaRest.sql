-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- The open sale comes first when a tab number also names closed sales.
SELECT VE.NRVENDAREST
  FROM VENDAREST VE
  JOIN COMANDAVEN CO ON (CO.CDFILIAL = VE.CDFILIAL AND CO.NRVENDAREST = VE.NRVENDAREST)
 WHERE VE.CDFILIAL = :P_CDFILIAL
   AND CO.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
 ORDER BY CASE WHEN VE.DTHRFECHMESA IS NULL THEN 0 ELSE 1 END, VE.NRVENDAREST DESC
