// Every report exported as PDF and as OpenDocument text, the second laid out by LibreOffice:
// both show the same words and figures in the same order on the same pages, so the same page
// numbers, the same table headings at the top of every page, and no figure broken across lines.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "FileContents.h"
#include "report/LayoutTestSupport.h"

namespace revora {
namespace {

struct ExportRow {
    const char* name;
    const char* arguments; // revora-calc's, split at blanks; {dir} stands for the test's folder
    const char* fileOption = "--report";
};

// One row per layout; the loans' schedules run over several pages.
const std::vector<ExportRow> Reports{
    {"Quick tax", "quicktax --income 250000 --age 40"},
    {"Quick tax, explained", "quicktax --income 240000 --age 70 --explain"},
    {"Monthly", "monthly --salary 20000 --travel 3000 --employee Smit"},
    {"Weekly (Afrikaans)", "weekly --salary 5000 --travel 700 --employee Smit --language af"},
    {"Fortnightly", "fortnightly --salary 10000 --travel 1400 --employee Smit"},
    {"Daily", "daily --salary 900 --employee Smit"},
    {"Annual", "annual --salary 300000 --employee Smit"},
    {"Gross-up", "grossup --net 200000 --car 250000 --travel 24000 --name Smit --other Gym:6000"},
    {"Net pay, monthly", "netpay --monthly --net 30000 --car 250000 --travel 2000 --name Smit --other Gym:500"},
    {"Company car", "companycar --vehicles {dir}/cars.json"},
    {"Travel, deemed costs", "travel --value 200000 --allowance 60000 --close-km 40000 --open-km 10000 --business-km 20000"},
    {"Travel, actual costs", "travel --record-kept yes --value 200000 --close-km 40000 --open-km 10000 --business-km 20000 "
                             "--fuel-oil 20000 --repairs 5000"},
    {"Loan repayment", "loan --principal 500000 --months 240 --rate 10"},
    {"Loan principal", "loan --solve principal --months 240 --rate 10 --repayment 5000"},
    {"Loan period", "loan --solve period --principal 500000 --rate 10 --repayment 6000"},
    {"Loan rate", "loan --solve rate --principal 500000 --months 240 --repayment 5000"},
    {"Loan repayment, monthly schedule", "loan --principal 500000 --months 240 --rate 10 --schedule monthly"},
    {"Loan principal, annual schedule", "loan --solve principal --months 240 --rate 10 --repayment 5000 --schedule annual"},
    {"Loan period, annual schedule", "loan --solve period --principal 500000 --rate 10 --repayment 6000 --schedule annual"},
    {"Loan rate, monthly schedule", "loan --solve rate --principal 500000 --months 240 --repayment 5000 --schedule monthly"},
    {"Loan buster", "loanbuster --principal 500000 --months 240 --rate 10 --extra 500"},
    {"Loan comparison", "loancompare --amount 500000 --rate 10"},
    {"Daily balance", "dailybalance --capital 10000 --rate 8 --start 01/03/2015 --end 31/08/2015"},
    {"Inflation", "inflation --cost 1000 --rate 6 --years 20"},
    {"Payroll run", "payroll --period monthly --csv {dir}/june.csv"},
    // Three payslips, a page each: the breaks between them kept.
    {"Payslips (Afrikaans)", "payroll --period weekly --csv {dir}/june.csv --language af", "--payslips"},
};

const char* const Employees = "employee,age,salary,bonus\nThandi Nkosi,42,25000,\n\"Botha, Jan\",66,12000,5000\n"
                              "Sipho Dlamini,30,40000,\n";

const char* const Cars = R"([
  {"CCRegNumber": "CA 123-456", "CCMake": "Toyota", "CCModel": "Corolla", "YearOfManfact": "2014", "CCPrice": 250000,
   "MaintIncluded": 1, "CCStartDate": "01/03/2015", "CCEndDate": "29/02/2016", "StartMileage": 10000,
   "EndMileage": 40000, "TotalDistance": 30000, "BusDistance": 20000},
  {"CCRegNumber": "CA 765-432", "CCMake": "VW", "CCModel": "Polo", "YearOfManfact": "2015", "CCPrice": 200000,
   "CCStartDate": "01/03/2015", "CCEndDate": "31/08/2015", "EndMileage": 12000, "TotalDistance": 12000,
   "BusDistance": 6000, "SARSTable": 1}
])";

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(180000) && process.exitStatus() == QProcess::NormalExit;
    return ran && process.exitCode() == 0
               ? QString()
               : program + " " + arguments.join(' ') + ": " + process.errorString() + "\n" + process.readAllStandardError();
}

