# Screen tests (Qt Test, offscreen) and the direct-printing test through a real CUPS.
set(REVORA_SCREEN_TEST_ENV
  QT_QPA_PLATFORM=offscreen
  REVORA_INSTALL_FOLDER=$<TARGET_FILE_DIR:revora>)

function(revora_screen_test name)
  qt_add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE revora_ui Qt6::Test)
  add_dependencies(${name} revora_data)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${REVORA_SCREEN_TEST_ENV}")
endfunction()

revora_screen_test(revora_quicktax_screen_test tax/QuickTaxScreenTest.cpp)
revora_screen_test(revora_main_window_test shell/MainWindowTest.cpp)
revora_screen_test(revora_help_window_test shell/HelpWindowTest.cpp)
revora_screen_test(revora_number_box_test shell/NumberBoxTest.cpp)
revora_screen_test(revora_date_box_test shell/DateBoxTest.cpp)
revora_screen_test(revora_report_window_test shell/ReportWindowTest.cpp)
revora_screen_test(revora_hostile_text_window_test shell/HostileTextWindowTest.cpp)
revora_screen_test(revora_paye_screen_test payroll/PayeScreenTest.cpp)
revora_screen_test(revora_package_screen_test package/PackageScreenTest.cpp)
revora_screen_test(revora_company_car_screen_test vehicle/CompanyCarScreenTest.cpp)
revora_screen_test(revora_travel_allowance_screen_test vehicle/TravelAllowanceScreenTest.cpp)
revora_screen_test(revora_loans_screen_test finance/LoansScreenTest.cpp)
revora_screen_test(revora_loan_buster_screen_test finance/LoanBusterScreenTest.cpp)
revora_screen_test(revora_loan_comparison_screen_test finance/LoanComparisonScreenTest.cpp)
revora_screen_test(revora_daily_balance_screen_test finance/DailyBalanceScreenTest.cpp)
revora_screen_test(revora_inflation_screen_test finance/InflationScreenTest.cpp)
revora_screen_test(revora_video_window_test shell/VideoWindowTest.cpp)

# Needs cupsd with the cups-pdf printer "PDF" as the default (scripts/printer sets it up).
qt_add_executable(revora_print_direct_test shell/PrintDirectTest.cpp)
target_link_libraries(revora_print_direct_test PRIVATE revora_ui Qt6::Test)
target_include_directories(revora_print_direct_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(revora_print_direct_test revora-calc)
add_test(NAME revora_print_direct_test COMMAND revora_print_direct_test)
set_tests_properties(revora_print_direct_test PROPERTIES
  ENVIRONMENT "${REVORA_SCREEN_TEST_ENV};REVORA_CALC=$<TARGET_FILE:revora-calc>" RUN_SERIAL TRUE)

# The main window opens the help document the build lays out.
add_dependencies(revora_main_window_test revora_help)
