# Draws every page of the wizard in each of the 21 languages of the language box and
# puts each language's pages on one sheet: OUT/contact-sheet-LANGID.png.
#   cmake -DEXE=TesraConnect -DSHEET=tc_contact_sheet -DOUT=DIR -P ContactSheets.cmake
# The languages in the order of the box (its index is the position here).
set(languages 1057 1030 1031 1033 1032 1034 3084 1036 1040 1043 1044 1045 2070 1046 1049 1035 1053 1066 1055 1025 1054)
set(pages 1 4 5 8 11 12 13 16 17 18 19 21 22 23)
set(names welcome insert-adapter wps-push-button network-list wps-pin connecting connect-failed success
          success-no-internet driver-failed adapter-not-found xp-update-required vista-update-required admin-required)
file(MAKE_DIRECTORY ${OUT})
set(index 0)
foreach(lang IN LISTS languages)
  set(work ${OUT}/work-${lang})
  file(REMOVE_RECURSE ${work})
  set(script "show-page 1\nchoose 1179 ${index}\nexpect language ${lang}\n")
  set(shots)
  foreach(page name IN ZIP_LISTS pages names)
    string(APPEND script "show-page ${page}\nscreenshot ${page}-${name}\n")
    list(APPEND shots "${page} ${name}=${work}/${page}-${name}.png")
  endforeach()
  file(WRITE ${work}/pages.tcs "${script}")
  execute_process(COMMAND ${EXE} --headless --fresh --machine ${work}/machine --script ${work}/pages.tcs --out ${work}
                  RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the pages of language ${lang} were not drawn (status ${status}; see ${work}/result.txt)")
  endif()
  execute_process(COMMAND ${SHEET} ${OUT}/contact-sheet-${lang}.png "Language ${lang}" ${shots} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the contact sheet of language ${lang} was not made (status ${status})")
  endif()
  file(REMOVE_RECURSE ${work})
  math(EXPR index "${index} + 1")
endforeach()
message(STATUS "contact sheets in ${OUT}")
