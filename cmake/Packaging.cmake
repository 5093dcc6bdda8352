# What a player's system gets besides the programs: manual pages, the icon theme's icons, the
# AppStream metainfo, the package's changelog and copyright, and the Debian package itself
# (cpack -G DEB). Included last, so that it sees every program target.
include(GNUInstallDirs)
if(NOT TARGET karvan-mirk)
  return()  # nothing to package without the game (a build without the desktop front end)
endif()

set(KARVAN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KARVAN_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)
set(KARVAN_WHATSNEW ${PROJECT_SOURCE_DIR}/resources/docs/WHATSNEW.TXT)
set(KARVAN_MAINTAINER "Karvan Mirk team <team@karvan-mirk.example>")
set(KARVAN_HAS_EDITOR OFF)
if(TARGET karvan-edit)
  set(KARVAN_HAS_EDITOR ON)
endif()
# The documents' folder as the installed game looks for it (see DocumentFolder in desktop/).
set(KARVAN_DOCUMENTS_DIR ${CMAKE_INSTALL_FULL_DATADIR}/karvan-mirk)
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  # The package installs into /usr; name that folder in the manual page.
  set(KARVAN_DOCUMENTS_DIR /usr/${CMAKE_INSTALL_DATADIR}/karvan-mirk)
endif()

# ---------------------------------------------------------------- release notes

