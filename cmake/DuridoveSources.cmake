# Each layer takes every source below its folder, so a new class is a new file pair and nothing else.
function(duridove_glob_sources out_var dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS
       ${dir}/*.cpp ${dir}/*.h)
  set(${out_var} ${found} PARENT_SCOPE)
endfunction()
