-- Loan printout, one row overwritten by every print: the solved quantity's name, principal,
-- period, rate and repayment, the totals when they are shown, and "Year" or "Month" when the
-- schedule in Amort is printed with it.
CREATE TABLE Loans (
    "Heading" TEXT,
    "Num1" REAL,
    "Num2" REAL,
    "Num3" REAL,
    "Num4" REAL,
    "FinText1" TEXT,
    "FinText1A" TEXT,
    "FinNum1" REAL,
    "FinText2" TEXT,
    "FinNum2" REAL,
    "YearMon" TEXT
);
INSERT INTO Loans VALUES ('', 0, 0, 0, 0, '', '', 0, '', 0, '');
