-- Concluded sales that are not whole: without items, without payments, without their
-- document, or with the document still being issued.
SELECT COUNT(*)
  FROM VENDA V
 WHERE V.CDFILIAL = :P_CDFILIAL
   AND V.IDSITUVENDA = 'O'
   AND (NOT EXISTS (SELECT 1
                      FROM ITEMVENDA I
                     WHERE I.CDFILIAL = V.CDFILIAL
                       AND I.CDCAIXA = V.CDCAIXA
                       AND I.NRSEQVENDA = V.NRSEQVENDA)
        OR NOT EXISTS (SELECT 1
                         FROM MOVCAIXA M
                        WHERE M.CDFILIAL = V.CDFILIAL
                          AND M.CDCAIXA = V.CDCAIXA
                          AND M.NRSEQVENDA = V.NRSEQVENDA)
        OR V.NRACESSONFCE IS NULL
        OR V.NRACESSONFCE = ''
        OR V.IDSTATUSNFCE = 'P')
