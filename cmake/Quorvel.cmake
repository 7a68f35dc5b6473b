# One GoogleTest executable per tests/ folder, registered with ctest; each
# test may run TIMEOUT seconds (300 unless given).
function(quorvel_test_suite name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT test_sources)
    return()
  endif()
  add_executable(${name} ${test_sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quorvel_test_support GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVEL_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()

# One layer: a static library of the .cpp files of one src/ folder, linked
# to the layers it may use. Beside it, a program that takes every object of
# the layer (whole archive) but only the layers below: a call into a higher
# layer is an undefined reference there, and the build fails.
function(quorvel_layer name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES QUORVEL_LAYER_DIR ${dir})
  set_property(GLOBAL APPEND PROPERTY QUORVEL_LAYERS ${name})

  add_executable(${name}_links_alone ${CMAKE_SOURCE_DIR}/cmake/LayerLinkCheck.cpp)
  target_link_libraries(${name}_links_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  set_target_properties(${name}_links_alone PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks)
endfunction()

# The layers a layer may use: the ones it links, and theirs.
function(quorvel_layers_below name out)
  get_property(layers GLOBAL PROPERTY QUORVEL_LAYERS)
  get_target_property(libs ${name} LINK_LIBRARIES)
  set(below "")
  foreach(lib IN LISTS libs)
    if(lib IN_LIST layers)
      quorvel_layers_below(${lib} deeper)
      list(APPEND below ${lib} ${deeper})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES below)
  set(${out} ${below} PARENT_SCOPE)
endfunction()

# Checks at every build that each src/ file includes only its own folder and
# the layers below it; the front-ends (FRONT_ENDS folders) may include every
# layer but not each other. See cmake/CheckLayerIncludes.cmake.
function(quorvel_check_layer_includes)
  cmake_parse_arguments(ARG "" "" "FRONT_ENDS" ${ARGN})
  get_property(layers GLOBAL PROPERTY QUORVEL_LAYERS)
  set(map "")
  set(all_dirs "")
  foreach(layer IN LISTS layers)
    get_target_property(dir ${layer} QUORVEL_LAYER_DIR)
    list(APPEND all_dirs ${dir})
    quorvel_layers_below(${layer} below)
    set(allowed ${dir})
    foreach(lib IN LISTS below)
      get_target_property(lib_dir ${lib} QUORVEL_LAYER_DIR)
      list(APPEND allowed ${lib_dir})
    endforeach()
    list(JOIN allowed "," allowed)
    string(APPEND map "${dir}=${allowed}\n")
  endforeach()
  list(JOIN all_dirs "," all_dirs)
  foreach(front IN LISTS ARG_FRONT_ENDS)
    string(APPEND map "${front}=${front},${all_dirs}\n")
  endforeach()
  set(map_file ${CMAKE_BINARY_DIR}/layer-checks/allowed-includes.txt)
  file(WRITE ${map_file} "${map}")

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
  set(stamp ${CMAKE_BINARY_DIR}/layer-checks/includes.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/src -DMAP=${map_file} -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    DEPENDS ${sources} ${map_file} ${CMAKE_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    COMMENT "Checking that every include follows the layers")
  add_custom_target(quorvel_layer_includes ALL DEPENDS ${stamp})
endfunction()
