# Builds each of PROBES (comma-separated) in BUILD_DIR and expects each to fail because the
# compiler cannot find the header at the same place in HEADERS. Any probe that compiles, or fails
# for another reason, is reported and fails the test.
string(REPLACE "," ";" PROBES "${PROBES}")
string(REPLACE "," ";" HEADERS "${HEADERS}")
set(crossed)
foreach(probe header IN ZIP_LISTS PROBES HEADERS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --config ${CONFIG} --target ${probe}
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    # GCC: "<header>: No such file or directory"; Clang: "'<header>' file not found".
    string(FIND "${output}" "${header}: No such file or directory" gcc_says)
    string(FIND "${output}" "'${header}' file not found" clang_says)
    if(result EQUAL 0)
        list(APPEND crossed "${probe}: ${header} is reachable")
    elseif(gcc_says EQUAL -1 AND clang_says EQUAL -1)
        list(APPEND crossed "${probe}: failed, but not for want of ${header}:\n${output}")
    else()
        message(STATUS "${probe}: ${header} is out of reach")
    endif()
endforeach()
if(crossed)
    list(JOIN crossed "\n" crossed)
    message(FATAL_ERROR "${crossed}")
endif()
