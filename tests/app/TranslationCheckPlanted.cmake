# The translation check against a small fixture made here: one source folder with two texts
# and its two translation files, complete; then each fault planted in a fresh copy must fail
# the check with a line naming it, and the complete fixture must pass.
#
#   cmake -DLUPDATE=<lupdate> -DCHECK=<TranslationCheck.cmake> -DWORK_DIR=<scratch> -P TranslationCheckPlanted.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var LUPDATE CHECK WORK_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "give ${var}")
  endif()
endforeach()

set(source_text [=[
#include <QCoreApplication>
QString first() { return QCoreApplication::translate("Demo", "Open; the file"); }
QString second() { return QCoreApplication::translate("Demo", "记录设置"); }
]=])

# A complete fixture in `dir`: src/demo with the texts, translations/demo_{en,zh_CN}.ts.
function(make_fixture dir)
  file(REMOVE_RECURSE ${dir})
  file(WRITE ${dir}/src/demo/Demo.cpp "${source_text}")
  file(MAKE_DIRECTORY ${dir}/translations)
  foreach(language en zh_CN)
    execute_process(COMMAND ${LUPDATE} -silent -locations none ${dir}/src/demo
                            -ts ${dir}/translations/demo_${language}.ts RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "lupdate could not make the fixture")
    endif()
    file(READ ${dir}/translations/demo_${language}.ts ts)
    string(REPLACE "<translation type=\"unfinished\"></translation>" "<translation>done</translation>"
                   ts "${ts}")
    file(WRITE ${dir}/translations/demo_${language}.ts "${ts}")
  endforeach()
endfunction()

# Runs the check on `dir`; sets `result` and `output` in the caller.
function(run_check dir)
  execute_process(COMMAND ${CMAKE_COMMAND} -DLUPDATE=${LUPDATE} -DSOURCE_DIR=${dir}/src
                          -DTS_DIR=${dir}/translations -DWORK_DIR=${dir}/work -P ${CHECK}
                  RESULT_VARIABLE r OUTPUT_VARIABLE o ERROR_VARIABLE o)
  set(result ${r} PARENT_SCOPE)
  set(output "${o}" PARENT_SCOPE)
endfunction()

set(failures)

make_fixture(${WORK_DIR}/complete)
run_check(${WORK_DIR}/complete)
if(NOT result EQUAL 0)
  list(APPEND failures "the complete fixture failed the check:\n${output}")
endif()

# Each case: a name, what it plants, and a text the check's output must hold.
function(planted name expected)
  set(dir ${WORK_DIR}/${name})
  make_fixture(${dir})
  cmake_language(CALL plant_${name} ${dir})
  run_check(${dir})
  if(result EQUAL 0)
    set(failures ${failures} "${name}: the check passed" PARENT_SCOPE)
  elseif(NOT output MATCHES "${expected}")
    set(failures ${failures} "${name}: the output names no \"${expected}\":\n${output}" PARENT_SCOPE)
  endif()
endfunction()

function(plant_unfinished dir)
  file(READ ${dir}/translations/demo_zh_CN.ts ts)
  string(REGEX REPLACE "<translation>done</translation>" "<translation type=\"unfinished\">done</translation>"
                       ts "${ts}")
  file(WRITE ${dir}/translations/demo_zh_CN.ts "${ts}")
endfunction()
function(plant_empty dir)
  file(READ ${dir}/translations/demo_en.ts ts)
  string(REPLACE "<source>记录设置</source>\n        <translation>done</translation>"
                 "<source>记录设置</source>\n        <translation></translation>" planted "${ts}")
  if(planted STREQUAL ts)
    message(FATAL_ERROR "the fixture's layout changed: nothing planted")
  endif()
  file(WRITE ${dir}/translations/demo_en.ts "${planted}")
endfunction()
function(plant_new_source_text dir)
  file(APPEND ${dir}/src/demo/Demo.cpp
       "QString third() { return QCoreApplication::translate(\"Demo\", \"Harmonic Table\"); }\n")
endfunction()
function(plant_missing_language dir)
  file(REMOVE ${dir}/translations/demo_zh_CN.ts)
endfunction()
function(plant_folder_without_files dir)
  file(WRITE ${dir}/src/other/Other.cpp "${source_text}")
endfunction()

planted(unfinished "demo_zh_CN.ts: \"Open\\; the file\" is not translated")
planted(empty "demo_en.ts: \"记录设置\" is not translated")
planted(new_source_text "\"Harmonic Table\" is not translated")
planted(missing_language "demo_zh_CN.ts is missing")
planted(folder_without_files "src/other has texts to translate")

if(failures)
  string(REPLACE ";" "\n" listed "${failures}")
  message(FATAL_ERROR "${listed}")
endif()
