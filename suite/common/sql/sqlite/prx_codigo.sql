-- The counter moves by the increment from where it stands, or from the floor when that is
-- higher (the highest number already in use), in one statement: two tills asking at once
-- never get the same number.
INSERT INTO NOVOCODIGO (CDCONTADOR, NRSEQUENCIAL)
VALUES (:P_CDCONTADOR, :P_PISO + :P_INCREMENTO)
ON CONFLICT (CDCONTADOR) DO UPDATE
   SET NRSEQUENCIAL = MAX(NOVOCODIGO.NRSEQUENCIAL, :P_PISO) + :P_INCREMENTO
RETURNING NRSEQUENCIAL
