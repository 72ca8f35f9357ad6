# Fails if any object of ours put an entry into the DLL's constructor lists,
# that is, if the DLL has a dynamic initialiser of ours that loading would
# run. Reads the link map of zepho.auf: every input section of .ctors, .ctor,
# .init_array or .CRT$XC* must come from the toolchain (an absolute /usr
# path: its crtend.o registers the unwind tables), none from our objects and
# libraries, which the map names by paths relative to the link folder.
#   cmake -DMAP=zepho.map -P no_constructors.cmake
file(STRINGS "${MAP}" lines)
set(pending "")
set(found 0)
foreach(line IN LISTS lines)
  if(pending)
    set(line "${pending} ${line}")
    set(pending "")
  endif()
  if(line MATCHES "^ (\\.ctors[^ ]*|\\.ctor|\\.init_array[^ ]*|\\.CRT\\$XC[^ ]*)$")
    set(pending "${line}")  # a long name puts address, size and file on the next line
  elseif(line MATCHES "^ (\\.ctors[^ ]*|\\.ctor|\\.init_array[^ ]*|\\.CRT\\$XC[^ ]*) +0x[0-9a-f]+ +(0x[0-9a-f]+) +(.+)$")
    set(section "${CMAKE_MATCH_1}")
    set(size "${CMAKE_MATCH_2}")
    set(input "${CMAKE_MATCH_3}")
    math(EXPR size "${size}")
    math(EXPR found "${found} + 1")
    if(size GREATER 0 AND NOT input MATCHES "^/usr/")
      message(SEND_ERROR "dynamic initialiser in zepho.auf: ${section} from ${input}")
    endif()
  endif()
endforeach()
if(found EQUAL 0)
  message(FATAL_ERROR "no constructor list in ${MAP}: is it the link map of zepho.auf?")
endif()