# WHATSNEW.TXT is the one list of releases: "Version X (YYYY-MM-DD)" lines, each followed by
# "  - " items whose text may go on in lines indented by four spaces. The metainfo's releases and
# the Debian changelog are both made from it, newest first.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KARVAN_WHATSNEW})
# A semicolon would split a CMake list: it travels as a stand-in until the texts are written.
file(READ ${KARVAN_WHATSNEW} karvan_news)
string(REPLACE ";" "%SEMICOLON%" karvan_news "${karvan_news}")
string(REPLACE "\r" "" karvan_news "${karvan_news}")
string(REPLACE "\n" ";" karvan_news_lines "${karvan_news}")
set(karvan_releases "")  # version numbers, oldest first
foreach(line IN LISTS karvan_news_lines)
  if(line MATCHES "^Version ([0-9.]+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    set(release ${CMAKE_MATCH_1})
    list(APPEND karvan_releases ${release})
    set(karvan_date_${release} "${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}")
    set(karvan_items_${release} "")
  elseif(line MATCHES "^Version ")
    message(FATAL_ERROR "WHATSNEW.TXT: '${line}' lacks its date, as in 'Version 1.0 (2026-12-09)'")
  elseif(line MATCHES "^  - (.*)$" AND DEFINED release)
    list(APPEND karvan_items_${release} "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +(.*)$" AND DEFINED release AND NOT "${karvan_items_${release}}" STREQUAL "")
    list(POP_BACK karvan_items_${release} item)
    list(APPEND karvan_items_${release} "${item} ${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT karvan_releases)
  message(FATAL_ERROR "WHATSNEW.TXT names no release")
endif()
list(GET karvan_releases -1 karvan_newest)
if(NOT karvan_newest STREQUAL PROJECT_VERSION)
  message(WARNING "The newest release in WHATSNEW.TXT is ${karvan_newest}, the project's version "
    "${PROJECT_VERSION}: add the release's notes")
endif()
set(KARVAN_RELEASE_DATE ${karvan_date_${karvan_newest}})

# Day of the week of an ISO date (Sakamoto's method), for the changelog's RFC 2822 dates.
function(karvan_rfc2822_date iso out)
  string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" unused "${iso}")
  set(y ${CMAKE_MATCH_1})
  set(m ${CMAKE_MATCH_2})
  set(d ${CMAKE_MATCH_3})
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${m} - 1")
  list(GET offsets ${index} t)
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR wd "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${t} + ${d}) % 7")
  set(names Sun Mon Tue Wed Thu Fri Sat)
  list(GET names ${wd} day)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET months ${index} month)
  string(SUBSTRING "${iso}" 0 4 year)
  string(SUBSTRING "${iso}" 8 2 dd)
  set(${out} "${day}, ${dd} ${month} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()

# Text wrapped to lines of at most 79 characters, the first after "  * ", the others indented.
function(karvan_changelog_item text out)
  string(REPLACE " " ";" words "${text}")
  set(result "")
  set(line "  *")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(length GREATER 79 AND NOT line STREQUAL "  *")
      string(APPEND result "${line}\n")
      set(line "   ")
    endif()
    string(APPEND line " ${word}")
  endforeach()
  set(${out} "${result}${line}\n" PARENT_SCOPE)
endfunction()

function(karvan_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(KARVAN_RELEASES_XML "")
set(karvan_changelog "")
set(karvan_newest_first ${karvan_releases})
list(REVERSE karvan_newest_first)
foreach(release IN LISTS karvan_newest_first)
  set(date ${karvan_date_${release}})
  string(APPEND KARVAN_RELEASES_XML
    "    <release version=\"${release}\" date=\"${date}\">\n      <description>\n        <ul>\n")
  string(APPEND karvan_changelog "karvan-mirk (${release}) unstable; urgency=medium\n\n")
  foreach(item IN LISTS karvan_items_${release})
    karvan_xml_escape("${item}" escaped)
    string(APPEND KARVAN_RELEASES_XML "          <li>${escaped}</li>\n")
    karvan_changelog_item("${item}" wrapped)
    string(APPEND karvan_changelog "${wrapped}")
  endforeach()
  string(APPEND KARVAN_RELEASES_XML "        </ul>\n      </description>\n    </release>\n")
  karvan_rfc2822_date(${date} stamp)
  string(APPEND karvan_changelog "\n -- ${KARVAN_MAINTAINER}  ${stamp}\n\n")
endforeach()
string(STRIP "${karvan_changelog}" karvan_changelog)
string(REPLACE "%SEMICOLON%" ";" karvan_changelog "${karvan_changelog}")
string(REPLACE "%SEMICOLON%" ";" KARVAN_RELEASES_XML "${KARVAN_RELEASES_XML}")
file(WRITE ${KARVAN_GENERATED_DIR}/changelog.new "${karvan_changelog}\n")
file(COPY_FILE ${KARVAN_GENERATED_DIR}/changelog.new ${KARVAN_GENERATED_DIR}/changelog
  ONLY_IF_DIFFERENT)

# ---------------------------------------------------------------- metainfo and manual pages

set(KARVAN_PROVIDES_EXTRA "")
set(KARVAN_DESCRIPTION_EXTRA "")
if(KARVAN_HAS_EDITOR)
  set(KARVAN_PROVIDES_EXTRA
    "    <binary>karvan-edit</binary>\n    <mediatype>application/x-karvan-mirk-level</mediatype>\n")
  set(KARVAN_DESCRIPTION_EXTRA
    "      <li>A level editor, karvan-edit, that checks a level as you draw it and plays it in the game</li>\n")
endif()
set(KARVAN_METAINFO ${KARVAN_GENERATED_DIR}/io.github.karvanmirk.KarvanMirk.metainfo.xml)
configure_file(${KARVAN_PACKAGING_DIR}/io.github.karvanmirk.KarvanMirk.metainfo.xml.in
  ${KARVAN_METAINFO} @ONLY)

find_program(KARVAN_GZIP gzip REQUIRED)
set(karvan_programs karvan-mirk)
if(KARVAN_HAS_EDITOR)
  list(APPEND karvan_programs karvan-edit)
endif()
set(karvan_compressed "")
foreach(program IN LISTS karvan_programs)
  configure_file(${KARVAN_PACKAGING_DIR}/${program}.6.in ${KARVAN_GENERATED_DIR}/${program}.6 @ONLY)
  list(APPEND karvan_compressed ${KARVAN_GENERATED_DIR}/${program}.6.gz)
endforeach()
list(APPEND karvan_compressed ${KARVAN_GENERATED_DIR}/changelog.gz)
# gzip -n leaves out the name and the time, so the package's bytes do not depend on the build.
foreach(compressed IN LISTS karvan_compressed)
  string(REGEX REPLACE "\\.gz$" "" plain ${compressed})
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${KARVAN_GZIP} -9 -n -c ${plain} > ${compressed}
    DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(karvan_package_files ALL DEPENDS ${karvan_compressed})

# ---------------------------------------------------------------- install rules

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
foreach(program IN LISTS karvan_programs)
  install(FILES ${KARVAN_GENERATED_DIR}/${program}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons FILES_MATCHING PATTERN "${program}.png"
    PATTERN "${program}.svg")
endforeach()
install(FILES ${KARVAN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KARVAN_GENERATED_DIR}/changelog.gz ${KARVAN_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/karvan-mirk)

# ---------------------------------------------------------------- the Debian package

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME karvan-mirk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Karvan Mirk team")
set(CPACK_PACKAGE_CONTACT ${KARVAN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pocket LCD game of tomb mazes, gold and scorpions")
# The extended description, in lines short enough for a terminal.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Karvan Mirk is a simulator of a pocket LCD game that never existed. Its\n"
  "window is a photograph of the handheld, and its display shows nothing but\n"
  "fixed figures switched on and off, as on a real liquid crystal display.\n"
  "\n"
  "An explorer searches 24 tomb mazes larger than the display for gold, past\n"
  "locked doors, scorpions, switches, lifts and sliding floors, with side\n"
  "scenes in the margins of the display. Levels of your own are loaded from\n"
  "plain text files.")
if(KARVAN_HAS_EDITOR)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "\n\n"
    "The level editor karvan-edit draws and checks level files and plays them\n"
    "in the game.")
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KARVAN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are those of the shared libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The menu opens README.TXT and WHATSNEW.TXT through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
include(CPack)

# The validators a software centre and a desktop apply, run on the files of the build tree.
if(KARVAN_BUILD_TESTS)
  find_program(KARVAN_APPSTREAMCLI appstreamcli)
  find_program(KARVAN_DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(KARVAN_APPSTREAMCLI)
    add_test(NAME MetainfoIsValid
      COMMAND ${KARVAN_APPSTREAMCLI} validate --no-net --pedantic ${KARVAN_METAINFO})
  endif()
  if(KARVAN_DESKTOP_FILE_VALIDATE)
    file(GLOB karvan_desktop_entries CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/*/*.desktop)
    foreach(entry IN LISTS karvan_desktop_entries)
      get_filename_component(name ${entry} NAME)
      add_test(NAME DesktopEntryIsValid.${name} COMMAND ${KARVAN_DESKTOP_FILE_VALIDATE} ${entry})
    endforeach()
  endif()
endif()
