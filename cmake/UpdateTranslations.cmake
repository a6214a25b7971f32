# SPDX-License-Identifier: GPL-3.0-or-later
#
# Brings Qt Linguist files up to date with the texts in the sources:
#
#   cmake -D LUPDATE=<lupdate> -D SOURCE_DIR=<source tree> -D TS_FILES="<a.ts>;<b.ts>" -P UpdateTranslations.cmake
#
# The texts are those of the program and of the libraries it ships
# (everything under keypadmgr/, colourpicker/, ovrcolor/, dravonlib/,
# ovraut/), tests excepted. New texts arrive unfinished; texts no longer in
# the sources are dropped.
foreach(var LUPDATE SOURCE_DIR TS_FILES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "UpdateTranslations.cmake needs -D ${var}=...")
    endif()
endforeach()

set(sources)
foreach(dir keypadmgr colourpicker ovrcolor dravonlib ovraut)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR}
         ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.ui)
    list(APPEND sources ${found})
endforeach()
list(FILTER sources EXCLUDE REGEX "(^|/)tests/")
list(SORT sources)

string(RANDOM LENGTH 8 tag)
set(list_file ${CMAKE_CURRENT_BINARY_DIR}/lupdate-sources-${tag}.lst)
list(JOIN sources "\n" content)
file(WRITE ${list_file} "${content}\n")
execute_process(
    COMMAND ${LUPDATE} -silent -no-obsolete -locations none -source-language en @${list_file} -ts ${TS_FILES}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE result)
file(REMOVE ${list_file})
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result})")
endif()
