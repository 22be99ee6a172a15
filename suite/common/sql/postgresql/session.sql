-- Dates rendered as dd/mm/yyyy text; texts exchanged as UTF-8.
SET DateStyle TO 'SQL, DMY';
SET client_encoding TO 'UTF8';
