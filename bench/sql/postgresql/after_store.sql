-- Statistics of the rewritten rows, as the server gathers them by itself in a store.
ANALYZE;
