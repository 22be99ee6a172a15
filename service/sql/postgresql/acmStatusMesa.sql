UPDATE MESA
   SET IDSTMESAAUX = :P_STATUS,
       CDCAIXARECEB = NULL,
       DTHRRECEB = NULL
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
