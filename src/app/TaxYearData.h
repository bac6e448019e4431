#pragma once
// The tax years' data files: one JSON file a year, <YYYY>.json named by the year in which the
// tax year ends, among the installation files under tax-years/. A new tax year is a new file.
//
// A file holds the year's figures under the names TaxYear's fields document: "label", "start"
// and "end" (YYYY-MM-DD), "brackets" [{over, base, rate}], "rebates" {primary, secondary,
// tertiary}, "thresholds" {under_65, 65_to_74, 75_plus}, "medical_credit_per_month"
// {main_member, first_dependant, each_additional_dependant}, "uif" {employee_rate,
// employer_rate, monthly_ceiling [{from, amount}]}, "sdl_rate" and optionally
// "sdl_rate_periods" [{from, rate}], "travel" {deemed_cost_table [{value_up_to (null for the
// open band), fixed_cost, fuel_cents_per_km, maintenance_cents_per_km}] or null,
// rate_per_km_cents or null}, "company_car" {rate_per_month, rate_with_maintenance_plan,
// paye_inclusion, paye_inclusion_business_use}, "retirement" {regime: "separate limits", or
// "one deduction" with rate and annual_cap}, and "checked" {single_source, missing, optionally
// notes: lists of words}. Other fields ("about", the retirement rule in words) are for people.

// The years shipped with the program sit among the installation files; each is held to the
// SHA-256 digest of its bytes built into the program (ShippedTaxYears.h, made from
// data/tax-years/ at build time), so a shipped file changed in any figure is refused. A year the
// user adds (a new Budget's year before a program update, or a correction) goes in tax-years/ of
// the data folder, beside the databases: it is read after the checks below, takes the place of
// the shipped year of its name, and is marked AddedHere.

#include <QByteArray>
#include <QString>
#include <vector>

#include "AppFolders.h"
#include "Database.h"
#include "tax/TaxYear.h"

namespace revora {

// The folder of the shipped tax years' files among the installation files, found as the
// layouts are.
QString TaxYearFolder(const AppPaths& paths);
// The folder of the years the user adds: tax-years/ in the data folder, the databases' folder.
// In a build tree or a portable install it is the folder of the shipped years itself.
QString AddedTaxYearFolder(const AppPaths& paths);

// One year's figures from the bytes of its file, `path` naming the file in a refusal. A file
// that is not JSON, gives one key twice in an object (JSON readers keep one of the two
// silently), lacks a figure, holds one of the wrong kind, is named for another year, or whose
// figures do not hold (TaxYearFaults) is a StorageError naming the file and the field: a damaged
// file must never give a wrong tax.
TaxYear TaxYearFromJson(const QByteArray& json, const QString& path);

// One year's file, as TaxYearFromJson; a file that is missing, unreadable, not a regular file
// or larger than any year's file (a device, a file of another kind) is refused the same way.
TaxYear ReadTaxYear(const QString& path);

// A year that could not be used: the year its file is named for (0 for a missing folder) and
// the refusal, naming the file and the field.
struct RefusedTaxYear {
    int Year = 0;
    StorageError Error;
};

struct TaxYearFiles {
    std::vector<TaxYear> Years;          // newest first
    std::vector<RefusedTaxYear> Refused; // newest first
};

// Every year of the two folders, each on its own: a damaged year is refused with its reason and
// the others are read. The shipped years are those the digests name, each refused when missing
// or when its bytes differ from the ones shipped; every other <YYYY>.json, and every one of the
// added folder, is read after the checks and marked AddedHere, and an added year takes the
// place of the shipped year of its name (a damaged one is refused: the shipped year it was put
// there to correct does not stand in for it). A missing folder of shipped years is one refusal;
// a missing added folder holds no year.
TaxYearFiles ReadTaxYears(const QString& shippedFolder, const QString& addedFolder);
TaxYearFiles ReadTaxYears(const AppPaths& paths);

} // namespace revora
