-- The data version of the file: it changes when any other connection commits a change.
PRAGMA data_version
