-- Writing a long history takes longer than any statement of a till may: the generating
-- connection has no time limit.
SET statement_timeout TO 0;
