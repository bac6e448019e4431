// The payroll columns of the Setup row in the settings database: what a new folder starts
// with, what a save keeps and leaves alone, a table that lost its row, and files the program
// must refuse rather than calculate from. Each test runs in a fresh application folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>

#include "FileContents.h"
#include "TestSupport.h"
#include "Database.h"
#include "SetupSettings.h"

namespace revora {
namespace {

void ExpectSettings(const PayeSettings& actual, const PayeSettings& expected)
{
    EXPECT_EQ(actual.EmployeeUIF, expected.EmployeeUIF);
    EXPECT_EQ(actual.EmployerUIF, expected.EmployerUIF);
    EXPECT_EQ(actual.SkillLevy, expected.SkillLevy);
    EXPECT_EQ(actual.UIFLimit, expected.UIFLimit);
    EXPECT_EQ(actual.TAIncRate8020, expected.TAIncRate8020);
}

// The seed's row as a new settings file holds it.
const PayeSettings SeedSettings{1.0, 1.0, 1.0, 14872.0, 0.8};
// A distinct value in every column, so a column written into another's place shows.
const PayeSettings SavedSettings{0.75, 1.25, 2.5, 17712.0, 0.5};

class SetupSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    }

    // Works on the file as another program (or a damaged disk) would, and returns the rows of
    // the last statement, every column.
    QList<QVariantList> Sql(const QStringList& statements)
    {
        QList<QVariantList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "outside");
            db.setDatabaseName(paths.SettingsDbPath);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& statement : statements)
                EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
            while (query.isSelect() && query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows << row;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("outside");
        return rows;
    }
    QList<QVariantList> SetupRows() { return Sql({"SELECT * FROM Setup ORDER BY rowid"}); }

    QTemporaryDir appFolder;
    AppPaths paths;
};

TEST_F(SetupSettings, NewFolderReadsTheSeedsRates)
{
    ExpectSettings(ReadPayeSettings(paths), SeedSettings);
}

TEST_F(SetupSettings, SavedRatesReadBackAsTheyWereIncludingARateOfNeither80Nor20)
{
    WritePayeSettings(paths, SeedSettings);
    WritePayeSettings(paths, SavedSettings);
    ExpectSettings(ReadPayeSettings(paths), SavedSettings);
    EXPECT_EQ(SetupRows().size(), 1);
}

TEST_F(SetupSettings, SavingLeavesThePackageColumnsAsTheyWere)
{
    ReadPayeSettings(paths);
    Sql({"UPDATE Setup SET PensionCont = 7.5, EmployerPenCont = 10, ProvCont = 2, EmployerProvCont = 4, "
           "CompCarFBRate8020 = 0.2, CompCarMPYesNo = -1"});
    const QVariantList before = SetupRows().value(0);

    WritePayeSettings(paths, SavedSettings);

    const QList<QVariantList> after = SetupRows();
    ASSERT_EQ(after.size(), 1);
    // Columns in the seed's order: four contributions, the five payroll columns, two car columns.
    for (int i : {0, 1, 2, 3, 9, 10})
        EXPECT_EQ(after[0].value(i), before.value(i)) << "column " << i;
}

TEST_F(SetupSettings, ASecondRowAddedOutsideTheProgramIsNeitherReadNorWritten)
{
    ReadPayeSettings(paths);
    Sql({"INSERT INTO Setup (EmployeeUIF, EmployerUIF, SkillLevy, UIFLimit, TAIncRate8020) VALUES (9, 9, 9, 9, 0.2)"});
    WritePayeSettings(paths, SavedSettings);
    ExpectSettings(ReadPayeSettings(paths), SavedSettings);
    EXPECT_EQ(SetupRows().value(1).value(7), QVariant(9.0));
}

// A table that has lost its row, by reading or by saving first.
struct LostRowCase {
    const char* name;
    std::function<void(const AppPaths&)> firstUse;
    PayeSettings expected;
};

class LostRow : public SetupSettings, public ::testing::WithParamInterface<LostRowCase> {};

