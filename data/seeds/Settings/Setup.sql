-- The employer's rates, one row.
CREATE TABLE Setup (
    PensionCont REAL NOT NULL DEFAULT 0,
    EmployerPenCont REAL NOT NULL DEFAULT 0,
    ProvCont REAL NOT NULL DEFAULT 0,
    EmployerProvCont REAL NOT NULL DEFAULT 0,
    EmployeeUIF REAL NOT NULL DEFAULT 1,
    EmployerUIF REAL NOT NULL DEFAULT 1,
    SkillLevy REAL NOT NULL DEFAULT 1,
    UIFLimit REAL NOT NULL DEFAULT 14872,
    TAIncRate8020 REAL NOT NULL DEFAULT 0.8,
    CompCarFBRate8020 REAL NOT NULL DEFAULT 0.8,
    CompCarMPYesNo INTEGER NOT NULL DEFAULT 0
);
INSERT INTO Setup (PensionCont, EmployerPenCont, ProvCont, EmployerProvCont, EmployeeUIF, EmployerUIF,
                   SkillLevy, UIFLimit, TAIncRate8020, CompCarFBRate8020, CompCarMPYesNo)
VALUES (0, 0, 0, 0, 1, 1, 1, 14872, 0.8, 0.8, 0);
