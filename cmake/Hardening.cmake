# SPDX-License-Identifier: GPL-3.0-or-later
# The programs a school installs are built with Debian's hardening: fortified functions, stack
# protector, read-only relocations bound at start. dpkg-buildflags says which flags those are on
# this release. The sanitizer and fuzzing builds keep their own flags, and a Debug build keeps
# its -O0, which fortification would warn about.

if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release)$" AND NOT YHB_SANITIZE AND NOT YHB_FUZZ)
  set(yhb_harden_default ON)
else()
  set(yhb_harden_default OFF)
endif()
option(YHB_DPKG_BUILDFLAGS "Compile and link with the flags of dpkg-buildflags (hardening=+all)" ${yhb_harden_default})

if(YHB_DPKG_BUILDFLAGS)
  find_program(YHB_DPKG_BUILDFLAGS_TOOL dpkg-buildflags)
  if(NOT YHB_DPKG_BUILDFLAGS_TOOL)
    message(STATUS "dpkg-buildflags not found (dpkg-dev): building without Debian's hardening flags")
  else()
    # Asked from the source directory, so that the file prefix map is the same wherever cmake runs.
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                              ${YHB_DPKG_BUILDFLAGS_TOOL} --get ${kind}
                      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
      endif()
      separate_arguments(flags UNIX_COMMAND "${flags}")
      if(kind STREQUAL "LDFLAGS")
        add_link_options(${flags})
      else()
        add_compile_options(${flags})
      endif()
      set(YHB_${kind} ${flags})
    endforeach()
    message(STATUS "Hardening from dpkg-buildflags: ${YHB_CPPFLAGS} ${YHB_CXXFLAGS} ${YHB_LDFLAGS}")
  endif()
endif()
