-- A file made from scratch: nothing to protect while it is written.
PRAGMA synchronous = OFF;
PRAGMA cache_size = -262144;
