# Makes the user guide that the package installs from the project's README: its title and
# opening paragraphs, then the sections a teacher or a technician needs, in the README's order.
# The sections about building, testing and the source code stay out. A section named here that
# the README no longer has stops the build, so a renamed heading is noticed.
#   cmake -DREADME=README.md -DOUTPUT=README.md -P userguide.cmake
cmake_minimum_required(VERSION 3.25)
set(sections
    "Topics"
    "Sharing worksheets in a classroom"
    "The class record and the teacher password")

file(READ "${README}" text)
# Each part starts at a level-two heading; the first part is the title and introduction.
string(FIND "${text}" "\n## " next)
string(SUBSTRING "${text}" 0 ${next} guide)
set(found)
while(NOT next EQUAL -1)
    math(EXPR start "${next} + 1")
    string(SUBSTRING "${text}" ${start} -1 rest)
    string(FIND "${rest}" "\n## " length)
    if(length EQUAL -1)
        set(part "${rest}")
        set(next -1)
    else()
        string(SUBSTRING "${rest}" 0 ${length} part)
        math(EXPR next "${start} + ${length}")
    endif()
    string(REGEX MATCH "^## ([^\n]*)" heading "${part}")
    set(heading "${CMAKE_MATCH_1}")
    if(heading IN_LIST sections)
        string(REGEX REPLACE "\n+$" "\n" part "${part}")
        string(APPEND guide "\n${part}")
        list(APPEND found "${heading}")
    endif()
endwhile()

foreach(section IN LISTS sections)
    if(NOT section IN_LIST found)
        message(FATAL_ERROR "The README has no section \"${section}\" for the user guide")
    endif()
endforeach()
string(APPEND guide "\nThe manual pages say more: man ondel, man ondel-worksheets, man 5 ondel-topic.\n")
file(WRITE "${OUTPUT}" "${guide}")
