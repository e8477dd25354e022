# Helpers shared by the folders' CMakeLists.

# rw_test(NAME LABELS source... LIBS lib... [TOOLS pattern]): a GoogleTest
# program whose tests CTest runs with the given labels (one, or a list such as
# "e2e;gimp"). Tests whose names match the GoogleTest pattern TOOLS (e.g.
# "*Ezdxf*") need python3-ezdxf: they get the label tools instead of unit.
# With RW_UNIT_TESTS_ONLY a program without the label unit is not built and
# CTest does not know its tests. Programs of the label gui run on a virtual
# screen of their own (scripts/with-xvfb).
function(rw_test name labels)
  cmake_parse_arguments(T "" "TOOLS" "LIBS" ${ARGN})
  if(RW_UNIT_TESTS_ONLY AND NOT "unit" IN_LIST labels)
    add_executable(${name} EXCLUDE_FROM_ALL ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} rw::test_kit GTest::gmock GTest::gtest_main)
    return()
  endif()
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  if("gui" IN_LIST labels)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/with-xvfb)
  endif()
  # The test kit (testing/) serves every folder's tests.
  target_link_libraries(${name} PRIVATE ${T_LIBS} rw::test_kit GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_TOOLS)
    rw_discover_tests(${name} ${name}_tests "-${T_TOOLS}" "${labels}")
    set(tools_labels ${labels})
    list(REMOVE_ITEM tools_labels unit)
    list(APPEND tools_labels tools)
    rw_discover_tests(${name} ${name}_tools_tests "${T_TOOLS}" "${tools_labels}")
  else()
    rw_discover_tests(${name} ${name}_tests "*" "${labels}")
  endif()
endfunction()

# rw_discover_tests(TARGET LIST FILTER LABELS): CTest learns the program's tests
# that match FILTER when it is built, and gives them LABELS. The labels are set
# by a file of their own, since gtest_discover_tests's PROPERTIES cannot carry
# a list.
function(rw_discover_tests target list filter labels)
  gtest_discover_tests(${target}
    TEST_FILTER "${filter}"
    TEST_LIST ${list}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # A window test that waits for input nobody gives fails instead of hanging.
  set(timeout "")
  if("gui" IN_LIST labels)
    set(timeout " TIMEOUT 300")
  endif()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${list}_labels.cmake)
  file(WRITE ${file} "if(${list})\n  set_tests_properties(\${${list}} PROPERTIES LABELS \"${labels}\"${timeout})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()

# rw_needs(target...): the folder needs these targets of other folders. In a
# subset build (-DRW_SUBDIRS) the rest of the folder is left out when one is
# not built; in a full build a missing one is an error, so that no folder's
# tests are ever dropped without a word.
macro(rw_needs)
  foreach(rw_needed ${ARGN})
    if(NOT TARGET ${rw_needed})
      if(NOT RW_SUBSET)
        message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR} needs the target ${rw_needed}, which no folder defines")
      endif()
      message(STATUS "Left out ${CMAKE_CURRENT_SOURCE_DIR}: it needs ${rw_needed}")
      return()
    endif()
  endforeach()
endmacro()

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
