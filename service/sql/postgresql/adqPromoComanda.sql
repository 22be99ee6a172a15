-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
SELECT CDFILIAL, NRVENDAREST, NRCOMANDA, NRSEQPROMOCOM, IDPROMOCOM, NMPROMOCOM, DSPROMOCOM,
       IDTPPROMOCOM, IDTPDESCPROMO, VRDESCPROMO, VRVENDAPROMO, IDUTPROMOCOM
  FROM PROMOCOMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA = ANY (array_remove(string_to_array(CAST(:P_NRCOMANDA AS VARCHAR), '_'), ''))
