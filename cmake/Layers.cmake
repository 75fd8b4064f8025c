# One library target per layer. Each links only the layers below it, and a check that runs
# before it compiles fails the build when one of its files includes a header of a layer that
# is not below it, so that dependencies keep pointing down.
function(sorvane_check_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;ALLOWED")
  set(files "")
  foreach(folder IN LISTS LAYER_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         "${PROJECT_SOURCE_DIR}/${folder}/*.h" "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  list(JOIN files "," fileList)
  list(JOIN LAYER_ALLOWED "," allowedList)
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DLAYER=${target} "-DALLOWED=${allowedList}" "-DFILES=${fileList}"
            -P "${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake"
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake"
    COMMENT "Checking that ${target} includes only the layers below it"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_layer_check)
endfunction()
