-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
-- Only pending payments are tied, so a payment already taken into a sale keeps it.
UPDATE MOVCAIXAMOB
   SET CDCAIXA = :CDCAIXA,
       NRSEQVENDA = :NRSEQVENDA
 WHERE CDFILIAL = :CDFILIAL
   AND NRLUGARMESA IN ('T', '00')
   AND NRCOMANDA = ANY (array_remove(string_to_array(CAST(:NRCOMANDA AS VARCHAR), '_'), ''))
   AND NRSEQVENDA IS NULL
