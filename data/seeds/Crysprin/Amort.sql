-- Loan schedule, one row per month or year; every print with a schedule empties it and
-- writes its rows afresh, so it starts with none.
CREATE TABLE Amort (
    "Year" INTEGER,
    "Capital" REAL,
    "Interest" REAL,
    "Required" REAL
);
