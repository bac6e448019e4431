// revora-calc settings: the stored row shown, changed as the settings panel changes it, and a
// refused change that leaves the file exactly as it was.

#include "cli/RevoraCalc.h"
#include "FileContents.h"
#include "TestSupport.h"

namespace revora {
namespace {

TEST_F(RevoraCalcTest, ANewFileShowsTheStartingSettings)
{
    const CalcRun run = RevoraCalc({"settings", "--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject settings = JsonOf(run);
    ExpectFigures(settings,
                  {"PensionCont", "EmployerPenCont", "ProvCont", "EmployerProvCont", "EmployeeUIF", "EmployerUIF",
                   "SkillLevy", "UIFLimit", "TAIncRate8020", "CompCarFBRate8020", "CompCarMPYesNo"},
                  {{"EmployeeUIF", 1}, {"EmployerUIF", 1}, {"SkillLevy", 1}, {"UIFLimit", 14872},
                   {"TAIncRate8020", 0.8}, {"CompCarFBRate8020", 0.8}});
    EXPECT_EQ(settings.value("CompCarMPYesNo"), QJsonValue(false));
}

TEST_F(RevoraCalcTest, SetChangesTheNamedColumnsTogetherTheLastOfTwiceAndTheScreensReadThem)
{
    const CalcRun set = RevoraCalc({"settings", "--set", "UIFLimit=1", "--set", "UIFLimit=17712", "--set", "CompCarMPYesNo=yes", "--set",
                                    "TAIncRate8020=0.2", "--set", "PensionCont=7.5", DataDirArg()});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_TRUE(set.out.contains("Company car has maintenance plan (CompCarMPYesNo)")) << set.out.toStdString();
    const QJsonObject settings = JsonOf(RevoraCalc({"settings", "--json", DataDirArg()}));
    ExpectFigures(settings, {},
                  {{"UIFLimit", 17712}, {"TAIncRate8020", 0.2}, {"PensionCont", 7.5}, {"EmployeeUIF", 1}});
    EXPECT_EQ(settings.value("CompCarMPYesNo"), QJsonValue(true));
    // A payroll run takes the stored ceiling: UIF on R 20 000 is 1 % of R 17 712.
    const QJsonObject monthly = JsonOf(RevoraCalc({"monthly", "--salary", "20000", "--age", "40", "--json", DataDirArg()}));
    ExpectFigures(monthly, {}, {{"UIFEmployee", 177.12}, {"UIFEmployer", 177.12}});
}

struct SettingsRefusal {
    const char* name;
    QStringList arguments;
    QString line;
};

class SettingsRefusalTest : public RevoraCalcTest, public ::testing::WithParamInterface<SettingsRefusal> {};

TEST_P(SettingsRefusalTest, ExitWith2TheOneLineAndTheFileUntouched)
{
    ASSERT_EQ(RevoraCalc({"settings", "--set", "SkillLevy=0.5", DataDirArg()}).exitCode, 0);
    const QString file = QDir(dataDir.path()).filePath("Settings.db");
    const QByteArray before = revora::testing::ReadAll(file);
    ASSERT_FALSE(before.isEmpty());
    const CalcRun run = RevoraCalc(QStringList(GetParam().arguments) << DataDirArg());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.err, "revora-calc: " + GetParam().line + '\n');
    EXPECT_EQ(revora::testing::ReadAll(file), before);
}

// A good change beside the bad one is not written either.
QStringList SetBeside(const char* assignment) { return {"settings", "--set", "UIFLimit=1", "--set", assignment}; }

const char* const ColumnList = "PensionCont, EmployerPenCont, ProvCont, EmployerProvCont, EmployeeUIF, EmployerUIF, "
                               "SkillLevy, UIFLimit, TAIncRate8020, CompCarFBRate8020, CompCarMPYesNo";

const SettingsRefusal SettingsRefusals[] = {
    {"no equals sign", SetBeside("UIFLimit"), "--set: 'UIFLimit' must be COLUMN=VALUE"},
    {"a column the row does not have", SetBeside("Salary=1"),
     QString("--set: 'Salary' is not a column of the settings; the columns are %1").arg(ColumnList)},
    {"SQL in a value", SetBeside("SkillLevy=1; DROP TABLE Setup"), "--set: '1; DROP TABLE Setup' is not a number"},
    {"SQL in a column name", SetBeside("SkillLevy = 0, UIFLimit=1"),
     QString("--set: 'SkillLevy ' is not a column of the settings; the columns are %1").arg(ColumnList)},
    {"a negative rate", SetBeside("SkillLevy=-1"), "--set: SkillLevy='-1' must be 0 to 100"},
    {"an employee UIF of 150 %", SetBeside("EmployeeUIF=150"), "--set: EmployeeUIF='150' must be 0 to 100"},
    {"an employee pension of 120 %", SetBeside("PensionCont=120"), "--set: PensionCont='120' must be 0 to 100"},
    {"a UIF limit of 0", SetBeside("UIFLimit=0"), "--set: UIFLimit='0' must be above 0 and at most 999 999 999 999.99"},
    {"a UIF limit above the most a box takes", SetBeside("UIFLimit=1e12"),
     "--set: UIFLimit='1e12' must be above 0 and at most 999 999 999 999.99"},
    {"a word for a rate", SetBeside("EmployeeUIF=one"), "--set: 'one' is not a number"},
    {"an infinite limit", SetBeside("UIFLimit=inf"), "--set: 'inf' is not a number"},
    {"an inclusion rate of one half", SetBeside("TAIncRate8020=0.5"), "--set: TAIncRate8020='0.5' must be 0.8 or 0.2"},
    {"a maintenance plan of 1", SetBeside("CompCarMPYesNo=1"), "--set: CompCarMPYesNo='1' must be yes or no"},
    {"a report asked of the settings", {"settings", "--report", "x.pdf"}, "--report: unknown option"},
    // The settings given for one run are held to the same limits.
    {"a run's UIF limit of -100", {"monthly", "--salary", "20000", "--uif-limit", "-100"},
     "--uif-limit: '-100' is below 0"},
    {"a run's UIF limit of 0", {"grossup", "--net", "20000", "--uif-limit", "0"},
     "--uif-limit: '0' must be above 0 and at most 999 999 999 999.99"},
    {"a run's negative pension", {"netpay", "--net", "250000", "--pension-pct", "-50"},
     "--pension-pct: '-50' is below 0"},
    {"a run's employer pension far below 0", {"grossup", "--net", "250000", "--employer-pension-pct", "-1e15"},
     "--employer-pension-pct: '-1e15' is below 0"},
    {"a run's provident of 101 %", {"netpay", "--net", "250000", "--provident-pct", "101"},
     "--provident-pct: '101' must be 0 to 100"},
};
INSTANTIATE_TEST_SUITE_P(Refused, SettingsRefusalTest, ::testing::ValuesIn(SettingsRefusals), testing::RowName{});

} // namespace
} // namespace revora
