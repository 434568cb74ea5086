# Fails when one of FILES includes a Qt header; touches STAMP otherwise.
# Run by the build (cmake -P) so that an include added to a core file stops
# the build with the file and line named.
set(bad "")
foreach(f IN LISTS FILES)
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/[^>\"]*)[>\"]")
  foreach(line IN LISTS lines)
    string(APPEND bad "  ${f}: ${line}\n")
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "The core may not include Qt; move the file to src/ui/ or drop the include:\n${bad}")
endif()
file(TOUCH "${STAMP}")
