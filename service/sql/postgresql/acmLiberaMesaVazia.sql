-- Frees a table whose sale was closed, and the tables of its join group, except every
-- table that still has an open sale (another party seated at a joined table keeps it).
UPDATE MESA
   SET IDSTMESAAUX = 'D'
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND NRMESA IN (SELECT NRMESA
                    FROM MESA
                   WHERE CDFILIAL = :P_CDFILIAL
                     AND CDLOJA = :P_CDLOJA
                     AND NRMESA = :P_NRMESA
                  UNION
                  SELECT MJ.NRMESA
                    FROM JUNCAOMESA JM, MESAJUNCAO MJ
                   WHERE JM.CDFILIAL = MJ.CDFILIAL
                     AND JM.CDLOJA = MJ.CDLOJA
                     AND JM.NRJUNMESA = MJ.NRJUNMESA
                     AND JM.CDFILIAL = :P_CDFILIAL
                     AND JM.CDLOJA = :P_CDLOJA
                     AND JM.NRJUNMESA IN (SELECT NRJUNMESA
                                            FROM MESAJUNCAO
                                           WHERE CDFILIAL = :P_CDFILIAL
                                             AND CDLOJA = :P_CDLOJA
                                             AND NRMESA = :P_NRMESA))
   AND NOT EXISTS (SELECT 1
                     FROM VENDAREST VR
                    WHERE VR.CDFILIAL = MESA.CDFILIAL
                      AND VR.CDLOJA = MESA.CDLOJA
                      AND VR.NRMESA = MESA.NRMESA
                      AND VR.DTHRFECHMESA IS NULL)
