# Run by ctest, from the include file that zu_add_test_suite writes: lists the test suites of
# ZU_TEST_PROGRAM (again only when the program is newer than the last listing) and adds one
# test per suite that runs that suite alone. Set by the caller:
#   ZU_TEST_PROGRAM     the GoogleTest program
#   ZU_TEST_LAUNCHER    the command the program runs under (`cmake -E env` with sanitizer options)
#   ZU_TEST_PREFIX      prefix of the test names
#   ZU_TEST_PROPERTIES  properties of each test
set(listing "${ZU_TEST_PROGRAM}.suites")
if(NOT EXISTS "${listing}" OR "${ZU_TEST_PROGRAM}" IS_NEWER_THAN "${listing}")
    execute_process(COMMAND ${ZU_TEST_LAUNCHER} "${ZU_TEST_PROGRAM}" --gtest_list_tests
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result
                    TIMEOUT 120)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Listing the tests of ${ZU_TEST_PROGRAM} failed (${result}):\n"
                            "${output}${errors}")
    endif()
    # A suite line is its name and a dot ("Suite." or "Prefix/Suite." for parameterised ones),
    # its tests follow indented.
    string(REGEX MATCHALL "(^|\n)[A-Za-z_0-9/]+\\." suite_lines "${output}")
    set(suites "")
    foreach(line IN LISTS suite_lines)
        string(REGEX REPLACE "^\n?(.*)\\.$" "\\1" suite "${line}")
        list(APPEND suites "${suite}")
    endforeach()
    file(WRITE "${listing}" "${suites}")
endif()

file(READ "${listing}" suites)
foreach(suite IN LISTS suites)
    add_test("${ZU_TEST_PREFIX}${suite}" ${ZU_TEST_LAUNCHER} "${ZU_TEST_PROGRAM}"
             "--gtest_filter=${suite}.*")
    set_tests_properties("${ZU_TEST_PREFIX}${suite}" PROPERTIES ${ZU_TEST_PROPERTIES})
endforeach()
