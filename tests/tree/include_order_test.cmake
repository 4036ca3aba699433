# Runs the include order check on three small trees: one whose includes all
# point down or sideways (accepted), one where common includes from ui and one
# where a feature includes from app (both refused, naming the file).
function(make_tree name)
  file(REMOVE_RECURSE ${WORK}/${name})
  foreach(pair IN LISTS ARGN)
    string(REPLACE "=" ";" parts ${pair})
    list(GET parts 0 file)
    list(GET parts 1 include)
    file(WRITE ${WORK}/${name}/${file} "#pragma once\n#include <vector>\n#include \"${include}\"\n")
  endforeach()
endfunction()

function(expect name should_pass must_mention)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK}/${name} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(should_pass AND NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: refused a tree whose includes point down:\n${out}")
  endif()
  if(NOT should_pass AND result EQUAL 0)
    message(FATAL_ERROR "${name}: accepted an include that points up")
  endif()
  if(must_mention AND NOT out MATCHES "${must_mention}")
    message(FATAL_ERROR "${name}: the message does not name ${must_mention}:\n${out}")
  endif()
endfunction()

make_tree(down "ui/a.h=common/b.h" "scan/c.cpp=ui/a.h" "scan/d.cpp=settings/e.h"
          "app/panel/f.cpp=scan/c.h" "app/g.cpp=app/panel/f.h" "common/h.cpp=i.h")
expect(down TRUE "")
make_tree(common_up "common/a.cpp=ui/b.h" "ui/b.h=common/c.h")
expect(common_up FALSE "common/a.cpp includes \"ui/b.h\"")
make_tree(feature_up "scan/a.cpp=app/panel/main_form.h")
expect(feature_up FALSE "scan/a.cpp includes \"app/panel/main_form.h\"")
