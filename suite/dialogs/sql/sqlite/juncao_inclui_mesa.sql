-- Puts an active table into a join group, only when it is in no group yet: no row is
-- written for a table that is taken.
INSERT INTO MESAJUNCAO (CDFILIAL, CDLOJA, NRJUNMESA, NRMESA)
SELECT M.CDFILIAL, M.CDLOJA, :P_NRJUNMESA, M.NRMESA
  FROM MESA M
 WHERE M.CDFILIAL = :P_CDFILIAL
   AND M.CDLOJA = :P_CDLOJA
   AND M.NRMESA = :P_NRMESA
   AND M.IDSTMESA = 'A'
   AND NOT EXISTS (SELECT 1
                     FROM MESAJUNCAO X
                    WHERE X.CDFILIAL = M.CDFILIAL
                      AND X.CDLOJA = M.CDLOJA
                      AND X.NRMESA = M.NRMESA)
