-- Every consumer, for the consumer search (which keeps those of the clients of the till);
-- inactive ones too (IDSITCONSUMI other than '1'), so that a consultation shows them.
SELECT CDCLIENTE, CDCONSUMIDOR, NMCONSUMIDOR, NRCPFRESPCON, DSEMAILCONS, IDSITCONSUMI,
       CDEXCONSUMID
  FROM CONSUMIDOR
 ORDER BY NMCONSUMIDOR, CDCLIENTE, CDCONSUMIDOR
