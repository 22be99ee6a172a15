-- The app payments a cancelled sale had taken are pending again.
UPDATE MOVCAIXAMOB
   SET NRSEQVENDA = NULL,
       CDCAIXA = NULL
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRSEQVENDA = :P_NRSEQVENDA
   AND CDCAIXA = :P_CDCAIXA
