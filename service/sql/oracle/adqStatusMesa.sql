-- A store without a default table compares with a blank, since an empty text is
-- null here and would hide every table.
SELECT M.NRMESA, M.NMMESA, M.CDSALA,
       CASE WHEN M.IDSTMESAAUX = 'P' THEN 'S' ELSE M.IDSTMESAAUX END AS IDSTMESAAUX
  FROM MESA M, LOJA L
 WHERE M.CDFILIAL = :P_CDFILIAL
   AND M.CDLOJA = :P_CDLOJA
   AND M.IDSTMESA = 'A'
   AND M.CDFILIAL = L.CDFILIAL
   AND M.CDLOJA = L.CDLOJA
   AND M.NRMESA <> NVL(L.NRMESAPADRAO, ' ')
   AND EXISTS (SELECT 1
                 FROM ITMENUCONFTE I
                WHERE I.CDFILIAL = :P_CDFILIAL
                  AND I.NRCONFTELA = :P_NRCONFTELA
                  AND I.IDTPBUTTON = '3'
                  AND I.IDTPBUTONAUX = '4'
                  AND I.NRPGCONFTAUX = '1'
                  AND I.CDIDENTBUTON = M.NRMESA)
