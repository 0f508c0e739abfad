# Fails when one of FILES includes a Qt header or a header of a layer that LAYER may not see;
# writes STAMP otherwise. The layers, lowest first:
#   platform                      (nothing else)
#   engine      -> platform
#   colouring   -> engine, platform
#   view        -> colouring, engine, platform
#   crypt       -> platform
#   testing     -> view, colouring, engine, platform (the fakes tests use)
set(allowed_platform platform)
set(allowed_engine platform engine)
set(allowed_colouring platform engine colouring)
set(allowed_view platform engine colouring view)
set(allowed_crypt platform crypt)
set(allowed_testing platform engine colouring view testing)
if(NOT DEFINED allowed_${LAYER})
  message(FATAL_ERROR "unknown toolkit-free layer '${LAYER}'")
endif()
set(layers platform engine colouring view crypt qt app print options chooser manual testing)

foreach(f IN LISTS FILES)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt[a-z])")
  if(hits)
    message(FATAL_ERROR "${f} includes a Qt header in a toolkit-free layer: ${hits}")
  endif()
  file(STRINGS "${f}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" top "${line}")
    list(FIND layers "${top}" known)
    list(FIND allowed_${LAYER} "${top}" ok)
    if(known GREATER_EQUAL 0 AND ok LESS 0)
      message(FATAL_ERROR "${f}: the ${LAYER} layer may not include ${top}/ headers: ${line}")
    endif()
  endforeach()
endforeach()
file(WRITE "${STAMP}" "ok\n")
