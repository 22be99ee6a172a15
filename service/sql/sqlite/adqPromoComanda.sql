-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :P_NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
SELECT CDFILIAL, NRVENDAREST, NRCOMANDA, NRSEQPROMOCOM, IDPROMOCOM, NMPROMOCOM, DSPROMOCOM,
       IDTPPROMOCOM, IDTPDESCPROMO, VRDESCPROMO, VRVENDAPROMO, IDUTPROMOCOM
  FROM PROMOCOMANDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
