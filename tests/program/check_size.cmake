# cmake -DFILE=<path> -DLIMIT=<bytes> -P check_size.cmake
file(SIZE "${FILE}" size)
math(EXPR kb "${size} / 1024")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes (${kb} KiB), over the limit of ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes (${kb} KiB), limit ${LIMIT}")
