-- The tab list ("_0001_0002_") is split into its numbers: only a whole number is a
-- member (tab 1 is not in "_11_"), and the rows are found through the tab-number
-- index instead of every row of the branch being searched.
WITH RECURSIVE LISTA(NRCOMANDA, RESTO) AS (
    SELECT NULL, :P_NRCOMANDA || '_'
    UNION ALL
    SELECT substr(RESTO, 1, instr(RESTO, '_') - 1), substr(RESTO, instr(RESTO, '_') + 1)
      FROM LISTA
     WHERE RESTO <> '')
SELECT DISTINCT (COALESCE(IM.CDNATPRODUTO, '0')) AS CDNATPRODUTO
  FROM VENDAREST VR, COMANDAVEN CO, ITCOMANDAVEN IT,
       -- One nature per product (the first, when its buttons name more than one), so an
       -- item falls in exactly one coupon of a series.
       (SELECT B.CDFILIAL, B.CDIDENTBUTON, MIN(B.CDNATPRODUTO) AS CDNATPRODUTO
          FROM ITMENUCONFTE B, CONFTELA C
         WHERE B.CDFILIAL = C.CDFILIAL
           AND B.NRCONFTELA = C.NRCONFTELA
           AND C.CDLOJA = :P_CDLOJA
         GROUP BY B.CDFILIAL, B.CDIDENTBUTON) IM
 WHERE VR.CDFILIAL = CO.CDFILIAL
   AND VR.NRVENDAREST = CO.NRVENDAREST
   AND CO.CDFILIAL = IT.CDFILIAL
   AND CO.NRVENDAREST = IT.NRVENDAREST
   AND CO.NRCOMANDA = IT.NRCOMANDA
   AND CO.NRCOMANDA IN (SELECT NRCOMANDA FROM LISTA WHERE NRCOMANDA <> '')
   AND CO.NRCOMANDA <> ''
   AND IT.CDFILIAL = IM.CDFILIAL
   AND IT.CDPRODUTO = IM.CDIDENTBUTON
   AND IT.IDSTPRCOMVEN <> '6'
   AND VR.CDFILIAL = :P_CDFILIAL
 ORDER BY CDNATPRODUTO DESC
