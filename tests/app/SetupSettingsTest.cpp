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
const PayeSettings SavedSettings{0.75, 1.25, 2.5, 17712.0, 0.2};

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

TEST_F(SetupSettings, SavedRatesReadBackAsTheyWere)
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

// A row edited outside the program: each column is read only when its box on the "Setup"
// panel would take the value, and otherwise refused by name, so the screen falls back on its
// usual rates rather than calculate with it. The payroll screens read only their five columns,
// so a damaged package column leaves them be.
struct StoredValueCase {
    const char* name;
    QStringList damage;
    const char* column;
    bool refused;
};

class StoredValue : public SetupSettings, public ::testing::WithParamInterface<StoredValueCase> {};

TEST_P(StoredValue, IsReadOnlyWithinThePanelsLimits)
{
    ReadPayeSettings(paths);
    Sql(GetParam().damage);
    const bool payroll = QStringList{"EmployeeUIF", "EmployerUIF", "SkillLevy", "UIFLimit", "TAIncRate8020"}.contains(
        GetParam().column);
    const std::function<void()> readers[] = {[&] { ReadPackageSettings(paths); }, [&] { ReadPayeSettings(paths); }};
    for (const auto& read : readers) {
        const bool refused = GetParam().refused && (payroll || &read == &readers[0]);
        try {
            read();
            EXPECT_FALSE(refused) << "the value was read";
        } catch (const StorageError& e) {
            EXPECT_TRUE(refused) << e.message().toStdString();
            EXPECT_EQ(e.file(), paths.SettingsDbPath);
            EXPECT_TRUE(e.message().contains("Settings.db")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString(" %1 ").arg(GetParam().column))) << e.message().toStdString();
        }
    }
}

QStringList Set(const char* column, const char* value) { return {QString("UPDATE Setup SET %1 = %2").arg(column, value)}; }

const StoredValueCase StoredValueCases[] = {
    {"text in a rate", Set("EmployerUIF", "'one'"), "EmployerUIF", true},
    {"an infinite UIF limit", Set("UIFLimit", "1e999"), "UIFLimit", true},
    {"a minus infinite skills levy", Set("SkillLevy", "-1e999"), "SkillLevy", true},
    {"an empty inclusion rate in a table without its constraints",
     {"DROP TABLE Setup",
      "CREATE TABLE Setup (PensionCont REAL, EmployerPenCont REAL, ProvCont REAL, EmployerProvCont REAL, "
      "EmployeeUIF REAL, EmployerUIF REAL, SkillLevy REAL, UIFLimit REAL, TAIncRate8020 REAL, "
      "CompCarFBRate8020 REAL, CompCarMPYesNo INTEGER)",
      "INSERT INTO Setup VALUES (0, 0, 0, 0, 1, 1, 1, 14872, NULL, 0.8, 0)"},
     "TAIncRate8020", true},
    {"a skills levy of -2 %", Set("SkillLevy", "-2"), "SkillLevy", true},
    {"a skills levy of 0", Set("SkillLevy", "0"), "SkillLevy", false},
    {"an employee UIF of 500 %", Set("EmployeeUIF", "500"), "EmployeeUIF", true},
    {"an employer UIF of 100 %", Set("EmployerUIF", "100"), "EmployerUIF", false},
    {"an employer UIF just above 100 %", Set("EmployerUIF", "100.001"), "EmployerUIF", true},
    {"a UIF limit of -100", Set("UIFLimit", "-100"), "UIFLimit", true},
    {"a UIF limit of 0", Set("UIFLimit", "0"), "UIFLimit", true},
    {"a UIF limit of a cent", Set("UIFLimit", "0.01"), "UIFLimit", false},
    {"a UIF limit above the most a box takes", Set("UIFLimit", "1e300"), "UIFLimit", true},
    {"a travel inclusion rate of one half", Set("TAIncRate8020", "0.5"), "TAIncRate8020", true},
    {"a travel inclusion rate of 0.2", Set("TAIncRate8020", "0.2"), "TAIncRate8020", false},
    {"a car inclusion rate of 0.81", Set("CompCarFBRate8020", "0.81"), "CompCarFBRate8020", true},
    {"an employee pension of 120 %", Set("PensionCont", "120"), "PensionCont", true},
    {"an employee pension of 100 %", Set("PensionCont", "100"), "PensionCont", false},
    {"a negative employer pension", Set("EmployerPenCont", "-1"), "EmployerPenCont", true},
    {"an employer provident of 101 %", Set("EmployerProvCont", "101"), "EmployerProvCont", true},
    {"a maintenance plan of -1, yes", Set("CompCarMPYesNo", "-1"), "CompCarMPYesNo", false},
    {"a maintenance plan of 1, another tool's yes", Set("CompCarMPYesNo", "1"), "CompCarMPYesNo", false},
    {"a maintenance plan of 2", Set("CompCarMPYesNo", "2"), "CompCarMPYesNo", true},
};

