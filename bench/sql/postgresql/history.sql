-- The history of a store, N closed sales from the start moment on, one every 90
-- seconds, spread over the 48 tables; each sale has one closed tab with five items.
-- Rows are written in key order, so every index grows at its end. The triggers of the schema
-- keep the orphan journal as they go in: sales first (each is journalled until its tab
-- arrives), then tabs, then items, so a complete history leaves the journal empty.
-- The tables are emptied in the same transaction first, so that a server with minimal
-- write-ahead logging writes the rows straight to their files.
TRUNCATE ITCOMANDAVEN, COMANDAVEN, VENDAREST, VENDA, OBSITCOMANDAVEN, ITCOMANDAEST, OBSITCOMANDAEST,
         PROMOCOMANDA, ITCOMANDAVENDES, MOVCAIXAMOB, RESERVAMESA, MESARESERVA, MOVPONTOCONSAUX,
         ORFITCOMANDAVEN, ORFCOMANDAVEN, ORFVENDAREST;

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

-- What a closed sale leaves elsewhere: its fiscal sale; on every tenth sale an
-- observation on its first item and a component of it; on every twentieth an
-- observation of that component, a promotion of the tab, a withdrawn item, an app
-- payment already taken into the fiscal sale and a reservation of the table for the
-- day of the sale (served, or still pending on every two hundredth); on every fiftieth the
-- loyalty points spent on its second item.
INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, CDLOJA, NRVENDAREST, NRMESA, CDVENDEDOR,
                   CDOPERADOR, DTVENDA, IDSITUVENDA, IDTIPOVENDA, VRTOTVENDA)
SELECT '0001', '001', lpad(CAST(I AS VARCHAR), 15, '0'), '0001', lpad(CAST(I AS VARCHAR), 15, '0'),
       lpad(CAST((I - 1) % 48 + 1 AS VARCHAR), 2, '0'), '0001', '0001',
       CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds' + INTERVAL '1 hour', 'O', 'D', 65
  FROM generate_series(1, CAST(:P_N AS INTEGER)) AS N(I);

INSERT INTO OBSITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDGRPOCOR, CDOCORR,
                             CDPRODUTO)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '000001', '01',
       '01', '1001'
  FROM generate_series(10, CAST(:P_N AS INTEGER), 10) AS N(I);

INSERT INTO ITCOMANDAEST (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDPRODUTO, QTPROCOMEST,
                          VRPRECCOMEST, VRDESITCOMEST, VRACRITCOMEST)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '000001',
       '2001', 1, 0, 0, 0
  FROM generate_series(10, CAST(:P_N AS INTEGER), 10) AS N(I);

INSERT INTO OBSITCOMANDAEST (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDPRODUTO,
                             CDGRPOCOR, CDOCORR)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '000001',
       '2001', '01', '02'
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO PROMOCOMANDA (CDFILIAL, NRVENDAREST, NRCOMANDA, NRSEQPROMOCOM, IDPROMOCOM, NMPROMOCOM,
                          IDTPPROMOCOM, IDTPDESCPROMO, VRDESCPROMO, VRVENDAPROMO, IDUTPROMOCOM)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '1', 'P1',
       'Promoção', 'D', 'V', 1, 0, 'S'
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO ITCOMANDAVENDES (CDFILIAL, NRVENDAREST, NRSEQITCOMVENDES, CDCAIXA, NRCOMANDA,
                             NRPRODCOMVEN, CDPRODUTO, QTPRODITCOMVENDES, VRPRECCOMVEN,
                             VRDESCCOMVEN, VRACRCOMVEN)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), '1', '001', lpad(CAST(I AS VARCHAR), 10, '0'),
       '000009', '1005', 1, 15, 0, 0
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRMESA, NRCOMANDA, NRLUGARMESA,
                         CDCAIXA, NRSEQVENDA, IDSTMOV, IDADMTASK, IDUTILTXSERV, VRMOV, DTHRINCMOV)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 15, '0'),
       lpad(CAST((I - 1) % 48 + 1 AS VARCHAR), 2, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), 'T', '001',
       lpad(CAST(I AS VARCHAR), 15, '0'), '1', '0', 'S', 65,
       CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds' + INTERVAL '50 minutes'
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO RESERVAMESA (CDFILIAL, CDLOJA, NRRESMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA,
                         IDSTRESMESA, NMCLIRESMESA, NRPESRESMESA)
SELECT '0001', '0001', lpad(CAST(I AS VARCHAR), 10, '0'),
       CAST(CAST(CAST(:P_INICIO AS TIMESTAMP(3)) + I * INTERVAL '90 seconds' AS DATE) AS TIMESTAMP(3)),
       '2000', '2200', CASE WHEN I % 200 = 0 THEN 'P' ELSE 'A' END, 'Cliente', 2
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO MESARESERVA (CDFILIAL, CDLOJA, NRRESMESA, NRMESA)
SELECT '0001', '0001', lpad(CAST(I AS VARCHAR), 10, '0'),
       lpad(CAST((I - 1) % 48 + 1 AS VARCHAR), 2, '0')
  FROM generate_series(20, CAST(:P_N AS INTEGER), 20) AS N(I);

INSERT INTO MOVPONTOCONSAUX (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDCAMPANHA,
                             VRPONTOBRINDE, IDUTILVOUCHER)
SELECT '0001', lpad(CAST(I AS VARCHAR), 15, '0'), lpad(CAST(I AS VARCHAR), 10, '0'), '000002', '01',
       100, 'N'
  FROM generate_series(50, CAST(:P_N AS INTEGER), 50) AS N(I);
