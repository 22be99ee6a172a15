-- Every open sale of the store with the time of its last order, for the whole map at
-- once; the open-sale index finds them without reading the history of closed sales.
SELECT VR.NRMESA, VR.DTHRABERMESA,
       (SELECT MAX(IT.DTHRINCOMVEN)
          FROM COMANDAVEN CM
         CROSS JOIN ITCOMANDAVEN IT
         WHERE CM.CDFILIAL = VR.CDFILIAL
           AND CM.NRVENDAREST = VR.NRVENDAREST
           AND IT.CDFILIAL = CM.CDFILIAL
           AND IT.NRVENDAREST = CM.NRVENDAREST
           AND IT.NRCOMANDA = CM.NRCOMANDA) AS DTULTIMAVENDA
  FROM VENDAREST VR
 WHERE VR.CDFILIAL = :P_CDFILIAL
   AND VR.CDLOJA = :P_CDLOJA
   AND VR.DTHRFECHMESA IS NULL
 ORDER BY VR.NRMESA, VR.NRVENDAREST
