# The digests of the shipped tax years: ShippedTaxYears.h in OUTPUT_DIR lists each
# data/tax-years/<YYYY>.json with the SHA-256 of its bytes, so the program refuses a shipped file
# that differs from the one it was built with. A change to a year's file, or a new one, makes the
# header again at the next build.
function(revora_tax_year_digests output_dir)
  set(folder ${PROJECT_SOURCE_DIR}/data/tax-years)
  file(GLOB files CONFIGURE_DEPENDS ${folder}/[0-9][0-9][0-9][0-9].json)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${files})
  set(rows "")
  foreach(file IN LISTS files)
    get_filename_component(year ${file} NAME_WE)
    file(SHA256 ${file} digest)
    string(APPEND rows "    {${year}, \"${digest}\"},\n")
  endforeach()
  file(GENERATE OUTPUT ${output_dir}/ShippedTaxYears.h CONTENT "#pragma once
// Made by the build from data/tax-years/: each tax year shipped with the program, by the year in
// which it ends, and the SHA-256 digest of its file's bytes.

namespace revora {

struct ShippedTaxYear {
    int Year;
    const char* Sha256; // lower-case hex
};

inline constexpr ShippedTaxYear ShippedTaxYears[] = {
${rows}};

} // namespace revora
")
endfunction()
