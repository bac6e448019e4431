-- Monthly employees' tax printout, one row overwritten by every print.
CREATE TABLE IRP5Mon (
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
    "TravOne" REAL,
    "TravTwo" REAL,
    "SDate" TEXT,
    "SDateNum" TEXT,
    "EDate" TEXT,
    "EDateNum" TEXT
);
INSERT INTO IRP5Mon VALUES ('', '', '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, '', '', 0, '', 0, '', 0, '', 0, '', 0, '', 0, 0, '', '', '', '');
-- Columns added after the first release: an existing report database lacking one gets it added
-- by these statements, its row and its other columns left as they are.
ALTER TABLE IRP5Mon ADD COLUMN "SetupUsed" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFEE" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFEENum" REAL DEFAULT 0;
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFER" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFERNum" REAL DEFAULT 0;
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFLimit" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupUIFLimitNum" REAL DEFAULT 0;
ALTER TABLE IRP5Mon ADD COLUMN "SetupSDL" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupSDLNum" REAL DEFAULT 0;
ALTER TABLE IRP5Mon ADD COLUMN "SetupTravel" TEXT DEFAULT '';
ALTER TABLE IRP5Mon ADD COLUMN "SetupTravelNum" REAL DEFAULT 0;