TEST_P(LostRow, GetsItsOneRowBack)
{
    ReadPayeSettings(paths);
    Sql({"DELETE FROM Setup"});
    GetParam().firstUse(paths);
    EXPECT_EQ(SetupRows().size(), 1);
    ExpectSettings(ReadPayeSettings(paths), GetParam().expected);
}

const LostRowCase LostRowCases[] = {
    {"reading puts back the seed's rates", [](const AppPaths& p) { ReadPayeSettings(p); }, SeedSettings},
    {"saving puts back the saved rates", [](const AppPaths& p) { WritePayeSettings(p, SavedSettings); },
     SavedSettings},
};

INSTANTIATE_TEST_SUITE_P(Settings, LostRow, ::testing::ValuesIn(LostRowCases), testing::RowName{});

// A file that is not a database at all: named in the error, and not a byte of it changed.
struct DamagedFileCase {
    const char* name;
    std::function<void(const AppPaths&)> use;
};

class DamagedFile : public SetupSettings, public ::testing::WithParamInterface<DamagedFileCase> {};

TEST_P(DamagedFile, IsNamedAndLeftAsItWas)
{
    QByteArray garbage;
    for (int i = 0; i < 256; ++i)
        garbage += "not a database ";
    {
        QFile file(paths.SettingsDbPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(garbage), garbage.size());
    }
    try {
        GetParam().use(paths);
        FAIL() << "a damaged settings file was used without complaint";
    } catch (const StorageError& e) {
        EXPECT_EQ(e.file(), paths.SettingsDbPath);
        EXPECT_TRUE(e.message().contains("Settings.db")) << e.message().toStdString();
    }
    EXPECT_EQ(revora::testing::ReadAll(paths.SettingsDbPath), garbage);
}

const DamagedFileCase DamagedFileCases[] = {
    {"reading", [](const AppPaths& p) { ReadPayeSettings(p); }},
    {"saving", [](const AppPaths& p) { WritePayeSettings(p, SavedSettings); }},
};

INSTANTIATE_TEST_SUITE_P(Settings, DamagedFile, ::testing::ValuesIn(DamagedFileCases), testing::RowName{});

// A row edited outside the program with something that is not a number in a payroll column:
// refused by name, so the screen falls back on its usual rates rather than calculate with it.
struct DamagedRowCase {
    const char* name;
    QStringList damage;
    const char* column;
};

class DamagedRow : public SetupSettings, public ::testing::WithParamInterface<DamagedRowCase> {};

TEST_P(DamagedRow, IsRefusedNamingTheFileAndTheColumn)
{
    ReadPayeSettings(paths);
    Sql(GetParam().damage);
    try {
        ReadPayeSettings(paths);
        FAIL() << "a rate that is not a number was read";
    } catch (const StorageError& e) {
        EXPECT_EQ(e.file(), paths.SettingsDbPath);
        EXPECT_TRUE(e.message().contains("Settings.db")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(GetParam().column)) << e.message().toStdString();
    }
}

const DamagedRowCase DamagedRowCases[] = {
    {"text in a rate", {"UPDATE Setup SET EmployerUIF = 'one'"}, "EmployerUIF"},
    {"an infinite UIF limit", {"UPDATE Setup SET UIFLimit = 1e999"}, "UIFLimit"},
    {"a minus infinite skills levy", {"UPDATE Setup SET SkillLevy = -1e999"}, "SkillLevy"},
    {"an empty inclusion rate in a table without its constraints",
     {"DROP TABLE Setup",
      "CREATE TABLE Setup (EmployeeUIF REAL, EmployerUIF REAL, SkillLevy REAL, UIFLimit REAL, TAIncRate8020 REAL)",
      "INSERT INTO Setup VALUES (1, 1, 1, 14872, NULL)"},
     "TAIncRate8020"},
};

INSTANTIATE_TEST_SUITE_P(Settings, DamagedRow, ::testing::ValuesIn(DamagedRowCases), testing::RowName{});

} // namespace
} // namespace revora
