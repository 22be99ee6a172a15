-- Membership in the list is a substring search, as CHARINDEX does; an empty
-- number is never a member there, so it is excluded here as well.
-- CROSS JOIN is an inner join that SQLite visits in the order written, from the few
-- open sales of the store to their tabs and items, so that the cost does not grow with
-- the history of closed sales.
SELECT MAX(IT.DTHRINCOMVEN) AS DTULTIMAVENDA
  FROM VENDAREST VR
 CROSS JOIN COMANDAVEN CM
 CROSS JOIN ITCOMANDAVEN IT
 WHERE IT.CDFILIAL = CM.CDFILIAL
   AND IT.NRVENDAREST = CM.NRVENDAREST
   AND IT.NRCOMANDA = CM.NRCOMANDA
   AND CM.CDFILIAL = VR.CDFILIAL
   AND CM.NRVENDAREST = VR.NRVENDAREST
   AND VR.CDFILIAL = :P_CDFILIAL
   AND VR.CDLOJA = :P_CDLOJA
   AND instr(:P_NRMESA, VR.NRMESA) > 0
   AND VR.NRMESA <> ''
   AND VR.DTHRFECHMESA IS NULL
