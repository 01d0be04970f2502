include(GoogleTest)
find_package(Qt6 REQUIRED COMPONENTS Test)

# moxilo_add_test(<name> SOURCES ... LIBRARIES ... [GUI])
# One test program per area. Plain tests take GoogleTest's main; GUI tests
# bring a main that creates the QApplication and run on Qt's offscreen platform.
function(moxilo_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock moxilo::flags)
  set(env "")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
    target_link_libraries(${name} PRIVATE moxilo_gui_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
