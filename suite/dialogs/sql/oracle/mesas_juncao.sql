-- The active tables of a screen configuration (the default table of the store left out), by
-- number, with the join group each one is in.
SELECT M.NRMESA, M.NMMESA, M.IDSTMESAAUX, MJ.NRJUNMESA
  FROM MESA M
 INNER JOIN LOJA L
    ON L.CDFILIAL = M.CDFILIAL
   AND L.CDLOJA = M.CDLOJA
  LEFT JOIN MESAJUNCAO MJ
    ON MJ.CDFILIAL = M.CDFILIAL
   AND MJ.CDLOJA = M.CDLOJA
   AND MJ.NRMESA = M.NRMESA
 WHERE M.CDFILIAL = :P_CDFILIAL
   AND M.CDLOJA = :P_CDLOJA
   AND M.IDSTMESA = 'A'
   AND M.NRMESA <> NVL(L.NRMESAPADRAO, ' ')
   AND EXISTS (SELECT 1
                 FROM ITMENUCONFTE I
                WHERE I.CDFILIAL = :P_CDFILIAL
                  AND I.NRCONFTELA = :P_NRCONFTELA
                  AND I.IDTPBUTTON = '3'
                  AND I.IDTPBUTONAUX = '4'
                  AND I.CDIDENTBUTON = M.NRMESA)
 ORDER BY M.NRMESA
