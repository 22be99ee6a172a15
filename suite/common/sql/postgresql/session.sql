-- Dates typed as dd/mm/yyyy are read day first; dates come back in ISO form, which
-- the driver turns into date-times (statements that compare a date as dd/mm/yyyy text
-- format it explicitly with to_char). Texts are exchanged as UTF-8.
SET DateStyle TO 'ISO, DMY';
SET client_encoding TO 'UTF8';
