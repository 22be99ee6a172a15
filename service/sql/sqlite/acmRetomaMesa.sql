-- The claim this till left on a table being received (a receipt that did not end, the
-- till stopped midway) taken up again; the table and its group stay being received.
UPDATE MESA
   SET CDCAIXARECEB = :P_CDCAIXA,
       DTHRRECEB = :P_DTHRRECEB
 WHERE IDSTMESAAUX = 'R'
   AND EXISTS (SELECT 1
                 FROM MESA MA
                WHERE MA.CDFILIAL = :P_CDFILIAL
                  AND MA.CDLOJA = :P_CDLOJA
                  AND MA.NRMESA = :P_NRMESA
                  AND MA.IDSTMESAAUX = 'R'
                  AND MA.CDCAIXARECEB = :P_CDCAIXA)
   AND CDFILIAL = :P_CDFILIAL
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
