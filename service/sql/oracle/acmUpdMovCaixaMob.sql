-- Only pending payments are tied, so a payment already taken into a sale keeps it.
UPDATE MOVCAIXAMOB
   SET CDCAIXA = :CDCAIXA,
       NRSEQVENDA = :NRSEQVENDA
 WHERE CDFILIAL = :CDFILIAL
   AND NRLUGARMESA IN ('T', '00')
   AND INSTR(:NRCOMANDA, NRCOMANDA) <> 0
   AND NRSEQVENDA IS NULL
