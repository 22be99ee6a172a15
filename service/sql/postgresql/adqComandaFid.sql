-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT V.CDCLIENTE, V.CDCONSUMIDOR, C.VRDESCFID
  FROM COMANDAVEN C
  JOIN VENDAREST V ON (V.CDFILIAL = C.CDFILIAL AND V.NRVENDAREST = C.NRVENDAREST)
 WHERE C.CDFILIAL = :P_CDFILIAL
   AND C.NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
   AND COALESCE(C.VRDESCFID, 0) > 0
