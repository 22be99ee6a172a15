SELECT 1 FROM pg_database WHERE datname = :P_NOME
