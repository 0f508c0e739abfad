# The toolkit-free layers (platform, crypt, engine, colouring) must never see Qt, and each may
# include only the layers beneath it (cmake/CheckLayer.cmake has the rules).
# varnet_core_library() builds such a layer from every .cpp directly in its folder and adds a
# build step that checks the includes of every file in the folder and its sub-folders; the layer
# also gets no Qt include path, so a Qt include could not compile anyway.

function(varnet_core_library name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" layer "${rel}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.layer.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSTAMP=${stamp} -DLAYER=${layer} "-DFILES=${all}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    DEPENDS ${all} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    COMMENT "Checking the includes of ${name}"
    VERBATIM)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources} ${stamp})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    # A layer whose first code has not arrived yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

function(varnet_check_core_links)
  foreach(target IN LISTS ARGN)
    get_target_property(libs ${target} INTERFACE_LINK_LIBRARIES)
    if(libs)
      foreach(lib IN LISTS libs)
        if(lib MATCHES "^Qt")
          message(FATAL_ERROR "${target} must not link ${lib}: it is a toolkit-free layer")
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()
