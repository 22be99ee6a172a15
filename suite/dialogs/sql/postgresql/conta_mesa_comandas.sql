-- The open order pads of a table and of the tables joined with it (the kinds of a table,
-- "RES_" and "PKR_"; a closed pad, '4', is left out), in sale and pad order.
SELECT DISTINCT CO.NRVENDAREST, CO.NRCOMANDA
  FROM VENDAREST VE
  JOIN COMANDAVEN CO
    ON CO.CDFILIAL = VE.CDFILIAL
   AND CO.NRVENDAREST = VE.NRVENDAREST
 WHERE VE.CDFILIAL = :P_CDFILIAL
   AND VE.CDLOJA = :P_CDLOJA
   AND VE.DTHRFECHMESA IS NULL
   AND COALESCE(CO.IDSTCOMANDA, ' ') <> '4'
   AND SUBSTR(CO.DSCOMANDA, 1, 4) IN ('PKR_', 'RES_')
   AND (VE.NRMESA = :P_NRMESA
        OR VE.NRMESA IN (SELECT MJ.NRMESA
                           FROM MESAJUNCAO MJ
                          WHERE MJ.CDFILIAL = :P_CDFILIAL
                            AND MJ.CDLOJA = :P_CDLOJA
                            AND MJ.NRJUNMESA IN (SELECT NRJUNMESA
                                                   FROM MESAJUNCAO
                                                  WHERE CDFILIAL = :P_CDFILIAL
                                                    AND CDLOJA = :P_CDLOJA
                                                    AND NRMESA = :P_NRMESA)))
 ORDER BY CO.NRVENDAREST, CO.NRCOMANDA
