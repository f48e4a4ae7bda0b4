# rov2_add_test(<name> LABEL <area> SOURCES <files...> LIBS <targets...>)
# Builds one GoogleTest executable and registers each of its tests with CTest.
# Every test runs offscreen, in the Japanese locale, with its own temporary home.
function(rov2_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} rov2_testmain GTest::gtest GTest::gmock rov2_warnings)
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS "${T_LABEL}"
      TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=ja_JP.UTF-8;LC_ALL=ja_JP.UTF-8;TZ=Asia/Tokyo;ROV2_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/fixtures"
    DISCOVERY_MODE PRE_TEST)
endfunction()
