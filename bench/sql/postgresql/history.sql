-- The history of a store, N closed sales from the start moment on, one every 90
-- seconds, spread over the 48 tables; each sale has one closed tab with five items.
-- Rows are written in key order, so every index grows at its end.
-- The tables are emptied in the same transaction first, so that a server with minimal
-- write-ahead logging writes the rows straight to their files.
TRUNCATE ITCOMANDAVEN, COMANDAVEN, VENDAREST;

INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA, CDCAIXA, CDVENDEDOR, CDOPERADOR,
                       NRPESMESAVEN, DTHRABERMESA, DTHRFECHMESA)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), '0001',
       lpad(CAST((I - 1) % 48 + 1 AS VARCHAR), 2, '0'), '001', '0001', '0001', 2,
       CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds',
       CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds' + INTERVAL '1 hour'
  FROM generate_series(1, CAST(:P_N AS INTEGER)) AS N(I);

INSERT INTO COMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, CDLOJA, DSCOMANDA, IDSTCOMANDA)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '0001',
       'RES_' || lpad(CAST((I - 1) % 48 + 1 AS VARCHAR), 2, '0'), '4'
  FROM generate_series(1, CAST(:P_N AS INTEGER)) AS N(I);

INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDLOJA, CDPRODUTO,
                          QTPRODCOMVEN, VRPRECCOMVEN, IDSTPRCOMVEN, IDPRODREFIL, DTHRINCOMVEN)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'),
       lpad(CAST(J AS VARCHAR), 6, '0'), '0001', CAST(1000 + J AS VARCHAR), 1, 10 + J, '1', 'N',
       CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds' + J * INTERVAL '5 minutes'
  FROM (SELECT I, generate_series(1, 5) AS J
          FROM generate_series(1, CAST(:P_N AS INTEGER)) AS N(I)) AS S;
