-- The list holds each pad number followed by an underscore; it is split into its
-- numbers, so only whole numbers are taken (pad 1 is not the end of pad 11) and the
-- items are found through the pad-number index.
DELETE FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
