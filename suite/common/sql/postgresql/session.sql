-- Dates typed as dd/mm/yyyy are read day first; dates come back in ISO form, which
-- the driver turns into date-times (statements that compare a date as dd/mm/yyyy text
-- format it explicitly with to_char). Texts are exchanged as UTF-8.
SET DateStyle TO 'ISO, DMY';
SET client_encoding TO 'UTF8';
-- Every statement is prepared once per connection and found through its keys. The server
-- would otherwise plan most of them again at every call (the account lists, of a dozen
-- tables and a hundred grouped columns, take tens of milliseconds to plan and one to run,
-- and the planning grows with the statistics of a long history): the one plan made at the
-- first call is kept.
SET plan_cache_mode TO force_generic_plan;
