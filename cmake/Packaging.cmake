# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts under the prefix, and the Debian package made from it.
# The layout is relative (bin/, share/) so that a copy unpacked anywhere finds its own bank.

set(YHB_HOMEPAGE "https://example.org/yunhuiban" CACHE STRING
    "Project homepage; the software centre's screenshot is docs/images/window.png below it")
set(YHB_APP_ID "org.example.yunhuiban")
set(YHB_RELEASE_DATE "2026-12-07")
set(YHB_PKG_DIR ${CMAKE_BINARY_DIR}/package-files)

# The icons, manual pages and changelog are made by tools; without them an install would pass
# for complete, so it stops before copying anything.
find_program(YHB_RSVG rsvg-convert)
find_program(YHB_SCDOC scdoc)
find_program(YHB_GZIP gzip)
set(YHB_MISSING_TOOLS)
if(NOT YHB_RSVG)
  list(APPEND YHB_MISSING_TOOLS "rsvg-convert (librsvg2-bin)")
endif()
if(NOT YHB_SCDOC)
  list(APPEND YHB_MISSING_TOOLS "scdoc")
endif()
if(NOT YHB_GZIP)
  list(APPEND YHB_MISSING_TOOLS "gzip")
endif()
if(YHB_MISSING_TOOLS)
  string(REPLACE ";" ", " missing "${YHB_MISSING_TOOLS}")
  message(STATUS "Not found: ${missing}; install and package need them (scripts/install-deps installs them)")
  install(CODE "message(FATAL_ERROR \"Missing ${missing}: run scripts/install-deps, then configure again\")")
endif()

install(TARGETS yunhuiban yunhuiban-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bank/tm DESTINATION ${CMAKE_INSTALL_DATADIR}/yunhuiban)
install(FILES res/yunhuiban.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/icons/yunhuiban.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES res/mime/yunhuiban.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES res/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES res/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME yunhuiban)

configure_file(res/yunhuiban.metainfo.xml.in ${YHB_PKG_DIR}/${YHB_APP_ID}.metainfo.xml @ONLY)
install(FILES ${YHB_PKG_DIR}/${YHB_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants manual pages and changelogs gzipped without a timestamp.
set(YHB_GENERATED)
if(YHB_RSVG)
  foreach(size 48 64 128 256)
    set(png ${YHB_PKG_DIR}/icons/${size}x${size}/yunhuiban.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${YHB_PKG_DIR}/icons/${size}x${size}
      COMMAND ${YHB_RSVG} -w ${size} -h ${size} -o ${png} ${CMAKE_CURRENT_SOURCE_DIR}/res/icons/yunhuiban.svg
      DEPENDS res/icons/yunhuiban.svg VERBATIM)
    list(APPEND YHB_GENERATED ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# The English pages in man1, the Chinese one in zh_CN/man1 for a Chinese locale. Each starts
# with its folder's preamble, which names the encoding: without it man-db reads a page as
# ISO-8859-1.
if(YHB_SCDOC AND YHB_GZIP)
  foreach(entry "yunhuiban.1" "yunhuiban-cli.1" "zh_CN/yunhuiban.1")
    get_filename_component(page ${entry} NAME)
    get_filename_component(lang "${entry}" DIRECTORY)
    set(src ${CMAKE_CURRENT_SOURCE_DIR}/res/man/${entry}.scd)
    set(preamble ${CMAKE_CURRENT_SOURCE_DIR}/res/man/${lang}/preamble.roff)
    set(roff ${YHB_PKG_DIR}/man/${entry})
    # The page's date is the release's, not the day of the build.
    add_custom_command(OUTPUT ${roff}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${YHB_PKG_DIR}/man/${lang}
      COMMAND sh -c "{ cat \"$6\" && SOURCE_DATE_EPOCH=$(date -u -d \"$1\" +%s) \"$2\" < \"$3\"; } > \"$4.tmp\" && mv \"$4.tmp\" \"$4\" && \"$5\" -9n -c \"$4\" > \"$4.gz\""
              sh ${YHB_RELEASE_DATE} ${YHB_SCDOC} ${src} ${roff} ${YHB_GZIP} ${preamble}
      BYPRODUCTS ${roff}
      DEPENDS ${src} ${preamble} VERBATIM)
    list(APPEND YHB_GENERATED ${roff}.gz)
    if(lang)
      install(FILES ${roff}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${lang}/man1)
    else()
      install(FILES ${roff}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
endif()

if(YHB_GZIP)
  add_custom_command(OUTPUT ${YHB_PKG_DIR}/changelog.gz
    COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$3\"" sh ${YHB_GZIP} ${CMAKE_CURRENT_SOURCE_DIR}/res/debian/changelog
            ${YHB_PKG_DIR}/changelog.gz
    DEPENDS res/debian/changelog VERBATIM)
  list(APPEND YHB_GENERATED ${YHB_PKG_DIR}/changelog.gz)
  install(FILES ${YHB_PKG_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

add_custom_target(package-files ALL DEPENDS ${YHB_GENERATED})

# ---- the Debian package: `cpack -G DEB`, or `make package` at the top ----------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yunhuiban)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Yunhuiban maintainers <yunhuiban@example.org>")
set(CPACK_PACKAGE_VENDOR "Yunhuiban maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plot functions and conics for secondary-school mathematics")
# The summary is the first line of the control file's Description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Yunhuiban is a teaching tool for analytic geometry and elementary functions
with a Simplified Chinese interface. The teacher picks one of 22 families of
lines, trigonometric functions, conics, exponential and logarithmic functions,
types the coefficients, and the curve is drawn with its vertices, foci,
directrices, asymptotes or centre beside its typeset equation. A bank of
exercises with answers and analysis comes with it. yunhuiban-cli draws the
same pictures as PNG or SVG files for worksheets.

云绘板是中学解析几何与初等函数的教学工具。选择直线、三角函数、
圆锥曲线、指数与对数函数等 22 类函数之一，输入系数，即可画出曲线，
并标出顶点、焦点、准线、渐近线或圆心，旁边显示排版好的方程。
附带精选题库，每题配有答案与解析。")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${YHB_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps adds the libraries; the labels need a CJK font, and Qt's own dialogs
# speak Chinese only with its translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
# The 试卷's print faces: a serif Ming face for Chinese and a Times-like one for formulas.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming | fonts-noto-cjk, fonts-liberation2")
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/package_strip.cmake)
set(CPACK_YHB_STRIP ${CMAKE_STRIP})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# Not for the sanitizer build: its binaries are not what a school installs.
if(YHB_TESTS AND NOT YHB_SANITIZE)
  enable_testing() # before the folder, which the top-level enable_testing would come too late for
  add_subdirectory(tests/package)
endif()
