// The vehicle printouts: the company car layout over the rows of "compcar" and the two travel
// allowance layouts over the one row of "traveldeduction". The rows are the ones the print
// routines write, made by the real models and stored through the real report database in a
// data folder created from the installed seeds.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextDocument>
#include <array>
#include <string>
#include <vector>

#include "AppState.h"
#include "Database.h"
#include "report/LayoutTestSupport.h"
#include "ReportDatabase.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "vehicle/CompanyCar.h"
#include "vehicle/CompanyCarPrintout.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/TravelAllowancePrintout.h"
#include "TestSupport.h"

namespace revora {
namespace {

// The columns of a table as created, whether or not it holds rows.
QSqlRecord TableColumns(const AppPaths& paths, const QString& table)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    return connection.database().record(table);
}

// The text a tag stands for in a stored row: money.X formatted, a plain number in its
// shortest form, a text as it is.
QString StoredText(const QString& tag, const ReportRow& row)
{
    const bool money = tag.startsWith("money.");
    const std::string name = (money ? tag.mid(6) : tag).toStdString();
    for (const ReportField& field : row) {
        if (field.name != name)
            continue;
        if (const auto* amount = std::get_if<double>(&field.value))
            return QString::fromStdString(money ? FormatAmount(*amount) : FormatFullPrecision(*amount));
        if (const auto* count = std::get_if<std::int16_t>(&field.value))
            return QString::number(*count);
        return QString::fromStdString(std::get<std::string>(field.value));
    }
    ADD_FAILURE() << "{{" << tag.toStdString() << "}} names no field of the row";
    return {};
}

// The texts the tags of the layout's per-vehicle section stand for, for one row.
QStringList SectionTexts(const ReportLayout& layout, const ReportRow& row)
{
    const QStringList tags = testing::LayoutTags(layout);
    QStringList texts;
    bool inside = false;
    for (const QString& tag : tags) {
        if (tag == "#rows" || tag == "/rows") {
            inside = tag == "#rows";
            continue;
        }
        if (inside && !testing::IsSectionTag(tag))
            texts << StoredText(tag, row);
    }
    return texts;
}

const std::array<const char*, 5> Makes{"Toyota", "Volkswagen", "Ford", "Nissan", "Mazda"};
const std::array<const char*, 5> Models{"Corolla 1.6", "Polo Vivo", "Ranger 2.2 & 'Hi-Rider'", "Almera", "CX-5"};

// Car k (from 1) of a register: every figure differs from the other cars', so a section that
// shows another car's figures is seen. Car 2 is valued at the deemed fuel rate; the others at
// the fuel the employee paid.
CompanyCarRecord Car(int k)
{
    CompanyCarRecord car;
    car.CCRegNumber = "CA " + std::to_string(100 + k) + "-00" + std::to_string(k);
    car.CCMake = Makes[static_cast<std::size_t>(k - 1)];
    car.CCModel = Models[static_cast<std::size_t>(k - 1)];
    car.YearOfManfact = std::to_string(2010 + k);
    car.CCPrice = 100000.0 * k + 50000.0;
    car.MaintIncluded = static_cast<std::int16_t>(k % 2);
    car.CCStartDate = TaxYearStart + 61 * (k - 1); // 01/03/2015, 01/05/2015, ...
    car.CCEndDate = TaxYearEnd - k;
    car.StartMileage = 10000.0 * k;
    car.EndMileage = car.StartMileage + 20000.0 + 1000.0 * k;
    car.BusDistance = 5000.0 + 500.0 * k;
    car.BussMilage = 1;
    car.SARSTable = static_cast<std::int16_t>(k == 2);
    car.ActualExpEmployee = k == 2 ? 0.0 : 12000.0 + 100.0 * k;
    car.FuelReimbEmployer = 1000.0 * k;
    car.EmpPaidInsurance = 3000.0 + 100.0 * k;
    car.EmpPaidLicence = 500.0 + k;
    car.EmpPaidMaintenance = 2000.0 + 10.0 * k;
    car.FB3802ThisCar = 20000.0 + 1000.0 * k;
    return car;
}

// What the print button writes for a register of `count` cars.
std::vector<ReportRow> CompCarRows(int count, const std::vector<int>& withoutModel = {})
{
    CompanyCarRegister cars;
    double actual3802 = 0.0;
    for (int k = 1; k <= count; ++k) {
        CompanyCarRecord car = Car(k);
        if (std::find(withoutModel.begin(), withoutModel.end(), k) != withoutModel.end()) {
            car.CCModel.clear();
            car.YearOfManfact.clear();
        }
        actual3802 += car.FB3802ThisCar;
        cars.Records.push_back(car);
    }
    cars.CarCount = static_cast<std::int16_t>(count);
    cars.CurrentVehicle = count > 0 ? 1 : 0;
    cars.ShownVehicleNo = cars.CurrentVehicle;
    cars.Actual3802 = actual3802;
    const CompCarRun last = count > 0 ? CompCarCalculateCommand(cars) : CompCarRun{};
    return CompCarReportRows(cars, last);
}

struct TravelPrint {
    TravelAllowanceInputs inputs;
    TravelAllowancePeriod period;
};

// R 150 000, 30 000 km of which 20 000 business, the whole year: 279.6 cents/km, R 55 923.32.
TravelPrint DeemedCosts()
{
    TravelPrint print;
    print.inputs.CarDescription = "BMW 320i & tow-bar";
    print.inputs.VehicleValue = 150000.0;
    print.inputs.CloseKm = 60000.0;
    print.inputs.OpenKm = 30000.0;
    print.inputs.BusinessKmEntered = 20000.0;
    print.inputs.IncludeFuel = 1;
    print.inputs.IncludeMaintenance = 1;
    return print;
}

// R 60 000 of costs, 25 000 business km of 40 000: claim R 37 500, private use R 22 500.
TravelPrint ActualCosts()
{
    TravelPrint print;
    print.inputs.CarDescription = "Audi A4";
    print.inputs.RecordKept = 1;
    print.inputs.CloseKm = 40000.0;
    print.inputs.BusinessKmEntered = 25000.0;
    print.inputs.FuelOil = 30000.0;
    print.inputs.RepairsMaint = 10000.0;
    print.inputs.InsuranceLicence = 8000.0;
    print.inputs.OtherExpenses = 2000.0;
    print.inputs.WearAndTear = 10000.0;
    return print;
}

const std::string Employee = "Anna-Marie O'Reilly & Johannes van der Westhuizens";

ReportRow TravelRow(TravelPrint print)
{
    const TravelAllowanceResults results = CalcTravelAllowance(print.inputs, print.period);
    return TravelDeductionReportRow(print.inputs, print.period, results, Employee);
}

class VehicleLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    }

    QString PrintCompCar(const std::vector<ReportRow>& rows)
    {
        const RenderedReport report = WriteAndRenderMultiRowReport(
            state, {CompCarTable, CompCarLayout, QString(CompCarTitle) + ExportHint}, rows);
        EXPECT_FALSE(report.html.contains("{{") || report.html.contains("}}")) << "a tag was left unrendered";
        return report.html;
    }

    QString PrintTravel(const TravelPrint& print)
    {
        const RenderedReport report = WriteAndRenderOneRowReport(
            state,
            {TravelAllowanceTable, TravelAllowanceLayout(print.inputs.RecordKept),
             QString(TravelAllowanceTitle) + ExportHint},
            TravelRow(print));
        EXPECT_FALSE(report.html.contains("{{") || report.html.contains("}}")) << "a tag was left unrendered";
        return report.html;
    }

    static QString Text(const QString& html) { return MakeReportDocument(html)->toPlainText(); }

    ReportLayout Load(const QString& name) const { return LoadReportLayout(state.Paths.LayoutPath(name)); }

    QTemporaryDir appFolder;
    AppState state;
};

