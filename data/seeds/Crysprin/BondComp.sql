-- Loan comparison printout, one row overwritten by every print: the amount and rate, then
-- repayment, total interest and total paid over 5, 10, 15, 20, 25 and 30 years.
CREATE TABLE BondComp (
    "PAmt" REAL,
    "IntRate" REAL,
    "MonRep1" REAL,
    "IntPaid1" REAL,
    "Total1" REAL,
    "MonRep2" REAL,
    "IntPaid2" REAL,
    "Total2" REAL,
    "MonRep3" REAL,
    "IntPaid3" REAL,
    "Total3" REAL,
    "MonRep4" REAL,
    "IntPaid4" REAL,
    "Total4" REAL,
    "MonRep5" REAL,
    "IntPaid5" REAL,
    "Total5" REAL,
    "MonRep6" REAL,
    "IntPaid6" REAL,
    "Total6" REAL
);
INSERT INTO BondComp VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
