# Creates an empty file unless it already exists (keeps the player's results).
if(NOT EXISTS "${FILE}")
    file(WRITE "${FILE}" "")
endif()
