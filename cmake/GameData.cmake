# Every generator in tools/ writes its files under staging/Data/...; the packer then writes the
# one archive the game reads. A generator that does not exist yet simply contributes nothing.
set(BRX_ARCHIVE ${BRX_DATA_DIR}/Resource.Kvr)

if(BRX_PREBUILT_DATA)
    add_custom_command(OUTPUT ${BRX_ARCHIVE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${BRX_DATA_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${BRX_PREBUILT_DATA} ${BRX_ARCHIVE}
        DEPENDS ${BRX_PREBUILT_DATA}
        COMMENT "Copying the prebuilt game archive")
else()
    set(BRX_DATA_STAMPS)
    foreach(generator IN LISTS BRX_DATA_GENERATORS)
        set(stamp ${BRX_STAGING_DIR}/${generator}.stamp)
        add_custom_command(OUTPUT ${stamp}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${BRX_STAGING_DIR}
            COMMAND $<TARGET_FILE:${generator}> ${BRX_STAGING_DIR}
            COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
            DEPENDS ${generator}
            COMMENT "Generating game data with ${generator}")
        list(APPEND BRX_DATA_STAMPS ${stamp})
    endforeach()
    add_custom_command(OUTPUT ${BRX_ARCHIVE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${BRX_DATA_DIR} ${BRX_STAGING_DIR}/Data
        COMMAND $<TARGET_FILE:brx_pack> ${BRX_STAGING_DIR} ${BRX_ARCHIVE}
        DEPENDS brx_pack ${BRX_DATA_STAMPS}
        COMMENT "Packing Data/Resource.Kvr")
endif()
add_custom_target(game_data ALL DEPENDS ${BRX_ARCHIVE})
add_dependencies(brixeler3d game_data)
