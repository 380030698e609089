# cmake -DFROM=<medium zelo folder> -DTO=<medium zelo folder> -P CopyMedium.cmake
# Copies a medium's content, but never its program file: each build puts its own there.
file(GLOB_RECURSE files RELATIVE ${FROM} ${FROM}/*)
foreach(f IN LISTS files)
  if(f STREQUAL "zelo/zelo")
    continue()
  endif()
  get_filename_component(dir ${TO}/${f} DIRECTORY)
  file(COPY ${FROM}/${f} DESTINATION ${dir})
endforeach()