// --- The seeds: the tables the print routines write into, as a new data folder gets them. ---

TEST_F(VehicleLayout, CompanyCarTableStartsEmptyWithAColumnForEachFieldInOrder)
{
    EXPECT_TRUE(ReadReportTable(state.Paths, "compcar").isEmpty());
    const QSqlRecord columns = TableColumns(state.Paths, "compcar");
    const ReportRow row = CompCarRows(1).front();
    ASSERT_EQ(columns.count(), static_cast<int>(row.size()));
    for (int i = 0; i < columns.count(); ++i) {
        const ReportField& field = row[static_cast<std::size_t>(i)];
        EXPECT_EQ(columns.fieldName(i).toStdString(), field.name);
        const int type = columns.field(i).metaType().id();
        if (std::holds_alternative<double>(field.value))
            EXPECT_EQ(type, QMetaType::Double) << field.name;
        else if (std::holds_alternative<std::int16_t>(field.value))
            EXPECT_TRUE(type == QMetaType::Int || type == QMetaType::LongLong) << field.name;
        else
            EXPECT_EQ(type, QMetaType::QString) << field.name;
    }
}

TEST_F(VehicleLayout, TravelTableHoldsOneBlankRowWithTheFieldsOfBothMethods)
{
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, "traveldeduction");
    ASSERT_EQ(rows.size(), 1);
    const QSqlRecord& stored = rows.first();
    // The fields every print writes, then those of a record kept, then those of none.
    QStringList expected;
    for (const ReportField& field : TravelRow(ActualCosts()))
        expected << QString::fromStdString(field.name);
    for (const ReportField& field : TravelRow(DeemedCosts()))
        if (!expected.contains(QString::fromStdString(field.name)))
            expected << QString::fromStdString(field.name);
    QStringList names;
    for (int i = 0; i < stored.count(); ++i) {
        names << stored.fieldName(i);
        const QVariant value = stored.value(i);
        if (value.typeId() == QMetaType::QString)
            EXPECT_TRUE(value.toString().isEmpty()) << stored.fieldName(i).toStdString();
        else
            EXPECT_EQ(value.toDouble(), 0.0) << stored.fieldName(i).toStdString();
    }
    EXPECT_EQ(names, expected);
}

