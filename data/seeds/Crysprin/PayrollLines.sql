-- Payroll run summary, one row per employee; every print of a run's summary empties it and
-- writes its rows afresh, so it starts with none.
CREATE TABLE PayrollLines (
    "Employee" TEXT,
    "Gross" REAL,
    "PAYE" REAL,
    "UIFEmployee" REAL,
    "UIFEmployer" REAL,
    "SDL" REAL
);
