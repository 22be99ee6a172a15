-- The history of a store, N closed sales from the start moment on, one every 90
-- seconds, spread over the 48 tables; each sale has one closed tab with five items.
-- Rows are written in key order, so every index grows at its end.
INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA, CDCAIXA, CDVENDEDOR, CDOPERADOR,
                       NRPESMESAVEN, DTHRABERMESA, DTHRFECHMESA)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), '0001', printf('%02d', (I - 1) % 48 + 1), '001', '0001',
       '0001', 2,
       strftime('%Y-%m-%d %H:%M:%f', :P_INICIO, '+' || (I * 90) || ' seconds'),
       strftime('%Y-%m-%d %H:%M:%f', :P_INICIO, '+' || (I * 90 + 3600) || ' seconds')
  FROM N;

INSERT INTO COMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, CDLOJA, DSCOMANDA, IDSTCOMANDA)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '0001',
       'RES_' || printf('%02d', (I - 1) % 48 + 1), '4'
  FROM N;

INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDLOJA, CDPRODUTO,
                          QTPRODCOMVEN, VRPRECCOMVEN, IDSTPRCOMVEN, IDPRODREFIL, DTHRINCOMVEN)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N),
               K(J) AS (VALUES (1), (2), (3), (4), (5))
SELECT '0001', printf('%015d', I), printf('%010d', I), printf('%06d', J), '0001',
       CAST(1000 + J AS TEXT), 1, 10 + J, '1', 'N',
       strftime('%Y-%m-%d %H:%M:%f', :P_INICIO, '+' || (I * 90 + J * 300) || ' seconds')
  FROM N CROSS JOIN K;
