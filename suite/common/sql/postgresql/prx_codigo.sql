-- The counter moves by the increment from where it stands, or from the floor when that is
-- higher (the highest number already in use), in one statement: two tills asking at once
-- never get the same number.
INSERT INTO NOVOCODIGO (CDCONTADOR, NRSEQUENCIAL)
VALUES (:P_CDCONTADOR, CAST(:P_PISO AS BIGINT) + CAST(:P_INCREMENTO AS BIGINT))
ON CONFLICT (CDCONTADOR) DO UPDATE
   SET NRSEQUENCIAL = GREATEST(NOVOCODIGO.NRSEQUENCIAL, CAST(:P_PISO AS BIGINT))
                      + CAST(:P_INCREMENTO AS BIGINT)
RETURNING NRSEQUENCIAL
