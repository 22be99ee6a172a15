-- Statistics and visibility of the loaded rows, as the server keeps them by itself in a
-- store; the checkpoint writes the loaded pages out before anything is timed.
VACUUM (ANALYZE);
CHECKPOINT;
