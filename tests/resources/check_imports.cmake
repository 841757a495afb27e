# Fails if BINARY imports a DLL that is not part of Windows: the program and the library must
# run from their folder alone, with the C and C++ runtimes linked in (no libstdc++, libgcc or
# libwinpthread DLLs); or if it lacks one of the loader flags FLAGS (objdump's names of the
# DllCharacteristics bits). It reads the file only, so it needs no Windows and no Wine.
#   cmake -DOBJDUMP=<objdump> -DBINARY=<exe or dll> [-DFLAGS=<flag;...>] -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls
  kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll advapi32.dll shell32.dll
  shlwapi.dll ole32.dll oleaut32.dll version.dll uxtheme.dll
  # MinGW-w64's C runtime: in the system folder of every Windows since 2000.
  msvcrt.dll)

if(NOT EXISTS "${BINARY}")
  message(FATAL_ERROR "${BINARY} does not exist: build it first")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${BINARY}"
  OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${BINARY} failed: ${error}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" entries "${dump}")
if(NOT entries)
  message(FATAL_ERROR "no import table found in ${BINARY}")
endif()
set(imported)
set(foreign)
foreach(entry IN LISTS entries)
  string(REPLACE "DLL Name: " "" dll "${entry}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND imported ${dll})
  if(NOT dll IN_LIST system_dlls)
    list(APPEND foreign ${dll})
  endif()
endforeach()
list(JOIN imported ", " imported)
if(foreign)
  list(JOIN foreign ", " foreign)
  message(FATAL_ERROR "${BINARY} imports DLLs that are not part of Windows: ${foreign} (all imports: ${imported})")
endif()
message(STATUS "${BINARY} imports only system DLLs: ${imported}")

string(REGEX MATCH "DllCharacteristics[^\n]*\n(\t+[A-Z_]+\n)*" characteristics "${dump}")
foreach(flag IN LISTS FLAGS)
  if(NOT characteristics MATCHES "\t${flag}\n")
    message(FATAL_ERROR "${BINARY} lacks the loader flag ${flag}: ${characteristics}")
  endif()
endforeach()
if(FLAGS)
  message(STATUS "${BINARY} has the loader flags ${FLAGS}")
endif()
