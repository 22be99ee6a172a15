-- Makes the database refuse a change: %1 the name of the trigger, %2 the event ("INSERT",
-- "DELETE", "UPDATE OF COLUMN"), %3 the table, %4 the condition on NEW or OLD.
CREATE TRIGGER %1 BEFORE %2 ON %3 WHEN %4 BEGIN SELECT RAISE(ABORT, 'recusado pelo teste'); END;
