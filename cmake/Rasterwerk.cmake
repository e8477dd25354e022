# Helpers shared by the folders' CMakeLists.

# rw_test(NAME LABEL source... LIBS lib...): a GoogleTest program whose tests
# CTest runs with the given label (unit, e2e or gui).
function(rw_test name label)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  # Test support shared by every folder's tests ("testing/temp_folder.h").
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/testing)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${label}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
endfunction()

# rw_module(TARGET FILENAME source...): a loadable module with exactly that file
# name (MoXi.arx, Rasterwerk.dll, dfelmar2.dll) in bin/. Every symbol it uses
# must be defined when it is linked, not found missing when it is loaded.
function(rw_module target filename)
  add_library(${target} MODULE ${ARGN})
  target_link_options(${target} PRIVATE "LINKER:-z,defs")
  get_filename_component(base ${filename} NAME_WLE)
  get_filename_component(ext ${filename} LAST_EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${ext})
endfunction()

# rw_ship(FILE...): copies data files that ship beside the modules into bin/.
function(rw_ship)
  foreach(f IN LISTS ARGN)
    get_filename_component(name ${f} NAME)
    configure_file(${f} ${RW_BIN_DIR}/${name} COPYONLY)
  endforeach()
endfunction()