INSTANTIATE_TEST_SUITE_P(Settings, StoredValue, ::testing::ValuesIn(StoredValueCases), testing::RowName{});

// A change outside the limits, or one that would leave a damaged column beside it, changes
// nothing and names the column; a change that mends the damaged column is taken.
struct RefusedChangeCase {
    const char* name;
    std::function<void(const AppPaths&)> change;
    const char* named;
};

class RefusedChange : public SetupSettings, public ::testing::WithParamInterface<RefusedChangeCase> {};

TEST_P(RefusedChange, ChangesNothing)
{
    ReadPayeSettings(paths);
    Sql({"UPDATE Setup SET PensionCont = 120"});
    const QList<QVariantList> before = SetupRows();
    try {
        GetParam().change(paths);
        FAIL() << "the change was made";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains(GetParam().named)) << e.message().toStdString();
    }
    EXPECT_EQ(SetupRows(), before);
}

const SettingsChange LimitOfOneRand{&SetupColumnNamed("UIFLimit"), 1.0};

const RefusedChangeCase RefusedChangeCases[] = {
    {"a UIF limit of 0 saved by a payroll screen",
     [](const AppPaths& p) { WritePayeSettings(p, {1.0, 1.0, 1.0, 0.0, 0.8}); }, "UIF monthly limit must be above 0"},
    {"an edit to a skills levy of 101 %",
     [](const AppPaths& p) {
         PackageSettings edited;
         edited.SkillLevy = 101.0;
         WriteSettingsEdit(p, {PackageSettings{}, edited});
     },
     "Skills levy can be at most 100 %"},
    {"a change beside the damaged column", [](const AppPaths& p) { ChangeSettings(p, {LimitOfOneRand}); },
     "PensionCont"},
};

INSTANTIATE_TEST_SUITE_P(Settings, RefusedChange, ::testing::ValuesIn(RefusedChangeCases), testing::RowName{});

TEST_F(SetupSettings, AChangeThatMendsTheDamagedColumnIsTaken)
{
    ReadPayeSettings(paths);
    Sql({"UPDATE Setup SET PensionCont = 120"});
    const PackageSettings read =
        ChangeSettings(paths, {LimitOfOneRand, {&SetupColumnNamed("PensionCont"), 7.5}});
    EXPECT_EQ(read.PensionCont, 7.5);
    EXPECT_EQ(read.UIFLimit, 1.0);
    EXPECT_EQ(ReadPackageSettings(paths).PensionCont, 7.5);
}

TEST_F(SetupSettings, AScreenThatCouldNotReadTheRowMendsItsColumnsWholeOnSaving)
{
    ReadPayeSettings(paths);
    Sql({"UPDATE Setup SET SkillLevy = -2, PensionCont = 7.5"});
    SettingsInForce payroll(SettingsInForce::Columns::Payroll);
    EXPECT_THROW(payroll.read(paths), StorageError);
    // The panel showed the screen's usual rates and "O&K" was pressed with nothing changed.
    const PackageSettings shown;
    payroll.save(paths, {shown, shown});
    ExpectSettings(PayrollPart(payroll.read(paths)), SeedSettings);
    EXPECT_EQ(ReadPackageSettings(paths).PensionCont, 7.5);
}

} // namespace
} // namespace revora
