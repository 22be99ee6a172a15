-- Several processes share the file: wait for a writer instead of failing at once,
-- and let readers go on while one till writes.
PRAGMA busy_timeout = 5000;
PRAGMA journal_mode = WAL;
