-- The table and its join group change status only while the table itself still has the
-- expected status: one statement, so two tills cannot both take the same change.
UPDATE MESA
   SET IDSTMESAAUX = :P_STATUS,
       CDCAIXARECEB = NULL,
       DTHRRECEB = NULL
 WHERE CDFILIAL = :P_CDFILIAL
   AND CDLOJA = :P_CDLOJA
   AND IDSTMESAAUX = :P_STATUSATUAL
   AND EXISTS (SELECT 1
                 FROM MESA MA
                WHERE MA.CDFILIAL = :P_CDFILIAL
                  AND MA.CDLOJA = :P_CDLOJA
                  AND MA.NRMESA = :P_NRMESA
                  AND MA.IDSTMESAAUX = :P_STATUSATUAL)
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
