# Helpers shared by every folder's CMakeLists.txt.

# veltra_library(<target> SOURCES ... [DEPS ...])
# A static library whose public include root is src/, so code includes
# "platform/profile/profile.h", "zorvik/core/document.h" and so on.
function(veltra_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# veltra_test(<target> SOURCES ... [DEPS ...])
# A GoogleTest program linked with the shared test main (QApplication on the
# offscreen platform); every test is registered with ctest.
function(veltra_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE veltra_testmain ${ARG_DEPS})
  # One variable only: gtest_discover_tests splits a list in PROPERTIES into
  # separate properties. The fixtures folder reaches the tests through the test
  # main instead (VELTRA_FIXTURES).
  gtest_discover_tests(${target}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# veltra_benchmark(<target> SOURCES ... [DEPS ...]) — built, never run by ctest.
function(veltra_benchmark target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE benchmark::benchmark ${ARG_DEPS})
endfunction()

# Adds every direct sub-folder of the current folder that holds a CMakeLists.txt,
# so a new library or test folder needs no edit of its parent.
function(veltra_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# veltra_folder_library(<target> [DEPS ...])
# A library of every .cpp/.h under the current folder, so a new file of a
# subsystem needs no edit of its build file. Until the folder has a
# source file the target is an empty interface library, so dependants still link.
function(veltra_folder_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    veltra_library(${target} SOURCES ${sources} ${headers} DEPS ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# veltra_folder_test(<target> [DEPS ...]): one test program of every .cpp under
# the current folder; nothing when the folder has none yet.
function(veltra_folder_test target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    veltra_test(${target} SOURCES ${sources} DEPS ${ARG_DEPS})
  endif()
endfunction()
