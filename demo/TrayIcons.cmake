# Draws the demo's tray icons, four 32 x 32 frames of a pulsing dot, and writes them
# as the saved properties of the demo form's notifier (Tray1), each icon stored as
# a standard picture object: "lt\0\0", the size, then the bytes of an .ico file.
#   cmake -P demo/TrayIcons.cmake       (writes demo/roster.vfp beside this script)

set(colours "1E90FF" "00B070" "FFA500" "DC143C")  # RGB of each frame's dot
set(radii 6 9 12 15)                              # its radius in pixels

# Little-endian hex of a 16- or 32-bit value.
function(le value bytes out)
  set(hex "")
  foreach(i RANGE 1 ${bytes})
    math(EXPR byte "${value} & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    if(length EQUAL 1)
      set(digits "0${digits}")
    endif()
    string(APPEND hex "${digits}")
    math(EXPR value "${value} >> 8")
  endforeach()
  string(TOUPPER "${hex}" hex)
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# One frame as the hex of an .ico file: a dot of `colour` and `radius` with a white
# rim, on transparent pixels.
function(draw_icon colour radius out)
  string(SUBSTRING "${colour}" 0 2 r)
  string(SUBSTRING "${colour}" 2 2 g)
  string(SUBSTRING "${colour}" 4 2 b)
  math(EXPR outer "4 * ${radius} * ${radius}")
  math(EXPR inner "4 * (${radius} - 2) * (${radius} - 2)")
  set(pixels "")
  foreach(y RANGE 0 31)  # rows bottom-up, as bitmaps store them
    math(EXPR dy "2 * ${y} - 31")
    foreach(x RANGE 0 31)
      math(EXPR dx "2 * ${x} - 31")
      math(EXPR d "${dx} * ${dx} + ${dy} * ${dy}")
      if(d LESS_EQUAL inner)
        string(APPEND pixels "${b}${g}${r}FF")
      elseif(d LESS_EQUAL outer)
        string(APPEND pixels "FFFFFFFF")
      else()
        string(APPEND pixels "00000000")
      endif()
    endforeach()
  endforeach()
  string(REPEAT "00" 128 mask)
  # Directory (one 32 x 32 image, 32 bits), then the image's header, pixels and mask.
  le(4264 4 imageBytes)
  set(ico "000001000100" "20200000" "0100" "2000" "${imageBytes}" "16000000"
          "28000000" "20000000" "40000000" "0100" "2000" "00000000" "00100000"
          "00000000" "00000000" "00000000" "00000000")
  string(JOIN "" ico ${ico})
  string(APPEND ico "${pixels}${mask}")
  string(LENGTH "${ico}" hexLength)
  math(EXPR size "${hexLength} / 2")
  le(${size} 4 sizeHex)
  set(${out} "6C740000${sizeHex}${ico}" PARENT_SCOPE)
endfunction()

set(picture "{0BE35204-8F91-11CE-9DE3-00AA004BB851}")
set(text "VelForm properties 1\nBegin Tray1\n")
string(APPEND text "    AnimationStyle = Long 1\n    Continuous = Boolean True\n    Enabled = Boolean True\n")
string(APPEND text "    IconCount = Long 4\n")
foreach(i RANGE 1 4)
  math(EXPR k "${i} - 1")
  list(GET colours ${k} colour)
  list(GET radii ${k} radius)
  draw_icon(${colour} ${radius} hex)
  string(APPEND text "    IconName${i} = String \"pulse ${i}\"\n    Icon#${i} = Object ${picture} ${hex}\n")
endforeach()
string(APPEND text "    Interval = Integer 250\n    ReverseAnimation = Boolean False\n")
string(APPEND text "    ToolTipText = String \"Vel controls demo\"\nEnd\n")
get_filename_component(here "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)
file(WRITE "${here}/roster.vfp" "${text}")
