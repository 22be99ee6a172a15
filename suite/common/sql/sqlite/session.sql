-- Several processes share the file: wait for a writer instead of failing at once,
-- and let readers go on while one till writes.
PRAGMA busy_timeout = 5000;
PRAGMA journal_mode = WAL;
-- A till that cannot write its database is told so now, not at its first sale: the write
-- lock is taken (a file another process keeps locked fails here) and a table is made and
-- undone (a read-only file fails here; taking the lock alone does not show it).
BEGIN IMMEDIATE;
CREATE TABLE main.TMK_TESTE_DE_GRAVACAO (X INTEGER);
ROLLBACK;
