-- Payroll run summary printout, one row overwritten by every print: the pay period, a monthly
-- run's first and last dates, the number of employees and the totals of the month's
-- declaration (EMP201). The employees' lines are in PayrollLines.
CREATE TABLE PayrollRun (
    "Period" TEXT,
    "StartDate" TEXT,
    "EndDate" TEXT,
    "Employees" INTEGER,
    "PAYE" REAL,
    "UIF" REAL,
    "SDL" REAL,
    "EMP201Total" REAL
);
INSERT INTO PayrollRun VALUES ('', '', '', 0, 0, 0, 0, 0);