// The words of each page in the order the PDF draws them (the document's), ligatures unfolded.
QList<QStringList> PageWords(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-raw", pdf, "-"});
    pdftotext.waitForFinished();
    QList<QStringList> pages;
    for (const QString& page : QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts))
        pages << page.normalized(QString::NormalizationForm_KC).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    return pages;
}

TEST(ExportLayout, TheOdtShowsWhatThePdfShowsPageByPage)
{
    QTemporaryDir dir;
    QFile cars(dir.filePath("cars.json"));
    ASSERT_TRUE(cars.open(QIODevice::WriteOnly) && cars.write(Cars) > 0);
    cars.close();
    QFile employees(dir.filePath("june.csv"));
    ASSERT_TRUE(employees.open(QIODevice::WriteOnly) && employees.write(Employees) > 0);
    employees.close();
    QStringList odts;
    for (std::size_t i = 0; i < Reports.size(); ++i) {
        const QStringList arguments = QString::fromUtf8(Reports[i].arguments).replace("{dir}", dir.path()).split(' ')
                                      + QStringList{"--data-dir", dir.filePath("data"), Reports[i].fileOption};
        odts << dir.filePath(QString::number(i) + ".odt");
        const QString pdf = dir.filePath(QString::number(i) + ".pdf"), html = dir.filePath(QString::number(i) + ".html");
        const bool explained = arguments.contains("--explain"); // its working: the heading, every figure whole
        for (const QString& file : QStringList{pdf, odts.last()} + (explained ? QStringList{html} : QStringList{})) {
            const QString failed = RunTool(REVORA_TEST_INSTALL_DIR "/revora-calc", arguments + QStringList{file});
            ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        }
        if (explained) {
            QStringList words;
            for (const QStringList& page : PageWords(pdf))
                words << page;
            EXPECT_TRUE(words.join(' ').contains("How these figures were worked out")) << Reports[i].name;
            // "Tax on R 240 000.00" is a sentence: its amount stands a word's space from the word before.
            const QString faults = QString::fromStdString(testing::PrintFaults(QString::fromUtf8(testing::ReadAll(html)), pdf));
            EXPECT_EQ(faults.split('\n').filter(QRegularExpression("^(?!crowded: \\w+ R$)")).join('\n').toStdString(), "");
        }
    }
    // One start of LibreOffice for all the files, with a profile of its own.
    const QString profile = "-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("office")).toString();
    const QString failed = RunTool("soffice", QStringList{"--headless", "--norestore", profile, "--convert-to", "pdf",
                                                          "--outdir", dir.filePath("odt")} + odts);
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    for (std::size_t i = 0; i < Reports.size(); ++i) {
        SCOPED_TRACE(Reports[i].name);
        const QList<QStringList> printed = PageWords(dir.filePath(QString::number(i) + ".pdf"));
        const QList<QStringList> office = PageWords(dir.filePath("odt/" + QString::number(i) + ".pdf"));
        ASSERT_FALSE(printed.isEmpty());
        EXPECT_EQ(office.size(), printed.size()) << "pages";
        for (qsizetype page = 0; page < std::min(office.size(), printed.size()); ++page) {
            const auto [want, got] = std::mismatch(printed[page].begin(), printed[page].end(), office[page].begin(),
                                                   office[page].end());
            const auto words = [](auto from, const QStringList& page) {
                return QStringList(from, page.end()).mid(0, 4).join(' ').toStdString();
            };
            if (want != printed[page].end() || got != office[page].end())
                ADD_FAILURE() << "page " << page + 1 << ": the PDF has \"" << words(want, printed[page])
                              << "\", the ODT \"" << words(got, office[page]) << "\"";
        }
    }
}

} // namespace
} // namespace revora
