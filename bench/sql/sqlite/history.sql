-- The history of a store, N closed sales from the start moment on, one every 90
-- seconds, spread over the 48 tables; each sale has one closed tab with five items.
-- Rows are written in key order, so every index grows at its end. The triggers of the schema
-- keep the orphan journal as they go in: sales first (each is journalled until its tab
-- arrives), then tabs, then items, so a complete history leaves the journal empty.
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

-- What a closed sale leaves elsewhere: its fiscal sale; on every tenth sale an
-- observation on its first item and a component of it; on every twentieth an
-- observation of that component, a promotion of the tab, a withdrawn item, an app
-- payment already taken into the fiscal sale and a reservation of the table for the
-- day of the sale (served, or still pending on every two hundredth); on every fiftieth the
-- loyalty points spent on its second item.
INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, CDLOJA, NRVENDAREST, NRMESA, CDVENDEDOR,
                   CDOPERADOR, DTVENDA, IDSITUVENDA, IDTIPOVENDA, VRTOTVENDA)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', '001', printf('%015d', I), '0001', printf('%015d', I),
       printf('%02d', (I - 1) % 48 + 1), '0001', '0001',
       strftime('%Y-%m-%d %H:%M:%f', :P_INICIO, '+' || (I * 90 + 3600) || ' seconds'), 'O', 'D',
       65
  FROM N;

INSERT INTO OBSITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDGRPOCOR, CDOCORR,
                             CDPRODUTO)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '000001', '01', '01', '1001'
  FROM N
 WHERE I % 10 = 0;

INSERT INTO ITCOMANDAEST (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDPRODUTO, QTPROCOMEST,
                          VRPRECCOMEST, VRDESITCOMEST, VRACRITCOMEST)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '000001', '2001', 1, 0, 0, 0
  FROM N
 WHERE I % 10 = 0;

INSERT INTO OBSITCOMANDAEST (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDPRODUTO,
                             CDGRPOCOR, CDOCORR)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '000001', '2001', '01', '02'
  FROM N
 WHERE I % 20 = 0;

INSERT INTO PROMOCOMANDA (CDFILIAL, NRVENDAREST, NRCOMANDA, NRSEQPROMOCOM, IDPROMOCOM, NMPROMOCOM,
                          IDTPPROMOCOM, IDTPDESCPROMO, VRDESCPROMO, VRVENDAPROMO, IDUTPROMOCOM)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '1', 'P1', 'Promoção', 'D', 'V', 1, 0, 'S'
  FROM N
 WHERE I % 20 = 0;

INSERT INTO ITCOMANDAVENDES (CDFILIAL, NRVENDAREST, NRSEQITCOMVENDES, CDCAIXA, NRCOMANDA,
                             NRPRODCOMVEN, CDPRODUTO, QTPRODITCOMVENDES, VRPRECCOMVEN,
                             VRDESCCOMVEN, VRACRCOMVEN)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), '1', '001', printf('%010d', I), '000009', '1005', 1, 15, 0, 0
  FROM N
 WHERE I % 20 = 0;

INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRMESA, NRCOMANDA, NRLUGARMESA,
                         CDCAIXA, NRSEQVENDA, IDSTMOV, IDADMTASK, IDUTILTXSERV, VRMOV, DTHRINCMOV)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%015d', I), printf('%02d', (I - 1) % 48 + 1),
       printf('%010d', I), 'T', '001', printf('%015d', I), '1', '0', 'S', 65,
       strftime('%Y-%m-%d %H:%M:%f', :P_INICIO, '+' || (I * 90 + 3000) || ' seconds')
  FROM N
 WHERE I % 20 = 0;

INSERT INTO RESERVAMESA (CDFILIAL, CDLOJA, NRRESMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA,
                         IDSTRESMESA, NMCLIRESMESA, NRPESRESMESA)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', '0001', printf('%010d', I),
       strftime('%Y-%m-%d 00:00:00.000', :P_INICIO, '+' || (I * 90) || ' seconds'), '2000',
       '2200', CASE WHEN I % 200 = 0 THEN 'P' ELSE 'A' END, 'Cliente', 2
  FROM N
 WHERE I % 20 = 0;

INSERT INTO MESARESERVA (CDFILIAL, CDLOJA, NRRESMESA, NRMESA)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', '0001', printf('%010d', I), printf('%02d', (I - 1) % 48 + 1)
  FROM N
 WHERE I % 20 = 0;

INSERT INTO MOVPONTOCONSAUX (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDCAMPANHA,
                             VRPONTOBRINDE, IDUTILVOUCHER)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :P_N)
SELECT '0001', printf('%015d', I), printf('%010d', I), '000002', '01', 100, 'N'
  FROM N
 WHERE I % 50 = 0;