TEST_F(VehicleLayout, ARecordKeptPrintLeavesTheDeemedCostFieldsOfAnEarlierPrint)
{
    PrintTravel(DeemedCosts());
    PrintTravel(ActualCosts());
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, "traveldeduction");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().value("cv").toDouble(), 46505.0);
    EXPECT_EQ(rows.first().value("DateStart").toString(), "01/03/2015");
    EXPECT_EQ(rows.first().value("totcost").toDouble(), 60000.0);
    EXPECT_EQ(rows.first().value("mta01").toString(), "Audi A4");
}

// --- The company car printout. ---

TEST_F(VehicleLayout, EachCarHasItsOwnSectionWithItsOwnFigures)
{
    const std::vector<ReportRow> rows = CompCarRows(3);
    const QString text = Text(PrintCompCar(rows));
    const ReportLayout layout = Load(CompCarLayout);
    QStringList expected{"Full use of Company Car", "2015/2016", QDate::currentDate().toString("dd/MM/yyyy")};
    for (const ReportRow& row : rows)
        expected << SectionTexts(layout, row);
    expected << "Total code 3802 f/benefits on IRP5's" << StoredText("money.Actual3802", rows.front())
             << "Total Adjustment to taxable income" << StoredText("money.TotAdjustTaxableInc", rows.front())
             << "Total (SARS's claim awarded against taxable income)"
             << StoredText("money.TotAdjustTaxableIncSARS", rows.front());
    testing::FindInOrder(text, expected);
    // The second car's money is its own, not the first car's.
    EXPECT_TRUE(text.contains("R " + StoredText("money.CCPrice", rows[1])));
    EXPECT_NE(StoredText("money.CCPrice", rows[0]), StoredText("money.CCPrice", rows[1]));
}

