# Fails when one of FILES includes a Qt header; writes STAMP otherwise.
foreach(f IN LISTS FILES)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt[a-z])")
  if(hits)
    message(FATAL_ERROR "${f} includes a Qt header in a toolkit-free layer: ${hits}")
  endif()
endforeach()
file(WRITE "${STAMP}" "ok\n")
