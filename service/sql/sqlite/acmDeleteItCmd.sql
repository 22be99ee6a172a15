-- The list holds each pad number followed by an underscore. The pad number is looked
-- for with an underscore on both sides in the list preceded by one, so pad 1 is not
-- taken for the end of pad 11.
DELETE FROM ITCOMANDAVEN
 WHERE CDFILIAL = :P_CDFILIAL
   AND instr('_' || :P_NRCOMANDA, '_' || NRCOMANDA || '_') > 0