TEST_F(VehicleLayout, ThreeCarsAfterFourPrintOnlyThree)
{
    PrintCompCar(CompCarRows(4));
    const QString text = Text(PrintCompCar(CompCarRows(3)));
    EXPECT_EQ(ReadReportTable(state.Paths, "compcar").size(), 3);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral(R"(Vehicle \d of \d)"))), 3) << text.toStdString();
    testing::FindInOrder(text, {"Vehicle 1 of 3", "CA 101-001", "Vehicle 2 of 3", "CA 102-002", "Vehicle 3 of 3",
                                "CA 103-003"});
    EXPECT_FALSE(text.contains("CA 104-004"));
    EXPECT_FALSE(text.contains("of 4"));
    EXPECT_FALSE(text.contains(Makes[3]));
}

TEST_F(VehicleLayout, DatesPrintAsDayMonthYearAndKmAsWholeNumbers)
{
    const QString text = Text(PrintCompCar(CompCarRows(2)));
    // Car 2 runs from 01/05/2015 to 27/02/2016: 303 days, odometer 20 000 to 42 000.
    testing::FindInOrder(text, {"Vehicle 2 of 2", "01/05/2015", "27/02/2016", "303", "20000 km", "42000 km",
                                "22000 km", "6000 km", "16000 km"});
    EXPECT_FALSE(text.contains(QString::number(TaxYearStart + 61))) << "a date printed as a day number";
    EXPECT_FALSE(text.contains("20000.00 km") || text.contains("20 000.00 km"));
}

TEST_F(VehicleLayout, ACarWithoutAModelShowsNoOtherCarsModel)
{
    const QString text = Text(PrintCompCar(CompCarRows(3, {3})));
    const qsizetype third = text.indexOf("Vehicle 3 of 3");
    ASSERT_GE(third, 0);
    const QString section = text.mid(third);
    EXPECT_FALSE(section.contains(QString::fromStdString(Models[0]))) << section.toStdString();
    EXPECT_FALSE(section.contains("2011")) << section.toStdString();
    EXPECT_TRUE(section.contains(Makes[2]));
}

TEST_F(VehicleLayout, AnEmptyRegisterPrintsNoSectionAndNoTotal)
{
    PrintCompCar(CompCarRows(2));
    const QString text = Text(PrintCompCar(CompCarRows(0)));
    EXPECT_TRUE(text.contains("Full use of Company Car"));
    EXPECT_TRUE(text.contains("No vehicles are in the register."));
    EXPECT_FALSE(text.contains("Vehicle 1"));
    EXPECT_FALSE(text.contains("Total code 3802"));
}

TEST_F(VehicleLayout, TwoCarsShareAPageAndACarRunningOnIsNamedAgain)
{
    const QString html = PrintCompCar(CompCarRows(5));
    const auto document = MakeReportDocument(html);
    const qreal width = (210 - 2 * 18) / 25.4 * QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    document->setTextWidth(width);
    EXPECT_LE(document->idealWidth(), width + 0.5) << "the page is wider than the paper";

    const QString pdf = appFolder.filePath("compcar.pdf");
    ExportReport(html, pdf);
    EXPECT_EQ(testing::PrintFaults(html, pdf), "");
    const QStringList pages = testing::PdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    static const QRegularExpression opening(QStringLiteral(R"(Vehicle (\d) of 5)"));
    static const QRegularExpression sectionLine(QStringLiteral(R"( km\b|Fuel component|Weekly at)"));
    static const QString closing = QStringLiteral("Weekly at 20%");
    QStringList closed;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const QString& page = pages[p];
        // Whatever a page holds of a car comes under that car's own line.
        const auto first = opening.match(page);
        const QString before = page.left(first.hasMatch() ? first.capturedStart() : page.size());
        EXPECT_FALSE(before.contains(sectionLine)) << page.toStdString();
        const qsizetype lastClosing = page.lastIndexOf(closing);
        for (const auto& match : opening.globalMatch(page))
            if (match.capturedStart() < lastClosing)
                closed << match.captured(1);
        if (p == 0) {
            EXPECT_GE(page.count(closing), 2) << "two cars fit the first page";
        }
    }
    closed.removeDuplicates();
    EXPECT_EQ(closed, (QStringList{"1", "2", "3", "4", "5"}));
}

