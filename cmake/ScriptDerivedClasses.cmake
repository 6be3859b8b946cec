# Writes the script binding's classes that have a base, as tolua++ registered them in the
# generated binding, in its order: one `{"type", "base"},` line each, for the binding's own
# table (script/ScriptModule.cpp). Run as `cmake -DBINDING=<binding.cpp> -DOUTPUT=<file> -P`.
file(STRINGS ${BINDING} registrations REGEX "tolua_cclass\\(tolua_S,\"[^\"]*\",\"[^\"]*\",\"[^\"]+\"")
set(rows "// Generated from the script binding by cmake/ScriptDerivedClasses.cmake.\n")
foreach(registration IN LISTS registrations)
    string(REGEX REPLACE ".*tolua_cclass\\(tolua_S,\"[^\"]*\",\"([^\"]*)\",\"([^\"]+)\".*"
                         "{\"\\1\", \"\\2\"}," row "${registration}")
    string(APPEND rows "${row}\n")
endforeach()
if(NOT registrations)
    message(FATAL_ERROR "no class with a base in ${BINDING}")
endif()
file(WRITE ${OUTPUT}.new "${rows}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
