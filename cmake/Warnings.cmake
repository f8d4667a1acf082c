# SPDX-License-Identifier: GPL-3.0-or-later
# One set of warnings for every target: libraries, programs, tools, tests, benchmarks and
# fuzz targets. CI turns them into errors (YHB_WERROR=ON); a user's build on a newer compiler
# is not stopped by a warning that compiler has newly learnt.
option(YHB_WERROR "Treat warnings as errors" OFF)
function(yhb_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${YHB_WERROR}>:-Werror>)
endfunction()
