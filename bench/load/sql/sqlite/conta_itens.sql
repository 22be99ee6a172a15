-- Two dishes of the demo menu on the new account.
INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDLOJA, CDPRODUTO,
                          QTPRODCOMVEN, VRPRECCOMVEN, VRPRECCLCOMVEN, VRDESCCOMVEN, VRACRCOMVEN,
                          IDSTPRCOMVEN, IDPRODREFIL, QTITEMREFIL, NRLUGARMESA, IDSTLUGARMESA,
                          DTHRINCOMVEN, CDVENDEDOR, IDPRODPRODUZ)
VALUES (:P_CDFILIAL, :P_NRVENDAREST, :P_NRCOMANDA, '000001', :P_CDLOJA, '10001', 1, 89.90, 0, 0, 0,
        '1', 'N', 0, '01', 'O', strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-30 minutes'),
        '001', 'S'),
       (:P_CDFILIAL, :P_NRVENDAREST, :P_NRCOMANDA, '000002', :P_CDLOJA, '10004', 1, 32.00, 0, 0, 0,
        '1', 'N', 0, '02', 'O', strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-25 minutes'),
        '001', 'S')
