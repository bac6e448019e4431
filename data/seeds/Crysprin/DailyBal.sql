-- Daily balance interest printout, one row overwritten by every print. The dates are day
-- numbers (days from 30/12/1899); ANS1 is the interest and ANS2 the number of days.
CREATE TABLE DailyBal (
    "CapAmount" REAL,
    "StartDate" INTEGER,
    "EndDate" INTEGER,
    "IntRate" REAL,
    "ANS1" REAL,
    "ANS2" INTEGER
);
INSERT INTO DailyBal VALUES (0, 0, 0, 0, 0, 0);
