-- Dates rendered as dd/mm/yyyy text.
ALTER SESSION SET NLS_DATE_FORMAT = 'DD/MM/YYYY';
