-- The benefits a cancelled sale had taken go back to its restaurant sale, each to the tab
-- item its fiscal item came from.
UPDATE MOVBENEFICIOCONS
   SET NRSEQVENDA = :P_CHAVEVENDAREST,
       NRSEQUITVEND = COALESCE((SELECT I.NRPRODCOMVENIT
                                  FROM ITEMVENDA I
                                 WHERE I.CDFILIAL = MOVBENEFICIOCONS.CDFILIAL
                                   AND I.CDCAIXA = MOVBENEFICIOCONS.CDCAIXA
                                   AND I.NRSEQVENDA = MOVBENEFICIOCONS.NRSEQVENDA
                                   AND I.NRSEQUITVEND = MOVBENEFICIOCONS.NRSEQUITVEND),
                               NRSEQUITVEND)
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDCAIXA = :P_CDCAIXA
   AND NRSEQVENDA = :P_NRSEQVENDA
