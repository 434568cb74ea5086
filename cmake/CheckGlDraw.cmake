cmake_policy(SET CMP0057 NEW)
# Fails when a drawing file (one that includes render/GlDraw.h, directly or
# through shapes/ShapeCommon.h) calls a GL function that render/GlDraw.h
# does not map: while the object cache takes an object down, such a call
# would reach GL directly and draw outside the capture. Touches STAMP
# otherwise. GLDRAW is the header, FILES the core sources.
file(STRINGS "${GLDRAW}" defines REGEX "^#define gl[A-Za-z0-9]+ ")
set(mapped glIsTexture)  # asks about a texture object; safe at any time
foreach(d IN LISTS defines)
  string(REGEX MATCH "^#define (gl[A-Za-z0-9]+)" _ "${d}")
  list(APPEND mapped "${CMAKE_MATCH_1}")
endforeach()
set(bad "")
foreach(f IN LISTS FILES)
  file(READ "${f}" text)
  if(NOT text MATCHES "#include \"(render/GlDraw|shapes/ShapeCommon)\\.h\"" OR f MATCHES "GeometryCapture")
    continue()
  endif()
  file(STRINGS "${f}" lines REGEX "gl[A-Z][A-Za-z0-9]*\\(")
  foreach(line IN LISTS lines)
    string(REGEX MATCHALL "gl[A-Z][A-Za-z0-9]*\\(" calls "${line}")
    foreach(c IN LISTS calls)
      string(REPLACE "(" "" name "${c}")
      if(NOT name IN_LIST mapped)
        string(APPEND bad "  ${f}: ${name}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "Drawing code may call only the GL functions render/GlDraw.h maps; map these or draw elsewhere:\n${bad}")
endif()
file(TOUCH "${STAMP}")
