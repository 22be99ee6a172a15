-- Makes the database refuse a change: %1 the name of the trigger, %2 the event ("INSERT",
-- "DELETE", "UPDATE OF COLUMN"), %3 the table, %4 the condition on NEW or OLD.
CREATE OR REPLACE FUNCTION TMK_RECUSA() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'recusado pelo teste'; END $$;
CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW WHEN (%4) EXECUTE FUNCTION TMK_RECUSA();
