-- Membership in the list is a substring search, as CHARINDEX does; an empty
-- number is never a member there, so it is excluded here as well.
SELECT DISTINCT CDFILIAL, NRVENDAREST, NRCOMANDA, NRLUGARMESA, 'P' AS IDSTLUGARMESA
  FROM MOVCAIXAMOB
 WHERE CDFILIAL = :P_CDFILIAL
   AND NRLUGARMESA <> :P_NRLUGARMESA
   AND instr(:P_NRCOMANDA, NRCOMANDA) <> 0
   AND NRCOMANDA <> ''
   AND NRCOMANDA <> '0'
   AND NRSEQVENDA IS NULL
