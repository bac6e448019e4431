-- Company car printout, one row per vehicle of the register; every print empties it and
-- writes its rows afresh, so it starts with none.
CREATE TABLE compcar (
    "CarNum" INTEGER,
    "CMVMaxNum" INTEGER,
    "CCRegNumber" TEXT,
    "CCMake" TEXT,
    "CCModel" TEXT,
    "CCPrice" REAL,
    "MaintIncluded" TEXT,
    "CCMonths" REAL,
    "EndMileage" REAL,
    "StartMileage" REAL,
    "TotalDistance" REAL,
    "BusDistance" REAL,
    "ActualExpEmployee" REAL,
    "SARSTable" TEXT,
    "FuelReimbEmployer" REAL,
    "EmpPaidInsurance" REAL,
    "EmpPaidLicence" REAL,
    "EmpPaidMaintenance" REAL,
    "Actual3802" REAL,
    "FB3802ThisCar" REAL,
    "AdjustTaxableInc" REAL,
    "SARSDeductionClaim" REAL,
    "TrueInclusion" REAL,
    "PrivateDistance" REAL,
    "FuelComponent" REAL,
    "Arr_FuelClaim" REAL,
    "TotAddExpense" REAL,
    "FuelExp" REAL,
    "BussMilage" TEXT,
    "YearOfManfact" TEXT,
    "CCStartDate" TEXT,
    "CCEndDate" TEXT,
    "IRP53802" REAL,
    "MonFB80" REAL,
    "MonFB20" REAL,
    "FortFB80" REAL,
    "FortFB20" REAL,
    "WeekFB80" REAL,
    "WeekFB20" REAL
);
-- Columns added after the first release: an existing report database lacking one gets it added
-- by these statements. The totals over all the cars, the same in every row.
ALTER TABLE compcar ADD COLUMN "TotAdjustTaxableInc" REAL DEFAULT 0;
ALTER TABLE compcar ADD COLUMN "TotAdjustTaxableIncSARS" REAL DEFAULT 0;
