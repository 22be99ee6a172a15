-- The session time zone is the time zone of the till, so LOCALTIMESTAMP is the clock of the till.
SELECT set_config('TimeZone', :P_TIMEZONE, false)
