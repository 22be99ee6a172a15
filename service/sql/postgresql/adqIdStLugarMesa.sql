-- A payment recorded with position "00" is of the whole table, as "T".
-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT DISTINCT CDFILIAL, NRVENDAREST, NRCOMANDA, NRLUGARMESA, 'P' AS IDSTLUGARMESA
  FROM MOVCAIXAMOB
 WHERE CDFILIAL = :P_CDFILIAL
   AND NOT (NRLUGARMESA = :P_NRLUGARMESA
            OR (:P_NRLUGARMESA = 'T' AND NRLUGARMESA = '00'))
   AND NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
   AND NRCOMANDA <> ''
   AND NRCOMANDA <> '0'
   AND NRSEQVENDA IS NULL
