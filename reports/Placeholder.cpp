// Replaced by the report engine.
