# cmake -DIN=... -DOUT=... -P Big5SettingsFile.cmake
# A default settings file is kept as UTF-8 with LF lines here and installed as
# the program writes its own: Big5 with CR LF lines. A character Big5 cannot
# hold fails the build.
find_program(ICONV_EXECUTABLE iconv REQUIRED)
file(READ "${IN}" text)
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.utf8" "${text}")
execute_process(COMMAND ${ICONV_EXECUTABLE} -f UTF-8 -t CP950 -o "${OUT}.tmp" "${OUT}.utf8"
                RESULT_VARIABLE failed)
file(REMOVE "${OUT}.utf8")
if(failed)
    file(REMOVE "${OUT}.tmp")
    message(FATAL_ERROR "${IN} holds text that Big5 cannot hold")
endif()
file(RENAME "${OUT}.tmp" "${OUT}")
