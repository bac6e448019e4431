-- The start-up choice: show the About window when the program starts.
CREATE TABLE Startup (
    ViewAbout INTEGER NOT NULL DEFAULT 1
);
INSERT INTO Startup (ViewAbout) VALUES (1);
