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

#include <QString>
#include <vector>

#include "AppFolders.h"
#include "tax/TaxYear.h"

namespace revora {

// The folder of the tax years' files among the installation files, found as the layouts are.
QString TaxYearFolder(const AppPaths& paths);

// One year's file. A file that is missing, unreadable or not JSON, lacks a figure, holds one of
// the wrong kind, is named for another year, or whose figures do not hold (TaxYearFaults) is a
// StorageError naming the file and the field: a damaged file must never give a wrong tax.
TaxYear ReadTaxYear(const QString& path);

// Every <YYYY>.json of the folder, newest first; StorageError as above for any one of them,
// and for a folder with no year at all.
std::vector<TaxYear> ReadTaxYears(const QString& folder);

} // namespace revora
