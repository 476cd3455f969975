# Compiler flags shared by every target of the project.
add_library(tessavrant_flags INTERFACE)
target_compile_options(tessavrant_flags INTERFACE -Wall -Wextra -Wpedantic -Wno-deprecated-declarations)
if(TESSAVRANT_WERROR)
  target_compile_options(tessavrant_flags INTERFACE -Werror)
endif()
if(TESSAVRANT_SANITIZE)
  # Out-of-range float to integer conversions are undefined too, but not part of "undefined" in GCC.
  target_compile_options(tessavrant_flags INTERFACE -fsanitize=address,undefined,float-cast-overflow
    -fno-omit-frame-pointer -fno-sanitize-recover=undefined,float-cast-overflow)
  target_link_options(tessavrant_flags INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()
target_compile_definitions(tessavrant_flags INTERFACE QT_NO_CAST_FROM_BYTEARRAY QT_USE_QSTRINGBUILDER)

# tessavrant_add_core_library(NAME SOURCES ... LIBS ...)
# Logic library: Qt Core and Gui only. A widget header in here does not compile.
function(tessavrant_add_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt5::Core Qt5::Gui tessavrant_flags ${A_LIBS})
  set_property(GLOBAL APPEND PROPERTY TESSAVRANT_CORE_LIBS ${name})
endfunction()

# Widgets library: dialogs, tables, views.
function(tessavrant_add_ui_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt5::Core Qt5::Gui Qt5::Widgets Qt5::PrintSupport tessavrant_flags ${A_LIBS})
  set_property(GLOBAL APPEND PROPERTY TESSAVRANT_UI_LIBS ${name})
endfunction()

# tessavrant_add_test(NAME SOURCES ... LIBS ...): one QtTest executable registered with CTest.
function(tessavrant_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test tessavrant_flags ${A_LIBS})
  # Header-only helpers (corpus.h, testfiles.h, dialogfit.h) need no library.
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE
    TESSAVRANT_CORPUS_DIR="${TESSAVRANT_CORPUS_DIR}"
    TESSAVRANT_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  # A test program whose every test function skipped (the corpus is absent, say) counts as skipped,
  # not as passed: QtTest reports its own initTestCase and cleanupTestCase as passed.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600
    SKIP_REGULAR_EXPRESSION "Totals: [0-2] passed, 0 failed, [1-9][0-9]* skipped")
endfunction()
