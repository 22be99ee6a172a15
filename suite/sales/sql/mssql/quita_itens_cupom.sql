-- The live items of a pad that a coupon sold (its products) are settled by it.
UPDATE ITCOMANDAVEN
   SET NRSEQVENDA = :P_NRSEQVENDA
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRVENDAREST = :P_NRVENDAREST
   AND NRCOMANDA = :P_NRCOMANDA
   AND NRSEQVENDA IS NULL
   AND COALESCE(IDSTPRCOMVEN, '0') NOT IN ('6', '7')
   AND CDPRODUTO IN (SELECT I.CDPRODUTO
                       FROM ITEMVENDA I
                      WHERE I.CDFILIAL = :P_CDFILIAL
                        AND I.CDCAIXA = :P_CDCAIXA
                        AND I.NRSEQVENDA = :P_NRSEQVENDA)
