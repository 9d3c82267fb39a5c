# Assembles the man page at build time: mechsim.1.in with the version, the release date, the
# mechanisms with their keys (from their registration) and the columns of their result files
# (from a one-step run of the built program), both written by mechsim_man_mechanisms.
#   cmake -DMECHSIM=... -DGENERATOR=... -DINPUT=mechsim.1.in -DOUTPUT=mechsim.1
#         -DRELEASE_DATE=... -DPROJECT_VERSION=... -P man_page.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${GENERATOR} keys
                OUTPUT_VARIABLE MAN_MECHANISMS OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${GENERATOR} columns ${MECHSIM}
                OUTPUT_VARIABLE MAN_RESULT_COLUMNS OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${INPUT} ${OUTPUT} @ONLY)
# configure_file leaves an unchanged page as it was; the build compares times.
file(TOUCH ${OUTPUT})
