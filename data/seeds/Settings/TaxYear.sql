-- The tax year the program works in, one row: the calendar year in which it ends.
CREATE TABLE TaxYear (
    Year INTEGER NOT NULL DEFAULT 2016
);
INSERT INTO TaxYear (Year) VALUES (2016);
