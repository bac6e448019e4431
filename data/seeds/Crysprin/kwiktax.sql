-- Quick tax printout, one row overwritten by every print.
CREATE TABLE kwiktax (
    "AGE" INTEGER,
    "TAXINCOME" REAL,
    "TAXTOPAY" REAL,
    "MARGRATE" REAL,
    "PORTION" REAL,
    "TOTTAX" REAL,
    "REBATE" REAL,
    "TAXCOM4" REAL,
    "AVRATE" REAL,
    "AVRATEAFT" REAL,
    "TAXCOM4/2" REAL
);
INSERT INTO kwiktax VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
