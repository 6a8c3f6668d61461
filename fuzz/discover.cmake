# Makes a libFuzzer target of every fuzz/*.cpp that defines LLVMFuzzerTestOneInput
# and that fuzz/CMakeLists.txt did not define itself, linked with the whole program
# but main. Included after add_subdirectory(fuzz), so a target defined there wins.
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
foreach(fuzz_source ${fuzz_sources})
  get_filename_component(fuzz_target ${fuzz_source} NAME_WE)
  file(STRINGS ${fuzz_source} fuzz_entry REGEX "LLVMFuzzerTestOneInput" LIMIT_COUNT 1)
  if(fuzz_entry AND NOT TARGET ${fuzz_target})
    add_executable(${fuzz_target} ${fuzz_source})
    target_link_libraries(${fuzz_target} PRIVATE quenport_core)
    target_link_options(${fuzz_target} PRIVATE -fsanitize=fuzzer)
  endif()
endforeach()
