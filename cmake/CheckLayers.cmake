# Fails when a core file includes a header of a layer above its own; touches
# STAMP otherwise. Run by the build (cmake -P) so that the include that
# breaks the order stops the build with the file and line named.
#
# Bottom to top:
#   0 scene model   objects arm motion link input
#   1 geometry      mesh models shapes equipment
#   2 collision     collision
#   3 GL and frame  render
#   4 headless GL   headless
# (the windows and tools, ui/ and cli/, stand above them all).
#
# Below the GL layer no file includes a GL header: geometry is built as
# data (mesh/) and only render/ draws it. The text routines read the frame
# settings' text request, a plain struct, so geometry may name that one
# render header.
cmake_minimum_required(VERSION 3.25)
set(rank_objects 0)
set(rank_arm 0)
set(rank_motion 0)
set(rank_link 0)
set(rank_input 0)
set(rank_mesh 1)
set(rank_models 1)
set(rank_shapes 1)
set(rank_equipment 1)
set(rank_collision 2)
set(rank_render 3)
set(rank_headless 4)
set(geometry_may_use render/RenderSettings.h)

set(bad "")
foreach(f IN LISTS FILES)
  string(REGEX MATCH "/src/([a-z]+)/[^/]+$" _ "${f}")
  set(dir "${CMAKE_MATCH_1}")
  if(NOT DEFINED rank_${dir})
    continue()
  endif()
  if(rank_${dir} LESS 3)
    file(STRINGS "${f}" gl REGEX "^[ \t]*#[ \t]*include[ \t]*<(GL|GLES[0-9]*|EGL|KHR)/")
    foreach(line IN LISTS gl)
      string(APPEND bad "  ${f}: ${line}  (${dir} may not use GL)\n")
    endforeach()
  endif()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\"(([a-z]+)/[^\"]+)\"" _ "${line}")
    set(header "${CMAKE_MATCH_1}")
    set(to "${CMAKE_MATCH_2}")
    if(NOT DEFINED rank_${to} OR NOT rank_${to} GREATER rank_${dir})
      continue()
    endif()
    if(rank_${dir} EQUAL 1 AND header IN_LIST geometry_may_use)
      continue()
    endif()
    string(APPEND bad "  ${f}: ${line}  (${dir} may not use ${to})\n")
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "A core file includes a layer above its own (see docs/architecture.md, Layers):\n${bad}")
endif()
file(TOUCH "${STAMP}")
