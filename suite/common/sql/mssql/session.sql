-- Dates read and rendered day first (dd/mm/yyyy).
SET DATEFORMAT dmy;
