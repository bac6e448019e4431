-- Loan buster printout, one row overwritten by every print: the loan as agreed, then with
-- the extra payment, and the saving.
CREATE TABLE BondBust (
    "PAmt" REAL,
    "Period" REAL,
    "IntRate" REAL,
    "MonRep" REAL,
    "TotIntPaid" REAL,
    "TotRep" REAL,
    "XtraPay" REAL,
    "Xper" REAL,
    "XMonRep" REAL,
    "XTotIntPaid" REAL,
    "XTotRep" REAL,
    "XTotSavings" REAL
);
INSERT INTO BondBust VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
