-- %1: a generated database name; %2: the template it copies.
CREATE DATABASE %1 TEMPLATE %2
