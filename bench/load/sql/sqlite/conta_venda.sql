-- The sale of the new account: opened 40 minutes ago, its bill requested 5 minutes ago.
INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA, CDCAIXA, CDVENDEDOR, CDOPERADOR,
                       NRPESMESAVEN, NRPOSICAOMESA, DTHRABERMESA, DTHRMESAFECH, VRCONSUMAMIN)
VALUES (:P_CDFILIAL, :P_NRVENDAREST, :P_CDLOJA, :P_NRMESA, :P_CDCAIXA, '001', '0001', 2, 2,
        strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-40 minutes'),
        strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-5 minutes'), 0)
