-- The file's data version: it changes when any other connection commits a change.
PRAGMA data_version