TEST_F(VehicleLayout, NoPageHoldsTheClosingLineWithoutTheTotals)
{
    // Registers of one to four cars, the last with a model of up to six lines, end their
    // pages at every height: the closing line never stands without the totals above it.
    for (int count = 1; count <= 4; ++count)
        for (int words = 0; words <= 18; words += 3) {
            std::vector<ReportRow> rows = CompCarRows(count);
            for (ReportField& field : rows.back())
                if (field.name == "CCModel")
                    field.value = QString("Longmodelname ").repeated(words).toStdString();
            const QString pdf = appFolder.filePath("register.pdf");
            ExportReport(PrintCompCar(rows), pdf);
            const QString last = testing::PdfPages(pdf).last();
            EXPECT_TRUE(last.contains("Total code 3802") && last.contains("E.& O.E."))
                << count << " cars, a model of " << words << " words:\n" << last.toStdString();
        }
}

// --- The travel allowance printouts. ---

struct TravelRowCase {
    const char* name;
    TravelPrint (*print)();
    bool includeFuel;
    QStringList expected; // in the order printed
};

const TravelRowCase TravelCases[] = {
    {"deemed costs with fuel", DeemedCosts, true,
     {"Car Allowance", "Anna-Marie O'Reilly & Johannes van der Westhuizens", "BMW 320i & tow-bar",
      "Travel allowance claim", "0.00", "150 000.00", "01/03/2015 to 29/02/2016", "366", "60 000.00", "30 000.00",
      "20 000.00", "30 000.00", "20 000.00", "10 000.00", "46 505.00", "155.02", "Fuel costs", "87.90",
      "Maintenance costs", "36.70", "279.60", "20 000.00", "279.60", "55 923.32",
      "limited to the allowance received"}},
    {"deemed costs without fuel", DeemedCosts, false,
     {"Car Allowance", "Travel allowance claim", "Fuel costs not included", "0.00", "Maintenance costs", "36.70",
      "191.70", "38 343.32"}},
    {"actual costs", ActualCosts, true,
     {"Car Allowance", "Anna-Marie O'Reilly & Johannes van der Westhuizens", "Audi A4", "Travel allowance claim",
      "0.00", "40 000.00", "0.00", "25 000.00", "40 000.00", "25 000.00", "15 000.00", "Fuel/oil", "30 000.00",
      "Repairs/maintenance", "10 000.00", "Insurance/licence", "8 000.00", "Other expenses", "2 000.00",
      "Wear and tear", "10 000.00", "Lease payments", "0.00", "Total costs", "60 000.00", "Less private use",
      "22 500.00", "Deduction claim", "37 500.00", "limited to the allowance received"}},
};

void PrintTo(const TravelRowCase& row, std::ostream* out) { *out << row.name; }

class TravelLayout : public VehicleLayout, public ::testing::WithParamInterface<TravelRowCase> {};

TEST_P(TravelLayout, ShowsHowTheClaimWasWorkedOutOnOnePage)
{
    TravelPrint print = GetParam().print();
    print.inputs.IncludeFuel = GetParam().includeFuel ? 1 : 0;
    const QString html = PrintTravel(print);
    const QString text = Text(html);
    testing::FindInOrder(text, GetParam().expected);
    EXPECT_EQ(text.contains("Fuel costs not included"), !GetParam().includeFuel);
    // Each method shows its own figures only.
    EXPECT_EQ(text.contains("cents/km"), print.inputs.RecordKept == 0);
    EXPECT_EQ(text.contains("Less private use"), print.inputs.RecordKept == 1);
    testing::ExpectOnePage(html, appFolder.filePath("travel.pdf"));
    EXPECT_EQ(testing::PrintFaults(html, appFolder.filePath("travel.pdf")), "");
}

INSTANTIATE_TEST_SUITE_P(Methods, TravelLayout, ::testing::ValuesIn(TravelCases), testing::RowName());

} // namespace
} // namespace revora
