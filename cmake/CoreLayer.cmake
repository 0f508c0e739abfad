# The toolkit-free layers (platform, crypt, engine, colouring) must never see Qt.
# varnet_core_library() builds such a layer from every .cpp directly in its folder and adds a
# build step that fails when one of its files includes a Qt header; the layer also gets
# no Qt include path, so such an include could not compile anyway.

function(varnet_core_library name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.noqt.stamp)
  set(all ${sources})
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSTAMP=${stamp} "-DFILES=${all}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
    DEPENDS ${all} ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
    COMMENT "Checking that ${name} includes no Qt header"
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
