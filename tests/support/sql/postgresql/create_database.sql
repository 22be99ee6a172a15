-- %1: a generated database name (letters, digits and _ only).
CREATE DATABASE %1
