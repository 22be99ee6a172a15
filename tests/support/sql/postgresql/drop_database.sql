-- %1: a generated database name; open sessions on it are ended.
DROP DATABASE IF EXISTS %1 WITH (FORCE)
