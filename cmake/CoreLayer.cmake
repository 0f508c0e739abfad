# The toolkit-free layers (platform, crypt, engine, colouring) must never see Qt, and each may
# include only the layers beneath it (cmake/CheckLayer.cmake has the rules).
# Every target names its files explicitly. varnet_core_library() builds such a layer from the
# files it is given and adds a build step that checks the includes of each of them; the layer
# also gets no Qt include path, so a Qt include could not compile anyway. A file on disk that no
# list names would escape both the build and that check, so varnet_check_listed() refuses to
# configure while one exists.

# Records FILES (relative to the calling folder) as listed; varnet_check_listed() compares the
# record with what lies on disk.
function(varnet_listed)
  foreach(f IN LISTS ARGN)
    cmake_path(ABSOLUTE_PATH f BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE
               OUTPUT_VARIABLE abs)
    if(NOT EXISTS ${abs})
      message(FATAL_ERROR "${CMAKE_CURRENT_LIST_FILE} lists ${f}, which does not exist")
    endif()
    set_property(GLOBAL APPEND PROPERTY VARNET_LISTED_FILES ${abs})
  endforeach()
endfunction()

# varnet_core_library(name SOURCES file... [UNBUILT file...] [LINK library...])
#   SOURCES  the .cpp and .h files the library is built from (sub-folders allowed)
#   UNBUILT  files of the layer that no library compiles (tools, headers of tests' helpers);
#            their includes are checked all the same
#   LINK     the libraries it builds on
function(varnet_core_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;UNBUILT;LINK")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "varnet_core_library(${name}): unexpected ${arg_UNPARSED_ARGUMENTS}")
  endif()
  varnet_listed(${arg_SOURCES} ${arg_UNBUILT})
  set(checked)
  foreach(f IN LISTS arg_SOURCES arg_UNBUILT)
    list(APPEND checked ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" layer "${rel}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.layer.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSTAMP=${stamp} -DLAYER=${layer} "-DFILES=${checked}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    DEPENDS ${checked} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    COMMENT "Checking the includes of ${name}"
    VERBATIM)
  set(compiled ${arg_SOURCES})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${name} STATIC ${arg_SOURCES} ${stamp})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${arg_LINK})
  else()
    # A layer of headers only: the check runs as a target of its own.
    add_custom_target(${name}_layer_check ALL DEPENDS ${stamp})
    add_library(${name} INTERFACE ${arg_SOURCES})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${arg_LINK})
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

# varnet_check_listed(ROOTS folder... [EXCEPT folder...])
# Fails configuration when a .cpp or .h under one of ROOTS (and outside EXCEPT) is in no list
# given to varnet_listed(). The glob only finds such files; nothing is built from it.
# CONFIGURE_DEPENDS makes a build re-run this once a file appears.
function(varnet_check_listed)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "ROOTS;EXCEPT")
  set(patterns)
  foreach(root IN LISTS arg_ROOTS)
    list(APPEND patterns ${PROJECT_SOURCE_DIR}/${root}/*.cpp ${PROJECT_SOURCE_DIR}/${root}/*.h)
  endforeach()
  file(GLOB_RECURSE on_disk CONFIGURE_DEPENDS ${patterns})
  get_property(listed GLOBAL PROPERTY VARNET_LISTED_FILES)
  if(listed)
    list(REMOVE_ITEM on_disk ${listed})
  endif()
  set(report)
  foreach(f IN LISTS on_disk)
    file(RELATIVE_PATH rel_file ${PROJECT_SOURCE_DIR} ${f})
    set(skipped FALSE)
    foreach(skip IN LISTS arg_EXCEPT)
      string(FIND "${rel_file}" "${skip}/" at)
      if(at EQUAL 0)
        set(skipped TRUE)
      endif()
    endforeach()
    if(skipped)
      continue()
    endif()
    # Name the CMakeLists.txt that should list it: the nearest one above the file.
    cmake_path(GET f PARENT_PATH dir)
    while(NOT EXISTS ${dir}/CMakeLists.txt AND NOT dir STREQUAL PROJECT_SOURCE_DIR)
      cmake_path(GET dir PARENT_PATH dir)
    endwhile()
    file(RELATIVE_PATH rel_dir ${PROJECT_SOURCE_DIR} ${dir}/CMakeLists.txt)
    string(APPEND report "\n  ${rel_file} (add it to ${rel_dir})")
  endforeach()
  if(NOT report)
    return()
  endif()
  message(FATAL_ERROR "These files are in no target's list of files, so they would be neither "
                      "built nor checked:${report}")
endfunction()
