-- Inflation printout, one row overwritten by every print: Ans1 is the future value and ANS2
-- the buying power.
CREATE TABLE Inflation (
    "PresCost" REAL,
    "Period" REAL,
    "InflaRate" REAL,
    "Ans1" REAL,
    "ANS2" REAL
);
INSERT INTO Inflation VALUES (0, 0, 0, 0, 0);
