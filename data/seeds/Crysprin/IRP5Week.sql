-- Weekly and fortnightly employees' tax printout (both screens write this table), one row overwritten by every print.
CREATE TABLE IRP5Week (
    "TypeAM" TEXT,
    "Employee" TEXT,
    "Age" TEXT,
    "AgeNum" INTEGER,
    "Sal" TEXT,
    "SalNum" REAL,
    "DirFees" TEXT,
    "DirFeesNum" REAL,
    "Bonus" TEXT,
    "BonusNum" REAL,
    "MedExp" TEXT,
    "MedExpNum" REAL,
    "PenCont" TEXT,
    "PenContNum" REAL,
    "RACont" TEXT,
    "RAContNum" REAL,
    "Taxliability" TEXT,
    "Taxliabilitynum" REAL,
    "TaxCredit" TEXT,
    "Taxcreditnum" REAL,
    "TaxCreditCons" TEXT,
    "TaxcreditnumCons" REAL,
    "EmpERMedAidCont" TEXT,
    "EmpERMedAidContnum" REAL,
    "EmpEEMedAidCont" TEXT,
    "EmpEEMedAidContnum" REAL,
    "MedAidBens" TEXT,
    "MedAidBensnum" INTEGER,
    "EOE" TEXT,
    "Total" TEXT,
    "TotalNum" REAL,
    "UIFEMPE" TEXT,
    "UIFEMPENum" REAL,
    "UIFEMPR" TEXT,
    "UIFEMPRNum" REAL,
    "SDL" TEXT,
    "SDLNum" REAL,
    "AnnCalcBens3" TEXT,
    "AnnCalcBens3num" INTEGER,
    "TravAll" TEXT,
    "RecBefNum" REAL,
    "SDate" TEXT,
    "SDateNum" TEXT,
    "EDate" TEXT,
    "EDateNum" TEXT
);
INSERT INTO IRP5Week VALUES ('', '', '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', '', '', '');
-- Columns added after the first release: an existing report database lacking one gets it added
-- by these statements, its row and its other columns left as they are.
ALTER TABLE IRP5Week ADD COLUMN "SetupUsed" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFEE" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFEENum" REAL DEFAULT 0;
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFER" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFERNum" REAL DEFAULT 0;
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFLimit" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupUIFLimitNum" REAL DEFAULT 0;
ALTER TABLE IRP5Week ADD COLUMN "SetupSDL" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupSDLNum" REAL DEFAULT 0;
ALTER TABLE IRP5Week ADD COLUMN "SetupTravel" TEXT DEFAULT '';
ALTER TABLE IRP5Week ADD COLUMN "SetupTravelNum" REAL DEFAULT 0;
